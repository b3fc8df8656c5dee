// The parts of the moment-reinforcement chart's layout, for the files that carry them out: the
// plot's marks, its axes and curves (chart_marks.cpp), and the legend and the choice of where
// it goes (chart_layout.cpp). Not for use outside drawing/.
#pragma once

#include "chart_layout.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace section::charting {

inline constexpr double sampleWidth = 2.2; // a legend entry's line, in L
inline constexpr double markRadius = 0.28; // a marker's half width, in L
inline constexpr double smallestText =
    0.7; // a legend text shrinks this far, then the chart gives up

struct Entry {
    enum class Sample { Line, Upright, Cross, Mark };
    std::string text;
    Sample sample = Sample::Line;
    Stroke stroke;
    std::optional<MarkerShape> mark = std::nullopt; // the marker that stands on the line
    bool hollow = false;
};

Shape marker(MarkerShape shape, Point c, double r, bool hollow, double width, Owner owner,
             Role role);

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

} // namespace section::charting
