// The strain diagrams beside the stress blocks: the diagram itself, its εyd line and label, and
// the steel strain against the yield strain below it.
#include "picture_parts.h"

#include "limits_text.h"

#include <algorithm>

namespace section::picture {

// Linear over the depth: εc at the top face, 0 at the neutral axis, εs at the steel, with
// compression to the left of the zero line and tension to the right; a dashed line at εyd from
// the neutral axis to just past the steel shows whether the strain there reaches it. Across a
// break of the column the diagram breaks with it.
void Layout::strainDiagram(beam::Model column, const Rect &strip, const ColumnScale &columnY,
                           double perMille, double zero)
{
    const beam::StrainState &st = x.limits->models[beam::index(column)].strain;
    const Owner owner{Part::Strain, column};
    const bool yields = steel(column) == Steel::Yields;
    const double top = columnY(0);
    const double yXu = columnY(st.xu);
    const double yD = columnY(st.d);
    const double left = zero - st.topStrain * perMille;
    const double right = zero + st.steelStrain * perMille;
    const Fill fill{FillKind::Solid, Role::Strain};
    const Fill tensionFill{FillKind::Solid, yields ? Role::Strain : Role::WarningBlock};
    const Stroke edge{yields ? Role::Ink : Role::Warning, hair * weight::bold};
    add({Polygon{{{zero, top}, {left, top}, {zero, yXu}}}, std::nullopt, fill, owner});
    const double breakDepth = columnY.breakDepth;
    if (columnY.broken && st.xu < breakDepth && breakDepth < st.d) {
        const double atBreak =
            zero + st.steelStrain * perMille * (breakDepth - st.xu) / (st.d - st.xu);
        const double upper = columnY.top + columnY.above;
        const double lower = upper + columnY.gap;
        add({Polygon{{{zero, yXu}, {atBreak, upper}, {zero, upper}}}, std::nullopt, tensionFill,
             owner});
        add({Polygon{{{zero, lower}, {atBreak, lower}, {right, yD}, {zero, yD}}}, std::nullopt,
             tensionFill, owner});
        line({{left, top}, {zero, yXu}, {atBreak, upper}}, edge, owner);
        line({{atBreak, lower}, {right, yD}}, edge, owner);
    } else {
        add({Polygon{{{zero, yXu}, {right, yD}, {zero, yD}}}, std::nullopt, tensionFill, owner});
        line({{left, top}, {zero, yXu}, {right, yD}}, edge, owner);
    }
    line({{left, top}, {zero, top}}, edge, owner);
    line({{zero, yD}, {right, yD}}, edge, owner);
    broken({zero, top}, {zero, strip.top + strip.height}, columnY, Stroke{Role::Grid, hair}, owner);
    const double yieldAt = zero + st.yieldStrain * perMille;
    const double yieldEnd =
        std::min(yD + L * gap::yieldPast, strip.top + strip.height + L * gap::yieldPast);
    broken({yieldAt, yXu}, {yieldAt, yieldEnd}, columnY, Stroke{Role::Ink, hair, Dash::Dashed},
           owner);
    yieldLines[beam::index(column)] = YieldLine{yieldAt, yXu, yieldEnd, zero};
}

// "εyd" at its line: above the line's top, across it or left of it, else beside the line just
// below the neutral axis, right then left; a little smaller where full size has no room, and
// left out where neither has: the row below the diagram names εyd too.
void Layout::yieldLabel(beam::Model column, const YieldLine &at)
{
    const Owner owner{Part::Strain, column};
    for (const double size : {1.0, gap::yieldTagSize}) {
        const double width = advance("εyd", size);
        const double height = L * size;
        const double tag = L * gap::yieldTag;
        const double above = std::max(at.x - width / 2, at.zero + tag);
        for (const Point corner :
             {Point{above, at.top - height - tag}, Point{at.zero + tag, at.top - height - tag},
              Point{at.x - tag - width, at.top - height - tag}, Point{at.x + tag, at.top + tag},
              Point{at.x - tag - width, at.top + tag}}) {
            Label l = label("εyd", corner.x, corner.y, size, Align::Left, Role::Ink, owner);
            // Free of the other parts, and of the diagram's own edges and lines as well.
            const Rect inner = shrunk(l.box, L * gap::clear);
            const bool onDiagram =
                std::any_of(list.shapes.begin(), list.shapes.end(), [&](const Shape &shape) {
                    if (!(shape.owner == owner) || !shape.stroke)
                        return false;
                    for (const auto &[p, q] : segmentsOf(shape))
                        if (crosses(p, q, inner))
                            return true;
                    return false;
                });
            // Not even touching: free() lets a box touch others by `clear`.
            const Rect touching{l.box.left - L * gap::clear, l.box.top - L * gap::clear,
                                l.box.width + 2 * L * gap::clear,
                                l.box.height + 2 * L * gap::clear};
            if (!onDiagram && free(touching, owner)) {
                list.labels.push_back(std::move(l));
                return;
            }
        }
    }
}

bool Layout::strainDrawn(beam::Model column) const
{
    return useStrains && strainShown(g, *x.limits, column);
}

// Below a strain diagram: the steel strain against the yield strain, with the digits it takes
// to tell them apart, and what a strain is worth where the model's own assumption fails.
std::vector<std::string> Layout::strainLines(beam::Model column) const
{
    if (!strainDrawn(column))
        return {};
    const beam::StrainState &st = x.limits->models[beam::index(column)].strain;
    const auto [steelText, yieldText] =
        distinctStrains(st.steelStrain, st.yieldStrain, x.separator);
    const bool yields = steel(column) == Steel::Yields;
    std::vector<std::string> lines{"εs = " + steelText + " ‰",
                                   (yields ? "≥ εyd = " : "< εyd = ") + yieldText + " ‰"};
    // What a strain short of yielding means for the model, which takes σs = fyd all the same.
    if (!yields)
        lines.push_back("Mu te gunstig");
    return lines;
}

} // namespace section::picture
