#include "section_words.h"

#include "limits_text.h"
#include "materials.h"
#include "number_text.h"

#include <charconv>
#include <cmath>

namespace section {

using numtext::decimal;
using numtext::whole;

namespace words {

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

std::string modelName(beam::Model model)
{
    return std::string(beam::descriptor(model).name);
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

} // namespace words

using namespace words;

std::vector<std::string> designNotes(const beam::SectionLimits &limits)
{
    if (!limits.designMoment)
        return {};
    return {"Niet gecontroleerd bij As,nodig: tweede laag (kleinere d), dwarskracht, scheurwijdte, "
            "doorbuiging."};
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

} // namespace section
