// Extended precision that gives the same digits on every machine: a binary floating-point
// number with a 64-bit significand and a 15-bit exponent, every operation rounded once to
// nearest with ties to even. This is the format of x87 `long double`, which only x86 has;
// elsewhere `long double` is a plain double (MSVC, macOS on ARM) or a 128-bit quad (Linux on
// arm64), and either changes shown digits.
//
// Pipeline of the rules that use it: decimal text -> fromDecimal -> +, -, *, / (the library
// type, rounded once each) -> toDouble where a value is stored -> truncate, roundHalfEven or
// toDecimal -> text.
//
// Unlike x87 there are no subnormal extended values: a result below 2^-16382 in magnitude is a
// zero of its sign. Every caller rounds such a value to double, which is zero there anyway.
#pragma once

#include "boost_subtract_fix.h"

#include <boost/multiprecision/cpp_bin_float.hpp>

#include <cstdint>
#include <string>
#include <string_view>

namespace ext {

using Extended = boost::multiprecision::number<ExtendedBackend, boost::multiprecision::et_off>;

// The exact value digits x 10^exponent rounded once, as x87 does: digits are decimal digits
// without a leading zero (at least one). Beyond the range an infinity, below it zero.
Extended fromDecimal(std::string_view digits, std::int64_t exponent, bool negative = false);

// The double exactly; the library's own conversion takes several times as long.
Extended fromDouble(double x);

// Rounded once to the nearest double, ties to even, subnormal doubles and overflow to an
// infinity included, as the x87 store to a double does.
double toDouble(const Extended &x);

// The exact value digits x 10^exponent (digits as for fromDecimal) rounded once to the nearest
// double, ties to even. Rounding fromDecimal's result again can differ from it by one unit
// where that result lies exactly halfway between two doubles; this reading never does.
double decimalToDouble(std::string_view digits, std::int64_t exponent, bool negative = false);

// Cut toward zero to a whole number; not finite values come back as they are.
Extended truncate(const Extended &x);

// The nearest whole number, ties to the even one (85.5 gives 86, 86.5 gives 86).
Extended roundHalfEven(const Extended &x);

// |x| (finite, not zero) rounded once to `count` significant decimal digits, ties to even:
// the digits, and the decimal exponent of the first of them (123.0 with 3 gives "123", 2).
struct Decimal {
    std::string digits;
    std::int64_t exponent = 0;
};
Decimal toDecimal(const Extended &x, int count);

// A whole number (or an infinity, or NaN) as the decimal text that std::to_chars writes for it
// in fixed notation without a fraction: "-123", "inf", "-inf", "nan".
std::string wholeText(const Extended &whole);

// log10(|x|) of a finite nonzero double rounded to 64 bits, then to the nearest whole number
// with ties to even, as x87 does. Only a double next to 10^(k + 1/2) needs more than a double
// logarithm; there x87's log10(2) x log2(x) is evaluated with 128 bits and rounded once, and
// the four doubles for which x87's own rounding takes the other side of the half are listed.
// The tests compare every double within 60 steps of each 10^(k + 1/2) with this rule
// evaluated exactly.
std::int32_t nearestPowerOfTen(double x);

// 10^e as the window's extended arithmetic has always formed it, exp(e x ln 10) with ln 10 and
// the product rounded to 64 bits. For -700 <= e <= 700, the only exponents for which a double
// times 10^e can be finite and nonzero, the values are the ones x87 computed, taken from a
// table: x87's exp is one unit off in the 64th bit for about one exponent in nine, and a typed
// value must keep its double. Beyond them the exponential is evaluated with 128 bits and
// rounded once, which can differ from x87 in that last bit but never in a double result.
// Beyond the range an infinity; below the normal range 0.
Extended powerOfTen(std::int32_t e);

} // namespace ext
