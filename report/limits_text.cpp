#include "limits_text.h"

#include "materials.h"
#include "number_text.h"
#include "reinforcement.h"
#include "section_geometry.h"

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

// εc at the top, with where it comes from.
std::string topStrainText(beam::Model model, const beam::StrainState &s, int concreteClass,
                          char sep)
{
    const std::string value = perMille(s.topStrain, 10, sep);
    if (model == beam::Model::Parabolic)
        return "εc = " + value + " ‰ bovenaan (top van de parabool)";
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

std::string yieldLimitLine(const beam::ModelLimits &model, bool borrowed)
{
    const std::string from = borrowed ? " (van parabool rechthoek)" : "";
    if (!model.yieldLimit)
        return "  As,vloei: niet te bepalen, " + noCheckText(model.limitReason);
    if (*model.yieldLimit == 0)
        return "  As,vloei = 0 mm2" + from + ": al bij 1 mm2 vloeit het staal in dit model niet";
    return "  As,vloei = " + whole(*model.yieldLimit) + " mm2" + from +
           ": de grootste As waarbij het staal nog vloeit, de grens van de aanname σs = fyd; "
           "geen maximale wapening en geen taaiheidsgrens";
}

void requiredLines(std::vector<std::string> &lines, const beam::ModelLimits &model,
                   const beam::SectionLimits &limits, const beam::SectionInputs &inputs)
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
        if (r.stoppedByDepth)
            lines.push_back("  As,nodig: geen (met de drukzone binnen d haalt dit model "
                            "hoogstens " +
                            decimal(r.moment, 6, sep) + " kNm, bij As = " + whole(r.As) +
                            " mm2; bij meer staal reikt xu tot d en geeft het 0; MEd = " + MEd +
                            " kNm)");
        else
            lines.push_back("  As,nodig: geen (ook As = " + whole(r.As) + " mm2 geeft maar " +
                            decimal(r.moment, 6, sep) + " kNm < MEd = " + MEd + " kNm)");
        return;
    case Requirement::Found:
        break;
    }
    std::string line = "  As,nodig = " + whole(r.As) + " mm2 voor MEd = " + MEd +
                       " kNm (Mu vóór afkappen " + decimal(r.moment, 10, sep) + " kNm)";
    if (model.yieldLimit) {
        const std::string limit = "As,vloei = " + whole(*model.yieldLimit) + " mm2";
        line += r.withinYieldLimit ? "; binnen " + limit + ": het staal vloeit"
                                   : "; meer dan " + limit +
                                         ": het staal vloeit dan niet, dus buiten de aanname van "
                                         "dit model en niet geldig";
    }
    lines.push_back(line);
    if (!r.hasBars)
        return;
    const int phi = beam::barDiameter(inputs.barItem);
    std::string bars = "  staven: " + whole(r.bars.count) + " ø" + whole(phi) + " = " +
                       whole(r.bars.area) + " mm2";
    if (r.bars.count >= 2)
        bars += r.bars.fits
                    ? ", passen in één laag (vrije ruimte " + decimal(r.bars.clearSpacing, 3, sep) +
                          " mm, nodig " + decimal(r.bars.minimumSpacing, 3, sep) + " mm)"
                    : "; die passen niet naast elkaar in één laag (vrije ruimte " +
                          decimal(r.bars.clearSpacing, 3, sep) + " mm, nodig " +
                          decimal(r.bars.minimumSpacing, 3, sep) + " mm); d gaat uit van één laag";
    else if (!r.bars.fits)
        bars += "; die past niet tussen de beugels";
    lines.push_back(bars);
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
                                    const beam::SectionLimits &limits, int column)
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
        lines.push_back(yieldLimitLine(model, true));
        requiredLines(lines, model, limits, inputs);
        return lines;
    }
    const auto stressBlock = beam::Model(column);
    strainLines(lines, stressBlock, model.strain, inputs);
    if (stressBlock != beam::Model::BiLinear && beam::lowerClassShapes(inputs.concreteClass))
        lines.push_back("  Let op: voor " + className(inputs.concreteClass) +
                        " horen bij deze vorm kleinere grensrekken dan " +
                        perMille(model.strain.topStrain, 10, sep) +
                        " ‰; het venster rekent ook voor deze klasse met de vorm en de "
                        "constanten van de lagere klassen, en deze rek hoort bij die vorm, niet "
                        "bij " +
                        className(inputs.concreteClass) + ".");
    lines.push_back(yieldLimitLine(model, false));
    requiredLines(lines, model, limits, inputs);
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
            if (model.yieldLimit && !r.withinYieldLimit)
                summary += ", meer dan As,vloei";
        }
    }
    return summary;
}

std::vector<std::string> designNotes(const beam::SectionLimits &limits)
{
    if (!limits.designMoment)
        return {};
    return {"Niet gecontroleerd bij As,nodig: minimum- en maximumwapening, de staafafstand "
            "(alleen of de staven in één laag passen), een tweede laag, en de kleinere nuttige "
            "hoogte d die een tweede laag zou geven."};
}

} // namespace section
