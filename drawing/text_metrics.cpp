#include "text_metrics.h"

#include <array>
#include <cstdint>

namespace section {
namespace {

// U+0020 to U+007E.
constexpr std::array<std::uint16_t, 95> ascii{
    318, 401, 460, 838, 637, 951, 780, 275, 391, 391, 500, 838, 318, 361,  318, 337, 637, 637, 637,
    637, 637, 637, 637, 637, 637, 637, 337, 337, 838, 838, 838, 531, 1000, 685, 687, 699, 771, 632,
    576, 775, 752, 295, 295, 656, 558, 863, 749, 788, 604, 788, 695, 635,  611, 732, 685, 989, 686,
    611, 686, 391, 337, 391, 838, 500, 500, 613, 635, 550, 635, 616, 353,  635, 634, 278, 278, 580,
    278, 975, 634, 612, 635, 635, 412, 521, 393, 634, 592, 818, 592, 592,  525, 637, 337, 637, 838};

// U+00A0 to U+00FF.
constexpr std::array<std::uint16_t, 96> latin1{
    318, 401, 637, 637, 637, 637, 337, 500, 500, 1000, 472, 612, 838, 361, 1000, 500,
    500, 838, 401, 401, 500, 637, 637, 318, 500, 401,  472, 612, 970, 970, 970,  531,
    685, 685, 685, 685, 685, 685, 975, 699, 632, 632,  632, 632, 295, 295, 295,  295,
    775, 749, 788, 788, 788, 788, 788, 838, 788, 732,  732, 732, 732, 611, 605,  630,
    613, 613, 613, 613, 613, 613, 982, 550, 616, 616,  616, 616, 278, 278, 278,  278,
    612, 634, 612, 612, 612, 612, 612, 838, 612, 634,  634, 634, 634, 592, 635,  592};

struct Symbol {
    char32_t codePoint;
    std::uint16_t advance;
};

constexpr std::array<Symbol, 17> symbols{{
    {0x03B1, 660},  // α
    {0x03B2, 639},  // β
    {0x03B5, 541},  // ε
    {0x03C6, 660},  // φ
    {0x2013, 500},  // –
    {0x2014, 1000}, // —
    {0x2018, 318},  // ‘
    {0x2019, 318},  // ’
    {0x201C, 519},  // “
    {0x201D, 519},  // ”
    {0x2026, 1000}, // …
    {0x2030, 1342}, // ‰
    {0x20AC, 637},  // €
    {0x2212, 838},  // −
    {0x221E, 834},  // ∞
    {0x2264, 838},  // ≤
    {0x2265, 838},  // ≥
}};

// A glyph the table does not know is taken as wide as the widest letter of the common ones,
// so that an unknown character makes its label too wide rather than too narrow.
constexpr int unknownAdvance = 1000;

} // namespace

Decoded decodeUtf8(std::string_view text, std::size_t position)
{
    constexpr char32_t replacement = 0xFFFD;
    const auto byte = [&text](std::size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    const unsigned lead = byte(position);
    if (lead < 0x80)
        return {lead, position + 1};
    int length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return {replacement, position + 1};
    }
    if (position + std::size_t(length) > text.size())
        return {replacement, position + 1};
    for (int i = 1; i < length; ++i) {
        const unsigned next = byte(position + std::size_t(i));
        if ((next & 0xC0) != 0x80)
            return {replacement, position + 1};
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {replacement, position + 1};
    return {value, position + std::size_t(length)};
}

int SansMetrics::advancePerMille(char32_t codePoint)
{
    if (codePoint >= 0x20 && codePoint <= 0x7E)
        return ascii[codePoint - 0x20];
    if (codePoint >= 0xA0 && codePoint <= 0xFF)
        return latin1[codePoint - 0xA0];
    for (const Symbol &symbol : symbols)
        if (symbol.codePoint == codePoint)
            return symbol.advance;
    return unknownAdvance;
}

SansMetrics::SansMetrics(double pixelSize)
    : m_pixelSize(pixelSize)
{}

double SansMetrics::lineHeight() const
{
    return m_pixelSize * lineHeightPerMille / 1000;
}

double SansMetrics::ascent() const
{
    return m_pixelSize * ascentPerMille / 1000;
}

double SansMetrics::advance(std::string_view utf8) const
{
    double perMille = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = decodeUtf8(utf8, i);
        perMille += advancePerMille(d.codePoint);
        i = d.next;
    }
    return m_pixelSize * perMille / 1000;
}

} // namespace section
