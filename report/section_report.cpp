#include "section_report.h"

#include "calculation_text.h"
#include "materials.h"

namespace section {

SectionReport makeReport(const beam::SectionResult &result, std::string_view designMomentText,
                         char separator, int aggregate)
{
    SectionReport report;
    report.result = result;
    const beam::SectionInputs &inputs = report.result.inputs;
    const beam::MomentSteps &steps = report.result.steps;
    report.designMomentText = designMomentText;
    report.designMoment = readDesignMoment(designMomentText, separator);
    report.geometry = sectionGeometry(inputs, steps, aggregate);
    // The limits take up to some hundred runs of the models: once per report, never per paint.
    const auto steel = beam::steelGrade(inputs.steelGrade);
    report.limits = beam::sectionLimits(inputs, steps, steel ? steel->Es : std::string_view(),
                                        report.designMoment.value, aggregate);
    report.chart = momentChart(inputs, steps, report.limits);
    report.calculation =
        calculationText(inputs, steps, report.geometry, &report.limits, report.designMoment.reason);
    report.description = describePicture(report.geometry, steps.texts);
    if (steps.guardPassed)
        for (const beam::ModelDescriptor &model : beam::models)
            report.limitSummaries.push_back(std::string(model.name) + ": " +
                                            limitSummary(report.limits, model.model) + '.');
    for (const beam::Model model : beam::allModels)
        report.modelLines[beam::index(model)] = limitLines(inputs, report.limits, model, &steps);
    report.designNotes = designNotes(report.limits);
    report.pictureNotes = pictureNotes(inputs, report.limits);
    return report;
}

} // namespace section
