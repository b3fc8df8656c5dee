#include "limits_text.h"

#include "number_text.h"
#include "section_checks.h"

namespace section {

using numtext::whole;

namespace {

// No moment a section can give comes near this (about 10^22 kNm at most); a larger MEd is a
// slip of the keyboard, and keeping it finite keeps the chart's axis finite.
const ext::Extended largestDesignMoment = ext::fromDecimal("1", 30);

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// What a refusal quotes of the entry: enough to recognise it, never so much that the reason
// beside the field outgrows the view. Cut between characters, not inside one.
std::string quotedEntry(std::string_view text)
{
    constexpr std::size_t longest = 24;
    if (text.size() <= longest)
        return std::string(text);
    std::size_t end = longest;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end)) + "…";
}

} // namespace

DesignMomentEntry readDesignMoment(std::string_view text, char separator)
{
    DesignMomentEntry entry;
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty())
        return entry;
    const std::string example = "schrijf bijvoorbeeld 100 of 112" + std::string(1, separator) + "5";
    // parseReal reads a lone point or exponent as 0; a moment needs a digit of its own.
    const std::size_t mantissaEnd = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, mantissaEnd);
    bool digit = false;
    for (const char c : mantissa)
        digit = digit || isDigit(c);
    std::optional<ext::Extended> value;
    if (digit) {
        value = numtext::parseReal(text, separator);
        if (!value && separator != '.')
            value = numtext::parseReal(text, '.');
    }
    entry.status = DesignMomentEntry::Status::Rejected;
    if (!value) {
        entry.reason = "MEd \"" + quotedEntry(text) + "\" is geen getal; " + example + " (kNm).";
        return entry;
    }
    if (*value < 0) {
        entry.reason = "MEd moet 0 of groter zijn; " + example + " (kNm).";
        return entry;
    }
    if (!(*value <= largestDesignMoment)) {
        entry.reason = "MEd is groter dan 1e30 kNm; geen betondoorsnede draagt zo'n moment.";
        return entry;
    }
    entry.status = DesignMomentEntry::Status::Valid;
    entry.value = abs(*value); // "-0" is 0
    return entry;
}

AggregateEntry readAggregate(std::string_view text)
{
    AggregateEntry entry;
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    const std::string range = "een heel getal van " + whole(beam::smallestAggregate) +
                              " tot en met " + whole(beam::largestAggregate) + " (mm)";
    bool digits = !text.empty();
    int value = 0;
    for (const char c : text) {
        digits = digits && isDigit(c);
        // Past the largest size the digits no longer matter; stopping keeps value in range.
        if (digits && value <= beam::largestAggregate)
            value = value * 10 + (c - '0');
    }
    if (text.empty()) {
        entry.reason = "Dmax ontbreekt; schrijf " + range + ".";
        return entry;
    }
    if (!digits) {
        entry.reason =
            "Dmax \"" + quotedEntry(text) + "\" is geen heel getal; schrijf " + range + ".";
        return entry;
    }
    if (value < beam::smallestAggregate || value > beam::largestAggregate) {
        entry.reason = "Dmax moet " + range + " zijn.";
        return entry;
    }
    entry.value = value;
    return entry;
}

} // namespace section
