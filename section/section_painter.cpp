#include "section_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace section {
namespace {

// The drawing's proportions. Lengths are in lines of text, so that the drawing scales with its
// font; the parts of a model's column are fractions of the column's width.
namespace proportion {
// The labels and the four columns must fit the width beside a section of some size; on a
// narrow target (a small window, an A4 page at the document's font) the font shrinks, down to
// this fraction, rather than the columns running off the edge.
constexpr double smallestFont = 2.0 / 3.0;
constexpr double spareLines = 12; // asked for besides the labels and the columns
constexpr double hair = 1.0 / 16;
constexpr double thinnestHair = 0.5; // in the painter's units
constexpr double margin = 0.5;
constexpr double headings = 1.6;   // above the section, for the column headings
constexpr double belowDepth = 4.4; // below it, for b's dimension and the results
constexpr double outline = 2;      // the concrete's outline, in hairs
// Dimension lines: half an end stroke, and the distance from the face they measure.
constexpr double tick = 0.25;
constexpr double dimensionOffset = 0.6;
constexpr double coverOffset = 0.25; // c's line stands closer to the face than d's
constexpr double coverTick = 0.6;    // of an end stroke
constexpr double bLabelOverhang = 4; // b's label may reach this far past each side
// In a model's column.
constexpr double axis = 0.12;       // the zero-stress line
constexpr double blockWidth = 0.45; // what stands for fcd
constexpr double guides = 0.95;     // the dotted top and d, the dashed neutral axis
constexpr double xuLabel = 0.4;
constexpr double leverArm = 0.8; // z's dimension line
constexpr double emphasis = 1.5; // the block's outline and the forces, in hairs
constexpr double arrowHead = 0.35;
constexpr double force = 1.1;  // of the block's width: past the block, so C stands clear of it
constexpr double labelGap = 2; // between an arrow's end and its label, in hairs
constexpr double resultsGap = 0.4;
constexpr double resultsHeight = 4.2;
} // namespace proportion

// The widest texts each part of the drawing must hold.
const QString heightSample = u"h = 0000000"_s;
const QString depthSample = u"d = 0000000"_s;

QString text(const std::string &utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QString latin1(const std::string &ascii)
{
    return QString::fromLatin1(ascii.data(), qsizetype(ascii.size()));
}

QString name(const beam::ModelDescriptor &model)
{
    return QString::fromUtf8(model.name.data(), qsizetype(model.name.size()));
}

QString shortReason(beam::ModelState state)
{
    return state == beam::ModelState::ZoneReachesDepth ? u"ongeldig: xu ≥ d"_s
                                                       : u"ongeldig: z ≤ 0"_s;
}

double widestName(const QFontMetricsF &metrics)
{
    double widest = 0;
    for (const beam::ModelDescriptor &model : beam::models)
        widest = std::max(widest, metrics.horizontalAdvance(name(model)));
    return widest;
}

// The model's result texts below its column, as the main window shows them.
QStringList columnResults(const Picture &picture, const beam::ModelDescriptor &model)
{
    const auto field = [&picture](beam::ResultField f) {
        return latin1(picture.texts[std::size_t(f)]);
    };
    QStringList lines{u"Mu = "_s + field(model.mu) + u" kNm"_s};
    if (model.xu)
        lines << u"xu = "_s + field(*model.xu) + u" mm"_s;
    lines << u"z/d = "_s + field(model.z);
    return lines;
}

QString noteText(const SectionGeometry &g)
{
    QStringList notes;
    for (const std::string &note : g.notes)
        notes << text(note);
    return notes.join(u'\n');
}

// The unit vector from `from` towards `to`, and the one across it; none where they coincide.
std::optional<std::pair<QPointF, QPointF>> directions(QPointF from, QPointF to)
{
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    if (!(length > 0))
        return std::nullopt;
    const QPointF unit = along / length;
    return std::pair{unit, QPointF(-unit.y(), unit.x())};
}

// A line with an open arrow head at `to`.
void arrow(QPainter &painter, QPointF from, QPointF to, double head)
{
    painter.drawLine(from, to);
    if (const auto d = directions(to, from)) {
        const auto [back, across] = *d;
        painter.drawLine(to, to + (back + across * 0.5) * head);
        painter.drawLine(to, to + (back - across * 0.5) * head);
    }
}

// A dimension line between two points, with short end strokes across it.
void dimension(QPainter &painter, QPointF from, QPointF to, double tick)
{
    painter.drawLine(from, to);
    if (const auto d = directions(from, to)) {
        const QPointF across = d->second * tick;
        painter.drawLine(from - across, from + across);
        painter.drawLine(to - across, to + across);
    }
}

// The concrete, the stirrup and the bars.
void drawSection(QPainter &painter, const Layout &l, const SectionGeometry &g)
{
    painter.setPen(QPen(Qt::black, proportion::outline * l.hair));
    painter.setBrush(QColor(concreteColour));
    painter.drawRect(QRectF(l.at(0, 0), QSizeF(g.b, g.h) * l.scale));
    if (g.hasStirrup) {
        painter.setPen(QPen(QColor(steelColour), std::max(g.stirrupDiameter * l.scale, l.hair)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(l.at(g.stirrup.left, g.stirrup.top),
                                QSizeF(g.stirrup.width, g.stirrup.height) * l.scale));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(steelColour));
    const double radius = std::max(g.barDiameter * l.scale / 2, l.hair);
    for (const Point &bar : g.bars)
        painter.drawEllipse(l.at(bar.x, bar.y), radius, radius);
}

// h at the left, b below, d and c at the right.
void drawDimensions(QPainter &painter, const Layout &l, const SectionGeometry &g)
{
    painter.setPen(QPen(Qt::black, l.hair));
    painter.setBrush(Qt::NoBrush);
    const double line = l.line;
    const double tick = line * proportion::tick;
    const double offset = line * proportion::dimensionOffset;
    const double right = l.columnsLeft - l.x(g.b);
    const double hx = l.x(0) - offset;
    dimension(painter, {hx, l.y(0)}, {hx, l.y(g.h)}, tick);
    painter.drawText(
        QRectF(l.area.left(), l.y(g.h / 2) - line / 2, hx - l.area.left() - tick, line),
        Qt::AlignRight | Qt::AlignVCenter, u"h = "_s + QString::number(g.h));
    const double by = l.y(g.h) + offset;
    const double overhang = line * proportion::bLabelOverhang;
    dimension(painter, {l.x(0), by}, {l.x(g.b), by}, tick);
    painter.drawText(QRectF(l.x(0) - overhang, by + tick, g.b * l.scale + 2 * overhang, line),
                     Qt::AlignHCenter | Qt::AlignTop, u"b = "_s + QString::number(g.b));
    const double dx = l.x(g.b) + offset;
    dimension(painter, {dx, l.y(0)}, {dx, l.y(g.d)}, tick);
    painter.drawText(QRectF(dx + tick, l.y(g.d / 2) - line / 2, right, line),
                     Qt::AlignLeft | Qt::AlignVCenter, u"d = "_s + QString::number(g.d));
    const double cx = l.x(g.b) + line * proportion::coverOffset;
    dimension(painter, {cx, l.y(g.h - g.cover)}, {cx, l.y(g.h)}, tick * proportion::coverTick);
    painter.drawText(QRectF(dx + tick, l.y(g.h) - line, right, line),
                     Qt::AlignLeft | Qt::AlignBottom, u"c = "_s + QString::number(g.cover));
}

// A model beside the section, at its vertical scale: heading, block, neutral axis, the forces
// C and T and the lever arm z between them.
void drawColumn(QPainter &painter, const Layout &l, const SectionGeometry &g,
                const beam::ModelDescriptor &model)
{
    const ModelColumn &m = g.column(model.model);
    const double x0 = l.columnLeft(model.model);
    const double column = l.columnWidth;
    const double axis = l.axis(model.model);
    const double width = l.blockWidth();
    const double line = l.line;
    const double depth = g.drawnDepth;
    const double guideEnd = x0 + column * proportion::guides;
    const QColor colour = m.valid ? QColor(Qt::black) : QColor(invalidColour);
    painter.setPen(colour);
    painter.drawText(QRectF(x0, l.area.top(), column, line), Qt::AlignHCenter | Qt::AlignTop,
                     name(model));
    // The top face, the reinforcement's level and the zero-stress line.
    painter.setPen(QPen(Qt::gray, l.hair, Qt::DotLine));
    painter.drawLine(QPointF(x0, l.y(0)), QPointF(guideEnd, l.y(0)));
    painter.drawLine(QPointF(x0, l.y(g.d)), QPointF(guideEnd, l.y(g.d)));
    painter.setPen(QPen(Qt::gray, l.hair));
    painter.drawLine(QPointF(axis, l.y(0)), QPointF(axis, l.y(depth)));

    if (m.hasBlock) {
        QPolygonF block;
        for (const Point &p : m.block)
            block << QPointF(axis + p.x * width, l.y(p.y));
        painter.setPen(QPen(colour, l.hair * proportion::emphasis));
        painter.setBrush(m.valid ? QBrush(QColor::fromRgba(blockColour))
                                 : QBrush(QColor(invalidColour), Qt::BDiagPattern));
        painter.drawPolygon(block);
        painter.setBrush(Qt::NoBrush);
        if (m.neutralAxis <= depth) {
            painter.setPen(QPen(colour, l.hair, Qt::DashLine));
            painter.drawLine(QPointF(x0, l.y(m.neutralAxis)),
                             QPointF(guideEnd, l.y(m.neutralAxis)));
            painter.drawText(
                QRectF(axis + width, l.y(m.neutralAxis) - line, column * proportion::xuLabel, line),
                Qt::AlignLeft | Qt::AlignBottom, u"xu"_s);
        }
    }
    if (!m.valid)
        return;
    painter.setPen(QPen(QColor(forceColour), l.hair * proportion::emphasis));
    const double head = line * proportion::arrowHead;
    const double forceEnd = axis + width * proportion::force;
    const double labelLeft = forceEnd + l.hair * proportion::labelGap;
    if (m.compression >= 0 && m.compression <= depth) {
        arrow(painter, {forceEnd, l.y(m.compression)}, {axis, l.y(m.compression)}, head);
        painter.drawText(QRectF(labelLeft, l.y(m.compression) - line / 2, line, line),
                         Qt::AlignLeft | Qt::AlignVCenter, u"C"_s);
    }
    arrow(painter, {axis, l.y(m.tension)}, {forceEnd, l.y(m.tension)}, head);
    painter.drawText(QRectF(labelLeft, l.y(m.tension) - line / 2, line, line),
                     Qt::AlignLeft | Qt::AlignVCenter, u"T"_s);
    const double zx = x0 + column * proportion::leverArm;
    const double zTop = std::clamp(m.compression, 0.0, depth);
    dimension(painter, {zx, l.y(zTop)}, {zx, l.y(m.tension)}, line * proportion::tick);
    painter.drawText(QRectF(zx + l.hair * proportion::labelGap,
                            l.y((zTop + m.tension) / 2) - line / 2, line, line),
                     Qt::AlignLeft | Qt::AlignVCenter, u"z"_s);
}

// Below each column what the main window shows for it.
void drawResults(QPainter &painter, const Layout &l, const Picture &picture)
{
    const double top = l.y(picture.geometry.drawnDepth) + l.line * proportion::resultsGap;
    for (const beam::ModelDescriptor &model : beam::models) {
        const ModelColumn &m = picture.geometry.column(model.model);
        QStringList lines = columnResults(picture, model);
        if (!m.valid)
            lines << shortReason(m.state);
        painter.setPen(m.valid ? QColor(Qt::black) : QColor(invalidColour));
        painter.drawText(QRectF(l.columnLeft(model.model), top, l.columnWidth,
                                l.line * proportion::resultsHeight),
                         Qt::AlignHCenter | Qt::AlignTop, lines.join(u'\n'));
    }
}

// The notes take the bottom of the drawing, word-wrapped over its width.
void drawNotes(QPainter &painter, const Layout &l, const SectionGeometry &g)
{
    if (g.notes.empty())
        return;
    const double margin = l.line * proportion::margin;
    painter.setPen(QColor(invalidColour));
    painter.drawText(QRectF(l.area.left(), l.area.bottom() - l.notesHeight + margin, l.area.width(),
                            l.notesHeight),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, noteText(g));
}

} // namespace

bool Layout::drawable() const
{
    return scale > 0 && std::isfinite(scale);
}

double Layout::columnLeft(beam::Model model) const
{
    return columnsLeft + double(beam::index(model)) * columnWidth;
}

double Layout::axis(beam::Model model) const
{
    return columnLeft(model) + columnWidth * proportion::axis;
}

double Layout::blockWidth() const
{
    return columnWidth * proportion::blockWidth;
}

Layout layOut(const SectionGeometry &g, const QRectF &target, const QFont &font,
              const QPaintDevice *device)
{
    Layout l;
    l.font = font;
    const auto columns = double(beam::modelCount);
    const double needed = [&] {
        const QFontMetricsF m(font, device);
        return 2 * m.horizontalAdvance(heightSample) + columns * widestName(m) +
               proportion::spareLines * m.height();
    }();
    if (needed > target.width()) {
        const double factor = std::max(target.width() / needed, proportion::smallestFont);
        if (l.font.pointSizeF() > 0)
            l.font.setPointSizeF(l.font.pointSizeF() * factor);
        else
            l.font.setPixelSize(std::max(1, int(l.font.pixelSize() * factor)));
    }
    const QFontMetricsF metrics(l.font, device);
    l.line = metrics.height();
    l.hair = std::max(l.line * proportion::hair, proportion::thinnestHair);
    const double margin = l.line * proportion::margin;
    l.area = target.adjusted(margin, margin, -margin, -margin);
    if (g.empty)
        return l;

    l.notesHeight = g.notes.empty() ? 0
                                    : metrics.boundingRect(QRectF(0, 0, l.area.width(), 1e6),
                                                           Qt::TextWordWrap, noteText(g))
                                              .height() +
                                          margin;
    const double top = l.area.top() + proportion::headings * l.line;
    const double bottom = l.area.bottom() - l.notesHeight - proportion::belowDepth * l.line;
    const double leftDimension = metrics.horizontalAdvance(heightSample) + l.line;
    const double rightDimension = metrics.horizontalAdvance(depthSample) + l.line;
    l.columnWidth =
        std::max(widestName(metrics),
                 metrics.horizontalAdvance(shortReason(beam::ModelState::ZoneReachesDepth))) +
        l.line;
    const double sectionRoom = std::max(
        l.area.width() - leftDimension - rightDimension - columns * l.columnWidth, 2 * l.line);
    // One scale for both directions, chosen so that the section fits its room and the columns
    // stand at the same vertical scale beside it.
    l.scale = std::min((bottom - top) / g.drawnDepth, sectionRoom / g.b);
    l.origin = QPointF(l.area.left() + leftDimension, top);
    l.columnsLeft = l.x(g.b) + rightDimension;
    return l;
}

void paintSection(QPainter &painter, const QRectF &target, const Picture &picture)
{
    const SectionGeometry &g = picture.geometry;
    const Layout layout = layOut(g, target, painter.font(), painter.device());
    painter.save();
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(layout.font);
    if (g.empty) {
        painter.setPen(QColor(invalidColour));
        painter.drawText(layout.area, Qt::AlignCenter | Qt::TextWordWrap, text(g.emptyText));
    } else if (!layout.drawable()) {
        painter.drawText(layout.area, Qt::AlignCenter | Qt::TextWordWrap,
                         u"Te weinig ruimte om de doorsnede te tekenen."_s);
    } else {
        drawSection(painter, layout, g);
        drawDimensions(painter, layout, g);
        for (const beam::ModelDescriptor &model : beam::models)
            drawColumn(painter, layout, g, model);
        drawResults(painter, layout, picture);
        drawNotes(painter, layout, g);
    }
    painter.restore();
}

QString describe(const Picture &picture)
{
    const SectionGeometry &g = picture.geometry;
    if (g.empty)
        return text(g.emptyText);
    QString description =
        u"Doorsnede van %1 bij %2 mm met %3 staven van %4 mm onderin, %5, dekking %6 mm en "
        "nuttige hoogte %7 mm."_s.arg(g.b)
            .arg(g.h)
            .arg(g.bars.size())
            .arg(g.barDiameter)
            .arg(g.stirrupDiameter > 0 ? u"beugels van %1 mm"_s.arg(g.stirrupDiameter)
                                       : u"zonder beugels"_s)
            .arg(g.cover)
            .arg(g.d);
    for (const beam::ModelDescriptor &model : beam::models) {
        const ModelColumn &m = g.column(model.model);
        description += u' ' + name(model) + u": "_s + columnResults(picture, model).join(u", "_s);
        if (!m.valid)
            description += u", "_s + shortReason(m.state);
        description += u'.';
    }
    for (const std::string &note : g.notes)
        description += u' ' + text(note);
    return description;
}

} // namespace section
