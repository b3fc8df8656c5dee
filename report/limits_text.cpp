#include "limits_text.h"

#include "materials.h"
#include "number_text.h"
#include "reinforcement.h"
#include "section_geometry.h"

#include <charconv>
#include <cmath>

namespace section {

using numtext::decimal;
using numtext::whole;

namespace {

using beam::Requirement;
using beam::Verdict;

// No moment a section can give comes near this (about 10^22 kNm at most); a larger MEd is a
// slip of the keyboard, and keeping it finite keeps the chart's axis finite.
const ext::Extended largestDesignMoment = ext::fromDecimal("1", 30);

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A per mille value as a designer writes it: "2,0" rather than "2".
std::string perMille(double value, int digits, char separator)
{
    std::string text = decimal(value, digits, separator);
    if (text.find(separator) == text.npos && text.find('e') == text.npos &&
        text.find('n') == text.npos)
        text += std::string(1, separator) + "0";
    return text;
}

// Two strains with as many digits as it takes to show which is larger: at four digits 2.17496
// and 2.175 would read the same while the verdict tells them apart.
std::pair<std::string, std::string> distinct(double a, double b, char separator)
{
    for (int digits = 4; digits < 17; ++digits) {
        std::string x = perMille(a, digits, separator);
        std::string y = perMille(b, digits, separator);
        if (x != y || a == b)
            return {x, y};
    }
    return {perMille(a, 17, separator), perMille(b, 17, separator)};
}

// A whole number of hundredths (or tenths) as a decimal text with exactly that many places:
// "0.96", "1.00", "93.0".
std::string placesText(const ext::Extended &whole, int places, char separator)
{
    std::string digits = ext::wholeText(abs(whole));
    if (digits.find_first_not_of("0123456789") != digits.npos)
        return ext::wholeText(whole);
    if (digits.size() <= std::size_t(places))
        digits.insert(0, std::size_t(places) + 1 - digits.size(), '0');
    digits.insert(digits.size() - std::size_t(places), 1, separator);
    return (whole < 0 ? "-" : "") + digits;
}

// A moment in kNm with one decimal, rounded with ties to even: "93.0".
std::string tenthsText(double value, char separator)
{
    if (!std::isfinite(value))
        return decimal(value, 6, separator);
    return placesText(ext::roundHalfEven(ext::fromDouble(value) * ext::Extended(10)), 1, separator);
}

// The code's decimal texts ("2.29") with the window's separator.
std::string withSeparator(std::string_view text, char separator)
{
    std::string out(text);
    for (char &c : out)
        if (c == '.')
            c = separator;
    return out;
}

std::string spacingText(const beam::SpacingRule &rule)
{
    const char *term = rule.governs == beam::SpacingTerm::Diameter    ? "ø"
                       : rule.governs == beam::SpacingTerm::Aggregate ? "Dmax + 5 mm"
                                                                      : "20 mm";
    return "max(ø, Dmax + 5, 20) = max(" + whole(rule.diameter) + ", " + whole(rule.aggregate) +
           " + 5, 20) = " + whole(rule.minimum) + " mm; " + term + " bepaalt";
}

std::string className(int concreteClass)
{
    const auto concrete = beam::concreteClass(concreteClass);
    return concrete ? std::string(concrete->name) : "deze klasse";
}

std::string noCheckText(beam::NoCheck reason)
{
    switch (reason) {
    case beam::NoCheck::NoSection:
        return "geen doorsnede (d, b of fcd niet positief), dus geen rek om te toetsen";
    case beam::NoCheck::NoSteel:
        return "geen staalkracht (As of fyd is 0 of negatief), dus geen staalrek om te toetsen";
    case beam::NoCheck::NoModulus:
        return "Es is geen positief getal, dus εyd = fyd/Es is onbekend";
    case beam::NoCheck::NoFiniteZone:
        return "xu is 0 of niet eindig (fcd vrijwel 0 of enorm), dus geen rek te berekenen";
    case beam::NoCheck::None:
        break;
    }
    return {};
}

std::string highClassNote(int concreteClass, char sep)
{
    const auto concrete = beam::concreteClass(concreteClass);
    if (!concrete)
        return {};
    return "voor " + std::string(concrete->name) + " geeft NEN-EN 1992-1-1 tabel 3.1 εc2 = " +
           withSeparator(concrete->parabolaStrain, sep) +
           " ‰, εcu2 = " + withSeparator(concrete->ultimateStrain, sep) +
           " ‰ en n = " + withSeparator(concrete->exponent, sep) +
           " (alleen εcu2 is kleiner dan bij de lagere klassen); het venster rekent ook voor deze "
           "klasse met de vorm van de lagere klassen (εc2 = " +
           perMille(2, 2, sep) + " ‰, εcu2 = " + perMille(3.5, 2, sep) +
           " ‰, n = 2), en de rek hier hoort bij die vorm.";
}

// The same, in the few words a note under the drawing has room for.
std::string highClassShort(int concreteClass, char sep)
{
    const auto concrete = beam::concreteClass(concreteClass);
    if (!concrete)
        return {};
    return std::string(concrete->name) +
           ": parabolisch en parabool rechthoek rekenen met de vorm van de lagere klassen "
           "(εc2 = " +
           perMille(2, 2, sep) + " ‰, εcu2 = " + perMille(3.5, 2, sep) +
           " ‰, n = 2); tabel 3.1 geeft εc2 = " + withSeparator(concrete->parabolaStrain, sep) +
           " ‰, εcu2 = " + withSeparator(concrete->ultimateStrain, sep) +
           " ‰, n = " + withSeparator(concrete->exponent, sep) + ".";
}

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
               const beam::SectionLimits &limits, const beam::MomentSteps *steps, int column,
               char sep)
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
        line += " = " + decimal(beam::columnMoment(*steps, column), 6, sep) + " kNm";
    line += ")";
    if (!u.withinCapacity)
        line += ": MEd > MRd, onvoldoende";
    else if (!u.yields)
        line += ": MEd ≤ MRd, maar het staal vloeit niet, dus MRd geldt niet: onvoldoende";
    else
        line += ": MEd ≤ MRd en het staal vloeit: voldoet";
    lines.push_back(line);
}

std::string yieldLimitLine(const beam::ModelLimits &model, int column)
{
    const bool borrowed = column == beam::approximationColumn;
    const std::string from = borrowed ? " (van parabool rechthoek)" : "";
    if (!model.yieldLimit)
        return "  As,vloei: niet te bepalen, " + noCheckText(model.limitReason);
    if (*model.yieldLimit == 0)
        return "  As,vloei = 0 mm2" + from + ": al bij 1 mm2 vloeit het staal in dit model niet";
    const std::string head = "  As,vloei = " + whole(*model.yieldLimit) + " mm2" + from;
    if (borrowed || beam::Model(column) == beam::Model::Parabolic)
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
                   const beam::SectionLimits &limits, const beam::SectionInputs &inputs, int column)
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
    if (column == beam::approximationColumn) {
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

namespace {

// What a refusal quotes of the entry: enough to recognise it, never so much that the reason
// beside the field outgrows the view. Cut between characters, not inside one.
std::string quotedEntry(std::string_view text)
{
    constexpr std::size_t longest = 24;
    if (text.size() <= longest)
        return std::string(text);
    std::size_t end = longest;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end)) + "…";
}

} // namespace

DesignMomentEntry readDesignMoment(std::string_view text, char separator)
{
    DesignMomentEntry entry;
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty())
        return entry;
    const std::string example = "schrijf bijvoorbeeld 100 of 112" + std::string(1, separator) + "5";
    // parseReal reads a lone point or exponent as 0; a moment needs a digit of its own.
    const std::size_t mantissaEnd = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, mantissaEnd);
    bool digit = false;
    for (const char c : mantissa)
        digit = digit || isDigit(c);
    std::optional<ext::Extended> value;
    if (digit) {
        value = numtext::parseReal(text, separator);
        if (!value && separator != '.')
            value = numtext::parseReal(text, '.');
    }
    entry.status = DesignMomentEntry::Status::Rejected;
    if (!value) {
        entry.reason = "MEd \"" + quotedEntry(text) + "\" is geen getal; " + example + " (kNm).";
        return entry;
    }
    if (*value < 0) {
        entry.reason = "MEd moet 0 of groter zijn; " + example + " (kNm).";
        return entry;
    }
    if (!(*value <= largestDesignMoment)) {
        entry.reason = "MEd is groter dan 1e30 kNm; zo'n moment geeft geen doorsnede.";
        return entry;
    }
    entry.status = DesignMomentEntry::Status::Valid;
    entry.value = abs(*value); // "-0" is 0
    return entry;
}

std::vector<std::string> limitLines(const beam::SectionInputs &inputs,
                                    const beam::SectionLimits &limits, int column,
                                    const beam::MomentSteps *steps)
{
    std::vector<std::string> lines;
    if (column < 0 || column >= beam::modelColumnCount)
        return lines;
    const beam::ModelLimits &model = limits.models[std::size_t(column)];
    const char sep = inputs.decimalSeparator;
    if (column == beam::approximationColumn) {
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
    const auto stressBlock = beam::Model(column);
    strainLines(lines, stressBlock, model.strain, inputs);
    reinforcementLine(lines, stressBlock, model.strain);
    if (stressBlock == beam::Model::Parabolic && model.strain.verdict == Verdict::DoesNotYield &&
        limits.models[std::size_t(beam::columnOf(beam::Model::ParabolaRectangle))].strain.verdict ==
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

std::string limitSummary(const beam::SectionLimits &limits, int column)
{
    if (column < 0 || column >= beam::modelColumnCount)
        return {};
    const beam::ModelLimits &model = limits.models[std::size_t(column)];
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
            if (column != beam::approximationColumn && model.yieldLimit && !r.withinYieldLimit)
                summary += ", meer dan As,vloei";
        }
    }
    if (model.unity && model.unity->hasMoment)
        summary += ", MEd/MRd = " + placesText(model.unity->hundredths, 2, '.');
    return summary;
}

std::vector<std::string> designNotes(const beam::SectionLimits &limits)
{
    if (!limits.designMoment)
        return {};
    return {"Niet gecontroleerd bij As,nodig: een tweede laag en de kleinere nuttige hoogte d die "
            "die zou geven, de dwarskracht, de scheurwijdte en de doorbuiging."};
}

std::string unityText(const beam::UnityCheck &check, char separator)
{
    return placesText(check.hundredths, 2, separator);
}

std::vector<std::string> boundsLines(const beam::SectionInputs &inputs,
                                     const beam::SectionLimits &limits)
{
    const beam::ReinforcementBounds &b = limits.bounds;
    if (!b.known)
        return {"As,min en As,max: niet te bepalen (b, d of h is niet positief)"};
    const char sep = inputs.decimalSeparator;
    const ext::Extended fctm = ext::Extended(b.fctmTenths) / ext::Extended(10);
    const std::string fctmText = placesText(ext::Extended(b.fctmTenths), 1, sep);
    const ext::Extended ratio = b.tensileGoverns
                                    ? (ext::Extended(26) * fctm) / ext::Extended(100 * b.fyk)
                                    : ext::Extended(13) / ext::Extended(10000);
    const double exact = ext::toDouble(ratio * ext::Extended(inputs.b) * ext::Extended(inputs.d));
    std::vector<std::string> lines;
    lines.push_back("As,min = " + whole(b.minimum) +
                    " mm2: max(0.26·fctm/fyk, 0.0013)·b·d = max(0.26 × " + fctmText + " / " +
                    whole(b.fyk) + ", 0.0013) × " + whole(inputs.b) + " × " + whole(inputs.d) +
                    " = " + decimal(exact, 10, sep) +
                    " mm2, naar boven afgerond (NEN-EN 1992-1-1 9.2.1.1(1))");
    lines.push_back("As,max = " + whole(b.maximum) + " mm2: 0.04·b·h = 0.04 × " + whole(inputs.b) +
                    " × " + whole(inputs.H) + ", naar beneden afgerond (9.2.1.1(3))");
    const std::string As = "As = " + whole(inputs.As) + " mm2";
    if (inputs.As < b.minimum)
        lines.push_back(As + " ligt onder As,min: te weinig wapening");
    else if (inputs.As > b.maximum)
        lines.push_back(As + " ligt boven As,max: te veel wapening");
    else
        lines.push_back(As + " ligt tussen As,min en As,max");
    return lines;
}

std::vector<std::string> pictureNotes(const beam::SectionInputs &inputs,
                                      const beam::SectionLimits &limits)
{
    std::vector<std::string> notes;
    if (beam::lowerClassShapes(inputs.concreteClass))
        notes.push_back(highClassShort(inputs.concreteClass, inputs.decimalSeparator));
    const beam::ReinforcementBounds &b = limits.bounds;
    if (limits.designMoment && b.known) {
        const std::string where = inputs.As < b.minimum   ? "ligt eronder"
                                  : inputs.As > b.maximum ? "ligt erboven"
                                                          : "ligt ertussen";
        notes.push_back("As,min = " + whole(b.minimum) + " mm2, As,max = " + whole(b.maximum) +
                        " mm2; As = " + whole(inputs.As) + " mm2 " + where + ".");
    }
    return notes;
}

AggregateEntry readAggregate(std::string_view text)
{
    AggregateEntry entry;
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    const std::string range = "een heel getal van " + whole(beam::smallestAggregate) +
                              " tot en met " + whole(beam::largestAggregate) + " (mm)";
    bool digits = !text.empty();
    int value = 0;
    for (const char c : text) {
        digits = digits && isDigit(c);
        // Past the largest size the digits no longer matter; stopping keeps value in range.
        if (digits && value <= beam::largestAggregate)
            value = value * 10 + (c - '0');
    }
    if (text.empty()) {
        entry.reason = "Dmax ontbreekt; schrijf " + range + ".";
        return entry;
    }
    if (!digits) {
        entry.reason =
            "Dmax \"" + std::string(text) + "\" is geen heel getal; schrijf " + range + ".";
        return entry;
    }
    if (value < beam::smallestAggregate || value > beam::largestAggregate) {
        entry.reason = "Dmax moet " + range + " zijn.";
        return entry;
    }
    entry.value = value;
    return entry;
}

} // namespace section
