#include "section_painter.h"

#include "picture_painter.h"

#include <QPainter>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace section {
namespace {

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

} // namespace

DisplayList paintSection(QPainter &painter, const QRectF &target, const Picture &picture)
{
    PictureLimits extras;
    extras.limits = picture.limits ? &*picture.limits : nullptr;
    extras.chart = picture.chart ? &*picture.chart : nullptr;
    extras.notes = picture.notes;
    PictureOptions options;
    options.strainDiagrams = extras.limits != nullptr;
    return paintSectionPicture(painter, target, picture.geometry, picture.texts, options, extras);
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
            description += u", "_s + text(shortReason(m.state));
        description += u'.';
    }
    for (const std::string &note : g.notes)
        description += u' ' + text(note);
    return description;
}

} // namespace section
