#include "chart_layout.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace section {
namespace {

using numtext::whole;

constexpr double sampleWidth = 2.2;  // a legend entry's line, in L
constexpr double markRadius = 0.28;  // a marker's half width, in L
constexpr double smallestText = 0.7; // a legend text shrinks this far, then the chart gives up

struct Entry {
    enum class Sample { Line, Upright, Cross, Mark };
    std::string text;
    Sample sample = Sample::Line;
    Stroke stroke;
    std::optional<MarkerShape> mark = std::nullopt; // the marker that stands on the line
    bool hollow = false;
};

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

class ChartWriter
{
public:
    ChartWriter(DisplayList &list, const MomentChart &chart, const Rect &area,
                const ChartFont &font)
        : m_list(list)
        , c(chart)
        , a(area)
        , m(font.metrics)
        , f(font.scale)
        , L(font.metrics.lineHeight() * font.scale)
        , hair(font.hair)
    {}

    bool write();

private:
    double advance(std::string_view text, double size = 1) const
    {
        return m.advance(text) * f * size;
    }
    Label label(std::string text, double left, double top, double size, Align align, Role role,
                Owner owner) const
    {
        const double width = advance(text, size);
        return placeLabel(std::move(text), left, top, width, L * size, m.ascent() * f * size,
                          f * size, align, role, owner);
    }
    void line(std::vector<Point> points, Stroke stroke, Owner owner)
    {
        shapes.push_back({Polyline{std::move(points)}, stroke, {}, owner});
    }
    void cross(Point at, double r, Stroke stroke, Owner owner)
    {
        line({{at.x - r, at.y - r}, {at.x + r, at.y + r}}, stroke, owner);
        line({{at.x - r, at.y + r}, {at.x + r, at.y - r}}, stroke, owner);
    }
    double X(double As) const
    {
        const double t = (As - c.x.min) / (c.x.max - c.x.min);
        return plot.left + std::clamp(std::isfinite(t) ? t : 0.0, 0.0, 1.0) * plot.width;
    }
    double Y(double Mu) const
    {
        const double t = (Mu - c.y.min) / (c.y.max - c.y.min);
        return plot.top + plot.height -
               std::clamp(std::isfinite(t) ? t : 0.0, 0.0, 1.0) * plot.height;
    }
    // Unclamped, for a curve that may leave the plot at its top and is cut off there.
    double freeY(double Mu) const
    {
        const double t = (Mu - c.y.min) / (c.y.max - c.y.min);
        return plot.top + plot.height -
               std::clamp(std::isfinite(t) ? t : 0.0, -2.0, 3.0) * plot.height;
    }
    std::vector<std::vector<Point>> withinPlot(const std::vector<Point> &points) const;
    std::vector<Entry> entries() const;
    void axes();
    void curves();
    void legend(const std::vector<Entry> &list, double left, double top, int columns,
                double columnWidth, double size);

    DisplayList &m_list;
    const MomentChart &c;
    const Rect a;
    const TextMetrics &m;
    const double f;
    const double L;
    const double hair;
    Rect plot;
    std::vector<Shape> shapes;
    std::vector<Label> labels;
};

std::vector<Entry> ChartWriter::entries() const
{
    std::vector<Entry> list;
    for (const beam::Model model : beam::allModels)
        list.push_back({c.current[beam::index(model)].label, Entry::Sample::Line,
                        Stroke{seriesStyle(model).role, hair * 1.6}, seriesStyle(model).marker,
                        false});
    list.push_back({"staal vloeit", Entry::Sample::Line, Stroke{Role::Ink, hair * 1.6}});
    list.push_back(
        {"staal vloeit niet", Entry::Sample::Line, Stroke{Role::Ink, hair * 1.6, Dash::Dashed}});
    if (std::any_of(c.curves.begin(), c.curves.end(),
                    [](const ChartCurve &curve) { return curve.endsInvalid; }))
        list.push_back(
            {"verder xu ≥ d: ongeldig", Entry::Sample::Cross, Stroke{Role::Invalid, hair * 1.5}});
    const double As = c.current[0].at.As;
    if (std::isfinite(As) && std::fabs(As) < 1e15)
        list.push_back({"As = " + whole(std::int64_t(As)) + " mm2 (" + c.currentName + ')',
                        Entry::Sample::Upright, Stroke{Role::Grid, hair * 1.2, Dash::Dashed}});
    if (c.hasDesignMoment) {
        list.push_back(
            {c.designLabel, Entry::Sample::Line, Stroke{Role::Ink, hair * 1.5, Dash::Dotted}});
        if (!c.required.empty())
            list.push_back({"As,nodig", Entry::Sample::Mark, Stroke{Role::Ink, hair},
                            MarkerShape::Circle, true});
    }
    return list;
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

void ChartWriter::legend(const std::vector<Entry> &list, double left, double top, int columns,
                         double columnWidth, double size)
{
    const Owner owner{Part::Legend};
    // Down the columns, so that the models stand together.
    const std::size_t rows = (list.size() + std::size_t(columns) - 1) / std::size_t(columns);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Entry &e = list[i];
        const double x = left + double(i / rows) * columnWidth;
        const double y = top + double(i % rows) * L;
        const double middle = y + L / 2;
        const Point centre{x + L * sampleWidth / 2, middle};
        switch (e.sample) {
        case Entry::Sample::Line:
            line({{x, middle}, {x + L * sampleWidth, middle}}, e.stroke, owner);
            break;
        case Entry::Sample::Upright:
            line({{centre.x, y + L * 0.1}, {centre.x, y + L * 0.9}}, e.stroke, owner);
            break;
        case Entry::Sample::Cross:
            cross(centre, L * markRadius, e.stroke, owner);
            break;
        case Entry::Sample::Mark:
            break;
        }
        if (e.mark)
            shapes.push_back(marker(*e.mark, centre, L * markRadius, e.hollow, hair * 1.2, owner,
                                    e.stroke.role));
        labels.push_back(label(e.text, x + L * (sampleWidth + 0.3), y + L * (1 - size) / 2, size,
                               Align::Left, Role::Ink, owner));
    }
}

bool ChartWriter::write()
{
    if (!(c.x.max > c.x.min) || !(c.y.max > c.y.min) || !std::isfinite(c.x.max - c.x.min) ||
        !std::isfinite(c.y.max - c.y.min) || !(L > 0))
        return false;
    double tickWidth = 0;
    for (const ChartTick &t : c.y.ticks)
        tickWidth = std::max(tickWidth, advance(t.label));
    const double lastX = c.x.ticks.empty() ? 0 : advance(c.x.ticks.back().label) / 2;
    const double left = a.left + tickWidth + L * 0.6;
    const double top = a.top + L * 1.5;
    const double below = L * 2.65; // tick texts and the axis title

    const std::vector<Entry> list = entries();
    double textWidth = 0;
    for (const Entry &e : list)
        textWidth = std::max(textWidth, advance(e.text));
    const double sample = L * (sampleWidth + 0.3);
    const double entryWidth = sample + textWidth;
    const double rows = double(list.size());

    // The legend beside the plot, or below it in as many columns as fit: whichever leaves the
    // plot nearer a width of 1.6 times its height.
    struct Option {
        Rect plot;
        double legendLeft = 0, legendTop = 0, columnWidth = 0, size = 1;
        int columns = 1;
        bool ok = false;
    };
    const auto score = [](const Rect &r) {
        return std::min(r.width / 1.6, r.height);
    };
    Option beside;
    {
        const double legendLeft = a.left + a.width - entryWidth;
        const Rect p{left, top, legendLeft - L * 1.2 - left, a.top + a.height - below - top};
        beside = {p,
                  legendLeft,
                  top,
                  entryWidth,
                  1,
                  1,
                  rows * L <= p.height && p.width >= L * leastPlotWidth &&
                      p.height >= L * leastPlotHeight};
    }
    Option under;
    {
        const double room = a.width;
        double size = 1;
        int columns = int(std::floor((room + L) / (entryWidth + L)));
        if (columns < 1) {
            columns = 1;
            size = (room - sample) / textWidth;
        }
        columns = std::min(columns, int(list.size()));
        const double lines = std::ceil(rows / columns);
        const double legendHeight = lines * L + L * 0.3;
        const double right = a.left + a.width - std::max(L * 0.5, lastX + L * 0.1);
        const Rect p{left, top, right - left, a.top + a.height - legendHeight - below - top};
        under = {p,
                 a.left,
                 p.top + p.height + below + L * 0.3,
                 columns > 1 ? (a.width + L) / columns : a.width,
                 size,
                 columns,
                 size >= smallestText && p.width >= L * leastPlotWidth &&
                     p.height >= L * leastPlotHeight};
    }
    const Option *chosen = nullptr;
    if (beside.ok && (!under.ok || score(beside.plot) >= score(under.plot)))
        chosen = &beside;
    else if (under.ok)
        chosen = &under;
    if (!chosen)
        return false;
    plot = chosen->plot;
    axes();
    curves();
    legend(list, chosen->legendLeft, chosen->legendTop, chosen->columns, chosen->columnWidth,
           chosen->size);
    for (Shape &s : shapes)
        m_list.shapes.push_back(std::move(s));
    for (Label &l : labels)
        m_list.labels.push_back(std::move(l));
    m_list.chartArea = a;
    m_list.plot = plot;
    m_list.chartX = {c.x.min, c.x.max};
    m_list.chartY = {c.y.min, c.y.max};
    return true;
}

} // namespace

bool layoutChart(DisplayList &list, const MomentChart &chart, const Rect &area,
                 const ChartFont &font)
{
    if (chart.empty)
        return false;
    return ChartWriter(list, chart, area, font).write();
}

} // namespace section
