// The lines about where each model holds, for the calculation text after each model's part:
// the strain, whether the steel yields, the yield limit As,vloei and, with a design moment,
// As,nodig and the bars that give it.
//
// Pipeline: the MEd text -> value or a reason (extended, rounded once from the text); section
// inputs and the limits of the window's run -> Dutch lines. Strains are written with four
// significant digits, or as many as it takes to tell the steel strain from the yield strain.
#pragma once

#include "extended.h"
#include "model_limits.h"
#include "section_inputs.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace section {

struct DesignMomentEntry {
    enum class Status { Empty, Valid, Rejected };
    Status status = Status::Empty;
    std::optional<ext::Extended> value; // kNm, Valid only
    std::string reason;                 // Rejected only, in Dutch
};

// A design moment in kNm: a number of 0 or more, written with the given separator or a point;
// blanks around it are allowed, an empty text means no design moment.
DesignMomentEntry readDesignMoment(std::string_view text, char separator);

// The largest aggregate size as typed: a whole number of mm within the limits of
// section_checks.h, blanks around it allowed; otherwise none and the reason in Dutch.
struct AggregateEntry {
    std::optional<int> value;
    std::string reason;
};

AggregateEntry readAggregate(std::string_view text);

// The lines of one model's column, each indented by two
// blanks, without line ends. Fixed words: "staal vloeit" or "staal vloeit niet",
// "As,vloei = N mm2", for bi_lineair and parabool rechthoek "ondergewapend" or "overgewapend",
// where the steel does not yield "σs = Es·εs ... N kNm", and with a design moment
// "MEd/MRd = 0.96" (with "voldoet" only where the check holds), "As,nodig = N mm2" or
// "As,nodig: geen (...)". With `steps` (the same run) the unity line gives MRd itself.
std::vector<std::string> limitLines(const beam::SectionInputs &inputs,
                                    const beam::SectionLimits &limits, beam::Model model,
                                    const beam::MomentSteps *steps = nullptr);

// MEd/MRd as its hundredths: "0.96", "1.04".
std::string unityText(const beam::UnityCheck &check, char separator);

// Once for the section: "As,min = N mm2", "As,max = N mm2" and where the window's As lies.
std::vector<std::string> boundsLines(const beam::SectionInputs &inputs,
                                     const beam::SectionLimits &limits);

// The notes the drawing adds under the section: the high classes' parabola, and with a design
// moment As,min and As,max.
std::vector<std::string> pictureNotes(const beam::SectionInputs &inputs,
                                      const beam::SectionLimits &limits);

// A strain in per mille as a designer writes it, "2,0" rather than "2": at most `digits`
// significant digits, with the separator.
std::string perMilleText(double value, int digits, char separator);

// A steel strain and the yield strain, with four significant digits or as many as it takes to
// tell them apart: at four digits 2.17496 and 2.175 would read the same while the verdict
// tells them apart.
std::pair<std::string, std::string> distinctStrains(double steel, double yield, char separator);
// The same verdicts in a few words, for a sentence about one column: "staal vloeit, As,vloei =
// 553 mm2, As,nodig = 609 mm2, meer dan As,vloei".
std::string limitSummary(const beam::SectionLimits &limits, beam::Model model);

// Once after the models, with a design moment: what the design lines do not check.
std::vector<std::string> designNotes(const beam::SectionLimits &limits);

} // namespace section
