#include "picture_text.h"

#include "limits_text.h"
#include "number_text.h"

#include <algorithm>
#include <cmath>

namespace section {

using numtext::decimal;
using numtext::whole;

namespace {

// The dimensions are whole millimetres, as typed; written through whole numbers, since the C++
// library of the WebAssembly build has no to_chars for doubles.
std::string number(double value)
{
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return whole(std::int64_t(value));
    return decimal(value, 17);
}

} // namespace

// A model without a strain of its own takes the verdict of the model whose strain it borrows, as
// the limits do. An invalid model gets none: its steel does not lie in a tension zone.
std::optional<bool> yieldsIn(const SectionGeometry &g, const beam::SectionLimits &limits,
                             beam::Model column)
{
    if (!beam::borrowsStrain(column) && !g.column(column).valid)
        return std::nullopt;
    // A strain past the neutral axis is a compression, not a steel strain to judge.
    if (borrowedZoneReachesSteel(g, column))
        return std::nullopt;
    switch (limits.models[beam::index(column)].strain.verdict) {
    case beam::Verdict::Yields:
        return true;
    case beam::Verdict::DoesNotYield:
        return false;
    case beam::Verdict::NotChecked:
        break;
    }
    return std::nullopt;
}

// A stress block's strain diagram, where it has a verdict and a zone inside d.
bool strainShown(const SectionGeometry &g, const beam::SectionLimits &limits, beam::Model column)
{
    if (beam::borrowsStrain(column) || !yieldsIn(g, limits, column))
        return false;
    const beam::StrainState &st = limits.models[beam::index(column)].strain;
    return g.column(column).hasBlock && st.xu > 0 && st.xu < st.d && st.d <= g.drawnDepth &&
           st.topStrain > 0 && st.steelStrain >= 0 && st.yieldStrain > 0 &&
           std::isfinite(st.topStrain + st.steelStrain + st.yieldStrain);
}

std::vector<std::string> columnResults(const beam::MomentTexts &texts, beam::Model column)
{
    const beam::ModelDescriptor &model = beam::descriptor(column);
    std::vector<std::string> lines{"Mu = " + texts[std::size_t(model.mu)] + " kNm"};
    if (model.xu)
        lines.push_back("xu = " + texts[std::size_t(*model.xu)] + " mm");
    lines.push_back("z/d = " + texts[std::size_t(model.z)]);
    return lines;
}

std::string shortReason(beam::ModelState state)
{
    return state == beam::ModelState::ZoneReachesDepth ? "ongeldig: xu ≥ d" : "ongeldig: z ≤ 0";
}

std::vector<std::string> invalidLines(beam::ModelState state)
{
    if (state == beam::ModelState::ZoneReachesDepth)
        return {"ongeldig:", "drukzone reikt", "tot het staal"};
    return {shortReason(state)};
}

bool borrowedZoneReachesSteel(const SectionGeometry &g, beam::Model column)
{
    if (!beam::borrowsStrain(column))
        return false;
    const ModelColumn &source = g.column(beam::strainSource(column));
    return !source.valid && source.state == beam::ModelState::ZoneReachesDepth;
}

std::string noRequiredReason(beam::Requirement outcome)
{
    switch (outcome) {
    case beam::Requirement::Unreachable:
        return "onhaalbaar";
    case beam::Requirement::NoSteel:
        return "geen, fyd ≤ 0";
    case beam::Requirement::NoSection:
    case beam::Requirement::Found:
        break;
    }
    return "geen doorsnede";
}

ModelVerdict modelVerdict(const beam::MomentSteps &steps, const beam::SectionLimits &limits,
                          beam::Model kind)
{
    if (!steps.guardPassed)
        return {"geen doorsnede", Tone::Invalid};
    const beam::ModelState state = steps.model(kind).state;
    if (state != beam::ModelState::Valid)
        return {shortReason(state), Tone::Invalid};
    const beam::ModelLimits &model = limits.models[beam::index(kind)];
    if (beam::borrowsStrain(kind) &&
        steps.model(beam::strainSource(kind)).state == beam::ModelState::ZoneReachesDepth)
        return {"drukzone reikt tot het staal", Tone::Warning};
    switch (model.strain.verdict) {
    case beam::Verdict::DoesNotYield:
        // Where the block ends at the concrete's ultimate strain, steel that does not yield is
        // the over-reinforced section; the whole parabola's 2.0 per mille is no failure.
        return {beam::concreteFailsAtTop(kind) ? "overgewapend" : "staal vloeit niet",
                Tone::Warning};
    case beam::Verdict::NotChecked:
        return {model.strain.reason == beam::NoCheck::NoSteel ? "geen trekstaal" : "niet getoetst",
                Tone::Warning};
    case beam::Verdict::Yields:
        break;
    }
    if (model.unity && model.unity->hasMoment)
        return model.unity->satisfied ? ModelVerdict{"voldoet", Tone::Ok}
                                      : ModelVerdict{"voldoet niet", Tone::Warning};
    if (model.unity)
        return {"geen moment", Tone::Warning};
    return {"staal vloeit", Tone::Ok};
}

namespace {

// What a column's strain diagram and its limit lines say, as sentences.
std::string limitSentences(const SectionGeometry &g, const beam::SectionLimits &limits,
                           beam::Model column, char separator)
{
    const beam::ModelLimits &model = limits.models[beam::index(column)];
    const beam::StrainState &st = model.strain;
    const std::optional<bool> yields = yieldsIn(g, limits, column);
    const std::string_view source = beam::descriptor(beam::strainSource(column)).name;
    std::string text;
    if (beam::borrowsStrain(column) && yields)
        text.append(" Geen eigen rek: ")
            .append(*yields ? "staal vloeit" : "staal vloeit niet")
            .append(", als ")
            .append(source) += '.';
    else if (borrowedZoneReachesSteel(g, column))
        text.append(" Geen eigen rek; bij ")
            .append(source)
            .append(" reikt de drukzone tot het staal, dus is Mu van ")
            .append(beam::descriptor(column).name) += " te gunstig.";
    if (strainShown(g, limits, column)) {
        const auto [steelText, yieldText] =
            distinctStrains(st.steelStrain, st.yieldStrain, separator);
        text += " Rek: εc = " + perMilleText(st.topStrain, 10, separator) +
                " ‰ bovenaan, 0 bij xu, εs = " + steelText +
                " ‰ bij het staal, εyd = " + yieldText + " ‰: ";
        text += *yields ? std::string("staal vloeit.")
                        : std::string("staal vloeit niet, dus σs < fyd; het model rekent met "
                                      "σs = fyd, zo is zijn Mu te gunstig.");
    } else if (!beam::borrowsStrain(column) && yields) {
        text += *yields ? " Staal vloeit." : " Staal vloeit niet.";
    }
    if (model.yieldLimit)
        text += " As,vloei = " + whole(*model.yieldLimit) + " mm2.";
    if (model.required) {
        const beam::RequiredArea &r = *model.required;
        if (r.outcome != beam::Requirement::Found)
            text += " As,nodig: " + noRequiredReason(r.outcome) + ".";
        else if (!beam::borrowsStrain(column) && model.yieldLimit && !r.withinYieldLimit)
            text += " As,nodig = " + whole(r.As) +
                    " mm2, meer dan As,vloei: het staal vloeit dan niet, buiten model.";
        else
            text += " As,nodig = " + whole(r.As) + " mm2.";
    }
    return text;
}

std::string chartSentence(const MomentChart &chart)
{
    if (chart.empty || chart.x.ticks.empty())
        return {};
    std::string text = " Grafiek: Mu (kNm) tegen As (mm2) van " + chart.x.ticks.front().label +
                       " tot " + chart.x.ticks.back().label +
                       " mm2 voor de vier modellen, doorgetrokken zolang het staal vloeit en "
                       "gestreept daarna";
    for (const beam::ModelDescriptor &model : beam::models) {
        const ChartCurve &curve = chart.curves[beam::index(model.model)];
        if (curve.endsInvalid && std::fabs(curve.end.As) < 1e15)
            text.append("; ").append(model.name) +=
                " stopt bij As = " + whole(std::int64_t(curve.end.As)) + " mm2, daarna xu ≥ d";
    }
    const double As = chart.current[0].at.As;
    if (std::fabs(As) < 1e15)
        text += "; de markeringen bij As = " + whole(std::int64_t(As)) +
                " mm2 tonen Mu zoals het venster";
    if (chart.hasDesignMoment)
        text += "; een stippellijn bij " + chart.designLabel +
                (chart.required.empty() ? std::string() : " met de punten van As,nodig");
    return text + ".";
}

} // namespace

std::string describePicture(const SectionGeometry &g, const beam::MomentTexts &texts,
                            const PictureLimits &extras)
{
    if (g.empty)
        return g.emptyText;
    std::string description =
        "Doorsnede van " + number(g.b) + " bij " + number(g.h) + " mm met " +
        std::to_string(g.bars.size()) + " staven van " + number(g.barDiameter) + " mm onderin, " +
        (g.stirrupDiameter > 0 ? "beugels van " + number(g.stirrupDiameter) + " mm"
                               : std::string("zonder beugels")) +
        ", dekking " + number(g.cover) + " mm en nuttige hoogte " + number(g.d) + " mm.";
    for (const beam::ModelDescriptor &model : beam::models) {
        const beam::Model i = model.model;
        const ModelColumn &m = g.column(i);
        description.append(" ").append(model.name).append(": ");
        const std::vector<std::string> lines = columnResults(texts, i);
        // An invalid model's xu and z/d are the window's zeros, which say nothing of its zone.
        for (std::size_t k = 0; k < (m.valid ? lines.size() : 1); ++k)
            description += (k ? ", " : "") + lines[k];
        if (!m.valid)
            description += m.state == beam::ModelState::ZoneReachesDepth
                               ? ", ongeldig: de drukzone reikt tot het staal (xu ≥ d)"
                               : ", " + shortReason(m.state);
        description += '.';
        if (extras.limits)
            description += limitSentences(g, *extras.limits, i, extras.separator);
    }
    if (extras.chart)
        description += chartSentence(*extras.chart);
    for (const std::string &note : g.notes)
        description += ' ' + note;
    return description;
}

} // namespace section
