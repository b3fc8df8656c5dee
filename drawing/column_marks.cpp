// The model columns: what each says below it, whether its steel yields, its block, forces and
// lever arm, and the lanes of their labels; their strain diagrams are strain_marks.cpp's.
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
    if (useStrains && borrowedZoneReachesSteel(g, column))
        return Role::Warning;
    return steel(column) == Steel::DoesNotYield ? Role::Warning : Role::Ink;
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
    // Whose verdict a model without a strain of its own follows.
    const std::string borrowed =
        "als " + std::string(beam::descriptor(beam::strainSource(column)).name);
    if (const Steel verdict = steel(column); verdict != Steel::Unknown) {
        lines.push_back({verdict == Steel::Yields ? "staal vloeit" : "staal vloeit niet", role});
        if (beam::borrowsStrain(column))
            lines.push_back({borrowed, role});
    } else if (borrowedZoneReachesSteel(g, column)) {
        lines.push_back({"staal in drukzone", role});
        lines.push_back({borrowed, role});
    }
    if (model.yieldLimit)
        lines.push_back({"As,vloei = " + whole(*model.yieldLimit) + " mm2", Role::Ink});
    if (model.required) {
        const beam::RequiredArea &r = *model.required;
        // Past its yield limit a block model's steel does not yield: outside what the model
        // assumes. A model without a strain of its own has no limit of its own either; the
        // calculation weighs its area against the model whose strain it borrows.
        if (r.outcome == beam::Requirement::Found && !beam::borrowsStrain(column) &&
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
            if (beam::borrowsStrain(i))
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
