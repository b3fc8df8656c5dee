// The section's drawing as the view, the printer and the exports paint it. Where everything
// stands is decided without Qt (picture_layout.h), the same for the browser page.
#pragma once

#include "display_list.h"
#include "model_limits.h"
#include "moment.h"
#include "moment_chart.h"
#include "section_geometry.h"

#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

class QFont;
class QPaintDevice;
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

// Where paintSection would put everything in a target of `size`, with `font` measured on
// `device`.
DisplayList layoutSection(const Picture &picture, const QSizeF &size, const QFont &font,
                          const QPaintDevice *device);

// The picture of the view on screen, which is painted far more often than it changes: it keeps
// the layout of its last paint, and lays the picture out again only for a new picture, another
// size, another font or another resolution.
class SectionPainter
{
public:
    void setPicture(Picture picture);
    const Picture &picture() const { return m_picture; }
    const DisplayList &paint(QPainter &painter, const QRectF &target);
    // How often it has laid the picture out.
    int layouts() const { return m_layouts; }

private:
    Picture m_picture;
    std::optional<DisplayList> m_list;
    QSizeF m_size;
    QFont m_font;
    int m_dpiX = 0;
    int m_dpiY = 0;
    int m_layouts = 0;
};

// A sentence that says what the drawing shows, for screen readers.
QString describe(const Picture &picture);

} // namespace section
