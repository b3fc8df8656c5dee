// The section's picture painted with QPainter: on screen, to the printer, to PDF, SVG and PNG.
// The layout decides where everything goes (picture_layout.h); this only paints the list.
#pragma once

#include "display_list.h"
#include "moment.h"
#include "picture_layout.h"
#include "section_geometry.h"
#include "text_metrics.h"

#include <QFontMetricsF>

class QFont;
class QPaintDevice;
class QPainter;
class QRectF;

namespace section {

// A font as the layout's text metrics, measured for the device it will be painted on.
class FontMetrics final : public TextMetrics
{
public:
    FontMetrics(const QFont &font, const QPaintDevice *device);
    double lineHeight() const override;
    double ascent() const override;
    double advance(std::string_view utf8) const override;

private:
    QFontMetricsF m_metrics;
};

// Paints the list in the painter's coordinates, its texts in the painter's font: the font the
// list was laid out with. A text that renders wider than its box is squeezed into it.
void paintPicture(QPainter &painter, const DisplayList &list);

// Paints a list laid out for `target` there, clipped to it.
void paintPictureAt(QPainter &painter, const QRectF &target, const DisplayList &list);

// Lays the picture out for `target` with the painter's font and paints it there; returns what
// it painted.
DisplayList paintSectionPicture(QPainter &painter, const QRectF &target,
                                const SectionGeometry &geometry, const beam::MomentTexts &texts,
                                const PictureOptions &options = {},
                                const PictureLimits &extras = {});

} // namespace section
