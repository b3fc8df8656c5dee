// The calculation of a section step by step, as the section view shows, prints and copies it.
//
// Pipeline: section inputs, the steps of the one moment run and the drawing's notes -> Dutch
// text, written as a worked example: each step once, as formula, the numbers put in and the
// result with the digits a hand calculation keeps (limits_text.h), in lines short enough to
// wrap as words. As, d and the eleven texts of the run close it as the main window shows
// them; every model's part begins with its name and a colon, which print keeps on one page.
#pragma once

#include "model_limits.h"
#include "moment.h"
#include "section_geometry.h"
#include "section_inputs.h"

#include <string>
#include <string_view>

namespace section {

// Why an invalid model gives no moment, in the subject's words.
std::string invalidReason(const beam::ModelSteps &model, double d, char separator);

// With `limits` (sectionLimits of the same run), each model's part ends with its limitLines and
// the design notes follow the models once; `designMomentReason`, when not empty, says why a
// typed design moment gave no design lines.
std::string calculationText(const beam::SectionInputs &inputs, const beam::MomentSteps &steps,
                            const SectionGeometry &geometry,
                            const beam::SectionLimits *limits = nullptr,
                            std::string_view designMomentReason = {});

} // namespace section
