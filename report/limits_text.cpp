#include "limits_text.h"

#include "section_words.h"
#include "strain_lines.h"

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
    // A borrowed limit says whose it is.
    const std::string from =
        beam::borrowsStrain(column) ? " (van " + modelName(beam::strainSource(column)) + ")" : "";
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

// The model whose strain a model borrows, at an area of the borrower's, whose z/d is not its
// fixed lever arm; true where it shows the borrower on the unsafe side there.
bool standardLine(std::vector<std::string> &lines, const beam::StandardCheck &check,
                  const beam::SectionLimits &limits, beam::Model column, char sep)
{
    const std::string at =
        "  " + modelName(beam::strainSource(column)) + " bij As = " + area(check.As);
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
    if (!beam::borrowsStrain(column) && model.yieldLimit)
        line += r.withinYieldLimit ? ", binnen As,vloei: het staal vloeit"
                                   : ", meer dan As,vloei = " + area(*model.yieldLimit) +
                                         ": het staal vloeit dan niet, niet geldig";
    lines.push_back(line);
    bool unsafe = false;
    if (r.standardAtRequired)
        unsafe = standardLine(lines, *r.standardAtRequired, limits, column, sep);
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
            unsafe = standardLine(lines, *r.standardAtBars, limits, column, sep) || unsafe;
    }
    if (unsafe)
        lines.push_back("  " + modelName(column) + " ligt hier aan de onveilige kant");
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
    std::vector<std::string> lines = modelStrainLines(inputs, limits, column, steps);
    const beam::ModelLimits &model = limits.models[beam::index(column)];
    const char sep = inputs.decimalSeparator;
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
            if (!beam::borrowsStrain(column) && model.yieldLimit && !r.withinYieldLimit)
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
