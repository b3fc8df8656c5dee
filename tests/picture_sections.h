#pragma once

// Sections as the main window would hand them to the view: a few inputs, the rest derived by
// the window's own rules, and the one moment run behind both the drawing and the texts.

#include "limits_text.h"
#include "materials.h"
#include "model_limits.h"
#include "moment.h"
#include "moment_chart.h"
#include "picture_layout.h"
#include "reinforcement.h"
#include "section_geometry.h"
#include "section_inputs.h"

#include <string>

struct PictureSection {
    int concreteClass = 0; // C12/15
    int barItem = 3;       // 12 mm
    int stirrupItem = 1;   // 8 mm
    int barCount = 4;
    int b = 200;
    int h = 500;
    int cover = 15;
    int typedAs = -1; // as computed from the bars unless typed

    beam::SectionInputs inputs() const
    {
        beam::SectionInputs s;
        s.concreteClass = concreteClass;
        s.steelGrade = 2;
        s.fydText = std::string(beam::steelGrades[2].fyd);
        s.fcdText = std::string(beam::concreteClasses[std::size_t(concreteClass)].fcd);
        s.barItem = barItem;
        s.stirrupItem = stirrupItem;
        s.barCount = barCount;
        s.As = typedAs >= 0 ? typedAs : beam::steelArea(barItem, barCount);
        s.d = beam::effectiveDepth(barItem, stirrupItem, h, cover);
        s.b = b;
        s.H = h;
        s.c = cover;
        return s;
    }

    std::string name() const
    {
        return std::string(beam::concreteClasses[std::size_t(concreteClass)].name) + ", b " +
               std::to_string(b) + ", h " + std::to_string(h) + ", c " + std::to_string(cover) +
               ", " + std::to_string(barCount) + " x " +
               std::to_string(beam::barDiameter(barItem)) + " mm, stirrup " +
               std::to_string(beam::stirrupDiameter(stirrupItem)) + " mm";
    }
};

struct PictureData {
    section::SectionGeometry geometry;
    beam::MomentTexts texts;
};

inline PictureData pictureData(const PictureSection &section)
{
    const beam::SectionInputs inputs = section.inputs();
    const beam::MomentSteps steps = beam::computeMomentSteps(inputs.momentInputs());
    return {section::sectionGeometry(inputs, steps), steps.texts};
}

// Where the models of the same run hold, and the chart, with an optional design moment.
struct PictureExtras {
    beam::SectionLimits limits;
    section::MomentChart chart;
    section::PictureLimits pointers() const { return {&limits, &chart, '.', {}}; }
};

inline PictureExtras pictureExtras(const PictureSection &section, const std::string &MEd = {})
{
    const beam::SectionInputs inputs = section.inputs();
    const beam::MomentSteps steps = beam::computeMomentSteps(inputs.momentInputs());
    PictureExtras extras;
    extras.limits =
        beam::sectionLimits(inputs, steps, "2.0e5", section::readDesignMoment(MEd, '.').value);
    extras.chart = section::momentChart(inputs, steps, extras.limits);
    return extras;
}
