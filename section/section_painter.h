// The section's drawing as the view, the printer and the exports paint it. Where everything
// stands is decided without Qt (picture_layout.h), the same for the browser page.
#pragma once

#include "display_list.h"
#include "model_limits.h"
#include "moment.h"
#include "moment_chart.h"
#include "section_geometry.h"

#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

namespace section {

// What one drawing shows: the geometry and the eleven result texts of the same run, and,
// where the view has them, where each model holds and the moment–reinforcement chart.
struct Picture {
    SectionGeometry geometry;
    beam::MomentTexts texts;
    std::optional<beam::SectionLimits> limits;
    std::optional<MomentChart> chart;
    std::vector<std::string> notes; // pictureNotes of the same section
};

// Paints the section, its four model columns and, with the limits, the strain diagrams and
// the chart into `target`, in the painter's units and its font; the same for the screen, the
// printer, PDF, SVG and PNG. Returns what it painted, where.
DisplayList paintSection(QPainter &painter, const QRectF &target, const Picture &picture);

// A sentence that says what the drawing shows, for screen readers.
QString describe(const Picture &picture);

} // namespace section
