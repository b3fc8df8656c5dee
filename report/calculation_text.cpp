#include "calculation_text.h"

#include "limits_text.h"
#include "materials.h"
#include "number_text.h"
#include "reinforcement.h"
#include "section_words.h"

namespace section {

using numtext::decimal;
using numtext::formatInteger;
using numtext::whole;

namespace {

std::string padded(const std::string &text, std::size_t width)
{
    // Widths count characters; every text padded here is ASCII.
    return text.size() < width ? text + std::string(width - text.size(), ' ') : text + ' ';
}

std::vector<std::string> boundsLines(const beam::SectionInputs &inputs,
                                     const beam::SectionLimits &limits)
{
    const beam::ReinforcementBounds &b = limits.bounds;
    if (!b.known)
        return {"As,min en As,max: niet te bepalen (b, d of h is niet positief)"};
    const char sep = inputs.decimalSeparator;
    const ext::Extended fctm = ext::Extended(b.fctmTenths) / ext::Extended(10);
    const ext::Extended ratio = b.tensileGoverns
                                    ? (ext::Extended(26) * fctm) / ext::Extended(100 * b.fyk)
                                    : ext::Extended(13) / ext::Extended(10000);
    const double least = ext::toDouble(ratio * ext::Extended(inputs.b) * ext::Extended(inputs.d));
    const std::string minimum = roundedUpText(least, b.minimum, sep);
    const double most = ext::toDouble(ext::Extended(4) * ext::Extended(inputs.b) *
                                      ext::Extended(inputs.H) / ext::Extended(100));
    std::vector<std::string> lines;
    lines.push_back("As,min = max(0.26·fctm/fyk; 0.0013)·b·d = max(0.26 × " +
                    words::placesText(ext::Extended(b.fctmTenths), 1, sep) + " / " + whole(b.fyk) +
                    "; 0.0013) × " + whole(inputs.b) + " × " + formatInteger(inputs.d));
    lines.push_back("       = " + minimum + " mm², naar boven afgerond: As,min = " +
                    whole(b.minimum) + " mm² (NEN-EN 1992-1-1, 9.2.1.1(1))");
    std::string maximum =
        "As,max = 0.04·b·h = 0.04 × " + whole(inputs.b) + " × " + whole(inputs.H) + " = ";
    if (most == double(b.maximum))
        maximum += whole(b.maximum) + " mm²";
    else
        maximum += fixedText(most, 2, sep) +
                   " mm², naar beneden afgerond: As,max = " + whole(b.maximum) + " mm²";
    lines.push_back(maximum + " (9.2.1.1(3))");
    const std::string As = "As = " + formatInteger(inputs.As) + " mm²";
    if (inputs.As < b.minimum)
        lines.push_back(As + " ligt onder As,min: te weinig wapening.");
    else if (inputs.As > b.maximum)
        lines.push_back(As + " ligt boven As,max: te veel wapening.");
    else
        lines.push_back(As + " ligt tussen As,min en As,max.");
    return lines;
}

// The high classes' own diagram, against the lower classes' shape the blocks keep.
std::vector<std::string> highClassLines(int concreteClass, char sep)
{
    const auto concrete = beam::concreteClass(concreteClass);
    if (!concrete || !beam::lowerClassShapes(concreteClass))
        return {};
    const auto strain = [sep](std::string_view table) {
        const auto value = numtext::parseRealAsDouble(table);
        return value ? strainText(*value, sep) : words::withSeparator(table, sep);
    };
    return {"Let op: voor " + std::string(concrete->name) +
                " geeft NEN-EN 1992-1-1 tabel 3.1 εc2 = " + strain(concrete->parabolaStrain) +
                " ‰, εcu2 = " + strain(concrete->ultimateStrain) +
                " ‰ en n = " + words::withSeparator(concrete->exponent, sep) + ".",
            "Parabolisch en parabool rechthoek rekenen hier met de vorm van de lagere klassen:",
            "εc2 = " + strainText(2, sep) + " ‰, εcu2 = " + strainText(3.5, sep) + " ‰, n = 2."};
}

bool anyStoppedByDepth(const beam::SectionLimits &limits)
{
    for (const beam::ModelLimits &model : limits.models)
        if (model.required && model.required->outcome == beam::Requirement::Unreachable &&
            model.required->stoppedByDepth)
            return true;
    return false;
}

} // namespace

std::string invalidReason(const beam::ModelSteps &model, double d, char separator)
{
    if (model.state == beam::ModelState::ZoneReachesDepth)
        return "ongeldig: xu = " + fixedText(model.xu, 1, separator) +
               " mm ≥ d = " + decimal(d, 10, separator) +
               " mm, de drukzone reikt tot het staal: geen Mu";
    return "ongeldig: z = " + fixedText(model.z, 1, separator) +
           " mm, geen positieve hefboomsarm: geen Mu";
}

std::string calculationText(const beam::SectionInputs &inputs, const beam::MomentSteps &steps,
                            const SectionGeometry &geometry, const beam::SectionLimits *limits,
                            std::string_view designMomentReason)
{
    const char sep = inputs.decimalSeparator;
    const beam::MomentTexts &t = steps.texts;
    std::string out;
    const auto line = [&out](const std::string &text) {
        out += text + '\n';
    };
    const auto limitsOf = [&](const beam::ModelDescriptor &model) {
        if (limits)
            for (const std::string &text : limitLines(inputs, *limits, model.model, &steps))
                line(text);
    };

    const auto concrete = beam::concreteClass(inputs.concreteClass);
    const auto steel = beam::steelGrade(inputs.steelGrade);
    const int s = beam::stirrupDiameter(inputs.stirrupItem);
    // As and d as the window's own fields write them.
    const std::string As = formatInteger(inputs.As);
    const std::string d = formatInteger(inputs.d);
    line("Doorsnede b × h = " + whole(inputs.b) + " × " + whole(inputs.H) +
         " mm, dekking c = " + whole(inputs.c) + " mm, " +
         (s > 0 ? "beugels ø" + whole(s) + " mm" : "geen beugels") + ", " + whole(inputs.barCount) +
         " staven ø" + whole(beam::barDiameter(inputs.barItem)) + " mm");
    line("Beton " + std::string(concrete ? concrete->name : "?") + ": fcd = " + inputs.fcdText +
         " N/mm²; betonstaal " + std::string(steel ? steel->name : "?") +
         ": fyd = " + inputs.fydText + " N/mm²");
    line("As = " + As + " mm², d = " + d + " mm");
    for (const std::string &note : geometry.notes)
        line("Let op: " + note);
    line("");

    if (!steps.guardPassed) {
        // The drawing's reason says what the window shows then.
        line(geometry.emptyText.empty() ? "Geen doorsnede: het hoofdvenster toont Mu en xu 0 en "
                                          "z/d nan."
                                        : geometry.emptyText);
    } else {
        const std::string fyd = inputs.fydText;
        const std::string fcd = inputs.fcdText;
        const std::string b = whole(inputs.b);
        line("Staalkracht As·fyd = " + As + " × " + fyd + " = " +
             figuresText(steps.steelForce / 1000, 3, sep) + " kN");
        line("Wapeningspercentage As/(b·d) = " + As + " / (" + b + " × " + d +
             ") = " + figuresText(100.0 * inputs.As / (steps.b * steps.d), 3, sep) + " %");
        if (limits) {
            for (const std::string &text : boundsLines(inputs, *limits))
                line(text);
            // εyd = fyd/Es is the same for every model: any model's strain holds it.
            const beam::StrainState &strain = limits->models.front().strain;
            if (strain.Es > 0 && strain.yieldStrain > 0)
                line("Vloeirek van het staal εyd = fyd/Es = " + decimal(strain.fyd, 10, sep) +
                     " / " + decimal(strain.Es, 10, sep) + " = " +
                     strainText(strain.yieldStrain, sep) + " ‰");
            if (limits->designMoment) {
                line("MEd = " + numtext::formatGeneral(*limits->designMoment, 15, sep) +
                     " kNm; As,nodig is de kleinste hele As met Mu ≥ MEd.");
                line("Vrije ruimte tussen staven: " +
                     words::spacingText(
                         beam::spacingRule(beam::barDiameter(inputs.barItem), limits->aggregate)));
            }
            for (const std::string &text : highClassLines(inputs.concreteClass, sep))
                line(text);
            line("");
            line("Elk model rekent met σs = fyd; dat klopt zolang het staal vloeit: εs ≥ εyd.");
            line("As,vloei is de grootste As waarbij het staal nog vloeit; het is geen As,max.");
            line("Bij bi_lineair en parabool rechthoek is het de gebalanceerde wapening (xu/d = "
                 "ξbal):");
            line("daaronder is de doorsnede ondergewapend, daarboven overgewapend.");
        } else {
            line("");
        }
        line("Gerekend is steeds met de onafgeronde tussenwaarden; de tekst toont ze afgerond.");
        for (const beam::ModelDescriptor &model : beam::models) {
            const beam::ModelSteps &computed = steps.model(model.model);
            const std::string name(model.name);
            line("");
            if (!model.xu) {
                const std::string z = fixedText(computed.z, 1, sep);
                line(name + ": z = 0.9·d = 0.9 × " + d + " = " + z + " mm");
                line("  Mu = As·fyd·z = " + As + " × " + fyd + " × " + z +
                     " / 10^6 = " + momentText(computed.moment, t[model.mu], sep) + " kNm");
                limitsOf(model);
                continue;
            }
            const std::string alpha(computed.constants.alphaText);
            const std::string beta(computed.constants.betaText);
            line(name + ": α = " + alpha + ", β = " + beta);
            const bool valid = computed.state == beam::ModelState::Valid;
            const std::string xu =
                valid ? depthText(computed.xu, t[*model.xu], sep) : depthText(computed.xu, "", sep);
            line("  xu = As·fyd / (α·b·fcd) = " + As + " × " + fyd + " / (" + alpha + " × " + b +
                 " × " + fcd + ") = " + xu + " mm");
            if (computed.state == beam::ModelState::ZoneReachesDepth) {
                line("  " + invalidReason(computed, steps.d, sep));
            } else {
                const std::string z = fixedText(computed.z, 1, sep);
                std::string lever =
                    "  z = d − β·xu = " + d + " − " + beta + " × " + xu + " = " + z + " mm";
                if (valid)
                    lever += "; z/d = " + leverRatioText(computed.z / steps.d, t[model.z], sep);
                line(lever);
                if (valid)
                    line("  Mu = As·fyd·z = " + As + " × " + fyd + " × " + z +
                         " / 10^6 = " + momentText(computed.moment, t[model.mu], sep) + " kNm");
                else
                    line("  " + invalidReason(computed, steps.d, sep));
            }
            limitsOf(model);
        }
        if (limits) {
            std::vector<std::string> notes = designNotes(*limits);
            if (anyStoppedByDepth(*limits))
                notes.push_back("Waar geen As,nodig is: kies een hogere of bredere doorsnede, een "
                                "hogere betonklasse of drukwapening.");
            if (!notes.empty())
                line("");
            for (const std::string &note : notes)
                line(note);
        }
    }
    if (!designMomentReason.empty()) {
        line("");
        line(std::string(designMomentReason) + " Geen As,nodig.");
    }

    // The eleven fields as the main window shows them, in its own arrangement.
    line("");
    line("Uitkomsten, zoals in het hoofdvenster:");
    line("Het hoofdvenster kapt Mu en xu af op hele kNm en mm en rondt z/d af op twee "
         "decimalen.");
    // Every column but the last is padded to one width.
    const auto row = [&line](const std::string &caption, const auto &cell) {
        std::string text = padded(caption, 10);
        for (const beam::ModelDescriptor &model : beam::models)
            text += &model == &beam::models.back() ? cell(model) : padded(cell(model), 12);
        line(text);
    };
    row("", [](const beam::ModelDescriptor &model) { return std::string(model.name); });
    row("Mu (kNm)", [&t](const beam::ModelDescriptor &model) { return t[model.mu]; });
    row("xu (mm)", [&t](const beam::ModelDescriptor &model) {
        return model.xu ? t[*model.xu] : std::string();
    });
    row("z/d", [&t](const beam::ModelDescriptor &model) { return t[model.z]; });
    return out;
}

} // namespace section
