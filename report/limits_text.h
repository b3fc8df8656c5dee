// The lines about where each model holds, for the calculation text after each model's part:
// the strain, whether the steel yields, the yield limit As,vloei and, with a design moment,
// As,nodig and the bars that give it.
//
// Pipeline: the MEd text -> value or a reason (extended, rounded once from the text); section
// inputs and the limits of the window's run -> Dutch lines, with the digits a hand calculation
// keeps: three significant figures for forces and moments, strains with three decimals in per
// mille (more only where three would not tell the steel strain from the yield strain).
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

// Numbers as a hand calculation writes them, rounded once from the double with ties to even.
// figuresText: that many significant figures with their zeros ("79.0"), never fewer than the
// whole digits ("12346"); fixedText: that many decimals ("0.480"). Beyond about 10^15 and for
// infinities and NaN they fall back to the general format.
std::string figuresText(double value, int figures, char separator);
std::string fixedText(double value, int places, char separator);

// A step's value beside the window's text for it, with as many digits (at least a hand
// calculation's) as it takes for the step not to contradict the window, which truncates Mu
// and xu ("79.96" beside the window's 79, not "80.0") and rounds z/d to hundredths ("0.8547"
// beside 0.85, not "0.855"): Mu with three figures, xu with one decimal, z/d with three. An
// area before it is rounded up to a whole `up` (As,min) with two decimals or more.
std::string momentText(double value, std::string_view window, char separator);
std::string depthText(double value, std::string_view window, char separator);
std::string leverRatioText(double value, std::string_view window, char separator);
std::string roundedUpText(double value, std::int64_t up, char separator);

// A strain in per mille with three decimals; the steel and yield strain with as many more as it
// takes to tell them apart where they differ.
std::string strainText(double perMille, char separator);
std::pair<std::string, std::string> strainTexts(double steel, double yield, char separator);

// The lines of one model's column, each indented by two
// blanks, without line ends. Fixed words: "staal vloeit" or "staal vloeit niet",
// "As,vloei = N mm²", for bi_lineair and parabool rechthoek "ondergewapend" or "overgewapend",
// where the steel does not yield "σs = Es·εs ... N kNm", and with a design moment
// "MEd/MRd = 0.96" (with "voldoet" only where the check holds), "As,nodig = N mm²" or
// "As,nodig: geen (...)". With `steps` (the same run) the unity line gives MRd itself. What
// holds for every model (εyd, the spacing rule, the high classes' note) the calculation says
// once, before the models.
std::vector<std::string> limitLines(const beam::SectionInputs &inputs,
                                    const beam::SectionLimits &limits, beam::Model model,
                                    const beam::MomentSteps *steps = nullptr);

// MEd/MRd as its hundredths: "0.96", "1.04".
std::string unityText(const beam::UnityCheck &check, char separator);

// The notes the drawing adds under the section: the high classes' parabola, and with a design
// moment As,min and As,max.
std::vector<std::string> pictureNotes(const beam::SectionInputs &inputs,
                                      const beam::SectionLimits &limits);

// The drawing's strains, written as the calculation writes them (strainText and strainTexts),
// so that the picture and the text show one strain with the same digits; `digits` is no
// longer used.
std::string perMilleText(double value, int digits, char separator);
std::pair<std::string, std::string> distinctStrains(double steel, double yield, char separator);
// The same verdicts in a few words, for a sentence about one column: "staal vloeit, As,vloei =
// 553 mm2, As,nodig = 609 mm2, meer dan As,vloei".
std::string limitSummary(const beam::SectionLimits &limits, beam::Model model);

// Once after the models, with a design moment: what the design lines do not check.
std::vector<std::string> designNotes(const beam::SectionLimits &limits);

} // namespace section
