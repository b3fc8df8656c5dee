// The chart laid out: its legend, and the choice of the legend beside the plot or below it.
#include "chart_parts.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace section {
namespace charting {

using numtext::whole;

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

} // namespace charting

bool layoutChart(DisplayList &list, const MomentChart &chart, const Rect &area,
                 const ChartFont &font)
{
    if (chart.empty)
        return false;
    return charting::ChartWriter(list, chart, area, font).write();
}

} // namespace section
