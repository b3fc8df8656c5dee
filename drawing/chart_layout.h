// The moment-reinforcement chart as marks of the section's picture.
//
// Pipeline: the chart's data in chart units (As in mm2, Mu in kNm), a part of the target and
// the font as laid out -> plot, axes with their ticks, the four curves, the markers at the
// current As, the MEd line with the As,nodig points and a legend, appended to a display list.
// Plain doubles: every digit shown comes from the chart's own texts.
//
// What it holds to: nothing leaves the area; texts stand outside the plot (tick labels left
// of it and below it, titles above and below, the legend beside or below it), so no text
// meets a curve; where the plot would be too small to read, nothing is appended.
#pragma once

#include "display_list.h"
#include "moment_chart.h"
#include "text_metrics.h"

namespace section {

struct ChartFont {
    const TextMetrics &metrics;
    double scale = 1; // of the measured font, as the rest of the picture is laid out
    double hair = 1;  // the thinnest line, in target units
};

// The least plot, in line heights, that still reads.
inline constexpr double leastPlotWidth = 12;
inline constexpr double leastPlotHeight = 6;

// Appends the chart inside `area`; false, with nothing appended, where it does not fit.
bool layoutChart(DisplayList &list, const MomentChart &chart, const Rect &area,
                 const ChartFont &font);

} // namespace section
