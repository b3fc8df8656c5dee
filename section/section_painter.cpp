#include "section_painter.h"

#include "picture_painter.h"

#include <QPainter>

namespace section {
namespace {

QString text(const std::string &utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

PictureLimits extrasOf(const Picture &picture)
{
    PictureLimits extras;
    extras.limits = picture.limits ? &*picture.limits : nullptr;
    extras.chart = picture.chart ? &*picture.chart : nullptr;
    extras.notes = picture.notes;
    return extras;
}

PictureOptions optionsOf(const Picture &picture)
{
    PictureOptions options;
    options.strainDiagrams = picture.limits.has_value();
    return options;
}

DisplayList layOut(const Picture &picture, QSizeF size, const TextMetrics &metrics)
{
    return layoutPicture(picture.geometry, picture.texts, size.width(), size.height(), metrics,
                         optionsOf(picture), extrasOf(picture));
}

} // namespace

DisplayList paintSection(QPainter &painter, const QRectF &target, const Picture &picture)
{
    const FontMetrics metrics(painter.font(), painter.device());
    DisplayList list = layOut(picture, target.size(), metrics);
    paintPictureAt(painter, target, list);
    return list;
}

DisplayList layoutSection(const Picture &picture, const QSizeF &size, const QFont &font,
                          const QPaintDevice *device)
{
    return layOut(picture, size, FontMetrics(font, device));
}

void SectionPainter::setPicture(Picture picture)
{
    m_picture = std::move(picture);
    m_list.reset();
}

const DisplayList &SectionPainter::paint(QPainter &painter, const QRectF &target)
{
    const QPaintDevice *device = painter.device();
    const int dpiX = device ? device->logicalDpiX() : 0;
    const int dpiY = device ? device->logicalDpiY() : 0;
    if (!m_list || m_size != target.size() || m_font != painter.font() || m_dpiX != dpiX ||
        m_dpiY != dpiY) {
        const FontMetrics metrics(painter.font(), device);
        m_list = layOut(m_picture, target.size(), metrics);
        m_size = target.size();
        m_font = painter.font();
        m_dpiX = dpiX;
        m_dpiY = dpiY;
        ++m_layouts;
    }
    paintPictureAt(painter, target, *m_list);
    return *m_list;
}

QString describe(const Picture &picture)
{
    return text(describePicture(picture.geometry, picture.texts));
}

} // namespace section
