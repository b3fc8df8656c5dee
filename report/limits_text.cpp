#include "limits_text.h"

#include "section_words.h"

#include "materials.h"
#include "number_text.h"
#include "reinforcement.h"
#include "section_geometry.h"

#include <charconv>
#include <cmath>

namespace section {

using numtext::decimal;
using numtext::whole;

using namespace words;

namespace {

using beam::Requirement;
using beam::Verdict;

// εc at the top, with where it comes from.
std::string topStrainText(beam::Model model, const beam::StrainState &s, int concreteClass,
                          char sep)
{
    const std::string value = perMille(s.topStrain, 10, sep);
    if (model == beam::Model::Parabolic)
        return "εc = εc2 = " + value + " ‰ bovenaan (top van de parabool; nog geen bezwijken: " +
               "het beton bezwijkt pas bij εcu2 = " + perMille(3.5, 2, sep) + " ‰)";
    if (model == beam::Model::ParabolaRectangle)
        return "εc = " + value + " ‰ bovenaan (einde van de rechthoek)";
    if (!beam::lowerClassShapes(concreteClass))
        return "εc = εcu3 = " + value + " ‰ bovenaan";
    const int fck = beam::concreteClasses[std::size_t(concreteClass)].fck;
    return "εc = εcu3 = 2" + std::string(1, sep) + "6 + 35·((90 − " + whole(fck) +
           ")/100)^4 = " + value + " ‰ bovenaan (" + className(concreteClass) + ")";
}

void strainLines(std::vector<std::string> &lines, beam::Model model, const beam::StrainState &s,
                 const beam::SectionInputs &inputs)
{
    const char sep = inputs.decimalSeparator;
    if (s.verdict == Verdict::NotChecked) {
        lines.push_back("  rek: " + noCheckText(s.reason));
        return;
    }
    const auto [steel, yield] = distinct(s.steelStrain, s.yieldStrain, sep);
    const std::string xu = decimal(s.xu, 6, sep);
    lines.push_back("  rek: " + topStrainText(model, s, inputs.concreteClass, sep) +
                    ", 0 bij xu = " + xu + " mm; bij het staal εs = εc·(d − xu)/xu = " +
                    perMille(s.topStrain, 10, sep) + " × (" + decimal(s.d, 10, sep) + " − " + xu +
                    ") / " + xu + " = " + steel + " ‰; εyd = fyd/Es = " + decimal(s.fyd, 10, sep) +
                    " / " + decimal(s.Es, 10, sep) + " = " + yield + " ‰");
    if (s.verdict == Verdict::Yields) {
        lines.push_back("  staal vloeit: εs = " + steel + " ‰ ≥ εyd = " + yield +
                        " ‰, dus σs = fyd, zoals het model aanneemt");
        return;
    }
    std::string verdict = "  staal vloeit niet: εs = " + steel + " ‰ < εyd = " + yield +
                          " ‰ (εs is hier een controlewaarde); het model rekent met σs = fyd, "
                          "wat hier niet klopt";
    if (!(s.xu < s.d))
        verdict += ", en het is ongeldig: xu ≥ d, het staal ligt niet in de trekzone";
    lines.push_back(verdict);
    if (model == beam::Model::Parabolic && s.xu < s.d)
        lines.push_back("  parabolisch overschat zo zijn eigen Mu: het staal haalt fyd niet, "
                        "terwijl het beton bij " +
                        perMille(s.topStrain, 10, sep) + " ‰ nog niet bezweken is");
}

// Under- or over-reinforced: for the blocks whose top strain is the concrete's ultimate one.
void reinforcementLine(std::vector<std::string> &lines, beam::Model model,
                       const beam::StrainState &s)
{
    if (model == beam::Model::Parabolic || s.verdict == Verdict::NotChecked)
        return;
    lines.push_back(s.verdict == Verdict::Yields
                        ? "  ondergewapend: het staal vloeit voordat het beton bezwijkt (taaie "
                          "breuk, met waarschuwing)"
                        : "  overgewapend: het beton bezwijkt voordat het staal vloeit (brosse "
                          "breuk, zonder waarschuwing)");
}

// The moment with the stress the strains give, where σs = fyd does not hold.
void compatibleLine(std::vector<std::string> &lines, const beam::ModelLimits &model,
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
    lines.push_back("  σs = Es·εs met de rekken: α·b·fcd·x² + As·Es·εc·x − As·Es·εc·d = 0 geeft "
                    "x = " +
                    decimal(c.x, 6, sep) +
                    " mm, σs = Es·εc·(d − x)/x = " + decimal(c.stress, 6, sep) +
                    " N/mm2 < fyd, Mu = As·σs·(d − β·x) = " + ext::wholeText(c.whole) + " kNm");
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
    const std::string limitText = placesText(d.limit * ext::Extended(100), 2, sep);
    std::string line = "  xu/d = " + decimal(d.ratio, 3, sep);
    if (s.yieldStrain > 0)
        line += "; ξbal = εc / (εc + εyd) = " + perMille(s.topStrain, 10, sep) + " / (" +
                perMille(s.topStrain, 10, sep) + " + " + perMille(s.yieldStrain, 4, sep) +
                ") = " + decimal(d.balanced, 3, sep);
    line += "; grens voor rotatiecapaciteit xu/d ≤ " + limitText +
            (high ? " (fck > 50 N/mm2)" : " (fck ≤ 50 N/mm2)") +
            (d.withinLimit ? ": eronder" : ": erboven") + " (ter informatie)";
    lines.push_back(line);
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
    std::string line = "  MEd/MRd = " + placesText(u.hundredths, 2, sep) +
                       " (MEd = " + numtext::formatGeneral(*limits.designMoment, 15, sep) +
                       " kNm, MRd = Mu vóór afkappen";
    if (steps)
        line += " = " + decimal(beam::modelMoment(*steps, column), 6, sep) + " kNm";
    line += ")";
    if (!u.withinCapacity)
        line += ": MEd > MRd, onvoldoende";
    else if (!u.yields)
        line += ": MEd ≤ MRd, maar het staal vloeit niet, dus MRd geldt niet: onvoldoende";
    else
        line += ": MEd ≤ MRd en het staal vloeit: voldoet";
    lines.push_back(line);
}

std::string yieldLimitLine(const beam::ModelLimits &model, beam::Model column)
{
    const bool borrowed = column == beam::Model::Approximation;
    const std::string from = borrowed ? " (van parabool rechthoek)" : "";
    if (!model.yieldLimit)
        return "  As,vloei: niet te bepalen, " + noCheckText(model.limitReason);
    if (*model.yieldLimit == 0)
        return "  As,vloei = 0 mm2" + from + ": al bij 1 mm2 vloeit het staal in dit model niet";
    const std::string head = "  As,vloei = " + whole(*model.yieldLimit) + " mm2" + from;
    if (borrowed || column == beam::Model::Parabolic)
        return head + ": de grootste As waarbij het staal nog vloeit, de grens van de aanname "
                      "σs = fyd; geen As,max";
    return head + ": de gebalanceerde wapening (xu/d = ξbal), de grootste As waarbij het staal "
                  "vloeit voordat het beton bezwijkt: de grens tussen onder- en overwapening, "
                  "geen As,max";
}

std::string barsText(const beam::BarLayer &bars)
{
    return whole(bars.count) + " ø" + whole(bars.rule.diameter) + " = " + whole(bars.area) + " mm2";
}

// n bars of one diameter, whether they fit in one layer, and never a negative clear distance.
std::string layerText(const beam::BarLayer &bars, char sep)
{
    if (bars.fits)
        return bars.count >= 2
                   ? ", in één laag (vrije ruimte " + decimal(bars.clearSpacing, 3, sep) +
                         " mm, nodig " + spacingText(bars.rule) + ")"
                   : ", in één laag";
    const std::string most = bars.mostThatFit == 0
                                 ? "er past er geen tussen de beugels"
                                 : "er passen er hoogstens " + whole(bars.mostThatFit);
    return " nodig, maar die passen niet in één laag: " + most + " (vrije ruimte nodig " +
           spacingText(bars.rule) + "); d gaat uit van één laag";
}

std::string standardText(const beam::StandardCheck &check, const beam::SectionLimits &limits,
                         char sep)
{
    if (!check.valid)
        return "parabool rechthoek is bij As = " + whole(check.As) +
               " mm2 ongeldig (xu ≥ d): benadering ligt hier aan de onveilige kant";
    std::string text = "parabool rechthoek geeft bij As = " + whole(check.As) +
                       " mm2 z/d = " + decimal(check.leverRatio, 3, sep) +
                       " en Mu = " + tenthsText(check.moment, sep) + " kNm";
    const bool enough = ext::fromDouble(check.moment) >= *limits.designMoment;
    if (!enough)
        text += " < MEd: benadering ligt hier aan de onveilige kant";
    else if (check.verdict != Verdict::Yields)
        text += ", maar het staal vloeit daar niet: benadering ligt hier aan de onveilige kant";
    else
        text += " ≥ MEd";
    return text;
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
            std::string line = "  As,nodig: geen (MEd = " + MEd +
                               " kNm is meer dan dit model met vloeiend staal haalt";
            if (r.yieldMoment && model.yieldLimit)
                line += ": bij As,vloei = " + whole(*model.yieldLimit) +
                        " mm2 is Mu = " + tenthsText(*r.yieldMoment, sep) + " kNm";
            line +=
                ", bij xu/d = " + placesText(model.ductility.limit * ext::Extended(100), 2, sep) +
                " is Mu = " + tenthsText(r.limitMoment, sep) +
                " kNm; met meer staal vloeit het niet. Mogelijk: een hogere doorsnede, een "
                "bredere doorsnede, een hogere betonklasse of drukwapening)";
            lines.push_back(line);
        } else {
            lines.push_back("  As,nodig: geen (ook As = " + whole(r.As) + " mm2 geeft maar " +
                            decimal(r.moment, 6, sep) + " kNm < MEd = " + MEd + " kNm)");
        }
        return;
    case Requirement::Found:
        break;
    }
    std::string line = "  As,nodig = " + whole(r.As) + " mm2 voor MEd = " + MEd +
                       " kNm (Mu vóór afkappen " + decimal(r.moment, 10, sep) + " kNm)";
    if (column == beam::Model::Approximation) {
        if (r.standardAtRequired)
            line += "; " + standardText(*r.standardAtRequired, limits, sep);
    } else if (model.yieldLimit) {
        const std::string limit = "As,vloei = " + whole(*model.yieldLimit) + " mm2";
        line += r.withinYieldLimit ? "; binnen " + limit + ": het staal vloeit"
                                   : "; meer dan " + limit +
                                         ": het staal vloeit dan niet, dus buiten de aanname van "
                                         "dit model en niet geldig";
    }
    lines.push_back(line);
    if (r.As == 0)
        lines.push_back("  voor MEd is geen staal nodig");
    if (r.minimumGoverns)
        lines.push_back("  As,min = " + whole(limits.bounds.minimum) + " mm2 is meer dan " +
                        (r.As == 0 ? std::string("0") : "As,nodig") +
                        ": aan te brengen As = As,min = " + whole(r.provided) + " mm2");
    if (r.hasBars) {
        std::string bars = "  staven: " + barsText(r.bars) + layerText(r.bars, sep);
        const auto fewest = beam::barsFor(inputs.barItem, std::int32_t(r.provided));
        if (fewest && *fewest < r.bars.count)
            bars += " (minstens 2: één in elke hoek van de beugel)";
        if (r.standardAtBars)
            bars += "; " + standardText(*r.standardAtBars, limits, sep);
        lines.push_back(bars);
    }
    if (r.leastSteel)
        lines.push_back("  minst staal in één laag: " + barsText(r.leastSteel->bars) +
                        " (d = " + whole(r.leastSteel->d) + " mm)");
    else
        lines.push_back("  minst staal in één laag: geen staafdiameter haalt de aan te brengen As "
                        "in één laag");
}

} // namespace

std::string perMilleText(double value, int digits, char separator)
{
    return perMille(value, digits, separator);
}

std::pair<std::string, std::string> distinctStrains(double steel, double yield, char separator)
{
    return distinct(steel, yield, separator);
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
        lines.push_back("  rek: geen eigen rek; benadering neemt vloeiend staal en z = 0.9·d aan "
                        "en volgt het oordeel van parabool rechthoek, het standaardblok");
        if (s.verdict == Verdict::NotChecked) {
            lines.push_back("  " + noCheckText(s.reason));
        } else {
            const auto [steel, yield] = distinct(s.steelStrain, s.yieldStrain, sep);
            lines.push_back(s.verdict == Verdict::Yields
                                ? "  staal vloeit (volgens parabool rechthoek: εs = " + steel +
                                      " ‰ ≥ εyd = " + yield + " ‰)"
                                : "  staal vloeit niet (volgens parabool rechthoek: εs = " + steel +
                                      " ‰ < εyd = " + yield +
                                      " ‰, een controlewaarde): de aanname van vloeiend staal "
                                      "klopt niet");
        }
        lines.push_back(yieldLimitLine(model, column));
        unityLine(lines, model, limits, steps, column, sep);
        requiredLines(lines, model, limits, inputs, column);
        return lines;
    }
    const beam::Model stressBlock = column;
    strainLines(lines, stressBlock, model.strain, inputs);
    reinforcementLine(lines, stressBlock, model.strain);
    if (stressBlock == beam::Model::Parabolic && model.strain.verdict == Verdict::DoesNotYield &&
        limits.models[beam::index(beam::Model::ParabolaRectangle)].strain.verdict ==
            Verdict::Yields)
        lines.push_back("  bij " + perMille(3.5, 2, sep) +
                        " ‰ (parabool rechthoek) vloeit het staal wel: de doorsnede is niet te "
                        "zwaar gewapend");
    compatibleLine(lines, model, inputs);
    if (stressBlock != beam::Model::BiLinear && beam::lowerClassShapes(inputs.concreteClass))
        lines.push_back("  Let op: " + highClassNote(inputs.concreteClass, sep));
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
