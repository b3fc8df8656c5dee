// The picture in words: each column's result lines, the verdicts and the chart, as sentences for
// screen readers and an SVG's description. Laid out or not, the picture says the same.
#pragma once

#include "model_limits.h"
#include "models.h"
#include "moment.h"
#include "moment_chart.h"
#include "section_geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace section {

// Where the models hold, from the same run as the geometry and the texts; either may be left
// out. The picture refers to them only while it is laid out.
struct PictureLimits {
    const beam::SectionLimits *limits = nullptr; // strains, verdicts, As,vloei, As,nodig
    const MomentChart *chart = nullptr;
    char separator = '.'; // for the strains, as the window writes numbers
    // Under the section's own notes: limitsText's pictureNotes of the same section.
    std::vector<std::string> notes;
};

// Whether a column's steel yields by the limits; none for an invalid model.
std::optional<bool> yieldsIn(const SectionGeometry &g, const beam::SectionLimits &limits,
                             beam::Model column);

// A stress block's strain diagram, where it has a verdict and a zone inside d.
bool strainShown(const SectionGeometry &g, const beam::SectionLimits &limits, beam::Model column);

// The model's result lines below its column, as the main window shows them.
std::vector<std::string> columnResults(const beam::MomentTexts &texts, beam::Model column);

// A model's verdict in a few words, and the colour the drawing gives its column: "ongeldig: ..."
// (invalid), "staal vloeit niet" or for bi_lineair and parabool rechthoek "overgewapend"
// (warning), with a design moment "voldoet" (ok) or "voldoet niet" (warning), else "staal
// vloeit" (ok).
enum class Tone { Ok, Warning, Invalid };
struct ModelVerdict {
    std::string words;
    Tone tone = Tone::Invalid;
};
ModelVerdict modelVerdict(const beam::MomentSteps &steps, const beam::SectionLimits &limits,
                          beam::Model column);

// Why an invalid model shows zeros, in the few words its column has room for.
std::string shortReason(beam::ModelState state);

// What an invalid model's column says below its Mu, in place of the window's zeros for xu and
// z/d, which would read as a zone of no depth: the zone reaches the steel, or z is not positive.
std::vector<std::string> invalidLines(beam::ModelState state);

// Whether a model without a strain of its own finds the zone of the model whose verdict it
// borrows reaching the steel: its fixed lever arm then holds for no compression zone.
bool borrowedZoneReachesSteel(const SectionGeometry &g, beam::Model column);

// Why there is no As,nodig, in the word or two the drawing writes after "As,nodig: ":
// "onhaalbaar" where no area reaches MEd.
std::string noRequiredReason(beam::Requirement outcome);

// What the picture shows, in sentences, for screen readers and an SVG's description.
std::string describePicture(const SectionGeometry &geometry, const beam::MomentTexts &texts,
                            const PictureLimits &extras = {});

} // namespace section
