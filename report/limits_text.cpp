#include "limits_text.h"

#include "section_words.h"

#include "materials.h"
#include "number_text.h"
#include "reinforcement.h"
#include "section_geometry.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace section {

using numtext::decimal;
using numtext::whole;

using namespace words;

namespace {

using beam::Requirement;
using beam::Verdict;

constexpr std::string_view areaUnit = " mm²";

std::string area(std::int64_t value)
{
    return whole(value) + std::string(areaUnit);
}

// εc at the top, with where it comes from.
std::string topStrainText(beam::Model model, const beam::StrainState &s, int concreteClass,
                          char sep)
{
    const std::string value = strainText(s.topStrain, sep);
    if (model == beam::Model::Parabolic)
        return "εc = εc2 = " + value + " ‰ bovenaan (top van de parabool; het beton bezwijkt pas " +
               "bij " + strainText(3.5, sep) + " ‰)";
    if (model == beam::Model::ParabolaRectangle)
        return "εc = εcu2 = " + value + " ‰ bovenaan: het beton bezwijkt";
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
    lines.push_back(
        model == beam::Model::Parabolic
            ? "  parabolisch rekent met fyd en overschat zo zijn Mu; het beton is bij " +
                  strainText(s.topStrain, sep) + " ‰ nog niet bezweken"
            : "  het model rekent toch met fyd: zijn Mu is te gunstig");
}

// Under- or over-reinforced: for the blocks whose top strain is the concrete's ultimate one.
void reinforcementLines(std::vector<std::string> &lines, beam::Model model,
                        const beam::ModelLimits &limit, char sep)
{
    const beam::StrainState &s = limit.strain;
    if (model == beam::Model::Parabolic || s.verdict == Verdict::NotChecked)
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

void unityLine(std::vector<std::string> &lines, const beam::ModelLimits &model,
               const beam::SectionLimits &limits, const beam::MomentSteps *steps,
               beam::Model column, char sep)
{
    if (!model.unity || !limits.designMoment)
        return;
    const beam::UnityCheck &u = *model.unity;
    if (!u.hasMoment) {
        lines.push_back("  MEd/MRd: geen, want dit model geeft hier geen moment");
        return;
    }
    std::string line = "  MEd/MRd = ";
    // MRd is the model's Mu, written as its own step writes it.
    if (steps)
        line += numtext::formatGeneral(*limits.designMoment, 15, sep) + " / " +
                momentText(beam::modelMoment(*steps, column),
                           steps->texts[beam::descriptor(column).mu], sep) +
                " = ";
    line += placesText(u.hundredths, 2, sep);
    if (!u.withinCapacity)
        line += ": MEd > MRd, onvoldoende";
    else if (!u.yields)
        line += ": MEd ≤ MRd, maar het staal vloeit niet: onvoldoende";
    else
        line += ": MEd ≤ MRd en het staal vloeit: voldoet";
    lines.push_back(line);
}

std::string yieldLimitLine(const beam::ModelLimits &model, beam::Model column)
{
    const std::string from =
        column == beam::Model::Approximation ? " (van parabool rechthoek)" : "";
    if (!model.yieldLimit)
        return "  As,vloei: niet te bepalen, " + noCheckText(model.limitReason);
    if (*model.yieldLimit == 0)
        return "  As,vloei = 0 mm²" + from + ": al bij 1 mm² vloeit het staal in dit model niet";
    return "  As,vloei = " + area(*model.yieldLimit) + from;
}

std::string barsText(const beam::BarLayer &bars)
{
    return whole(bars.count) + " ø" + whole(bars.rule.diameter) + " = " + area(bars.area);
}

// n bars of one diameter, whether they fit in one layer, and never a negative clear distance.
std::string layerText(const beam::BarLayer &bars, char sep)
{
    if (bars.fits)
        return bars.count >= 2 ? ", in één laag (vrije ruimte " +
                                     figuresText(bars.clearSpacing, 3, sep) + " mm)"
                               : ", in één laag";
    const std::string most = bars.mostThatFit == 0
                                 ? "er past er geen tussen de beugels"
                                 : "er passen er hoogstens " + whole(bars.mostThatFit);
    return " nodig, maar die passen niet in één laag: " + most;
}

// Parabool rechthoek at an area of benadering's, whose z/d is not 0.9; true where it shows
// benadering on the unsafe side there.
bool standardLine(std::vector<std::string> &lines, const beam::StandardCheck &check,
                  const beam::SectionLimits &limits, char sep)
{
    const std::string at = "  parabool rechthoek bij As = " + area(check.As);
    if (!check.valid) {
        lines.push_back(at + ": ongeldig (xu ≥ d)");
        return true;
    }
    std::string text = at + ": z/d = " + fixedText(check.leverRatio, 3, sep) +
                       ", Mu = " + figuresText(check.moment, 3, sep) + " kNm";
    const bool enough = ext::fromDouble(check.moment) >= *limits.designMoment;
    const bool yields = check.verdict == Verdict::Yields;
    text += !enough ? " < MEd" : !yields ? " ≥ MEd, maar het staal vloeit daar niet" : " ≥ MEd";
    lines.push_back(text);
    return !enough || !yields;
}

void requiredLines(std::vector<std::string> &lines, const beam::ModelLimits &model,
                   const beam::SectionLimits &limits, const beam::SectionInputs &inputs,
                   beam::Model column)
{
    if (!model.required || !limits.designMoment)
        return;
    const char sep = inputs.decimalSeparator;
    const beam::RequiredArea &r = *model.required;
    const std::string MEd = numtext::formatGeneral(*limits.designMoment, 15, sep);
    switch (r.outcome) {
    case Requirement::NoSection:
        lines.push_back("  As,nodig: geen (geen doorsnede: d, b of fcd is niet positief)");
        return;
    case Requirement::NoSteel:
        lines.push_back("  As,nodig: geen (fyd is niet positief: geen As geeft MEd = " + MEd +
                        " kNm)");
        return;
    case Requirement::Unreachable:
        if (r.stoppedByDepth) {
            lines.push_back("  As,nodig: geen: met vloeiend staal haalt dit model MEd = " + MEd +
                            " kNm niet");
            // Past As,vloei more steel no longer yields, and the moment stops growing.
            std::string line = "  ";
            if (r.yieldMoment && model.yieldLimit)
                line += "bij As,vloei = " + area(*model.yieldLimit) +
                        " is Mu = " + figuresText(*r.yieldMoment, 3, sep) + " kNm, ";
            line += "bij xu/d = " + placesText(model.ductility.limit * ext::Extended(100), 2, sep) +
                    " is Mu = " + figuresText(r.limitMoment, 3, sep) + " kNm";
            lines.push_back(line);
        } else {
            lines.push_back("  As,nodig: geen (ook As = " + area(r.As) + " geeft maar " +
                            figuresText(r.moment, 3, sep) + " kNm < MEd = " + MEd + " kNm)");
        }
        return;
    case Requirement::Found:
        break;
    }
    std::string line = "  As,nodig = " + area(r.As);
    if (column != beam::Model::Approximation && model.yieldLimit)
        line += r.withinYieldLimit ? ", binnen As,vloei: het staal vloeit"
                                   : ", meer dan As,vloei = " + area(*model.yieldLimit) +
                                         ": het staal vloeit dan niet, niet geldig";
    lines.push_back(line);
    bool unsafe = false;
    if (column == beam::Model::Approximation && r.standardAtRequired)
        unsafe = standardLine(lines, *r.standardAtRequired, limits, sep);
    if (r.As == 0)
        lines.push_back("  voor MEd is geen staal nodig");
    if (r.minimumGoverns)
        lines.push_back("  As,min = " + area(limits.bounds.minimum) + " is meer dan " +
                        (r.As == 0 ? std::string("0") : "As,nodig") +
                        ": aan te brengen As = As,min = " + area(r.provided));
    if (r.hasBars) {
        std::string bars = "  staven: " + barsText(r.bars) + layerText(r.bars, sep);
        const auto fewest = beam::barsFor(inputs.barItem, std::int32_t(r.provided));
        if (fewest && *fewest < r.bars.count)
            bars += " (minstens 2: één in elke hoek van de beugel)";
        lines.push_back(bars);
        // The bars' area can be As,nodig itself: the check said once.
        if (r.standardAtBars &&
            !(r.standardAtRequired && r.standardAtRequired->As == r.standardAtBars->As))
            unsafe = standardLine(lines, *r.standardAtBars, limits, sep) || unsafe;
    }
    if (unsafe)
        lines.push_back("  benadering ligt hier aan de onveilige kant");
    if (r.leastSteel)
        lines.push_back("  minst staal in één laag: " + barsText(r.leastSteel->bars) +
                        " (d = " + whole(r.leastSteel->d) + " mm)");
    else
        lines.push_back("  minst staal in één laag: geen staafdiameter haalt de aan te brengen As "
                        "in één laag");
}

} // namespace

std::string fixedText(double value, int places, char separator)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return decimal(value, 6, separator);
    const ext::Extended scaled = ext::fromDouble(value) * ext::powerOfTen(places);
    if (places <= 0)
        return ext::wholeText(ext::roundHalfEven(scaled));
    return placesText(ext::roundHalfEven(scaled), places, separator);
}

std::string figuresText(double value, int figures, char separator)
{
    if (!std::isfinite(value) || value == 0)
        return decimal(value, figures, separator);
    const std::int64_t exponent = ext::toDecimal(ext::fromDouble(value), figures).exponent;
    if (exponent >= 15 || exponent < -6)
        return decimal(value, figures, separator);
    return fixedText(value, int(std::max<std::int64_t>(0, figures - 1 - exponent)), separator);
}

namespace {

// The first of the texts from `from` digits on whose value, read back, agrees with the window;
// the first text where none does or the window's text does not read.
std::string agreeing(int from, std::string_view window, char sep,
                     const std::function<std::string(int)> &text,
                     const std::function<bool(double step, double shown)> &agrees)
{
    const auto shown = numtext::parseRealAsDouble(window, sep);
    if (shown)
        for (int n = from; n <= 17; ++n) {
            const std::string candidate = text(n);
            const auto step = numtext::parseRealAsDouble(candidate, sep);
            if (!step || agrees(*step, *shown))
                return candidate;
        }
    return text(from);
}

// The window truncates Mu and xu and rounds z/d to hundredths: a step's digits that would read
// otherwise ("80.0" beside the window's 79) get as many more as it takes.
bool truncatesTo(double step, double shown)
{
    return std::trunc(step) == shown;
}

bool roundsTo(double step, double shown)
{
    // As a reader rounds the step's digits: half up.
    return std::floor(step * 100 + 0.5) == std::round(shown * 100);
}

} // namespace

std::string momentText(double value, std::string_view window, char sep)
{
    return agreeing(
        3, window, sep, [&](int n) { return figuresText(value, n, sep); }, truncatesTo);
}

std::string depthText(double value, std::string_view window, char sep)
{
    return agreeing(
        1, window, sep, [&](int n) { return fixedText(value, n, sep); }, truncatesTo);
}

std::string leverRatioText(double value, std::string_view window, char sep)
{
    return agreeing(
        3, window, sep, [&](int n) { return fixedText(value, n, sep); }, roundsTo);
}

std::string roundedUpText(double value, std::int64_t up, char sep)
{
    return agreeing(
        2, whole(up), sep, [&](int n) { return fixedText(value, n, sep); },
        [](double step, double shown) { return std::ceil(step) == shown; });
}

std::string strainText(double perMille, char separator)
{
    return fixedText(perMille, 3, separator);
}

std::pair<std::string, std::string> strainTexts(double steel, double yield, char separator)
{
    for (int places = 3; places < 17; ++places) {
        std::string x = fixedText(steel, places, separator);
        std::string y = fixedText(yield, places, separator);
        if (x != y || steel == yield)
            return {x, y};
    }
    return {decimal(steel, 17, separator), decimal(yield, 17, separator)};
}

std::string perMilleText(double value, int /*digits*/, char separator)
{
    return strainText(value, separator);
}

std::pair<std::string, std::string> distinctStrains(double steel, double yield, char separator)
{
    return strainTexts(steel, yield, separator);
}

std::vector<std::string> limitLines(const beam::SectionInputs &inputs,
                                    const beam::SectionLimits &limits, beam::Model column,
                                    const beam::MomentSteps *steps)
{
    std::vector<std::string> lines;
    const beam::ModelLimits &model = limits.models[beam::index(column)];
    const char sep = inputs.decimalSeparator;
    if (column == beam::Model::Approximation) {
        const beam::StrainState &s = model.strain;
        lines.push_back("  geen eigen rek: benadering neemt vloeiend staal aan en volgt het "
                        "oordeel van parabool rechthoek");
        if (s.verdict == Verdict::NotChecked) {
            lines.push_back("  " + noCheckText(s.reason));
        } else if (!(s.xu < s.d)) {
            lines.push_back("  staal vloeit niet (volgens parabool rechthoek: xu ≥ d, de drukzone "
                            "reikt tot het staal)");
            lines.push_back("  de aanname van vloeiend staal klopt niet: Mu is te gunstig");
        } else {
            const auto [steel, yield] = strainTexts(s.steelStrain, s.yieldStrain, sep);
            lines.push_back(s.verdict == Verdict::Yields
                                ? "  staal vloeit (volgens parabool rechthoek: εs = " + steel +
                                      " ‰ ≥ εyd = " + yield + " ‰)"
                                : "  staal vloeit niet (volgens parabool rechthoek: εs = " + steel +
                                      " ‰ < εyd = " + yield + " ‰)");
            if (s.verdict != Verdict::Yields)
                lines.push_back("  de aanname van vloeiend staal klopt niet: Mu is te gunstig");
        }
        lines.push_back(yieldLimitLine(model, column));
        unityLine(lines, model, limits, steps, column, sep);
        requiredLines(lines, model, limits, inputs, column);
        return lines;
    }
    const beam::Model stressBlock = column;
    const auto &xuField = beam::descriptor(stressBlock).xu;
    strainLines(lines, stressBlock, model.strain, inputs,
                steps && xuField ? std::string_view(steps->texts[*xuField]) : std::string_view());
    if (stressBlock == beam::Model::Parabolic && model.strain.verdict == Verdict::DoesNotYield &&
        model.strain.xu < model.strain.d &&
        limits.models[beam::index(beam::Model::ParabolaRectangle)].strain.verdict ==
            Verdict::Yields)
        lines.push_back("  bij " + strainText(3.5, sep) +
                        " ‰ (parabool rechthoek) vloeit het staal wel: de doorsnede is niet te "
                        "zwaar gewapend");
    reinforcementLines(lines, stressBlock, model, sep);
    compatibleLines(lines, model, inputs);
    if (model.strain.verdict != Verdict::NotChecked)
        ductilityLine(lines, model, inputs);
    lines.push_back(yieldLimitLine(model, column));
    unityLine(lines, model, limits, steps, column, sep);
    requiredLines(lines, model, limits, inputs, column);
    return lines;
}

std::string limitSummary(const beam::SectionLimits &limits, beam::Model column)
{
    const beam::ModelLimits &model = limits.models[beam::index(column)];
    std::string summary;
    switch (model.strain.verdict) {
    case Verdict::Yields:
        summary = "staal vloeit";
        break;
    case Verdict::DoesNotYield:
        summary = "staal vloeit niet";
        break;
    case Verdict::NotChecked:
        summary = "rek niet getoetst";
        break;
    }
    if (model.yieldLimit)
        summary += ", As,vloei = " + whole(*model.yieldLimit) + " mm2";
    if (model.required && limits.designMoment) {
        const beam::RequiredArea &r = *model.required;
        if (r.outcome != Requirement::Found)
            summary += ", As,nodig: geen";
        else {
            summary += ", As,nodig = " + whole(r.As) + " mm2";
            if (column != beam::Model::Approximation && model.yieldLimit && !r.withinYieldLimit)
                summary += ", meer dan As,vloei";
        }
    }
    if (model.unity && model.unity->hasMoment)
        summary += ", MEd/MRd = " + placesText(model.unity->hundredths, 2, '.');
    return summary;
}

std::string unityText(const beam::UnityCheck &check, char separator)
{
    return placesText(check.hundredths, 2, separator);
}

} // namespace section
