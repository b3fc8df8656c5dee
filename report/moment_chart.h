// The moment-reinforcement chart of the section view as data: Mu in kNm against As in mm2 for
// the four models of the window's section, for a painter or an SVG writer to draw.
//
// Pipeline: section inputs, the window's moment run and its limits -> whole steel areas from 0
// to past the current As and the yield limits -> the moment run for each of them (so every
// point is a moment the rules compute), and past a block model's As,vloei its moment with the
// steel stress the strains give (beam::compatibleState) -> polylines split there,
// markers, axes with round ticks around what the student looks at: the current As, the areas MEd
// needs and the yield limits near them. Coordinates are chart units: x is As in mm2, y is Mu in
// kNm; every value is finite. benadering's dashed line may rise past the moment axis, where a
// drawing cuts it off.
#pragma once

#include "model_limits.h"
#include "moment.h"
#include "section_inputs.h"

#include <array>
#include <string>
#include <vector>

namespace section {

struct ChartPoint {
    double As = 0; // mm2
    double Mu = 0; // kNm
    bool operator==(const ChartPoint &) const = default;
};

// A run of points drawn solid (the steel yields) or dashed (it does not: the model's σs = fyd
// no longer holds, and a block model's line follows σs = Es·εs instead).
struct ChartSegment {
    bool dashed = false;
    std::vector<ChartPoint> points;
};

struct ChartCurve {
    std::vector<ChartSegment> segments;
    // The model turns invalid (xu >= d) within the axis while its line still assumes σs = fyd:
    // the curve stops at its last valid whole As, `end`.
    bool endsInvalid = false;
    ChartPoint end;
};

struct ChartMarker {
    beam::Model model = beam::Model::Approximation;
    ChartPoint at;
    std::string label;
};

struct ChartTick {
    double value = 0;
    std::string label;
};

struct ChartAxis {
    double min = 0;
    double max = 1;
    std::vector<ChartTick> ticks; // from min to max, both included
    std::string title;
};

struct MomentChart {
    bool empty = true; // nothing to draw; emptyText says why
    std::string emptyText;
    std::string header; // what the lines and the markers show
    ChartAxis x;
    ChartAxis y;
    // By beam::index of the model; "benadering" is a straight line.
    std::array<ChartCurve, beam::modelCount> curves;
    // At the window's As: Mu as the main window shows it (truncated), one per model.
    std::array<ChartMarker, beam::modelCount> current;
    // What the legend calls the current As: the desktop's window, the page's inputs.
    std::string currentName = "venster";
    bool hasDesignMoment = false;
    double designMoment = 0; // kNm, a horizontal line across the axis
    std::string designLabel;
    // Where each model reaches MEd: (As,nodig, its moment before truncation).
    std::vector<ChartMarker> required;
};

// About this many whole areas are sampled along the axis, besides the areas where something
// happens (the current As, the limits, As,nodig), which are always points of the curves. Every
// kink of a curve lies at one of those; between them the curves bend gently, so that a few
// pixels between samples on the widest plot draw them smooth. Past a block model's As,vloei,
// where each point costs a root in extended precision, every `chartStrideBeyond`-th sample
// and the last are taken.
inline constexpr int chartSamples = 120;
inline constexpr int chartStrideBeyond = 3;

MomentChart momentChart(const beam::SectionInputs &inputs, const beam::MomentSteps &steps,
                        const beam::SectionLimits &limits, int samples = chartSamples);

// Round ticks over lo .. hi (steps of 1, 2 or 5 times a power of ten, about `count` of
// them), widening the range to whole steps. Labels are written from whole numbers, with the
// separator, never through the C locale.
ChartAxis niceAxis(double lo, double hi, int count, char separator);

} // namespace section
