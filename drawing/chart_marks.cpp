// The chart's plot: the markers, the axes with their ticks and grid, and the curves cut to the
// plot's height.
#include "chart_parts.h"

#include <algorithm>
#include <cmath>

namespace section::charting {

Shape marker(MarkerShape shape, Point c, double r, bool hollow, double width, Owner owner,
             Role role)
{
    const Fill fill = hollow ? Fill{} : Fill{FillKind::Solid, role};
    const std::optional<Stroke> stroke =
        hollow ? std::optional(Stroke{role, width}) : std::optional<Stroke>();
    switch (shape) {
    case MarkerShape::Circle:
        return {Circle{c, r}, stroke, fill, owner};
    case MarkerShape::Triangle:
        return {Polygon{{{c.x, c.y - r}, {c.x + r * 1.15, c.y + r}, {c.x - r * 1.15, c.y + r}}},
                stroke, fill, owner};
    case MarkerShape::Diamond:
        return {Polygon{{{c.x, c.y - r * 1.25},
                         {c.x + r * 1.25, c.y},
                         {c.x, c.y + r * 1.25},
                         {c.x - r * 1.25, c.y}}},
                stroke, fill, owner};
    case MarkerShape::Square:
        break;
    }
    return {Box{{c.x - r * 0.9, c.y - r * 0.9, r * 1.8, r * 1.8}}, stroke, fill, owner};
}

// Ticks and grid; a tick's text only where it keeps clear of its neighbour.
void ChartWriter::axes()
{
    const Owner owner{Part::ChartAxis};
    const Stroke grid{Role::Grid, hair * 0.6, Dash::Dotted};
    const Stroke axis{Role::Ink, hair};
    const double tick = L * 0.25;
    const double bottom = plot.top + plot.height;
    const double right = plot.left + plot.width;

    std::size_t stride = 1;
    const auto &xt = c.x.ticks;
    for (; stride < xt.size(); ++stride) {
        bool clear = true;
        for (std::size_t i = 0; i + stride < xt.size(); i += stride)
            clear = clear && X(xt[i].value) + advance(xt[i].label) / 2 + L * 0.6 <=
                                 X(xt[i + stride].value) - advance(xt[i + stride].label) / 2;
        if (clear)
            break;
    }
    for (std::size_t i = 0; i < xt.size(); ++i) {
        const double x = X(xt[i].value);
        if (x > plot.left && x < right)
            line({{x, plot.top}, {x, bottom}}, grid, owner);
        line({{x, bottom}, {x, bottom + tick}}, axis, owner);
        if (i % stride)
            continue;
        Label l = label(xt[i].label, x, bottom + L * 0.55, 1, Align::Centre, Role::Ink, owner);
        l.box.left = std::clamp(l.box.left, a.left, a.left + a.width - l.box.width);
        labels.push_back(std::move(l));
    }

    const auto &yt = c.y.ticks;
    stride = 1;
    if (yt.size() >= 2) {
        const double pitch = std::fabs(Y(yt[0].value) - Y(yt[1].value));
        while (pitch * double(stride) < L * 1.1 && stride < yt.size())
            ++stride;
    }
    for (std::size_t i = 0; i < yt.size(); ++i) {
        const double y = Y(yt[i].value);
        if (y > plot.top && y < bottom)
            line({{plot.left, y}, {right, y}}, grid, owner);
        line({{plot.left - tick, y}, {plot.left, y}}, axis, owner);
        if (i % stride == 0)
            labels.push_back(label(yt[i].label, plot.left - L * 0.35, y - L / 2, 1, Align::Right,
                                   Role::Ink, owner));
    }
    line({{plot.left, plot.top}, {plot.left, bottom}, {right, bottom}}, axis, owner);
    labels.push_back(label(c.y.title, a.left, a.top, 1, Align::Left, Role::Ink, owner));
    labels.push_back(label(c.x.title, right, bottom + L * 1.65, 1, Align::Right, Role::Ink, owner));
}

// The runs of a line inside the plot's height, each ended where it crosses the top or the
// bottom: a line drawn along the edge would read as a moment that stays the same.
std::vector<std::vector<Point>> ChartWriter::withinPlot(const std::vector<Point> &points) const
{
    const double top = plot.top;
    const double bottom = plot.top + plot.height;
    const auto inside = [&](Point p) {
        return p.y >= top && p.y <= bottom;
    };
    const auto crossing = [&](Point p, Point q) {
        const double y = p.y < top || q.y < top ? top : bottom;
        const double t = q.y != p.y ? (y - p.y) / (q.y - p.y) : 0;
        return Point{p.x + t * (q.x - p.x), y};
    };
    std::vector<std::vector<Point>> runs;
    std::vector<Point> run;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point p = points[i];
        if (inside(p)) {
            if (run.empty() && i > 0)
                run.push_back(crossing(points[i - 1], p));
            run.push_back(p);
        } else if (!run.empty()) {
            run.push_back(crossing(points[i - 1], p));
            runs.push_back(std::move(run));
            run.clear();
        }
    }
    if (run.size() >= 2)
        runs.push_back(std::move(run));
    return runs;
}

void ChartWriter::curves()
{
    const Owner marks{Part::ChartMark};
    const double r = L * markRadius;
    // MEd and the current As under the curves, so that the curves read where they cross.
    if (c.hasDesignMoment) {
        const double y = Y(c.designMoment);
        line({{plot.left, y}, {plot.left + plot.width, y}},
             Stroke{Role::Ink, hair * 1.5, Dash::Dotted}, marks);
    }
    const double x = X(c.current[0].at.As);
    line({{x, plot.top}, {x, plot.top + plot.height}}, Stroke{Role::Grid, hair * 1.2, Dash::Dashed},
         marks);
    for (const beam::Model k : beam::allModels) {
        const ChartCurve &curve = c.curves[beam::index(k)];
        const Owner owner{Part::ChartCurve, k};
        for (const ChartSegment &segment : curve.segments) {
            std::vector<Point> points;
            for (const ChartPoint &p : segment.points)
                points.push_back({X(p.As), freeY(p.Mu)});
            for (std::vector<Point> &run : withinPlot(points))
                line(std::move(run),
                     Stroke{seriesStyle(k).role, hair * 1.6,
                            segment.dashed ? Dash::Dashed : Dash::Solid},
                     owner);
        }
        if (curve.endsInvalid)
            cross({X(curve.end.As), Y(curve.end.Mu)}, r, Stroke{Role::Invalid, hair * 1.5}, owner);
    }
    for (const ChartMarker &required : c.required)
        shapes.push_back(marker(
            seriesStyle(required.model).marker, {X(required.at.As), Y(required.at.Mu)}, r, true,
            hair * 1.2, {Part::ChartCurve, required.model}, seriesStyle(required.model).role));
    for (const ChartMarker &current : c.current)
        shapes.push_back(marker(
            seriesStyle(current.model).marker, {X(current.at.As), Y(current.at.Mu)}, r, false, hair,
            {Part::ChartCurve, current.model}, seriesStyle(current.model).role));
}

} // namespace section::charting
