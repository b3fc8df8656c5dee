// The number rules of the number edit, free of any window toolkit.
//
// Pipeline: text -> splitNumber -> (mantissa, exponent) -> checkNumber -> status 0..3,
// and value -> formatGeneral -> text.
// Parsing works on the whole text; the real parse computes in extended precision
// (ext::Extended, a 64-bit significand on every machine) and callers use the result as a double.
// The decimal separator is the caller's: passed in for output, and for input where the caller
// reads texts written with it (parseReal); the number edit reads its entries with '.'.
#pragma once

#include "extended.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numtext {

enum class Kind : std::uint8_t { Integer = 0, Real = 1 };

enum Status : std::uint8_t {
    Valid = 0,       // a number within the range
    BeyondKind = 1,  // a number beyond the limits of the number kind
    BeyondRange = 2, // a number outside Min .. stored upper bound
    NotANumber = 3,  // no complete number
};

// Leading blanks, then an optional sign and decimal digits within 32 bits, or a hexadecimal
// number ("$", "x", "X", "0x", "0X" and at most 8 significant hex digits, taken as signed
// 32 bits). Nothing may follow.
std::optional<std::int32_t> parseInt(std::string_view text);

// Leading blanks, optional sign, then digits with at most one decimal point and at most one
// exponent part ("e"/"E", optional sign, digits). A lone point or a lone exponent part read
// as 0. The value is rounded once, to extended precision. The number edit always reads '.'; the
// window reads its design values with the process-wide separator.
// Beyond the extended range ("1e99999") the result is an infinity of the text's sign, below
// it ("1e-99999") a zero of that sign, so that the caller's range tests decide; an exponent of
// any length is read without overflow. The C library's locale is never consulted.
std::optional<ext::Extended> parseReal(std::string_view text, char decimalPoint = '.');

// The same text rounded once, directly to the nearest double (ties to even); rounding
// parseReal's value again can be one unit off where that value lies halfway between two
// doubles.
std::optional<double> parseRealAsDouble(std::string_view text, char decimalPoint = '.');

struct SplitNumber {
    bool found = false; // an exponent letter was found
    std::string_view mantissa;
    std::string_view exponent;
};

// Integer: the whole text is the mantissa. Real: split at the first 'e', or, when there is
// none, at the first 'E'. The parts are views into text.
SplitNumber splitNumber(std::string_view text, Kind kind);

struct CheckResult {
    Status status = Valid;
    // Mantissa and exponent each passed but their recombination did not: the caller shows
    // consistencyMessage() and starts holding the focus; the entry counts as valid.
    bool inconsistent = false;
};

// min and storedMax are the bounds as stored (not the Min + 100 reading of Max).
CheckResult checkNumber(Kind kind, std::string_view mantissa, std::string_view exponent, double min,
                        double storedMax);

// -300 for 0, else the whole number nearest to log10(|x|), decided exactly (x87's logarithm
// gives the same for every double).
// Infinity and NaN give the largest int32_t, so that no order test lets them pass.
std::int32_t orderOfMagnitude(double x);

// The general format: the magnitude is first rounded to 18 significant digits, then to
// `digits`; written as 0.d1d2.. x 10^X, fixed notation when -3 <= X <= digits, else
// scientific ("1.2345679E8", "1E-5"). Trailing zeros are dropped. The number edit writes
// with 8 digits, the window's lever-arm ratio with 15. digits is taken within 1 .. 18.
// Zero of either sign is "0"; infinities are "Inf" and "-Inf", NaN is "NaN" (no parse reads
// them back, which is right: no valid entry holds them).
std::string formatGeneral(const ext::Extended &value, int digits, char decimalSeparator);

// The text the control writes for an integer value. Values of 10^8 and more in magnitude
// are written as plain integers, so that every 32-bit value reads back unchanged.
std::string formatInteger(std::int32_t value);

// A whole number as plain decimal digits, a minus sign before a negative one.
std::string whole(std::int64_t value);

// The shortest text of at most `digits` significant digits (taken within 1 .. 17), as
// std::to_chars writes a double in the general format with that precision (printf's "%.*g"),
// with the given separator: for the rules' texts that no number edit reads back.
std::string decimal(double value, int digits, char separator = '.');

// "NUMEDIT: There is something wrong !!\rMantisse: <m>\rExponent: <e>"
std::string consistencyMessage(std::string_view mantissa, std::string_view exponent);

// The message shown for a status when the entry is closed with Tab or Enter; empty for Valid.
std::string_view statusMessage(Status status);

// m x 10^e as a key release takes a real entry over: computed in extended precision and
// rounded once to double. Empty when the result lies beyond the double range (or m is not
// finite), so that no infinity or NaN is ever stored; zero times any power of ten is zero.
std::optional<double> scaledReal(double m, std::int32_t e);

} // namespace numtext
