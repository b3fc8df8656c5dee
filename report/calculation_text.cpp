#include "calculation_text.h"

#include "limits_text.h"
#include "materials.h"
#include "number_text.h"
#include "reinforcement.h"

namespace section {

using numtext::decimal;
using numtext::whole;

namespace {

constexpr int digits = 10;

std::string padded(const std::string &text, std::size_t width)
{
    // Widths count characters; every text padded here is ASCII.
    return text.size() < width ? text + std::string(width - text.size(), ' ') : text + ' ';
}

} // namespace

std::string invalidReason(const beam::ModelSteps &model, double d, char separator)
{
    if (model.state == beam::ModelState::ZoneReachesDepth)
        return "ongeldig: de drukzone reikt tot d of verder (xu = " +
               decimal(model.xu, digits, separator) + " mm ≥ d = " + decimal(d, digits, separator) +
               " mm)";
    return "ongeldig: de hefboomsarm is niet positief (z = " + decimal(model.z, digits, separator) +
           " mm)";
}

std::string calculationText(const beam::SectionInputs &inputs, const beam::MomentSteps &steps,
                            const SectionGeometry &geometry, const beam::SectionLimits *limits,
                            std::string_view designMomentReason)
{
    const char sep = inputs.decimalSeparator;
    const auto num = [sep](double value) {
        return decimal(value, digits, sep);
    };
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
    line("Doorsnede b × h = " + whole(inputs.b) + " × " + whole(inputs.H) + " mm, dekking c = " +
         whole(inputs.c) + " mm, beugels " + (s > 0 ? "ø" + whole(s) + " mm" : "geen") + ", " +
         whole(inputs.barCount) + " staven ø" + whole(beam::barDiameter(inputs.barItem)) + " mm");
    line("Beton " + std::string(concrete ? concrete->name : "?") + ": fcd = " + inputs.fcdText +
         " N/mm2; betonstaal " + std::string(steel ? steel->name : "?") +
         ": fyd = " + inputs.fydText + " N/mm2");
    line("As = " + whole(inputs.As) + " mm2, d = " + whole(inputs.d) + " mm");
    for (const std::string &note : geometry.notes)
        line("Let op: " + note);
    line("");

    if (!steps.guardPassed) {
        line(geometry.emptyText.empty() ? "Geen doorsnede." : geometry.emptyText);
        line("De velden tonen Mu en xu 0 en z/d nan.");
    } else {
        line("Staalkracht As·fyd = " + whole(inputs.As) + " × " + num(steps.fyd) + " = " +
             num(steps.steelForce) + " N");
        line("Wapeningspercentage As/(b·d) = " + whole(inputs.As) + " / (" + whole(inputs.b) +
             " × " + whole(inputs.d) +
             ") = " + decimal(100.0 * inputs.As / (steps.b * steps.d), 4, sep) + " %");
        if (limits)
            for (const std::string &text : boundsLines(inputs, *limits))
                line(text);
        for (const beam::ModelDescriptor &model : beam::models) {
            const beam::ModelSteps &computed = steps.model(model.model);
            const std::string name(model.name);
            line("");
            if (!model.xu) {
                line(name + ": z = 0.9·d");
                line("  Mu = As·fyd·0.9·d = " + whole(steps.approxForce) + " × 0.9 × " +
                     whole(inputs.d) + " / 10^6 = " + num(computed.moment) + " kNm");
                line("  venster: Mu = " + t[model.mu] + " kNm (afgekapt), z/d = " + t[model.z]);
                limitsOf(model);
                continue;
            }
            const std::string alpha(computed.constants.alphaText);
            const std::string beta(computed.constants.betaText);
            line(name + ": α = " + alpha + ", β = " + beta);
            line("  xu = As·fyd / (α·b·fcd) = " + num(steps.steelForce) + " / (" + alpha + " × " +
                 num(steps.b) + " × " + num(steps.fcd) + ") = " + num(computed.xu) +
                 " mm; xu/d = " + decimal(computed.xu / steps.d, 4, sep));
            line("  z = d − β·xu = " + num(steps.d) + " − " + beta + " × " + num(computed.xu) +
                 " = " + num(computed.z) + " mm");
            if (computed.state != beam::ModelState::Valid) {
                line("  " + invalidReason(computed, steps.d, sep));
            } else {
                line("  Mu = As·fyd·z = " + num(steps.steelForce) + " × " + num(computed.z) +
                     " / 10^6 = " + num(computed.moment) + " kNm");
                line("  100·z/d = " + decimal(100.0 * computed.z / steps.d, 6, sep) +
                     ", afgerond op hele honderdsten");
            }
            line("  venster: Mu = " + t[model.mu] + " kNm, xu = " + t[*model.xu] +
                 " mm (beide afgekapt), z/d = " + t[model.z]);
            limitsOf(model);
        }
        if (limits) {
            const std::vector<std::string> notes = designNotes(*limits);
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
