#include "calculation_text.h"

#include "materials.h"
#include "reinforcement.h"

#include <charconv>

namespace section {
namespace {

constexpr int digits = 10;

std::string whole(std::int64_t value)
{
    char buffer[24];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

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
                            const SectionGeometry &geometry)
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
             ") = " + decimal(100.0 * inputs.As / (steps.b * steps.d), 4, sep) +
             " % (ter informatie; geen controle op minimum en maximum)");
        line("");
        line("benadering: z = 0.9·d");
        line("  Mu = As·fyd·0.9·d = " + whole(steps.approxForce) + " × 0.9 × " + whole(inputs.d) +
             " / 10^6 = " + num(steps.approxMoment) + " kNm");
        line("  venster: Mu = " + t[beam::Mu0] + " kNm (afgekapt), z/d = " + t[beam::Z0]);
        const beam::ResultField fields[3][3] = {{beam::Mu1, beam::Xu1, beam::Z1},
                                                {beam::Mu2, beam::Xu2, beam::Z2},
                                                {beam::Mu3, beam::Xu3, beam::Z3}};
        for (int m = 0; m < beam::StressBlockModelCount; ++m) {
            const beam::ModelSteps &model = steps.models[std::size_t(m)];
            line("");
            line(std::string(columnNames[std::size_t(m + 1)]) +
                 ": α = " + std::string(model.alphaText) + ", β = " + std::string(model.betaText));
            line("  xu = As·fyd / (α·b·fcd) = " + num(steps.steelForce) + " / (" +
                 std::string(model.alphaText) + " × " + num(steps.b) + " × " + num(steps.fcd) +
                 ") = " + num(model.xu) + " mm; xu/d = " + decimal(model.xu / steps.d, 4, sep));
            line("  z = d − β·xu = " + num(steps.d) + " − " + std::string(model.betaText) + " × " +
                 num(model.xu) + " = " + num(model.z) + " mm");
            const auto &f = fields[m];
            if (model.state != beam::ModelState::Valid) {
                line("  " + invalidReason(model, steps.d, sep));
            } else {
                line("  Mu = As·fyd·z = " + num(steps.steelForce) + " × " + num(model.z) +
                     " / 10^6 = " + num(model.moment) + " kNm");
                line("  100·z/d = " + decimal(100.0 * model.z / steps.d, 6, sep) +
                     ", afgerond op hele honderdsten");
            }
            line("  venster: Mu = " + t[f[0]] + " kNm, xu = " + t[f[1]] +
                 " mm (beide afgekapt), z/d = " + t[f[2]]);
        }
    }

    // The eleven fields as the main window shows them, in its own arrangement.
    line("");
    line("Uitkomsten, zoals in het hoofdvenster:");
    const std::size_t w = 12;
    line(padded("", 10) + padded("benadering", w) + padded("parabolisch", w) +
         padded("bi_lineair", w) + "parabool rechthoek");
    line(padded("Mu (kNm)", 10) + padded(t[beam::Mu0], w) + padded(t[beam::Mu1], w) +
         padded(t[beam::Mu2], w) + t[beam::Mu3]);
    line(padded("xu (mm)", 10) + padded("", w) + padded(t[beam::Xu1], w) + padded(t[beam::Xu2], w) +
         t[beam::Xu3]);
    line(padded("z/d", 10) + padded(t[beam::Z0], w) + padded(t[beam::Z1], w) +
         padded(t[beam::Z2], w) + t[beam::Z3]);
    return out;
}

} // namespace section
