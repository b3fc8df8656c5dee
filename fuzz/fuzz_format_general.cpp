// Any double through the general format, with the number edit's 8 digits, the lever-arm
// ratio's 15, and a digit count taken from the input: the text reads back as a value within
// the rounding of that many significant digits, holds no more digits than that, and differs
// between separators only in the separator.
//
// Input: the first 8 bytes are the double (the machine's byte order; a shorter input is
// padded with zero bytes); a ninth byte, when there is one, is a digit count from -128 to 127,
// which the format takes within 1 to 18.
#include "fuzz_check.h"
#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

using namespace numtext;

namespace {

int significantDigits(const std::string &text)
{
    int count = 0;
    bool leading = true;
    for (const char c : text) {
        if (c == 'E')
            break;
        if (c < '0' || c > '9')
            continue;
        if (leading && c == '0')
            continue;
        leading = false;
        ++count;
    }
    return count;
}

void checkFormat(double x, int digits)
{
    const std::string text = formatGeneral(x, digits, '.');
    std::string withComma = formatGeneral(x, digits, ',');
    std::replace(withComma.begin(), withComma.end(), ',', '.');
    FUZZ_CHECK(withComma == text);

    // No valid entry holds these, so no parse may read their texts back.
    if (std::isnan(x)) {
        FUZZ_CHECK(text == "NaN" && !parseReal(text));
        return;
    }
    if (std::isinf(x)) {
        FUZZ_CHECK(text == (x < 0 ? "-Inf" : "Inf") && !parseReal(text));
        return;
    }

    const auto parsed = parseReal(text);
    FUZZ_CHECK(parsed.has_value());
    // Exact: this target runs where long double has the 64-bit significand.
    const auto back = parsed->convert_to<long double>();
    if (x == 0) {
        FUZZ_CHECK(text == "0");
        return;
    }
    const int kept = std::clamp(digits, 1, 18);
    FUZZ_CHECK(significantDigits(text) <= kept);
    FUZZ_CHECK(std::signbit(back) == std::signbit(x));

    // Rounding to `kept` digits moves the value by at most half a unit of its last digit,
    // 10^(X-kept) for 0.d1d2... x 10^X; the first rounding, to 18 digits, can add half a
    // unit of 10^(X-18), and reading the text back rounds to long double (2^-64). X is taken
    // from what was read back, nudged up at an exact power of ten, so that a logarithm a hair
    // too small never makes the bound tighter than the rounding allows.
    const long double exact = x;
    const long double magnitude = std::fabs(back);
    const int order = static_cast<int>(std::floor(std::log10(magnitude) + 1.0E-12L)) + 1;
    const long double bound = 0.5L * std::pow(10.0L, order - kept) + std::pow(10.0L, order - 18) +
                              std::ldexp(std::fabs(exact), -62);
    FUZZ_CHECK(std::fabs(back - exact) <= bound);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::uint8_t bytes[sizeof(double)] = {};
    std::memcpy(bytes, data, std::min(size, sizeof bytes));
    double x = 0;
    std::memcpy(&x, bytes, sizeof x);

    checkFormat(x, 8);
    checkFormat(x, 15);
    if (size > sizeof bytes)
        checkFormat(x, static_cast<signed char>(data[sizeof bytes]));
    return 0;
}
