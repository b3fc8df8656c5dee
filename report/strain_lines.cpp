#include "strain_lines.h"

#include "limits_text.h"
#include "section_words.h"

#include "materials.h"
#include "number_text.h"

namespace section {

using numtext::decimal;
using numtext::whole;

using namespace words;

namespace {

using beam::Verdict;

// εc at the top, with where it comes from.
std::string topStrainText(beam::Model model, const beam::StrainState &s, int concreteClass,
                          char sep)
{
    const std::string value = strainText(s.topStrain, sep);
    switch (beam::descriptor(model).topStrain) {
    case beam::TopStrain::Parabola:
        return "εc = εc2 = " + value + " ‰ bovenaan (top van de parabool; het beton bezwijkt pas " +
               "bij " + strainText(3.5, sep) + " ‰)";
    case beam::TopStrain::Rectangle:
        return "εc = εcu2 = " + value + " ‰ bovenaan: het beton bezwijkt";
    case beam::TopStrain::ClassUltimate:
        break;
    }
    if (!beam::lowerClassShapes(concreteClass))
        return "εc = εcu3 = " + value + " ‰ bovenaan: het beton bezwijkt";
    const int fck = beam::concreteClasses[std::size_t(concreteClass)].fck;
    return "εc = εcu3 = 2" + std::string(1, sep) + "6 + 35·((90 − " + whole(fck) +
           ")/100)^4 = " + value + " ‰ bovenaan (" + className(concreteClass) + ")";
}

// `xuShown`: the window's text of this model's xu, which the written xu must not contradict.
void strainLines(std::vector<std::string> &lines, beam::Model model, const beam::StrainState &s,
                 const beam::SectionInputs &inputs, std::string_view xuShown)
{
    const char sep = inputs.decimalSeparator;
    if (s.verdict == Verdict::NotChecked) {
        lines.push_back("  rek: " + noCheckText(s.reason));
        return;
    }
    lines.push_back("  " + topStrainText(model, s, inputs.concreteClass, sep));
    if (!(s.xu < s.d)) {
        // The strain formula would give a negative steel strain: the steel lies in the
        // compression zone, and no tension acts in it.
        lines.push_back("  staal vloeit niet: het ligt in de drukzone en krijgt geen trek");
        return;
    }
    const auto [steel, yield] = strainTexts(s.steelStrain, s.yieldStrain, sep);
    const std::string xu = depthText(s.xu, xuShown, sep);
    lines.push_back("  εs = εc·(d − xu)/xu = " + strainText(s.topStrain, sep) + " × (" +
                    decimal(s.d, 10, sep) + " − " + xu + ") / " + xu + " = " + steel + " ‰");
    if (s.verdict == Verdict::Yields) {
        lines.push_back("  staal vloeit: εs = " + steel + " ‰ ≥ εyd = " + yield +
                        " ‰, dus σs = fyd, zoals het model aanneemt");
        return;
    }
    lines.push_back("  staal vloeit niet: εs = " + steel + " ‰ < εyd = " + yield +
                    " ‰, dus σs < fyd");
    lines.push_back(!beam::concreteFailsAtTop(model)
                        ? "  " + modelName(model) +
                              " rekent met fyd en overschat zo zijn Mu; het beton is bij " +
                              strainText(s.topStrain, sep) + " ‰ nog niet bezweken"
                        : "  het model rekent toch met fyd: zijn Mu is te gunstig");
}

// Where a block stops short of failure with steel that does not yield, whether it yields at
// failure: then the section is not over-reinforced after all.
void failureLine(std::vector<std::string> &lines, beam::Model model,
                 const beam::SectionLimits &limits, char sep)
{
    const beam::StrainState &s = limits.models[beam::index(model)].strain;
    const beam::Model failure = beam::failureAtFixedStrain();
    if (beam::concreteFailsAtTop(model) || s.verdict != Verdict::DoesNotYield || !(s.xu < s.d) ||
        limits.models[beam::index(failure)].strain.verdict != Verdict::Yields)
        return;
    lines.push_back("  bij " + strainText(3.5, sep) + " ‰ (" + modelName(failure) +
                    ") vloeit het staal wel: de doorsnede is niet te zwaar gewapend");
}

// Under- or over-reinforced: for the blocks whose top strain is the concrete's ultimate one.
void reinforcementLines(std::vector<std::string> &lines, beam::Model model,
                        const beam::ModelLimits &limit, char sep)
{
    const beam::StrainState &s = limit.strain;
    if (!beam::concreteFailsAtTop(model) || s.verdict == Verdict::NotChecked)
        return;
    if (s.yieldStrain > 0)
        lines.push_back("  ξbal = εc / (εc + εyd) = " + strainText(s.topStrain, sep) + " / (" +
                        strainText(s.topStrain, sep) + " + " + strainText(s.yieldStrain, sep) +
                        ") = " + fixedText(limit.ductility.balanced, 3, sep));
    lines.push_back(s.verdict == Verdict::Yields
                        ? "  ondergewapend: het staal vloeit voordat het beton bezwijkt (taaie "
                          "breuk, met waarschuwing)"
                        : "  overgewapend: het beton bezwijkt voordat het staal vloeit (brosse "
                          "breuk, zonder waarschuwing)");
}

// The moment with the stress the strains give, where σs = fyd does not hold.
void compatibleLines(std::vector<std::string> &lines, const beam::ModelLimits &model,
                     const beam::SectionInputs &inputs)
{
    if (!model.compatible)
        return;
    const char sep = inputs.decimalSeparator;
    const beam::CompatibleState &c = *model.compatible;
    if (!c.known) {
        lines.push_back("  σs = Es·εs: niet te bepalen (geen staal, geen Es of geen doorsnede)");
        return;
    }
    lines.push_back("  met σs = Es·εs: α·b·fcd·x² + As·Es·εc·x − As·Es·εc·d = 0 geeft x = " +
                    fixedText(c.x, 1, sep) + " mm");
    lines.push_back("  σs = Es·εc·(d − x)/x = " + figuresText(c.stress, 3, sep) +
                    " N/mm² < fyd, Mu = As·σs·(d − β·x) = " + figuresText(c.moment, 3, sep) +
                    " kNm");
}

void ductilityLine(std::vector<std::string> &lines, const beam::ModelLimits &limit,
                   const beam::SectionInputs &inputs)
{
    const char sep = inputs.decimalSeparator;
    const beam::StrainState &s = limit.strain;
    const beam::Ductility &d = limit.ductility;
    if (!(s.d > 0))
        return;
    const bool high = beam::lowerClassShapes(inputs.concreteClass);
    lines.push_back("  xu/d = " + fixedText(d.ratio, 3, sep) + (d.withinLimit ? " ≤ " : " > ") +
                    placesText(d.limit * ext::Extended(100), 2, sep) +
                    ", de grens voor rotatiecapaciteit bij fck" +
                    (high ? " > 50 N/mm²" : " ≤ 50 N/mm²") + " (ter informatie)");
}

// A model without a strain of its own assumes yielding steel: the verdict it takes says
// whether that holds.
void borrowedLines(std::vector<std::string> &lines, beam::Model column, const beam::StrainState &s,
                   char sep)
{
    const std::string source = modelName(beam::strainSource(column));
    lines.push_back("  geen eigen rek: " + modelName(column) +
                    " neemt vloeiend staal aan en volgt het oordeel van " + source);
    if (s.verdict == Verdict::NotChecked) {
        lines.push_back("  " + noCheckText(s.reason));
        return;
    }
    if (!(s.xu < s.d)) {
        lines.push_back("  staal vloeit niet (volgens " + source +
                        ": xu ≥ d, de drukzone reikt tot het staal)");
        lines.push_back("  de aanname van vloeiend staal klopt niet: Mu is te gunstig");
        return;
    }
    const auto [steel, yield] = strainTexts(s.steelStrain, s.yieldStrain, sep);
    lines.push_back(s.verdict == Verdict::Yields
                        ? "  staal vloeit (volgens " + source + ": εs = " + steel +
                              " ‰ ≥ εyd = " + yield + " ‰)"
                        : "  staal vloeit niet (volgens " + source + ": εs = " + steel +
                              " ‰ < εyd = " + yield + " ‰)");
    if (s.verdict != Verdict::Yields)
        lines.push_back("  de aanname van vloeiend staal klopt niet: Mu is te gunstig");
}

} // namespace

std::vector<std::string> modelStrainLines(const beam::SectionInputs &inputs,
                                          const beam::SectionLimits &limits, beam::Model column,
                                          const beam::MomentSteps *steps)
{
    std::vector<std::string> lines;
    const beam::ModelLimits &model = limits.models[beam::index(column)];
    const char sep = inputs.decimalSeparator;
    if (beam::borrowsStrain(column)) {
        borrowedLines(lines, column, model.strain, sep);
        return lines;
    }
    const auto &xuField = beam::descriptor(column).xu;
    strainLines(lines, column, model.strain, inputs,
                steps && xuField ? std::string_view(steps->texts[*xuField]) : std::string_view());
    failureLine(lines, column, limits, sep);
    reinforcementLines(lines, column, model, sep);
    compatibleLines(lines, model, inputs);
    if (model.strain.verdict != Verdict::NotChecked)
        ductilityLine(lines, model, inputs);
    return lines;
}

} // namespace section
