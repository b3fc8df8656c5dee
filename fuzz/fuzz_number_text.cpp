// Any bytes through the number edit's rules: the integer and real parses, the split into
// mantissa and exponent, the check, for both number kinds and for any range, and the value a
// key release takes over from a real entry.
//
// Input: all bytes go through the parses and the split. The bytes before the first NUL are
// the text that is checked; when 16 bytes or more follow that NUL, the first 16 of them are
// Min and the stored upper bound (two doubles in the machine's byte order), otherwise the text
// is checked against a fixed set of ranges. The first 4 bytes, when there are 4, are also a
// 32-bit value whose written text must read back as that value.
#include "fuzz_check.h"
#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

using namespace numtext;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Range {
    double min;
    double max;
};

// The steel area's and the cover's ranges, an empty range (Min above the upper bound), no
// bounds at all, and bounds that compare false with everything.
constexpr Range kRanges[] = {{0, 50000}, {15, 50}, {60, 50}, {-kInf, kInf}, {kNaN, kNaN}};

std::string_view withoutLeadingBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

// The text the number edit writes for a value reads back as that value, and its own check
// accepts it wherever the range does.
void checkWrittenInteger(std::int32_t value)
{
    const std::string text = formatInteger(value);
    const auto back = parseInt(text);
    FUZZ_CHECK(back && *back == value);
    const CheckResult result = checkNumber(Kind::Integer, text, {}, -kInf, kInf);
    FUZZ_CHECK(result.status == (value < -2147483646 ? BeyondKind : Valid));
}

// The split cuts the text, it never copies or loses a character.
void checkSplit(std::string_view text, Kind kind)
{
    const SplitNumber parts = splitNumber(text, kind);
    FUZZ_CHECK(parts.mantissa.data() == text.data());
    if (!parts.found) {
        FUZZ_CHECK(parts.mantissa.size() == text.size() && parts.exponent.empty());
        if (kind == Kind::Real)
            FUZZ_CHECK(text.find_first_of("eE") == std::string_view::npos);
        return;
    }
    FUZZ_CHECK(kind == Kind::Real);
    const std::size_t letter = parts.mantissa.size();
    FUZZ_CHECK(letter < text.size() && (text[letter] == 'e' || text[letter] == 'E'));
    FUZZ_CHECK(parts.exponent.data() == text.data() + letter + 1);
    FUZZ_CHECK(letter + 1 + parts.exponent.size() == text.size());
    FUZZ_CHECK(parts.mantissa.find('e') == std::string_view::npos);
    // An "E" is taken only where the text holds no "e" at all.
    if (text[letter] == 'E')
        FUZZ_CHECK(text.find('e') == std::string_view::npos);
}

// The text read straight to double is the standard library's correctly rounded reading
// wherever that reads the same text as a normal double: the exact comparison that decides
// a text beside a double midpoint is checked against an independent reading.
void checkAsDouble(std::string_view text, bool readable)
{
    const auto direct = parseRealAsDouble(text);
    FUZZ_CHECK(direct.has_value() == readable);
    if (!direct)
        return;
    std::string_view rest = withoutLeadingBlanks(text);
    if (!rest.empty() && rest.front() == '+')
        rest.remove_prefix(1); // from_chars takes no plus sign
    double expected = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), expected);
    if (error == std::errc{} && end == rest.data() + rest.size() && std::isnormal(expected))
        FUZZ_CHECK(*direct == expected);
}

// The parses agree with each other where their syntaxes overlap.
void checkParses(std::string_view text)
{
    const auto real = parseReal(text);
    checkAsDouble(text, real.has_value());
    if (real && !isnan(*real)) {
        // The sign of the text is the sign of the value, zero and infinity included.
        const auto rest = withoutLeadingBlanks(text);
        FUZZ_CHECK(signbit(*real) == (!rest.empty() && rest.front() == '-'));
    } else {
        FUZZ_CHECK(!real);
    }

    // Only the decimal point depends on the separator passed in.
    if (text.find(',') == std::string_view::npos) {
        std::string comma(text);
        for (char &c : comma) {
            if (c == '.')
                c = ',';
        }
        const auto withComma = parseReal(comma, ',');
        FUZZ_CHECK(withComma.has_value() == real.has_value());
        if (real && withComma)
            FUZZ_CHECK(*real == *withComma && signbit(*real) == signbit(*withComma));
    }

    const auto whole = parseInt(text);
    if (!whole)
        return;
    checkWrittenInteger(*whole);
    // A decimal integer reads as the same value by the real parse; hexadecimal is not real
    // syntax.
    const auto rest = withoutLeadingBlanks(text);
    const bool hex = rest.front() == '$' || rest.front() == 'x' || rest.front() == 'X' ||
                     (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'));
    if (!hex)
        FUZZ_CHECK(real && *real == *whole);
}

// What a key release stores for a real entry: m x 10^e, finite whatever the exponent, with
// the sign of m, and m itself for a zero exponent.
void checkTakenOver(const SplitNumber &parts)
{
    const auto mantissa = parseReal(parts.mantissa);
    const auto exponent =
        parts.exponent.empty() ? std::optional<std::int32_t>(0) : parseInt(parts.exponent);
    if (!mantissa || !exponent)
        return;
    const double m = static_cast<double>(*mantissa);
    const auto value = scaledReal(m, *exponent);
    if (!std::isfinite(m)) {
        FUZZ_CHECK(!value);
        return;
    }
    if (*exponent == 0)
        FUZZ_CHECK(value && *value == m);
    if (value)
        FUZZ_CHECK(std::isfinite(*value) && std::signbit(*value) == std::signbit(m));
}

void checkText(std::string_view text, Range range)
{
    const bool ordered = !std::isnan(range.min) && !std::isnan(range.max);
    for (const Kind kind : {Kind::Integer, Kind::Real}) {
        const SplitNumber parts = splitNumber(text, kind);
        const CheckResult result =
            checkNumber(kind, parts.mantissa, parts.exponent, range.min, range.max);
        FUZZ_CHECK(result.status <= NotANumber);
        FUZZ_CHECK(!result.inconsistent || (kind == Kind::Real && result.status == Valid));

        if (kind == Kind::Integer) {
            const auto value = parseInt(text);
            FUZZ_CHECK(value.has_value() == (result.status != NotANumber));
            if (!value)
                continue;
            if (*value < -2147483646) {
                FUZZ_CHECK(result.status == BeyondKind);
            } else {
                FUZZ_CHECK(result.status == Valid || result.status == BeyondRange);
                if (result.status == Valid && ordered)
                    FUZZ_CHECK(range.min <= *value && *value <= range.max);
            }
            continue;
        }

        if (parts.found)
            continue;
        // Without an exponent letter: a lone sign counts as 0, anything else must read.
        const bool loneSign = text == "+" || text == "-";
        const auto value = loneSign ? std::optional<ext::Extended>(0) : parseReal(text);
        FUZZ_CHECK(value.has_value() == (result.status != NotANumber));
        if (result.status != Valid)
            continue;
        const double x = ext::toDouble(*value);
        FUZZ_CHECK(std::fabs(x) <= 1.0E+300 && (x == 0 || std::fabs(x) >= 1.0E-300));
        if (ordered)
            FUZZ_CHECK(range.min <= x && x <= range.max);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view all(reinterpret_cast<const char *>(data), size);
    checkSplit(all, Kind::Integer);
    checkSplit(all, Kind::Real);
    checkParses(all);

    if (size >= 4) {
        std::int32_t value = 0;
        std::memcpy(&value, data, sizeof value);
        checkWrittenInteger(value);
    }

    const auto nul = all.find('\0');
    const std::string_view text = all.substr(0, nul);
    checkTakenOver(splitNumber(text, Kind::Real));
    if (nul != std::string_view::npos && size - nul - 1 >= 16) {
        Range range{};
        std::memcpy(&range.min, data + nul + 1, sizeof range.min);
        std::memcpy(&range.max, data + nul + 9, sizeof range.max);
        checkText(text, range);
    } else {
        for (const Range &range : kRanges)
            checkText(text, range);
    }
    return 0;
}
