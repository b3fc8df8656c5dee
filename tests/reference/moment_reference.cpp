#include "moment_reference.h"

#include <gmpxx.h>

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

} // namespace reference
