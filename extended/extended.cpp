#include "extended.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <type_traits>
#include <utility>

namespace ext {

namespace {

using boost::multiprecision::cpp_int;
using Backend = Extended::backend_type;
// For the two functions evaluated beyond 64 bits and then rounded once.
using Wide = boost::multiprecision::number<
    boost::multiprecision::cpp_bin_float<128, boost::multiprecision::digit_base_2>,
    boost::multiprecision::et_off>;

// Boost keeps the significand in limbs of 64 bits where the compiler has a 128-bit integer
// type, and of 32 bits elsewhere (32-bit machines, MSVC): it is read from all of them and
// written through the library's own conversion, so that it stays whole on every machine.
using Significand = Backend::rep_type;
using Limb =
    std::remove_cv_t<std::remove_pointer_t<decltype(std::declval<const Significand &>().limbs())>>;
constexpr int kLimbBits = std::numeric_limits<Limb>::digits;
static_assert(Backend::bit_count == 64, "ext::Extended has a 64-bit significand");
static_assert(std::is_unsigned_v<Limb> && kLimbBits <= 64 && 64 % kLimbBits == 0,
              "the 64-bit significand must fill whole limbs of at most 64 bits");

// A finite value is significand x 2^(exponent - 63), the significand's top bit set.
std::uint64_t significandOf(const Extended &x)
{
    const Significand &bits = x.backend().bits();
    std::uint64_t significand = 0;
    for (unsigned i = 0; i < bits.size(); ++i) // least significant limb first
        significand |= static_cast<std::uint64_t>(bits.limbs()[i]) << (kLimbBits * int(i));
    return significand;
}

std::int64_t exponentOf(const Extended &x)
{
    return x.backend().exponent();
}

bool isSpecial(const Extended &x)
{
    const auto e = x.backend().exponent();
    return e == Backend::exponent_zero || e == Backend::exponent_infinity ||
           e == Backend::exponent_nan;
}

Extended signedZero(bool negative)
{
    Extended zero = 0;
    if (negative)
        zero.backend().negate();
    return zero;
}

Extended infinity(bool negative)
{
    const Extended value = std::numeric_limits<Extended>::infinity();
    return negative ? Extended(-value) : value;
}

// significand x 2^(exponent - 63) with the top bit of significand set.
Extended assemble(bool negative, std::uint64_t significand, std::int64_t exponent)
{
    if (exponent > Backend::max_exponent)
        return infinity(negative);
    if (exponent < Backend::min_exponent)
        return signedZero(negative);
    Extended x;
    x.backend().bits() = significand;
    x.backend().exponent() = static_cast<Backend::exponent_type>(exponent);
    x.backend().sign() = negative;
    return x;
}

// Rounds a positive integer n x 2^scale (n of any size, sticky set when something nonzero
// was already dropped below n) once to 64 bits.
Extended roundToExtended(bool negative, const cpp_int &n, std::int64_t scale, bool sticky)
{
    const auto top = static_cast<std::int64_t>(boost::multiprecision::msb(n));
    if (top <= 63)
        return assemble(negative, static_cast<std::uint64_t>(n << (63 - top)), top + scale);
    const auto drop = static_cast<unsigned>(top - 63);
    std::uint64_t kept = static_cast<std::uint64_t>(n >> drop);
    const bool half = boost::multiprecision::bit_test(n, drop - 1);
    const bool below =
        sticky || (drop > 1 && boost::multiprecision::lsb(n) < static_cast<unsigned>(drop - 1));
    std::int64_t exponent = top + scale;
    if (half && (below || (kept & 1))) {
        ++kept;
        if (kept == 0) { // carried out of the 64 bits
            kept = std::uint64_t{1} << 63;
            ++exponent;
        }
    }
    return assemble(negative, kept, exponent);
}

cpp_int powerOf(unsigned base, std::int64_t count)
{
    return boost::multiprecision::pow(cpp_int(base), static_cast<unsigned>(count));
}

// |x| (finite, not zero) cut toward zero to a double: kept units of 2^unit, where the unit is
// the last place of a double of that size (2^-1074 for the subnormal ones), and where the
// dropped rest lies against half a unit.
struct DoubleCut {
    std::uint64_t kept = 0;
    std::int64_t unit = 0;
    int half = -1; // -1 below half a unit, 0 exactly half, 1 above
};

DoubleCut cutToDouble(const Extended &x)
{
    const std::uint64_t m = significandOf(x);
    const std::int64_t e = exponentOf(x);
    // A double keeps 53 bits of a normal value, fewer of a subnormal one.
    std::int64_t drop = 11;
    if (e < -1022)
        drop += -1022 - e;
    DoubleCut cut;
    cut.unit = e - 63 + drop;
    if (drop <= 63) {
        const std::uint64_t half = std::uint64_t{1} << (drop - 1);
        const std::uint64_t rest = m & ((half << 1) - 1);
        cut.kept = m >> drop;
        cut.half = rest < half ? -1 : rest == half ? 0 : 1;
    } else if (drop == 64) {
        cut.half = m == std::uint64_t{1} << 63 ? 0 : 1; // the top bit is always set
    }
    return cut;
}

// kept is at most 2^53 (one carried in): exact in a double, and ldexp only scales, to an
// infinity beyond the range.
double assembleDouble(bool negative, const DoubleCut &cut)
{
    const double magnitude = std::ldexp(static_cast<double>(cut.kept), static_cast<int>(cut.unit));
    return negative ? -magnitude : magnitude;
}

} // namespace

Extended fromDecimal(std::string_view digits, std::int64_t exponent, bool negative)
{
    // Exponents of the leading digit beyond these are infinite or zero in any rounding.
    const auto lead = exponent + static_cast<std::int64_t>(digits.size()) - 1;
    if (lead >= 4933)
        return infinity(negative);
    if (lead <= -4952)
        return signedZero(negative);
    // Up to 19 digits and 10^27 (5^27 < 2^64) both operands are exact in 64 bits, so one
    // multiplication or division rounds once, as the whole conversion must; every design value
    // takes this way.
    if (digits.size() <= 19 && exponent >= -27 && exponent <= 27) {
        std::uint64_t whole = 0;
        for (const char c : digits)
            whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
        if (whole == 0)
            return signedZero(negative);
        const auto count = static_cast<int>(exponent < 0 ? -exponent : exponent);
        std::uint64_t fives = 1;
        for (int i = 0; i < count; ++i)
            fives *= 5;
        const Extended power = ldexp(Extended(fives), count); // 10^count, exact
        const Extended value = exponent < 0 ? Extended(whole) / power : Extended(whole) * power;
        return negative ? Extended(-value) : value;
    }
    cpp_int n;
    for (const char c : digits)
        n = n * 10u + static_cast<unsigned>(c - '0');
    if (n == 0)
        return signedZero(negative);
    if (exponent >= 0)
        return roundToExtended(negative, n * powerOf(10, exponent), 0, false);
    // n / 10^-exponent: a quotient of at least 66 bits leaves the rounding to its low bits and
    // the remainder.
    const cpp_int divisor = powerOf(10, -exponent);
    const auto shift = std::max<std::int64_t>(
        0, 66 + static_cast<std::int64_t>(boost::multiprecision::msb(divisor)) -
               static_cast<std::int64_t>(boost::multiprecision::msb(n)));
    cpp_int quotient;
    cpp_int remainder;
    boost::multiprecision::divide_qr(cpp_int(n << static_cast<unsigned>(shift)), divisor, quotient,
                                     remainder);
    return roundToExtended(negative, quotient, -shift, remainder != 0);
}

Extended fromDouble(double x)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const auto biased = static_cast<std::int64_t>((bits >> 52) & 0x7ff);
    std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0x7ff || (biased == 0 && fraction == 0))
        return Extended(x); // not finite, or zero: rare, and the library keeps its sign
    std::int64_t exponent = biased - 1023;
    if (biased == 0) { // subnormal: fraction x 2^-1074
        const int top = 63 - std::countl_zero(fraction);
        exponent = -1074 + top;
        return assemble(negative, fraction << (63 - top), exponent);
    }
    fraction |= std::uint64_t{1} << 52;
    return assemble(negative, fraction << 11, exponent);
}

double toDouble(const Extended &x)
{
    if (isSpecial(x))
        return static_cast<double>(x.convert_to<double>());
    DoubleCut cut = cutToDouble(x);
    if (cut.half > 0 || (cut.half == 0 && (cut.kept & 1)))
        ++cut.kept;
    return assembleDouble(x.backend().sign(), cut);
}

double decimalToDouble(std::string_view digits, std::int64_t exponent, bool negative)
{
    const Extended nearest = fromDecimal(digits, exponent, negative);
    if (isSpecial(nearest))
        return toDouble(nearest);
    DoubleCut cut = cutToDouble(nearest);
    if (cut.half != 0)
        return toDouble(nearest);
    // The extended value lies exactly halfway between two doubles, so the text itself may
    // lie on either side of that point: only the exact comparison can tell which.
    cpp_int text;
    for (const char c : digits)
        text = text * 10u + static_cast<unsigned>(c - '0');
    cpp_int midpoint = significandOf(nearest);
    if (exponent >= 0)
        text *= powerOf(10, exponent);
    else
        midpoint *= powerOf(10, -exponent);
    const std::int64_t scale = exponentOf(nearest) - 63;
    if (scale >= 0)
        midpoint <<= static_cast<unsigned>(scale);
    else
        text <<= static_cast<unsigned>(-scale);
    if (text > midpoint || (text == midpoint && (cut.kept & 1)))
        ++cut.kept;
    return assembleDouble(negative, cut);
}

Extended truncate(const Extended &x)
{
    if (isSpecial(x))
        return x;
    const std::int64_t e = exponentOf(x);
    if (e >= 63)
        return x; // whole already
    if (e < 0)
        return signedZero(x.backend().sign());
    const std::uint64_t mask = ~std::uint64_t{0} << (63 - e);
    return assemble(x.backend().sign(), significandOf(x) & mask, e);
}

Extended roundHalfEven(const Extended &x)
{
    if (isSpecial(x) || exponentOf(x) >= 63)
        return x;
    const bool negative = x.backend().sign();
    const std::int64_t e = exponentOf(x);
    if (e < -1)
        return signedZero(negative); // below one half
    const std::uint64_t m = significandOf(x);
    if (e == -1) // one half up to one: 0.5 goes to 0, more than that to 1
        return m > (std::uint64_t{1} << 63) ? assemble(negative, std::uint64_t{1} << 63, 0)
                                            : signedZero(negative);
    const unsigned fractionBits = static_cast<unsigned>(63 - e);
    std::uint64_t whole = fractionBits == 0 ? m : m >> fractionBits;
    if (fractionBits > 0) {
        const std::uint64_t half = std::uint64_t{1} << (fractionBits - 1);
        const std::uint64_t rest = m & ((half << 1) - 1);
        if (rest > half || (rest == half && (whole & 1)))
            ++whole;
    }
    if (whole == 0)
        return signedZero(negative);
    return roundToExtended(negative, cpp_int(whole), 0, false);
}

Decimal toDecimal(const Extended &x, int count)
{
    const std::uint64_t m = significandOf(x);
    const std::int64_t scale = exponentOf(x) - 63; // |x| = m x 2^scale
    // The decimal exponent of the leading digit, first estimated from the binary one; off by
    // one at most, which the loop below mends.
    auto lead = static_cast<std::int64_t>(
        std::floor(static_cast<double>(exponentOf(x)) * 0.30102999566398119521));
    const cpp_int lowest = powerOf(10, count - 1);
    const cpp_int highest = powerOf(10, count);
    for (;;) {
        // q = |x| / 10^(lead - count + 1), as an exact fraction numerator / denominator.
        const std::int64_t power = lead - count + 1;
        cpp_int numerator = m;
        cpp_int denominator = 1;
        if (scale >= 0)
            numerator <<= static_cast<unsigned>(scale);
        else
            denominator <<= static_cast<unsigned>(-scale);
        if (power >= 0)
            denominator *= powerOf(10, power);
        else
            numerator *= powerOf(10, -power);
        cpp_int quotient;
        cpp_int remainder;
        boost::multiprecision::divide_qr(numerator, denominator, quotient, remainder);
        if (quotient >= highest) {
            ++lead;
            continue;
        }
        if (quotient < lowest) {
            --lead;
            continue;
        }
        const cpp_int twice = remainder * 2;
        if (twice > denominator ||
            (twice == denominator && boost::multiprecision::bit_test(quotient, 0)))
            ++quotient;
        if (quotient == highest) { // 99..95 and up carries into a new leading digit
            quotient = lowest;
            ++lead;
        }
        return {quotient.str(), lead};
    }
}

std::string wholeText(const Extended &whole)
{
    const bool negative = whole.backend().sign();
    if (whole.backend().exponent() == Backend::exponent_nan)
        return negative ? "-nan" : "nan";
    if (whole.backend().exponent() == Backend::exponent_infinity)
        return negative ? "-inf" : "inf";
    if (whole.backend().exponent() == Backend::exponent_zero)
        return negative ? "-0" : "0";
    const std::int64_t scale = exponentOf(whole) - 63;
    cpp_int n = significandOf(whole);
    if (scale >= 0)
        n <<= static_cast<unsigned>(scale);
    else
        n >>= static_cast<unsigned>(-scale); // only zeros leave: the value is whole
    return negative ? "-" + n.str() : n.str();
}

std::int32_t nearestPowerOfTen(double x)
{
    const double magnitude = std::fabs(x);
    // A double's logarithm is off by far less than 10^-9, so away from a half it decides.
    const double estimate = std::log10(magnitude);
    if (std::fabs(estimate - std::floor(estimate) - 0.5) > 1e-9)
        return static_cast<std::int32_t>(std::lround(estimate));
    // Near a half, the rounding of the logarithm to 64 bits decides, and for some doubles it
    // lands exactly on the half (3.1622776601683793e76 gives 76.5, which goes to 76). x87's
    // logarithm is off by about a third of a unit in the 64th bit for these four, which take
    // the other side of the half; every other double agrees (the tests compare them all).
    struct Exception {
        double x;
        std::int32_t order;
    };
    static constexpr Exception exceptions[] = {
        {0x1.171287affb3e2p-716, -215}, // 3.1622776601683794e-216
        {0x1.62df710b6a2b4p+639, 193},  // 3.1622776601683793e+192
        {0x1.80c0fe57bc70bp+702, 212},  // 3.1622776601683792e+211
        {0x1.959d7af21a089p+971, 293},  // 3.1622776601683793e+292
    };
    for (const Exception &exception : exceptions) {
        if (magnitude == exception.x)
            return exception.order;
    }
    // x87 forms it as log10(2) x log2(x): log10(2) held to 64 bits, the product rounded once.
    static const Wide log10Of2(
        fromDecimal("301029995663981195213738894724493026768189881462108541310", -57));
    const Wide log2 = log(Wide(magnitude)) / log(Wide(2));
    const Extended logarithm(log10Of2 * log2);
    return static_cast<std::int32_t>(toDouble(roundHalfEven(logarithm)));
}

Extended powerOfTen(std::int32_t e)
{
    struct Power {
        std::uint64_t significand;
        std::int64_t exponent;
    };
    static constexpr Power table[] = {
#include "power_table.inc"
    };
    constexpr std::int32_t first = -700;
    constexpr auto count = static_cast<std::int32_t>(std::size(table));
    if (e >= first && e < first + count) {
        const Power &power = table[e - first];
        return assemble(false, power.significand, power.exponent);
    }
    // ln 10 rounded to 64 bits, as the x87 logl(10) gives it.
    static const Extended ln10 =
        fromDecimal("2302585092994045684017991454684364207601101488628772976033", -57);
    const Extended exponent = Extended(e) * ln10;
    // exp overflows the extended range above 11356.5 and leaves the normal range below
    // -11355.1; no whole e lands between those edges and these.
    if (exponent > 11357)
        return infinity(false);
    if (exponent < -11356)
        return signedZero(false);
    // Rounded from 128 to 64 bits once; cpp_bin_float converts with ties to even.
    return Extended(exp(Wide(exponent)));
}

} // namespace ext
