#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace numtext {

namespace {

using ext::Extended;

// An extended midpoint has at most 11515 significant decimal digits (one near the smallest
// normal value). Digits beyond this many can only tell whether the text lies above such a
// midpoint, so they are folded into one sticky digit; this keeps the work bounded for texts
// of any length without changing a single rounding.
constexpr std::size_t kMaxSignificantDigits = 12000;

// Exponent digits stop counting here: the value is already infinite or zero long before.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

// The general format starts from this many significant digits of the exact binary value.
constexpr int kExactDigits = 18;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexDigitValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string_view skipBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

// Leading zeros are not significant, so "$000000000001" is as good as "$1".
std::optional<std::int32_t> parseHexDigits(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    int significant = 0;
    for (const char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        if (significant == 0 && digit == 0)
            continue;
        if (++significant > 8)
            return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    // The 32 bits are a two's complement pattern: $FFFFFFFF is -1.
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> parseDecimalDigits(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // 2^31 is the largest magnitude that can still be valid (as -2147483648); anything above
    // it fails, so the sum never needs to grow further.
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 31;
    std::uint64_t magnitude = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
        if (magnitude > kLimit)
            return std::nullopt;
    }
    const std::int64_t value =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// IEEE conversion: a value beyond the double range becomes an infinity of its sign, which
// every range test below then rejects.
double asDouble(const Extended &value)
{
    return ext::toDouble(value);
}

} // namespace

std::optional<std::int32_t> parseInt(std::string_view text)
{
    const std::string_view rest = skipBlanks(text);
    if (rest.empty())
        return std::nullopt;
    if (rest.front() == '$' || rest.front() == 'x' || rest.front() == 'X')
        return parseHexDigits(rest.substr(1));
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
        return parseHexDigits(rest.substr(2));
    return parseDecimalDigits(rest);
}

namespace {

// The text's value as digits x 10^exponent, the digits without a leading zero.
struct DecimalText {
    std::string digits;
    std::int64_t exponent = 0;
    bool negative = false;
};

std::optional<DecimalText> readDecimal(std::string_view text, char decimalPoint)
{
    std::string_view rest = skipBlanks(text);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty())
        return std::nullopt;

    // The significant digits and the decimal exponent of the first of them, gathered in one
    // pass so that a text of any length is read whole and nothing is copied twice.
    std::string digits;
    std::int64_t lead = 0;
    std::int64_t position = 0; // decimal exponent of the digit being read, before the exponent
    bool sticky = false;
    std::size_t i = 0;
    const auto takeDigit = [&](char c) {
        if (digits.empty() && c == '0')
            return;
        if (digits.empty())
            lead = position;
        if (digits.size() < kMaxSignificantDigits)
            digits.push_back(c);
        else if (c != '0')
            sticky = true;
    };
    std::size_t integerEnd = 0;
    while (integerEnd < rest.size() && isDigit(rest[integerEnd]))
        ++integerEnd;
    position = static_cast<std::int64_t>(integerEnd) - 1;
    for (; i < integerEnd; ++i, --position)
        takeDigit(rest[i]);
    if (i < rest.size() && rest[i] == decimalPoint) {
        for (++i; i < rest.size() && isDigit(rest[i]); ++i, --position)
            takeDigit(rest[i]);
    }
    std::int64_t exponent = 0;
    if (i < rest.size() && (rest[i] == 'e' || rest[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) {
            negativeExponent = rest[i] == '-';
            ++i;
        }
        const std::size_t exponentStart = i;
        for (; i < rest.size() && isDigit(rest[i]); ++i)
            exponent = std::min(exponent * 10 + (rest[i] - '0'), kExponentCap);
        if (i == exponentStart)
            return std::nullopt;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != rest.size())
        return std::nullopt;

    if (digits.empty())
        return DecimalText{"0", 0, negative}; // also a lone point or a lone exponent part
    if (sticky) {
        digits.push_back('1');
    } else {
        digits.erase(digits.find_last_not_of('0') + 1);
    }
    lead += exponent;
    const auto last = lead - static_cast<std::int64_t>(digits.size()) + 1;
    return DecimalText{std::move(digits), last, negative};
}

} // namespace

std::optional<Extended> parseReal(std::string_view text, char decimalPoint)
{
    const auto decimal = readDecimal(text, decimalPoint);
    if (!decimal)
        return std::nullopt;
    // Below the normal extended range the value is a zero of its sign: every caller's double
    // is zero there anyway.
    return ext::fromDecimal(decimal->digits, decimal->exponent, decimal->negative);
}

std::optional<double> parseRealAsDouble(std::string_view text, char decimalPoint)
{
    const auto decimal = readDecimal(text, decimalPoint);
    if (!decimal)
        return std::nullopt;
    return ext::decimalToDouble(decimal->digits, decimal->exponent, decimal->negative);
}

SplitNumber splitNumber(std::string_view text, Kind kind)
{
    if (kind == Kind::Integer)
        return {false, text, {}};
    auto letter = text.find('e');
    if (letter == std::string_view::npos)
        letter = text.find('E');
    if (letter == std::string_view::npos)
        return {false, text, {}};
    return {true, text.substr(0, letter), text.substr(letter + 1)};
}

CheckResult checkNumber(Kind kind, std::string_view mantissa, std::string_view exponent, double min,
                        double storedMax)
{
    // Bounds are inclusive and compared as doubles, the precision in which values are kept.
    const auto outsideRange = [&](double value) {
        return value < min || value > storedMax;
    };

    if (kind == Kind::Integer) {
        const auto value = parseInt(mantissa);
        if (!value)
            return {NotANumber};
        // The two lowest 32-bit values are kept out of reach of typing.
        if (*value < -2147483646)
            return {BeyondKind};
        return {outsideRange(*value) ? BeyondRange : Valid};
    }

    bool broken = false;
    std::int32_t e = 0;
    if (exponent == "+" || exponent == "-") {
        broken = true;
    } else if (!exponent.empty()) {
        const auto parsed = parseInt(exponent);
        broken = !parsed;
        e = parsed.value_or(0);
    }
    double m = 0;
    if (mantissa.empty()) {
        broken = true;
    } else if (mantissa != "+" && mantissa != "-") {
        const auto parsed = parseReal(mantissa);
        broken = broken || !parsed;
        m = asDouble(parsed.value_or(0));
    }
    if (broken)
        return {NotANumber};

    if (!exponent.empty()) {
        // Wide sum: e may be anything a 32-bit integer holds.
        const std::int64_t order = std::int64_t{orderOfMagnitude(m)} + e;
        if (order < -300 || order > 300)
            return {BeyondKind};
        std::string whole(mantissa);
        if (e != 0) {
            whole += 'E';
            whole += exponent;
        }
        const auto x = parseReal(whole);
        if (!x)
            return {Valid, true};
        return {outsideRange(asDouble(*x)) ? BeyondRange : Valid};
    }
    if ((m != 0 && std::fabs(m) < 1.0E-300) || std::fabs(m) > 1.0E+300)
        return {BeyondKind};
    return {outsideRange(m) ? BeyondRange : Valid};
}

std::int32_t orderOfMagnitude(double x)
{
    if (x == 0)
        return -300;
    // Beyond every finite order, so that the order test rejects it; the parses never give NaN.
    if (!std::isfinite(x))
        return std::numeric_limits<std::int32_t>::max();
    return ext::nearestPowerOfTen(x);
}

std::string formatGeneral(const Extended &value, int digits, char decimalSeparator)
{
    if (isnan(value))
        return "NaN";
    if (isinf(value))
        return value < 0 ? "-Inf" : "Inf";
    if (value == 0)
        return "0"; // also -0: a sign on zero would only puzzle the reader
    digits = std::clamp(digits, 1, kExactDigits);

    // The exact binary value rounded once to 18 digits; the second rounding to `digits` below
    // is deliberate.
    ext::Decimal exact = ext::toDecimal(value, kExactDigits);
    std::string &significand = exact.digits;
    // X of the 0.d1d2… × 10^X form.
    auto x = static_cast<int>(exact.exponent) + 1;

    const auto width = static_cast<std::size_t>(digits);
    const bool roundUp = significand.size() > width && significand[width] >= '5';
    significand.resize(std::min(significand.size(), width));
    if (roundUp) {
        auto pos = significand.size();
        while (pos > 0 && significand[pos - 1] == '9')
            significand[--pos] = '0';
        if (pos == 0) {
            significand.insert(significand.begin(), '1');
            significand.pop_back();
            ++x;
        } else {
            ++significand[pos - 1];
        }
    }
    significand.erase(significand.find_last_not_of('0') + 1);
    const auto count = static_cast<int>(significand.size());

    std::string text;
    if (value < 0)
        text.push_back('-');
    if (x >= -3 && x <= digits) {
        if (x <= 0) {
            text.push_back('0');
            text.push_back(decimalSeparator);
            text.append(static_cast<std::size_t>(-x), '0');
            text += significand;
        } else if (count <= x) {
            text += significand;
            text.append(static_cast<std::size_t>(x - count), '0');
        } else {
            text.append(significand, 0, static_cast<std::size_t>(x));
            text.push_back(decimalSeparator);
            text.append(significand, static_cast<std::size_t>(x));
        }
        return text;
    }
    text.push_back(significand.front());
    if (count > 1) {
        text.push_back(decimalSeparator);
        text.append(significand, 1);
    }
    text.push_back('E');
    const int power = x - 1;
    if (power < 0)
        text.push_back('-');
    char powerText[12];
    const auto powerEnd = std::to_chars(powerText, std::end(powerText), power < 0 ? -power : power);
    text.append(powerText, powerEnd.ptr);
    return text;
}

std::string formatInteger(std::int32_t value)
{
    char buffer[12];
    const auto written = std::to_chars(buffer, std::end(buffer), value);
    return std::string(buffer, written.ptr);
}

std::string whole(std::int64_t value)
{
    char buffer[24];
    return {buffer, std::to_chars(buffer, std::end(buffer), value).ptr};
}

// As std::to_chars writes a double in the general format with a precision (printf's "%.*g"),
// from the exactly rounded digits of ext::toDecimal: libc++ before 14, and so emscripten's, has
// no to_chars for floating point, and the C library's printf would consult the locale.
std::string decimal(double value, int digits, char separator)
{
    std::string text = std::signbit(value) ? "-" : "";
    if (std::isnan(value))
        return text + "nan";
    if (std::isinf(value))
        return text + "inf";
    if (value == 0)
        return text + '0';
    const int precision = std::clamp(digits, 1, 17);
    const ext::Decimal rounded = ext::toDecimal(ext::fromDouble(value), precision);
    std::string_view significant = rounded.digits;
    while (significant.size() > 1 && significant.back() == '0')
        significant.remove_suffix(1); // trailing zeros never show
    const std::int64_t exponent = rounded.exponent;
    if (exponent < -4 || exponent >= precision) {
        text += significant.front();
        if (significant.size() > 1) {
            text += separator;
            text += significant.substr(1);
        }
        text += exponent < 0 ? "e-" : "e+";
        const std::int64_t power = exponent < 0 ? -exponent : exponent;
        if (power < 10)
            text += '0'; // at least two exponent digits
        text += whole(power);
    } else if (exponent < 0) {
        text += '0';
        text += separator;
        text.append(std::size_t(-exponent - 1), '0');
        text += significant;
    } else if (significant.size() <= std::size_t(exponent) + 1) {
        text += significant;
        text.append(std::size_t(exponent) + 1 - significant.size(), '0');
    } else {
        text += significant.substr(0, std::size_t(exponent) + 1);
        text += separator;
        text += significant.substr(std::size_t(exponent) + 1);
    }
    return text;
}

std::string consistencyMessage(std::string_view mantissa, std::string_view exponent)
{
    std::string text = "NUMEDIT: There is something wrong !!\rMantisse: ";
    text += mantissa;
    text += "\rExponent: ";
    text += exponent;
    return text;
}

std::string_view statusMessage(Status status)
{
    switch (status) {
    case Valid:
        return {};
    case BeyondKind:
        return "Number exceeds compiler range.";
    case BeyondRange:
        return "Number exceeds user defined range.";
    case NotANumber:
        return "Error in number.";
    }
    return {};
}

std::optional<double> scaledReal(double m, std::int32_t e)
{
    if (!std::isfinite(m))
        return std::nullopt;
    if (m == 0)
        return m; // not 0 x infinity for a huge exponent
    // exp(e ln 10) in extended precision: its error stays far below a double's last place, so
    // the stored double is the one a designer expects (2.5e3 gives 2500).
    const Extended value = ext::powerOfTen(e) * Extended(m);
    const double rounded = asDouble(value);
    if (!std::isfinite(rounded))
        return std::nullopt;
    return rounded;
}

} // namespace numtext
