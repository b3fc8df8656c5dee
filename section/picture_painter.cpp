#include "picture_painter.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace section {
namespace {

QColor qColour(Role role)
{
    const Rgba c = colourOf(role);
    return QColor(c.red, c.green, c.blue, c.alpha);
}

QPointF qPoint(Point p)
{
    return {p.x, p.y};
}

QRectF qRect(const Rect &r)
{
    return {r.left, r.top, r.width, r.height};
}

QPolygonF qPolygon(const std::vector<Point> &points)
{
    QPolygonF polygon;
    for (const Point &p : points)
        polygon << qPoint(p);
    return polygon;
}

QPen qPen(const Stroke &stroke)
{
    QPen pen(qColour(stroke.role), stroke.width);
    pen.setCapStyle(Qt::FlatCap);
    if (stroke.dash == Dash::Dashed)
        pen.setDashPattern({4, 2});
    else if (stroke.dash == Dash::Dotted)
        pen.setDashPattern({1, 2});
    return pen;
}

void paintShape(QPainter &painter, const Shape &shape)
{
    painter.save();
    painter.setPen(shape.stroke ? qPen(*shape.stroke) : QPen(Qt::NoPen));
    painter.setBrush(shape.fill.kind == FillKind::Solid ? QBrush(qColour(shape.fill.role))
                                                        : QBrush(Qt::NoBrush));
    QPainterPath outline;
    if (const auto *box = std::get_if<Box>(&shape.form)) {
        outline.addRect(qRect(box->rect));
    } else if (const auto *polygon = std::get_if<Polygon>(&shape.form)) {
        outline.addPolygon(qPolygon(polygon->points));
        outline.closeSubpath();
    } else if (const auto *circle = std::get_if<Circle>(&shape.form)) {
        outline.addEllipse(qPoint(circle->centre), circle->radius, circle->radius);
    }
    if (!outline.isEmpty()) {
        painter.drawPath(outline);
    } else if (const auto *line = std::get_if<Polyline>(&shape.form)) {
        painter.drawPolyline(qPolygon(line->points));
    } else if (const auto *arrow = std::get_if<Arrow>(&shape.form)) {
        const QPointF from = qPoint(arrow->from);
        const QPointF to = qPoint(arrow->to);
        painter.drawLine(from, to);
        const QPointF along = from - to;
        const double length = std::hypot(along.x(), along.y());
        if (length > 0) {
            const QPointF back = along / length * arrow->head;
            const QPointF across(-back.y() / 2, back.x() / 2);
            painter.drawLine(to, to + back + across);
            painter.drawLine(to, to + back - across);
        }
    }
    painter.restore();
}

void paintLabel(QPainter &painter, const Label &label)
{
    const QString text = QString::fromUtf8(label.text.data(), qsizetype(label.text.size()));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double rendered = metrics.horizontalAdvance(text) * label.size;
    const double squeeze =
        rendered > label.box.width && rendered > 0 ? label.box.width / rendered : 1.0;
    double x = label.box.left;
    const double spare = label.box.width - rendered * squeeze;
    if (label.align == Align::Centre)
        x += spare / 2;
    else if (label.align == Align::Right)
        x += spare;
    painter.save();
    painter.setPen(qColour(label.role));
    painter.translate(x, label.baseline);
    painter.scale(label.size * squeeze, label.size);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
}

} // namespace

FontMetrics::FontMetrics(const QFont &font, const QPaintDevice *device)
    : m_metrics(font, device)
{}

double FontMetrics::lineHeight() const
{
    return m_metrics.height();
}

double FontMetrics::ascent() const
{
    return m_metrics.ascent();
}

double FontMetrics::advance(std::string_view utf8) const
{
    return m_metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

void paintPicture(QPainter &painter, const DisplayList &list)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Shape &shape : list.shapes)
        paintShape(painter, shape);
    for (const Label &label : list.labels)
        paintLabel(painter, label);
    painter.restore();
}

DisplayList paintSectionPicture(QPainter &painter, const QRectF &target,
                                const SectionGeometry &geometry, const beam::MomentTexts &texts,
                                const PictureOptions &options, const PictureLimits &extras)
{
    const FontMetrics metrics(painter.font(), painter.device());
    DisplayList list =
        layoutPicture(geometry, texts, target.width(), target.height(), metrics, options, extras);
    paintPictureAt(painter, target, list);
    return list;
}

void paintPictureAt(QPainter &painter, const QRectF &target, const DisplayList &list)
{
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    paintPicture(painter, list);
    painter.restore();
}

} // namespace section
