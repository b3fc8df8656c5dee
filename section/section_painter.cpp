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
    return extras;
}

PictureOptions optionsOf(const Picture &picture)
{
    PictureOptions options;
    options.strainDiagrams = picture.limits.has_value();
    return options;
}

} // namespace

DisplayList paintSection(QPainter &painter, const QRectF &target, const Picture &picture)
{
    return paintSectionPicture(painter, target, picture.geometry, picture.texts, optionsOf(picture),
                               extrasOf(picture));
}

DisplayList layoutSection(const Picture &picture, const QSizeF &size, const QFont &font,
                          const QPaintDevice *device)
{
    return layoutPicture(picture.geometry, picture.texts, size.width(), size.height(),
                         FontMetrics(font, device), optionsOf(picture), extrasOf(picture));
}

QString describe(const Picture &picture)
{
    return text(describePicture(picture.geometry, picture.texts));
}

} // namespace section
