// The section's picture as a standalone SVG document, without Qt: what the browser shows and
// saves, from the same display list the painter paints.
//
// Pipeline: display list in target units -> SVG 1.1 in UTF-8, one user unit per target unit.
// Coordinates are written with at most two decimals through std::to_chars, never through the
// C locale. Every text gets the width its box has (textLength), so a font that renders wider
// or narrower than the one measured still keeps each label inside its box.
#pragma once

#include "display_list.h"
#include "picture_layout.h"

#include <string>
#include <string_view>

namespace section {

inline constexpr std::string_view svgFontFamily = "DejaVu Sans, Verdana, sans-serif";

// `fontPixelSize` is the size, in target units, of the font the layout measured with.
std::string svgPicture(const DisplayList &list, double fontPixelSize,
                       std::string_view fontFamily = svgFontFamily);

// The picture laid out for `width` by `height` with the table font of `fontPixelSize`, as a
// document: the desktop's SVG export, and the page's picture where it has that size.
std::string svgDocument(const SectionGeometry &geometry, const beam::MomentTexts &texts,
                        const PictureLimits &extras, double width, double height,
                        double fontPixelSize);

} // namespace section
