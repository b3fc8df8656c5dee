// How wide a text is, for laying out the section's picture without a window system.
//
// Pipeline: UTF-8 text -> code points -> advance per code point -> width in target units.
// Plain doubles: a width only places a label, it never becomes a shown digit. The window
// measures with its real font; tests and the browser use the deterministic table below.
#pragma once

#include <cstddef>
#include <string_view>

namespace section {

// The font the layout measures with, in the units of its target.
class TextMetrics
{
public:
    virtual ~TextMetrics() = default;
    // From one baseline to the next, and from the top of a line to its baseline.
    virtual double lineHeight() const = 0;
    virtual double ascent() const = 0;
    // The advance width of one line of UTF-8 text.
    virtual double advance(std::string_view utf8) const = 0;
};

// A sans font of the given pixel size, measured from a table of advance widths of DejaVu Sans
// (Debian's default sans) for Latin-1 and the few symbols the picture writes (≥ ≤ × ‰ − … α β),
// rounded up, so that the common sans fonts that render it fit the widths it gives.
class SansMetrics final : public TextMetrics
{
public:
    explicit SansMetrics(double pixelSize);
    double pixelSize() const { return m_pixelSize; }
    double lineHeight() const override;
    double ascent() const override;
    double advance(std::string_view utf8) const override;

    // Per mille of the font size: an em is 1000.
    static int advancePerMille(char32_t codePoint);
    static constexpr int ascentPerMille = 929;
    static constexpr int lineHeightPerMille = 1164;

private:
    double m_pixelSize;
};

// The code point that starts at `position`, and where the next one starts. A malformed or
// cut-off sequence reads as U+FFFD and moves one byte on, so no text can stall a loop.
struct Decoded {
    char32_t codePoint;
    std::size_t next;
};
Decoded decodeUtf8(std::string_view text, std::size_t position);

} // namespace section
