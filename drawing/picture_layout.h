// Where everything of the section's picture goes, for a target of a given size and a font.
//
// Pipeline: the drawing's geometry in mm and the eleven result texts of the same run, a
// target size and text metrics -> a font scale, a vertical scale for the section and the four
// model columns, a horizontal scale for the section -> a display list in target units, every
// label in a box of its own. Plain doubles: nothing here feeds a shown digit. With the limits
// of the same run, each stress block gets its strain diagram and each column says whether its
// steel yields; with the chart of the same run, the chart goes beside the columns where the
// target is wide enough, else below them.
//
// What it holds to, for every section the inputs allow: the columns use the height they are
// given (the section is drawn beside them to scale where that leaves them readable, above them
// to scale where it is much wider than deep, and otherwise with a scale of its own and a note
// that says so); a compression zone too shallow to read gets a break below it in the columns;
// no label box meets another, nor a line of another part; every label lies inside the target;
// shrinking the font is the last resort. The chart, then the strain diagrams, may shrink the
// font the picture needs without them to `extrasFont` of it, and never below `leastExtrasFont`
// of the font given; where they need more, they are left out, and a note says so.
#pragma once

#include "display_list.h"
#include "model_limits.h"
#include "moment.h"
#include "moment_chart.h"
#include "picture_text.h"
#include "section_geometry.h"
#include "text_metrics.h"

#include <string>

namespace section {

struct PictureOptions {
    // Keep a strip beside each stress block for a strain diagram, also without limits.
    bool strainDiagrams = false;
    // Keep this share of the width (0 to 0.6) at the right for the chart, rather than letting
    // the layout place it.
    double chartShare = 0;
    // Where positive, the target may grow downwards to this height, as a phone's page does:
    // where the four models and the section would fit across only at a much smaller font,
    // the models go in two rows of two below the section, the chart below them, the picture
    // takes this height, and its notes are handed over in DisplayList::notes instead of drawn,
    // to be set as text that wraps.
    double pairsHeight = 0;
};

inline constexpr double extrasFont = 0.8;
inline constexpr double leastExtrasFont = 0.6;

DisplayList layoutPicture(const SectionGeometry &geometry, const beam::MomentTexts &texts,
                          double width, double height, const TextMetrics &metrics,
                          const PictureOptions &options = {}, const PictureLimits &extras = {});

} // namespace section
