// Writes the table of sections that the portable build must reproduce: each line holds the
// concrete class and steel grade items, As, d and b, then the eleven result texts, all
// computed here with x87 long double, the arithmetic that the window used before it became
// portable. x86-64 only:
//   generate_sections COUNT | xz -9 > tests/sections/sections.txt.xz
#include "materials.h"
#include "section_sample.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

static_assert(LDBL_MANT_DIG == 64, "the table is made with the x87 extended format");

namespace {

using Texts = std::string[11];

std::string whole(long double x)
{
    char buffer[6000];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::trunc(x) + 0.0L,
                                   std::chars_format::fixed, 0)
                         .ptr;
    return std::string(buffer, end);
}

struct Model {
    double xu = 0;
    double z = 0;
    long double moment = 0;
    bool valid = false;
};

template <typename LeverArm>
Model model(long double force, long double denominator, double d, LeverArm leverArm)
{
    Model m;
    m.xu = static_cast<double>(force / denominator);
    m.z = static_cast<double>(leverArm(static_cast<long double>(m.xu)));
    if (m.z > 0 && m.xu < d) {
        m.moment = std::trunc((force * m.z) / 1000000.0L);
        m.valid = true;
        return m;
    }
    return Model{};
}

// k x 0.01 in the general format with 15 digits is k / 100 for every k this table meets.
std::string ratio(const Model &m, double d)
{
    if (!m.valid)
        return std::string("0");
    const long double k = std::nearbyint((100.0L * m.z) / static_cast<long double>(d));
    if (!(std::fabs(k) < 1e12L)) {
        std::fprintf(stderr, "a ratio beyond the table's texts\n");
        std::exit(1);
    }
    const auto hundredths = static_cast<long long>(k);
    const long long magnitude = std::llabs(hundredths);
    // Built piece by piece: GCC 12 at -O3 reports a false -Wrestrict overlap in operator+.
    std::string text;
    if (hundredths < 0)
        text.push_back('-');
    text.append(std::to_string(magnitude / 100));
    if (magnitude % 100 != 0) {
        text += '.';
        text += static_cast<char>('0' + magnitude % 100 / 10);
        if (magnitude % 10 != 0)
            text += static_cast<char>('0' + magnitude % 10);
    }
    return text;
}

void compute(const sections::Section &s, Texts &texts)
{
    const auto &grade = beam::steelGrades[static_cast<std::size_t>(s.steelGrade)];
    const auto &concrete = beam::concreteClasses[static_cast<std::size_t>(s.concreteClass)];
    long fydWhole = 0;
    std::from_chars(grade.fyd.data(), grade.fyd.data() + grade.fyd.size(), fydWhole);
    double fcd = 0; // the double nearest to the text
    std::from_chars(concrete.fcd.data(), concrete.fcd.data() + concrete.fcd.size(), fcd);
    const double fyd = static_cast<double>(fydWhole);
    const double steelForce = static_cast<double>(static_cast<long double>(s.As) * fyd);
    const double d = s.d;
    const double b = s.b;
    if (s.d <= 0 || static_cast<long double>(b) * fcd <= 0) {
        const char *fallBack[] = {"0", "0", "0", "0", "0", "0", "0", "nan", "nan", "nan", "nan"};
        for (int i = 0; i < 11; ++i)
            texts[i] = std::string(fallBack[i]);
        return;
    }
    const long double force = steelForce, width = b, strength = fcd, depth = d;
    const Model parabolic = model(force, ((2.0L * width) * strength) / 3.0L, d,
                                  [&](long double xu) { return depth - 0.375L * xu; });
    double alphaBeta[8][2] = {{0.75, 7.0 / 18.0}, {0.75, 7.0 / 18.0}, {0.75, 7.0 / 18.0},
                              {0.75, 7.0 / 18.0}, {0.75, 7.0 / 18.0}, {0.73, 0.38},
                              {0.67, 0.36},       {0.62, 0.35}};
    const long double alpha = alphaBeta[s.concreteClass][0];
    const long double beta = alphaBeta[s.concreteClass][1];
    const Model biLinear = model(force, (alpha * width) * strength, d,
                                 [&](long double xu) { return depth - beta * xu; });
    const Model parabolaRectangle =
        model(force, ((17.0L * width) * strength) / 21.0L, d,
              [&](long double xu) { return depth - (99.0L * xu) / 238.0L; });
    const std::int64_t product = std::int64_t{fydWhole} * s.As;
    const long double approxForce = static_cast<long double>(product) * 0.9L;
    const long double approx =
        std::trunc((static_cast<long double>(s.d) * approxForce) / 1000000.0L);

    texts[0] = whole(approx);
    texts[1] = whole(parabolic.moment);
    texts[2] = whole(parabolic.xu);
    texts[3] = whole(biLinear.moment);
    texts[4] = whole(biLinear.xu);
    texts[5] = whole(parabolaRectangle.moment);
    texts[6] = whole(parabolaRectangle.xu);
    texts[7] = std::string("0.9");
    texts[8] = ratio(parabolic, d);
    texts[9] = ratio(biLinear, d);
    texts[10] = ratio(parabolaRectangle, d);
}

} // namespace

int main(int argc, char **argv)
{
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    sections::Sampler sampler(20261208);
    Texts texts;
    for (long i = 0; i < count; ++i) {
        const sections::Section s = sampler.section();
        compute(s, texts);
        std::printf("%d %d %d %d %d", s.concreteClass, s.steelGrade, s.As, s.d, s.b);
        for (const std::string &text : texts)
            std::printf(" %s", text.c_str());
        std::printf("\n");
    }
    return 0;
}
