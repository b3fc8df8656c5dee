#include "section_painter.h"

#include "picture_painter.h"

#include <QPainter>

namespace section {
namespace {

QString text(const std::string &utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace

DisplayList paintSection(QPainter &painter, const QRectF &target, const Picture &picture)
{
    PictureLimits extras;
    extras.limits = picture.limits ? &*picture.limits : nullptr;
    extras.chart = picture.chart ? &*picture.chart : nullptr;
    PictureOptions options;
    options.strainDiagrams = extras.limits != nullptr;
    return paintSectionPicture(painter, target, picture.geometry, picture.texts, options, extras);
}

QString describe(const Picture &picture)
{
    return text(describePicture(picture.geometry, picture.texts));
}

} // namespace section
