#pragma once

#include "moment.h"
#include "section_geometry.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPaintDevice;
class QPainter;

namespace section {

// What one drawing shows: the geometry and the eleven result texts of the same run.
struct Picture {
    SectionGeometry geometry;
    beam::MomentTexts texts;
};

// The drawing's colours.
inline constexpr QRgb concreteColour = qRgb(236, 236, 230);
inline constexpr QRgb steelColour = qRgb(40, 40, 40);
inline constexpr QRgb blockColour = qRgba(120, 160, 215, 160);
inline constexpr QRgb invalidColour = qRgb(190, 30, 30);
inline constexpr QRgb forceColour = qRgb(20, 90, 40);

// Where the parts of a drawing stand in its target, in the painter's units: the section to one
// scale across and down, its dimensions at its sides, and the four model columns at its right
// at the same vertical scale, with the results below them and the notes at the bottom.
struct Layout {
    QFont font;       // the painter's font, made smaller where the target is narrow
    double line = 0;  // the height of a line of text
    double hair = 0;  // the width of the thinnest line
    QRectF area;      // the target less its margin
    double scale = 0; // painter units per millimetre; 0 where nothing can be drawn
    QPointF origin;   // the section's top left corner
    double columnsLeft = 0;
    double columnWidth = 0;
    double notesHeight = 0;

    bool drawable() const;
    // A point given in millimetres from the section's top left corner.
    QPointF at(double x, double y) const { return origin + QPointF(x, y) * scale; }
    double x(double mm) const { return origin.x() + mm * scale; }
    double y(double mm) const { return origin.y() + mm * scale; }
    double columnLeft(beam::Model model) const;
    // The column's zero-stress line, from which its block extends to the right.
    double axis(beam::Model model) const;
    double blockWidth() const; // the width that stands for fcd
};

// Places the geometry in `target` on `device`, starting from `font`.
Layout layOut(const SectionGeometry &geometry, const QRectF &target, const QFont &font,
              const QPaintDevice *device);

// Paints the section and its four model columns into `target`, in the painter's units; the
// same for the screen, the printer, PDF, SVG and PNG. Text sizes follow the painter's font.
void paintSection(QPainter &painter, const QRectF &target, const Picture &picture);

// A sentence that says what the drawing shows, for screen readers.
QString describe(const Picture &picture);

} // namespace section
