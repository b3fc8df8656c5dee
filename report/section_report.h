// Everything said about a section for one set of inputs and one design moment, computed at once:
// the geometry to draw, where each model holds, the chart, the calculation, the description for
// screen readers and each model's lines. The view, the page, the exports and the tests read this
// value; none of them puts the parts together again, so a new check is added here once.
#pragma once

#include "limits_text.h"
#include "model_limits.h"
#include "models.h"
#include "moment_chart.h"
#include "picture_text.h"
#include "section_geometry.h"
#include "section_inputs.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace section {

struct SectionReport {
    beam::SectionResult result; // the inputs and the one moment run on them
    std::string designMomentText;
    DesignMomentEntry designMoment; // read from designMomentText
    SectionGeometry geometry;
    beam::SectionLimits limits;
    MomentChart chart;
    std::string calculation;
    // The picture in words without the limits, and each model's limits in a sentence, "name:
    // summary." (none when the guard of the run failed): together the drawing's description.
    std::string description;
    std::vector<std::string> limitSummaries;
    std::array<std::vector<std::string>, beam::modelCount> modelLines; // limitLines per model
    std::vector<std::string> designNotes;
    std::vector<std::string> pictureNotes; // As,min, As,max and the caveats, in the drawing

    const beam::SectionInputs &inputs() const { return result.inputs; }
    const beam::MomentTexts &texts() const { return result.steps.texts; }
    // For the layout: the limits and the chart of this report, its strains written with the
    // inputs' separator. Refers into this report.
    PictureLimits pictureLimits() const
    {
        return {&limits, &chart, inputs().decimalSeparator, pictureNotes};
    }
};

// `separator`: the decimal separator the design moment is typed with, besides a point;
// `aggregate`: the largest aggregate size Dmax in mm, which sets the clear distance of the bars.
SectionReport makeReport(const beam::SectionResult &result, std::string_view designMomentText,
                         char separator, int aggregate = beam::defaultAggregate);

} // namespace section
