// The model columns: what each says below it, whether its steel yields, its strain diagram, its
// block, forces and lever arm, and the lanes of their labels.
#include "picture_parts.h"

#include "limits_text.h"

#include <algorithm>
#include <cmath>

namespace section::picture {

// A vertical line down a column, interrupted at the column's break with two short slanted
// strokes across each end, as a drawing marks a part left out.
void Layout::broken(Point top, Point bottom, const ColumnScale &scale, Stroke stroke, Owner owner)
{
    const double upper = scale.top + scale.above;
    const double lower = upper + scale.gap;
    if (!scale.broken || top.y >= upper || bottom.y <= lower) {
        line({top, bottom}, stroke, owner);
        return;
    }
    line({top, {top.x, upper}}, stroke, owner);
    line({{bottom.x, lower}, bottom}, stroke, owner);
    const double half = L * gap::breakStroke;
    for (const double y : {upper, lower})
        line({{top.x - half, y + half / 2}, {top.x + half, y - half / 2}}, stroke, owner);
}

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

Layout::Steel Layout::steel(beam::Model column) const
{
    if (!useStrains)
        return Steel::Unknown;
    const std::optional<bool> yields = yieldsIn(g, *x.limits, column);
    return !yields ? Steel::Unknown : *yields ? Steel::Yields : Steel::DoesNotYield;
}

// Red for a model that is invalid, amber for one whose assumption σs = fyd fails at the
// window's As; each said in words below the column.
Role Layout::columnRole(beam::Model column) const
{
    if (!g.column(column).valid)
        return Role::Invalid;
    if (useStrains && column == beam::Model::Approximation && borrowedZoneReachesSteel(g))
        return Role::Warning;
    return steel(column) == Steel::DoesNotYield ? Role::Warning : Role::Ink;
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

// Each line in the colour of what it says: the window's results and the verdict about the
// window's As in the column's, As,vloei as plain text, As,nodig by whether the model holds at
// that area, MEd/MRd red where MEd exceeds it.
std::vector<Layout::Line> Layout::resultLines(beam::Model column) const
{
    const Role role = columnRole(column);
    std::vector<Line> lines;
    const ModelColumn &col = g.column(column);
    std::vector<std::string> results = columnResults(t, column);
    // The window writes 0 for an invalid model's xu and z/d: beside "the zone reaches the
    // steel" that would read as a zone of no depth.
    if (!col.valid)
        results.resize(1);
    for (std::string &text : results)
        lines.push_back({std::move(text), role});
    if (!col.valid)
        for (std::string &text : invalidLines(col.state))
            lines.push_back({std::move(text), Role::Invalid});
    if (!useStrains)
        return lines;
    const beam::ModelLimits &model = x.limits->models[beam::index(column)];
    if (const Steel verdict = steel(column); verdict != Steel::Unknown) {
        lines.push_back({verdict == Steel::Yields ? "staal vloeit" : "staal vloeit niet", role});
        if (column == beam::Model::Approximation)
            lines.push_back({"als parabool rechthoek", role});
    } else if (column == beam::Model::Approximation && borrowedZoneReachesSteel(g)) {
        for (const char *text : {"staal in drukzone", "als parabool rechthoek"})
            lines.push_back({text, role});
    }
    if (model.yieldLimit)
        lines.push_back({"As,vloei = " + whole(*model.yieldLimit) + " mm2", Role::Ink});
    if (model.required) {
        const beam::RequiredArea &r = *model.required;
        // Past its yield limit a block model's steel does not yield: outside what the model
        // assumes. "benadering" has no limit of its own; the calculation weighs its area
        // against parabool rechthoek.
        if (r.outcome == beam::Requirement::Found && column != beam::Model::Approximation &&
            model.yieldLimit && !r.withinYieldLimit) {
            lines.push_back({"As,nodig = " + whole(r.As) + " mm2", Role::Warning});
            lines.push_back({"buiten model", Role::Warning});
        } else if (r.outcome == beam::Requirement::Found) {
            lines.push_back({"As,nodig = " + whole(r.As) + " mm2", Role::Ink});
        } else {
            lines.push_back({"As,nodig: " + noRequiredReason(r.outcome), Role::Ink});
        }
    }
    if (model.unity && model.unity->hasMoment) {
        const std::string unity = "MEd/MRd = " + unityText(*model.unity, x.separator);
        // Within MRd while the steel does not yield is the column's amber: MRd assumes σs = fyd.
        if (model.unity->withinCapacity) {
            lines.push_back({unity, model.unity->satisfied ? role : Role::Warning});
        } else {
            lines.push_back({unity, Role::Invalid});
            lines.push_back({"voldoet niet", Role::Invalid});
        }
    }
    return lines;
}

// One strain scale for all diagrams, so that they compare: the widest of them, compression and
// tension together, fills its strip.
void Layout::columnMarks(const Frame &fr, const ColumnScale &columnY)
{
    for (std::size_t c = 0; c < beam::modelCount; ++c) {
        forceLabels[c].clear();
        xuLabels[c].reset();
        yieldLines[c].reset();
    }
    double compression = 0;
    double tension = 0;
    for (const beam::Model i : beam::allModels)
        if (strainDrawn(i)) {
            const beam::StrainState &st = x.limits->models[beam::index(i)].strain;
            compression = std::max(compression, st.topStrain);
            tension = std::max({tension, st.steelStrain, st.yieldStrain});
        }
    const double perMille =
        compression + tension > 0 ? L * strainWidth / (compression + tension) : 0;
    list.strainScale = perMille;
    for (const beam::Model i : beam::allModels)
        column(i, fr, columnY, compression, perMille);
}

// A model from the top face down to the depth drawn.
void Layout::column(beam::Model i, const Frame &fr, const ColumnScale &firstRow, double compression,
                    double perMille)
{
    const double shift = fr.rowShift(beam::index(i));
    const ColumnScale columnY = firstRow.shifted(shift);
    const double headingTop = fr.headingTop + shift;
    const double depth = g.drawnDepth;
    const double rowsTop = columnY(depth) + L * gap::strainRowsBelow;
    const std::size_t c = beam::index(i);
    const ModelColumn &col = g.columns[c];
    const double x0 = fr.columnLeft(c);
    const double xuLeft = x0 + s.inset;
    double lineStart = xuLeft + s.xuWidth + L * gap::beforeGrid;
    double gridStart = lineStart;
    if (o.strainDiagrams || useStrains) {
        const double strainLeft = xuLeft + s.xuWidth + L * gap::beforeStrain;
        const Rect strip{strainLeft, columnY(0), L * strainWidth, columnY(depth) - columnY(0)};
        list.strainAreas[c] = strip;
        lineStart = strainLeft + L * strainWidth + L * gap::beforeGrid;
        const double textWidth = x0 + fr.columnWidth - s.inset - strainLeft;
        if (useStrains) {
            // The top face, the neutral axis and the steel level run on through the strain
            // diagram, where its strain is εc, 0 and εs.
            gridStart = strainLeft;
            const Owner owner{Part::Strain, i};
            const double top = fr.bandTop + shift - L * gap::strainTop;
            if (i == beam::Model::Approximation)
                list.labels.push_back(
                    oneLine("geen eigen rek", strainLeft, top, textWidth, Role::Ink, owner));
            if (strainDrawn(i)) {
                const double zero = strainLeft + compression * perMille;
                list.strainZero[c] = zero;
                strainDiagram(i, strip, columnY, perMille, zero);
                const beam::StrainState &st = x.limits->models[c].strain;
                list.labels.push_back(
                    oneLine("εc = " + perMilleText(st.topStrain, 10, x.separator) + " ‰",
                            strainLeft, top, textWidth, Role::Ink, owner));
                double row = rowsTop;
                for (std::string &text : strainLines(i)) {
                    list.labels.push_back(
                        oneLine(std::move(text), strainLeft, row, textWidth, columnRole(i), owner));
                    row += L;
                }
            }
        }
    }
    const double axis = lineStart + L * gap::beforeAxis;
    const double zRight = x0 + fr.columnWidth - s.inset;
    const double zLeft = zRight - s.zWidth;
    const double zx = zLeft - L * gap::aroundArm;
    const double forceLeft = zx - L * gap::aroundArm - s.forceWidth;
    const double arrowsEnd = forceLeft - L * gap::afterArrows;
    const double blockWidth = (arrowsEnd - axis) / gap::blockClear; // C stands clear of the block
    const Role colour = columnRole(i);
    list.bands[c] = Rect{lineStart, columnY(0), arrowsEnd - lineStart, depth * fr.sy};
    list.columns[c] = Rect{x0, headingTop, fr.columnWidth,
                           columnY(depth) + L * gap::beforeResults + s.resultsHeight - headingTop};

    list.labels.push_back(label(std::string(beam::descriptor(i).name), x0 + fr.columnWidth / 2,
                                headingTop, 1, Align::Centre, colour, {Part::Heading, i}));
    // The top face, the reinforcement's level and the zero-stress line.
    const Stroke grid{Role::Grid, hair, Dash::Dotted};
    line({{gridStart, columnY(0)}, {arrowsEnd, columnY(0)}}, grid, {Part::Grid, i});
    line({{gridStart, columnY(g.d)}, {arrowsEnd, columnY(g.d)}}, grid, {Part::Grid, i});
    broken({axis, columnY(0)}, {axis, columnY(depth)}, columnY, Stroke{Role::Grid, hair},
           {Part::Grid, i});

    if (col.hasBlock) {
        std::vector<Point> outline;
        for (const Point &p : col.block)
            outline.push_back({axis + p.x * blockWidth, columnY(p.y)});
        // An invalid model's block is hatched, with lines a third of a line apart.
        if (!col.valid) {
            double low = 1e300;
            double high = -1e300;
            for (const Point &p : outline) {
                low = std::min(low, p.x + p.y);
                high = std::max(high, p.x + p.y);
            }
            const double spacing = L * gap::hatch;
            for (double at = std::ceil(low / spacing) * spacing; at < high; at += spacing)
                for (const auto &[p, q] : chords(outline, at))
                    line({p, q}, Stroke{Role::Invalid, hair * weight::hatch}, {Part::Block, i});
        }
        const Fill fill{FillKind::Solid,
                        colour == Role::Warning ? Role::WarningBlock : Role::Block};
        add({Polygon{std::move(outline)},
             Stroke{colour, hair * weight::bold},
             col.valid ? fill : Fill{},
             {Part::Block, i}});
        if (col.neutralAxis <= depth) {
            const double y = columnY(col.neutralAxis);
            line({{gridStart, y}, {arrowsEnd, y}}, Stroke{colour, hair, Dash::Dashed},
                 {Part::NeutralAxis, i});
            xuLabels[c] = Pending{"xu", xuLeft, y, colour, {Part::NeutralAxis, i}, 0};
        }
    }
    // Forces only where steel pulls: none without bars, none for a model that is invalid.
    if (!col.valid || !(g.steelForce > 0))
        return;
    const Stroke force{Role::Force, hair * weight::bold};
    const double head = L * gap::arrowHead;
    if (col.compression >= 0 && col.compression <= depth) {
        const double y = columnY(col.compression);
        add({Arrow{{arrowsEnd, y}, {axis, y}, head}, force, {}, {Part::Compression, i}});
        forceLabels[c].push_back(Pending{"C",
                                         forceLeft,
                                         y,
                                         Role::Force,
                                         {Part::Compression, i},
                                         arrowsEnd + L * gap::leaderStart});
    }
    const double ty = columnY(col.tension);
    add({Arrow{{axis, ty}, {arrowsEnd, ty}, head}, force, {}, {Part::Tension, i}});
    forceLabels[c].push_back(Pending{
        "T", forceLeft, ty, Role::Force, {Part::Tension, i}, arrowsEnd + L * gap::leaderStart});
    const double zTop = std::clamp(col.compression, 0.0, depth);
    const Stroke arm{Role::Force, hair};
    dimension({zx, columnY(zTop)}, {zx, ty}, L * gap::tick, arm, {Part::LeverArm, i});
    // The dimension line was drawn whole; across a break it is drawn again in two parts.
    if (columnY.broken && zTop < columnY.breakDepth && col.tension > columnY.breakDepth) {
        list.shapes.erase(list.shapes.end() - 3);
        broken({zx, columnY(zTop)}, {zx, ty}, columnY, arm, {Part::LeverArm, i});
    }
    // Left of its line, between C and T: on the right it would stand against the next
    // column's xu and read as "z xu".
    forceLabels[c].push_back(
        Pending{"z", forceLeft, (columnY(zTop) + ty) / 2, Role::Force, {Part::LeverArm, i}, 0});
}

// The columns' labels in lanes of their own: each near its anchor, pushed apart where two would
// meet, with a leader where one had to move.
bool Layout::columnLabels(const Frame &fr, const ColumnScale &columnY)
{
    bool packed = true;
    for (std::size_t c = 0; c < beam::modelCount; ++c) {
        const double shift = fr.rowShift(c);
        const double columnLow = fr.bandTop + shift - L * gap::laneReach;
        const double columnHigh = columnY(g.drawnDepth) + shift + L * gap::laneReach;
        packed = placeLane(forceLabels[c], columnLow, columnHigh) && packed;
        if (xuLabels[c])
            packed = placeLane({*xuLabels[c]}, columnLow, columnHigh) && packed;
    }
    for (const beam::Model model : beam::allModels)
        if (const auto &yieldLine = yieldLines[beam::index(model)])
            yieldLabel(model, *yieldLine);
    return packed;
}

// Below each column what the main window shows for it, and where the model holds.
void Layout::results(const Frame &fr, double resultsTop)
{
    for (const beam::Model i : beam::allModels) {
        const double centre = fr.columnLeft(beam::index(i)) + fr.columnWidth / 2;
        double top = resultsTop + fr.rowShift(beam::index(i));
        for (const Line &result : resultLines(i)) {
            const Fitted fitted = fit(result.text, fr.columnWidth - L * gap::textMargin);
            for (const std::string &part : fitted.lines) {
                list.labels.push_back(label(part, centre, top, fitted.size, Align::Centre,
                                            result.role, {Part::Results, i}));
                top += L * fitted.size;
            }
        }
    }
}

} // namespace section::picture
