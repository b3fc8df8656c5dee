// The section's marks: the concrete, the stirrup, the bars, the dimension lines and their labels.
#include "picture_parts.h"

#include <algorithm>
#include <cmath>

namespace section::picture {

void Layout::sectionMarks(const Frame &fr)
{
    const double sx = fr.sx;
    const auto X = [&fr](double mm) {
        return fr.x(mm);
    };
    const auto Y = [&fr](double mm) {
        return fr.y(mm);
    };

    // The concrete, the stirrup and the bars; what a typed cover puts outside the concrete is
    // cut off at its faces.
    const Rect concrete{X(0), Y(0), g.b * sx, g.h * fr.sectionSy};
    list.section = concrete;
    add({Box{concrete},
         Stroke{Role::Ink, weight::face * hair},
         {FillKind::Solid, Role::Concrete},
         {Part::Concrete}});
    const double smaller = std::min(sx, fr.sectionSy);
    if (g.hasStirrup) {
        const Rect &st = g.stirrup;
        const double half = g.stirrupDiameter / 2;
        const bool inside = st.left - half >= 0 && st.top - half >= 0 &&
                            st.left + st.width + half <= g.b && st.top + st.height + half <= g.h;
        const double width = std::max(g.stirrupDiameter * smaller, hair);
        const Rect centre{X(st.left), Y(st.top), st.width * sx, st.height * fr.sectionSy};
        if (inside) {
            add({Box{centre}, Stroke{Role::Steel, width}, {}, {Part::Stirrup}});
        } else {
            // Its four legs as bands, each cut off at the concrete's faces.
            const Rect outer{centre.left - width / 2, centre.top - width / 2, centre.width + width,
                             centre.height + width};
            const double right = outer.left + outer.width;
            const double bottom = outer.top + outer.height;
            const double side = std::max(outer.height - 2 * width, 0.0);
            for (const Rect &leg : {Rect{outer.left, outer.top, outer.width, width},
                                    Rect{outer.left, bottom - width, outer.width, width},
                                    Rect{outer.left, outer.top + width, width, side},
                                    Rect{right - width, outer.top + width, width, side}})
                if (const auto part = intersection(leg, concrete))
                    add({Box{*part},
                         std::nullopt,
                         {FillKind::Solid, Role::Steel},
                         {Part::Stirrup}});
        }
    }
    // A bar is drawn no smaller than a readable dot, as long as that dot stays clear of its
    // neighbours; bars that overlap are drawn as they are. A dot that would cross a face is
    // moved in by what it grew, so that a bar inside the concrete is drawn inside it.
    const double trueRadius = g.barDiameter / 2 * smaller;
    double dot = std::min({L * gap::dot, concrete.width / 2 - hair, concrete.height / 2 - hair});
    if (g.bars.size() >= 2 && g.clearSpacing >= 0)
        dot = std::min(dot, gap::dotOfSpacing * (g.bars[1].x - g.bars[0].x) * sx);
    const double radius = std::max(trueRadius, dot);
    for (const Point &bar : g.bars) {
        const double r = g.barDiameter / 2;
        const bool inside =
            bar.x - r >= 0 && bar.x + r <= g.b && bar.y - r >= 0 && bar.y + r <= g.h;
        Point centre{X(bar.x), Y(bar.y)};
        if (inside && radius > trueRadius) {
            const double room = radius + hair;
            if (concrete.width > 2 * room)
                centre.x = std::clamp(centre.x, concrete.left + room,
                                      concrete.left + concrete.width - room);
            if (concrete.height > 2 * room)
                centre.y = std::clamp(centre.y, concrete.top + room,
                                      concrete.top + concrete.height - room);
        }
        if (inside) {
            add({Circle{centre, radius},
                 std::nullopt,
                 {FillKind::Solid, Role::Steel},
                 {Part::Bars}});
            continue;
        }
        // What lies outside the concrete is cut off: the circle as a polygon of short chords.
        std::vector<Point> round;
        for (int k = 0; k < gap::barChords; ++k) {
            const double angle = 2 * 3.14159265358979323846 * k / gap::barChords;
            round.push_back(
                {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
        }
        std::vector<Point> part = clipped(std::move(round), concrete);
        if (part.size() >= 3)
            add({Polygon{std::move(part)},
                 std::nullopt,
                 {FillKind::Solid, Role::Steel},
                 {Part::Bars}});
    }

    // Dimension lines: h at the left, b below, c and d at the right.
    const Stroke thin{Role::Ink, hair};
    const double tick = L * gap::tick;
    const double hx = X(0) - L * gap::dimension;
    dimension({hx, Y(0)}, {hx, Y(g.h)}, tick, thin, {Part::HeightDimension});
    const double by = fr.widthLine(g, L);
    dimension({X(0), by}, {X(g.b), by}, tick, thin, {Part::WidthDimension});
    const double dx = X(g.b) + L * gap::dimension;
    dimension({dx, Y(0)}, {dx, Y(g.d)}, tick, thin, {Part::DepthDimension});
    if (g.cover > 0) {
        const double cx = X(g.b) + L * gap::coverLine;
        dimension({cx, Y(g.h - g.cover)}, {cx, Y(g.h)}, tick * gap::coverTick, thin,
                  {Part::CoverDimension});
    }
}

// d and c share the lane right of their dimension lines; c reaches it by a leader.
bool Layout::depthLabels(const Frame &fr)
{
    const auto Y = [&fr](double mm) {
        return fr.y(mm);
    };
    const double depth = g.drawnDepth;
    const bool coverLine = g.cover > 0;
    const double cx = fr.x(g.b) + L * gap::coverLine;
    const double laneLeft = fr.x(g.b) + L * gap::lane;
    const double coverAnchor = coverLine ? Y(g.h - g.cover / 2) : Y(g.h);
    const double sectionLow = Y(0) - L * gap::laneReach;
    const double sectionHigh = Y(depth) + L * gap::laneReach;
    const auto tops = pack({Y(g.d / 2), coverAnchor}, L, sectionLow, sectionHigh);
    if (!tops)
        return false;
    list.labels.push_back(
        label(s.dText, laneLeft, (*tops)[0], 1, Align::Left, Role::Ink, {Part::DepthDimension}));
    if (coverLine)
        line({{cx, coverAnchor},
              {laneLeft - L * gap::coverBend, coverAnchor},
              {laneLeft - L * gap::coverEnd, (*tops)[1] + L / 2}},
             Stroke{Role::Ink, hair}, {Part::CoverDimension});
    list.labels.push_back(
        label(s.cText, laneLeft, (*tops)[1], 1, Align::Left, Role::Ink, {Part::CoverDimension}));
    return true;
}

// h at the left of its line, b below its line; both where nothing else stands.
void Layout::outerLabels(const Frame &fr)
{
    const auto X = [&fr](double mm) {
        return fr.x(mm);
    };
    const auto Y = [&fr](double mm) {
        return fr.y(mm);
    };
    const double hx = X(0) - L * gap::dimension;
    const double sectionLow = Y(0) - L * gap::laneReach;
    const double sectionHigh = Y(g.drawnDepth) + L * gap::laneReach;
    Label h = label(s.hText, hx - L * gap::heightLabel, 0, 1, Align::Right, Role::Ink,
                    {Part::HeightDimension});
    const double middle = std::clamp(Y(g.h / 2) - L / 2, sectionLow, sectionHigh - L);
    std::vector<Point> corners;
    for (int k = 0; k < gap::heightLabelSteps; ++k)
        for (const int sign : {1, -1})
            corners.push_back({h.box.left, middle + sign * k * L * gap::labelStep});
    placeFirstFree(std::move(h), corners);

    Label b = label(s.bText, 0, 0, 1, Align::Left, Role::Ink, {Part::WidthDimension});
    const double width = b.box.width;
    const double centred = std::max(area.left, X(g.b / 2) - width / 2);
    const double flushRight = std::max(area.left, std::min(centred, X(g.b) - width));
    const double by = fr.widthLine(g, L);
    std::vector<Point> bCorners;
    for (int k = 0; k < gap::widthLabelSteps; ++k)
        for (const double x : {centred, flushRight})
            bCorners.push_back({x, by + L * (gap::widthLabel + gap::labelStep * k)});
    placeFirstFree(std::move(b), bCorners);
}

} // namespace section::picture
