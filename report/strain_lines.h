// The strain part of a model's limit lines (limitLines in limits_text.h): εc at the top, εs
// against εyd and what it means for the model, and for a block of its own the reinforcement's
// balance, the moment with the stress the strains give and xu/d against its limit. For
// report/ alone.
#pragma once

#include "model_limits.h"
#include "models.h"
#include "moment.h"
#include "section_inputs.h"

#include <string>
#include <vector>

namespace section {

// A model without a strain of its own says whose verdict it follows, and what it is there.
// With `steps` (the same run), xu is written so as not to contradict the window's text of it.
std::vector<std::string> modelStrainLines(const beam::SectionInputs &inputs,
                                          const beam::SectionLimits &limits, beam::Model column,
                                          const beam::MomentSteps *steps);

} // namespace section
