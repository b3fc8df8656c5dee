#include "section_export.h"

#include "file_device_error.h"
#include "svg_picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMimeData>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextLayout>

using namespace Qt::Literals::StringLiterals;

namespace section {
namespace {

// The document's sizes, in points.
constexpr int pdfResolution = 300;
constexpr double documentFont = 9;
constexpr double headingFont = 12;
constexpr double calculationFont = 7.5;

QFont imageFont(const Document &document)
{
    QFont font = document.font;
    font.setPixelSize(imageFontPixels);
    return font;
}

} // namespace

QImage drawingImage(const Document &document, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(imageFont(document));
    paintSection(painter, QRectF(QPointF(0, 0), QSizeF(size)), document.picture);
    return image;
}

void paintDocument(QPainter &painter, QPagedPaintDevice &device, const Document &document)
{
    const QRectF page(QPointF(0, 0),
                      device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    paintPages(
        painter, page, &device, [&device] { device.newPage(); }, document);
}

void paintPages(QPainter &painter, const QRectF &page, QPaintDevice *device,
                const std::function<void()> &newPage, const Document &document)
{
    QFont font = document.font;
    font.setPointSizeF(documentFont);
    QFont heading = font;
    heading.setBold(true);
    heading.setPointSizeF(headingFont);
    painter.setFont(heading);
    const double headingLine = QFontMetricsF(heading, device).height();
    painter.drawText(QRectF(0, 0, page.width(), headingLine), Qt::AlignLeft,
                     document.title.simplified());
    painter.setFont(font);
    const double line = QFontMetricsF(font, device).height();
    const QString version = QCoreApplication::applicationVersion();
    painter.drawText(QRectF(0, headingLine, page.width(), line), Qt::AlignLeft,
                     u"%1 %2, %3"_s.arg(QCoreApplication::applicationName(), version,
                                        QDate::currentDate().toString(Qt::ISODate)));
    double y = headingLine + line * 1.5;
    const double drawingHeight = page.height() * drawingShare;
    paintSection(painter, QRectF(0, y, page.width(), drawingHeight), document.picture);
    y += drawingHeight + line;

    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(calculationFont);
    painter.setFont(fixed);
    const QFontMetricsF metrics(fixed, device);
    const double fixedLine = metrics.height();
    const double ascent = metrics.ascent();
    for (const QString &row : document.calculation.split(u'\n')) {
        for (const WrappedLine &part : wrapped(row, fixed, page.width(), device)) {
            if (y + fixedLine > page.height()) {
                newPage();
                y = 0;
            }
            painter.drawText(QPointF(part.indent, y + ascent), part.text);
            y += fixedLine;
        }
    }
}

QList<WrappedLine> wrapped(const QString &row, const QFont &font, double width,
                           QPaintDevice *device)
{
    // A long line goes on under itself, indented a little past its own indent, so that its
    // continuation reads as part of it and not as a step of its own.
    const QFontMetricsF metrics(font, device);
    qsizetype blanks = 0;
    while (blanks < row.size() && row[blanks] == u' ')
        ++blanks;
    const double indent = qMin(metrics.horizontalAdvance(u' ') * double(blanks + 4), width / 2);
    QTextLayout layout(row, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<WrappedLine> lines;
    layout.beginLayout();
    for (QTextLine part = layout.createLine(); part.isValid(); part = layout.createLine()) {
        const double left = lines.isEmpty() ? 0 : indent;
        part.setLineWidth(width - left);
        QString text = row.mid(part.textStart(), part.textLength());
        // The blank a line breaks at stays at its end, where it would only widen it.
        while (!lines.isEmpty() && text.startsWith(u' '))
            text.remove(0, 1);
        lines.append({left, text});
    }
    layout.endLayout();
    if (lines.isEmpty())
        lines.append({0, QString()});
    return lines;
}

QString exportTo(const QString &path, const Document &document)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString shown = QDir::toNativeSeparators(path);
    if (suffix != u"pdf"_s && suffix != u"svg"_s && suffix != u"png"_s)
        return u"\"%1\" is niet opgeslagen: kies een naam die eindigt op .pdf, .svg of .png."_s.arg(
            shown);
    // Written to a temporary file beside it, which replaces the file only once it is whole.
    QSaveFile file(path);
    const auto failed = [&shown](const QString &reason) {
        return u"\"%1\" kan niet worden geschreven: %2."_s.arg(shown, reason);
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed(toolkit::writeFailureReason(file));
    // Drawn in memory and written in one piece, whose length is checked: the SVG and PDF
    // writers take a write that stops short (a full disk) for done, and would leave the file
    // cut off, reported as saved.
    QByteArray data;
    QBuffer memory(&data);
    memory.open(QIODevice::WriteOnly);
    bool written = false;
    if (suffix == u"pdf"_s) {
        QPdfWriter writer(&memory);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(pageMargin, pageMargin, pageMargin, pageMargin),
                              QPageLayout::Millimeter);
        writer.setResolution(pdfResolution);
        writer.setTitle(document.title);
        writer.setCreator(QCoreApplication::applicationName());
        QPainter painter;
        written = painter.begin(&writer);
        if (written) {
            paintDocument(painter, writer, document);
            written = painter.end();
        }
    } else if (suffix == u"svg"_s) {
        // The page's writer and font table, so that the file is the page's picture.
        const Picture &picture = document.picture;
        const PictureLimits extras{picture.limits ? &*picture.limits : nullptr,
                                   picture.chart ? &*picture.chart : nullptr};
        data = QByteArray::fromStdString(svgDocument(picture.geometry, picture.texts, extras,
                                                     svgSize.width(), svgSize.height(),
                                                     imageFontPixels));
        written = true;
    } else {
        written = drawingImage(document).save(&memory, "PNG");
    }
    // Flushed while open, so that a write that fails only at the end shows its cause too;
    // read before cancelling, which puts "canceled by application" in place of the cause.
    if (!written || file.write(data) != data.size() || !file.flush()) {
        const QString reason = toolkit::writeFailureReason(file);
        file.cancelWriting();
        file.commit();
        return failed(reason);
    }
    if (!file.commit())
        return failed(toolkit::writeFailureReason(file));
    return {};
}

QMimeData *clipboardData(const Document &document)
{
    auto *data = new QMimeData;
    data->setText(document.calculation);
    data->setImageData(drawingImage(document));
    return data;
}

} // namespace section
