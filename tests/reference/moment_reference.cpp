#include "moment_reference.h"

#include <gmpxx.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace reference {

namespace {

// value rounded to `bits` significant bits, to nearest with ties to even; no exponent limits,
// which the covered inputs never reach.
mpq_class rounded(const mpq_class &value, long bits)
{
    if (value == 0)
        return 0;
    const mpz_class numerator = abs(value.get_num());
    const mpz_class &denominator = value.get_den();
    // A quotient of bits + 2 or bits + 3 bits, its remainder as the sticky part.
    const long shift = bits + 2 - long(mpz_sizeinbase(numerator.get_mpz_t(), 2)) +
                       long(mpz_sizeinbase(denominator.get_mpz_t(), 2));
    mpz_class scaled = numerator;
    mpz_class divisor = denominator;
    if (shift >= 0)
        scaled <<= static_cast<mp_bitcnt_t>(shift);
    else
        divisor <<= static_cast<mp_bitcnt_t>(-shift);
    mpz_class quotient;
    mpz_class remainder;
    mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), scaled.get_mpz_t(),
                divisor.get_mpz_t());
    const long extra = long(mpz_sizeinbase(quotient.get_mpz_t(), 2)) - bits;
    mpz_class whole = quotient >> static_cast<mp_bitcnt_t>(extra);
    const mpz_class dropped = quotient - (whole << static_cast<mp_bitcnt_t>(extra));
    const mpz_class half = mpz_class(1) << static_cast<mp_bitcnt_t>(extra - 1);
    if (dropped > half || (dropped == half && (remainder != 0 || mpz_odd_p(whole.get_mpz_t()))))
        ++whole;
    const long exponent = extra - shift; // value = whole x 2^exponent
    mpq_class result = exponent >= 0 ? mpq_class(whole << static_cast<mp_bitcnt_t>(exponent))
                                     : mpq_class(whole) >> static_cast<mp_bitcnt_t>(-exponent);
    return value < 0 ? mpq_class(-result) : result;
}

mpq_class extended(const mpq_class &value)
{
    return rounded(value, 64);
}

mpq_class stored(const mpq_class &value)
{
    return rounded(value, 53);
}

mpz_class truncated(const mpq_class &value)
{
    return mpz_class(value.get_num() / value.get_den()); // C division cuts toward zero
}

mpz_class roundedHalfEven(const mpq_class &value)
{
    mpz_class whole = truncated(value);
    const mpq_class rest = abs(value - whole);
    if (rest > mpq_class(1, 2) || (rest == mpq_class(1, 2) && mpz_odd_p(whole.get_mpz_t())))
        whole += value < 0 ? -1 : 1;
    return whole;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// [sign] digits [separator digits] [e|E [sign] digits], at least one digit before the
// exponent, at most four exponent digits.
std::optional<mpq_class> decimal(std::string_view text, char separator)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    mpz_class digits = 0;
    long scale = 0;
    bool any = false;
    for (; i < text.size() && isDigit(text[i]); ++i, any = true)
        digits = digits * 10 + (text[i] - '0');
    if (i < text.size() && text[i] == separator) {
        for (++i; i < text.size() && isDigit(text[i]); ++i, any = true, --scale)
            digits = digits * 10 + (text[i] - '0');
    }
    if (!any)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        long exponent = 0;
        int count = 0;
        for (; i < text.size() && isDigit(text[i]); ++i) {
            if (++count > 4)
                return std::nullopt; // beyond what the reference covers, and never overflows
            exponent = exponent * 10 + (text[i] - '0');
        }
        if (count == 0)
            return std::nullopt;
        scale += negativeExponent ? -exponent : exponent;
    }
    if (i != text.size())
        return std::nullopt;
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(scale < 0 ? -scale : scale));
    mpq_class value = scale < 0 ? mpq_class(digits, power) : mpq_class(digits * power);
    value.canonicalize();
    return negative ? mpq_class(-value) : value;
}

struct Model {
    mpq_class xu;
    mpq_class z;
    mpz_class moment;
    bool valid = false;
};

template <typename LeverArm>
Model stressBlock(const mpq_class &force, const mpq_class &denominator, const mpq_class &d,
                  LeverArm leverArm)
{
    Model m;
    m.xu = stored(extended(force / denominator));
    m.z = stored(leverArm(m.xu));
    if (m.z > 0 && m.xu < d) {
        m.moment = truncated(extended(extended(force * m.z) / 1000000));
        m.valid = true;
        return m;
    }
    return Model{};
}

const mpz_class &powerOfTen(long count)
{
    static const std::vector<mpz_class> powers = [] {
        std::vector<mpz_class> all(64);
        for (unsigned long i = 0; i < all.size(); ++i)
            mpz_ui_pow_ui(all[i].get_mpz_t(), 10, i);
        return all;
    }();
    if (count < long(powers.size()))
        return powers[std::size_t(count)];
    thread_local mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(count));
    return power;
}

// value x 10^shift
mpq_class scaledByTen(const mpq_class &value, long shift)
{
    mpq_class result =
        shift >= 0 ? mpq_class(value * powerOfTen(shift)) : mpq_class(value / powerOfTen(-shift));
    result.canonicalize();
    return result;
}

// The general format with 15 digits of a nonzero value: its exact value rounded to 18
// significant digits (ties to even), those to 15 (a 5 rounds up), trailing zeros dropped,
// fixed notation for 10^-4 <= |value| < 10^15 (X of -3 to 15 in 0.d1d2.. x 10^X).
std::string general15(const mpq_class &value, char separator)
{
    const mpq_class magnitude = abs(value);
    long x = long(mpz_sizeinbase(magnitude.get_num_mpz_t(), 10)) -
             long(mpz_sizeinbase(magnitude.get_den_mpz_t(), 10));
    while (scaledByTen(magnitude, -x) >= 1)
        ++x;
    while (scaledByTen(magnitude, 1 - x) < 1)
        --x;
    const mpq_class scaled = scaledByTen(magnitude, 18 - x); // within 10^17 .. 10^18
    mpz_class q = scaled.get_num() / scaled.get_den();
    const mpq_class rest = scaled - q;
    if (rest > mpq_class(1, 2) || (rest == mpq_class(1, 2) && mpz_odd_p(q.get_mpz_t())))
        ++q;
    if (q == powerOfTen(18)) {
        q = powerOfTen(17);
        ++x;
    }
    std::string digits = q.get_str();
    const bool up = digits[15] >= '5';
    digits.resize(15);
    if (up) {
        mpz_class kept(digits);
        ++kept;
        digits = kept.get_str();
        if (digits.size() > 15) {
            digits.resize(15);
            ++x;
        }
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const long count = long(digits.size());
    std::string text = value < 0 ? "-" : "";
    if (x >= -3 && x <= 15) {
        if (x <= 0)
            text += "0" + std::string(1, separator) + std::string(std::size_t(-x), '0') + digits;
        else if (count <= x)
            text += digits + std::string(std::size_t(x - count), '0');
        else
            text += digits.substr(0, std::size_t(x)) + separator + digits.substr(std::size_t(x));
        return text;
    }
    text += digits[0];
    if (count > 1)
        text += separator + digits.substr(1);
    return text + "E" + std::to_string(x - 1);
}

std::string ratio(const Model &m, const mpq_class &d, char separator)
{
    if (!m.valid)
        return "0";
    const mpz_class k = roundedHalfEven(extended(extended(100 * m.z) / d));
    if (k == 0)
        return "0";
    static const mpq_class hundredth = extended(mpq_class(1, 100));
    return general15(extended(mpq_class(k) * hundredth), separator);
}

} // namespace

std::optional<beam::MomentTexts> momentTexts(const beam::MomentInputs &inputs)
{
    const auto fydValue = decimal(inputs.fydText, '.');
    const auto fcdValue = decimal(inputs.fcdText, inputs.decimalSeparator);
    if (!fydValue || fydValue->get_den() != 1 || abs(*fydValue) > mpq_class(2147483647) ||
        !fcdValue)
        return std::nullopt;
    if (*fcdValue != 0 &&
        (abs(*fcdValue) < mpq_class(1, 1000000) || abs(*fcdValue) > mpq_class(1000000000)))
        return std::nullopt;
    const mpz_class fyd = fydValue->get_num();
    const mpq_class fcd = stored(*fcdValue);
    const mpq_class force = stored(mpq_class(mpz_class(inputs.As) * fyd));
    const mpq_class d = inputs.d;
    const mpq_class b = inputs.b;
    if (inputs.d <= 0 || b * fcd <= 0)
        return beam::MomentTexts{"0", "0", "0", "0", "0", "0", "0", "nan", "nan", "nan", "nan"};

    const Model parabolic = stressBlock(
        force, extended(extended(extended(2 * b) * fcd) / 3), d,
        [&](const mpq_class &xu) { return extended(d - extended(mpq_class(3, 8) * xu)); });
    // The doubles nearest to the class table's values; items 0 to 4 and any other index
    // take the first row.
    static const mpq_class constants[4][2] = {
        {mpq_class(3, 4), stored(mpq_class(7, 18))},
        {stored(mpq_class(73, 100)), stored(mpq_class(38, 100))},
        {stored(mpq_class(67, 100)), stored(mpq_class(36, 100))},
        {stored(mpq_class(62, 100)), stored(mpq_class(35, 100))},
    };
    const int row =
        inputs.concreteClass >= 5 && inputs.concreteClass <= 7 ? inputs.concreteClass - 4 : 0;
    const mpq_class &alpha = constants[row][0];
    const mpq_class &beta = constants[row][1];
    const Model biLinear =
        stressBlock(force, extended(extended(alpha * b) * fcd), d,
                    [&](const mpq_class &xu) { return extended(d - extended(beta * xu)); });
    const Model parabolaRectangle = stressBlock(
        force, extended(extended(extended(17 * b) * fcd) / 21), d,
        [&](const mpq_class &xu) { return extended(d - extended(extended(99 * xu) / 238)); });
    static const mpq_class nineTenths = extended(mpq_class(9, 10));
    const mpq_class approxForce = extended(mpq_class(fyd * inputs.As) * nineTenths);
    const mpz_class approxMoment = truncated(extended(extended(d * approxForce) / 1000000));

    beam::MomentTexts texts;
    texts[beam::Mu0] = approxMoment.get_str();
    texts[beam::Mu1] = parabolic.moment.get_str();
    texts[beam::Xu1] = truncated(parabolic.xu).get_str();
    texts[beam::Mu2] = biLinear.moment.get_str();
    texts[beam::Xu2] = truncated(biLinear.xu).get_str();
    texts[beam::Mu3] = parabolaRectangle.moment.get_str();
    texts[beam::Xu3] = truncated(parabolaRectangle.xu).get_str();
    texts[beam::Z0] = "0.9";
    texts[beam::Z1] = ratio(parabolic, d, inputs.decimalSeparator);
    texts[beam::Z2] = ratio(biLinear, d, inputs.decimalSeparator);
    texts[beam::Z3] = ratio(parabolaRectangle, d, inputs.decimalSeparator);
    return texts;
}

namespace {

constexpr std::int32_t largestArea = std::numeric_limits<std::int32_t>::max();

// The section with everything that does not depend on As.
struct Section {
    mpz_class fyd;
    mpq_class fcd;
    mpq_class d;
    mpq_class b;
    bool guard = false;
    std::array<mpq_class, 3> denominator; // as the rules round them
    std::array<mpq_class, 3> alpha;       // exactly, for where a walk starts
    std::array<mpq_class, 3> beta;        // as the rules hold them
    std::array<mpq_class, 3> topStrain;   // per mille, as the rules round them
    std::optional<mpq_class> yieldStrain; // per mille, stored; empty without a usable Es
};

struct Evaluation {
    std::array<mpq_class, 3> xu;
    std::array<bool, 3> valid{};
    std::array<mpq_class, 4> moment; // by result column, before truncation, stored
};

Evaluation evaluate(const Section &s, std::int32_t As)
{
    Evaluation e;
    const mpq_class force = stored(mpq_class(mpz_class(As) * s.fyd));
    for (std::size_t m = 0; m < 3; ++m) {
        e.xu[m] = stored(extended(force / s.denominator[m]));
        const mpq_class &xu = e.xu[m];
        const mpq_class lever = m == 0   ? extended(s.d - extended(mpq_class(3, 8) * xu))
                                : m == 1 ? extended(s.d - extended(s.beta[1] * xu))
                                         : extended(s.d - extended(extended(99 * xu) / 238));
        const mpq_class z = stored(lever);
        e.valid[m] = z > 0 && xu < s.d;
        e.moment[m + 1] = e.valid[m] ? stored(extended(extended(force * z) / 1000000)) : 0;
    }
    static const mpq_class nineTenths = extended(mpq_class(9, 10));
    e.moment[0] =
        stored(extended(extended(s.d * extended(mpq_class(s.fyd * As) * nineTenths)) / 1000000));
    return e;
}

// Nothing checked: empty.
std::optional<bool> yields(const Section &s, const Evaluation &e, std::size_t m, std::int32_t As)
{
    if (!s.guard || As <= 0 || s.fyd <= 0 || !s.yieldStrain || e.xu[m] <= 0)
        return std::nullopt;
    const mpq_class &xu = e.xu[m];
    const mpq_class strain = stored(extended(extended(s.topStrain[m] * extended(s.d - xu)) / xu));
    return strain >= *s.yieldStrain;
}

mpz_class floorOf(const mpq_class &q)
{
    mpz_class r;
    mpz_fdiv_q(r.get_mpz_t(), q.get_num_mpz_t(), q.get_den_mpz_t());
    return r;
}

// A limit is at most a few units from its exact boundary; a walk further than this means the
// estimate is wrong, and the reference says so rather than guess.
constexpr int walkLimit = 300;

// The largest x in lo .. hi where holds, holds(lo) being true and holds true on a prefix,
// stepping one by one from start.
template <typename Holds>
std::optional<std::int32_t> lastHolding(std::int32_t lo, std::int32_t hi, mpq_class start,
                                        Holds holds)
{
    std::int64_t x = start < lo ? lo : start > hi ? hi : floorOf(start).get_si();
    int steps = 0;
    if (holds(std::int32_t(x))) {
        while (x < hi && holds(std::int32_t(x + 1)))
            if (++x, ++steps > walkLimit)
                return std::nullopt;
    } else {
        do {
            if (--x, ++steps > walkLimit)
                return std::nullopt;
        } while (x > lo && !holds(std::int32_t(x)));
    }
    return std::int32_t(x);
}

} // namespace

std::string exactDecimal(double value, int quarters)
{
    const mpq_class q =
        mpq_class(value) +
        (mpq_class(std::nextafter(value, INFINITY)) - mpq_class(value)) * quarters / 4;
    const mpz_class &den = q.get_den(); // a power of two, 2^k
    const std::size_t k = mpz_sizeinbase(den.get_mpz_t(), 2) - 1;
    mpz_class five;
    mpz_ui_pow_ui(five.get_mpz_t(), 5, k);
    const mpz_class scaled = abs(q.get_num()) * five; // |q| x 10^k
    std::string digits = scaled.get_str();
    if (digits.size() <= k)
        digits.insert(0, k + 1 - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - k);
    if (k > 0)
        text += "." + digits.substr(digits.size() - k);
    return (q < 0 ? "-" : "") + text;
}

std::optional<ModelLimits> modelLimits(const beam::MomentInputs &inputs, std::string_view EsText,
                                       std::string_view MEdText)
{
    if (!momentTexts(inputs))
        return std::nullopt;
    const auto Es = decimal(EsText, '.');
    const auto MEd = decimal(MEdText, '.');
    if (!Es || !MEd || *MEd < 0)
        return std::nullopt;
    Section s;
    s.fyd = decimal(inputs.fydText, '.')->get_num();
    s.fcd = stored(*decimal(inputs.fcdText, inputs.decimalSeparator));
    s.d = inputs.d;
    s.b = inputs.b;
    s.guard = inputs.d > 0 && s.b * s.fcd > 0;
    const mpq_class storedEs = stored(extended(*Es));
    if (storedEs > 0)
        s.yieldStrain = stored(extended(extended(1000 * s.fyd) / storedEs));
    const int row =
        inputs.concreteClass >= 5 && inputs.concreteClass <= 7 ? inputs.concreteClass - 4 : 0;
    static const mpq_class biLinear[4][2] = {
        {mpq_class(3, 4), stored(mpq_class(7, 18))},
        {stored(mpq_class(73, 100)), stored(mpq_class(38, 100))},
        {stored(mpq_class(67, 100)), stored(mpq_class(36, 100))},
        {stored(mpq_class(62, 100)), stored(mpq_class(35, 100))},
    };
    s.denominator = {extended(extended(extended(2 * s.b) * s.fcd) / 3),
                     extended(extended(biLinear[row][0] * s.b) * s.fcd),
                     extended(extended(extended(17 * s.b) * s.fcd) / 21)};
    s.alpha = {mpq_class(2, 3), biLinear[row][0], mpq_class(17, 21)};
    s.beta = {mpq_class(3, 8), biLinear[row][1], mpq_class(99, 238)};
    // εcu3 of the class: 3.5 per mille up to fck 50.
    static const int fck[8] = {12, 20, 28, 35, 45, 53, 60, 70};
    const int strength =
        inputs.concreteClass >= 0 && inputs.concreteClass < 8 ? fck[inputs.concreteClass] : 12;
    mpz_class r = 90 - strength;
    const mpq_class ultimate = strength <= 50
                                   ? mpq_class(7, 2)
                                   : extended(mpq_class(260000000 + 35 * r * r * r * r, 100000000));
    s.topStrain = {2, ultimate, mpq_class(7, 2)};
    const mpq_class designMoment = extended(*MEd);

    ModelLimits limits;
    if (!s.guard) // nothing to check, and no denominator to divide by
        return limits;
    const Evaluation here = evaluate(s, inputs.As);
    for (std::size_t m = 0; m < 3; ++m)
        limits.yields[m] = yields(s, here, m, inputs.As);

    std::array<std::int32_t, 4> validLimit{largestArea, 0, 0, 0};
    for (std::size_t m = 0; m < 3; ++m) {
        const auto valid = [&](std::int32_t As) {
            return evaluate(s, As).valid[m];
        };
        // xu < d exactly where As fyd < α b fcd d.
        const mpq_class boundary =
            s.fyd > 0 ? mpq_class(s.alpha[m] * s.b * s.fcd * s.d / s.fyd) : mpq_class(largestArea);
        const auto v = lastHolding(0, largestArea, boundary - mpq_class(1, 2), valid);
        if (!v)
            return std::nullopt;
        validLimit[m + 1] = *v;

        if (s.fyd <= 0 || !s.yieldStrain)
            continue;
        const auto yieldsAt = [&](std::int32_t As) {
            return yields(s, evaluate(s, As), m, As).value_or(false);
        };
        if (!yieldsAt(1)) {
            limits.yieldLimit[m] = 0;
            continue;
        }
        // εc (d - xu) / xu >= εyd exactly where xu <= εc d / (εc + εyd).
        const mpq_class exactYield = mpq_class(1000 * s.fyd) / storedEs;
        const mpq_class xu = s.topStrain[m] * s.d / (s.topStrain[m] + exactYield);
        const auto y = lastHolding(1, largestArea, xu * s.alpha[m] * s.b * s.fcd / s.fyd, yieldsAt);
        if (!y)
            return std::nullopt;
        limits.yieldLimit[m] = *y;
    }

    for (std::size_t c = 0; c < 4; ++c) {
        const auto moment = [&](std::int32_t As) {
            return evaluate(s, As).moment[c];
        };
        if (moment(validLimit[c]) < designMoment)
            continue;
        if (moment(0) >= designMoment) {
            limits.required[c] = 0;
            continue;
        }
        // The smallest steel force F with F (d - β F / (α b fcd)) = MEd 10^6, or F 0.9 d for
        // "benadering"; the square root to 200 bits.
        const mpq_class target = designMoment * 1000000;
        mpq_class force;
        if (c == 0) {
            force = target / (mpq_class(9, 10) * s.d);
        } else {
            const mpq_class perForce = s.beta[c - 1] / (s.alpha[c - 1] * s.b * s.fcd);
            const mpq_class discriminant = s.d * s.d - 4 * perForce * target;
            if (discriminant < 0) {
                force = mpq_class(validLimit[c]) * s.fyd;
            } else {
                const mpf_class root = sqrt(mpf_class(discriminant, 200));
                force = target * 2 / (s.d + mpq_class(root));
            }
        }
        const auto below = [&](std::int32_t As) {
            return moment(As) < designMoment;
        };
        const auto last = lastHolding(0, validLimit[c], force / s.fyd, below);
        if (!last)
            return std::nullopt;
        limits.required[c] = *last + 1;
    }
    return limits;
}

} // namespace reference
