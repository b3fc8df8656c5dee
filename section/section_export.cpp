#include "section_export.h"

#include "file_device_error.h"
#include "models.h"
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
#include <QPrinter>
#include <QSaveFile>
#include <QTextLayout>
#include <QtMath>

using namespace Qt::Literals::StringLiterals;

namespace section {
namespace {

// Each target's sizes: the images in pixels, the document in points and millimetres.
constexpr int imageMargin = 16; // keeps the legend and the labels off the picture's edge
constexpr int pdfResolution = 300;
constexpr double documentFont = 9;
constexpr double headingFont = 12;
constexpr double textFont = 8.5;
constexpr double tableFont = 7.5;

QFont imageFont(const Document &document)
{
    QFont font = document.font;
    font.setPixelSize(imageFontPixels);
    return font;
}

// The drawing's part of the first page, in millimetres: the SVG export declares the same.
QSizeF drawingOnPage()
{
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                             QMarginsF(pageMargin, pageMargin, pageMargin, pageMargin),
                             QPageLayout::Millimeter);
    const QSizeF inside = layout.paintRect(QPageLayout::Millimeter).size();
    return {inside.width(), inside.height() * drawingShare};
}

// The layout measures its texts and strokes in device units; at another resolution the same
// page would come out otherwise, so print and PDF share this one.
template <typename Device> void setUpPage(Device &device)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(pageMargin, pageMargin, pageMargin, pageMargin),
                          QPageLayout::Millimeter);
    device.setResolution(pdfResolution);
}

// A row whose words stand in columns, aligned by blanks: a proportional font would break its
// columns.
bool isTable(const QString &row)
{
    qsizetype first = 0;
    while (first < row.size() && row[first] == u' ')
        ++first;
    return row.indexOf(u"  "_s, first) >= 0;
}

bool beginsModel(const QString &row)
{
    for (const beam::ModelDescriptor &model : beam::models)
        if (row.startsWith(QString::fromUtf8(model.name.data(), qsizetype(model.name.size())) +
                           u':'))
            return true;
    return false;
}

struct PageLine {
    WrappedLine line;
    bool table = false;
    int part = -1; // the model's part it belongs to, if any
    int page = 0;
};

// The calculation's lines, each with the model's part it is in: from the row that begins with
// the model's name up to the next model, or to a blank row after which the text goes on
// unindented.
QList<PageLine> calculationLines(const QStringList &rows, const QFont &text, const QFont &table,
                                 double width, QPaintDevice *device)
{
    QList<PageLine> lines;
    int part = -1;
    int parts = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString &row = rows[i];
        if (beginsModel(row))
            part = parts++;
        else if (row.trimmed().isEmpty() && i + 1 < rows.size() && !rows[i + 1].startsWith(u' '))
            part = -1;
        const bool fixed = isTable(row);
        for (const WrappedLine &piece : wrapped(row, fixed ? table : text, width, device))
            lines.append({piece, fixed, part, 0});
    }
    return lines;
}

// Gives each line its page: a model's part goes on one page where it fits on one, and nothing
// goes into the footer. Returns the number of pages.
int paginate(QList<PageLine> &lines, double firstTop, double bottom, double textLine,
             double tableLine)
{
    const auto height = [&](const PageLine &line) {
        return line.table ? tableLine : textLine;
    };
    int page = 0;
    double y = firstTop;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].part >= 0 && (i == 0 || lines[i - 1].part != lines[i].part)) {
            double part = 0;
            for (qsizetype j = i; j < lines.size() && lines[j].part == lines[i].part; ++j)
                part += height(lines[j]);
            if (y + part > bottom && part <= bottom && y > 0) {
                ++page;
                y = 0;
            }
        }
        if (y + height(lines[i]) > bottom && y > 0) {
            ++page;
            y = 0;
        }
        lines[i].page = page;
        y += height(lines[i]);
    }
    return page + 1;
}

} // namespace

void setUpPrinter(QPrinter &printer)
{
    setUpPage(printer);
    // The print dialog proposes this name, with ".pdf", for a file.
    printer.setDocName(proposedFileName());
}

bool printDocument(QPrinter &printer, const Document &document)
{
    printer.setResolution(pdfResolution);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    paintDocument(painter, printer, document);
    return painter.end();
}

QImage drawingImage(const Document &document, QSize size)
{
    const QFont font = imageFont(document);
    // Pasted elsewhere, the picture still says which section it is: the summary goes above
    // the drawing, and a margin around both.
    const QString summary = document.calculation.section(u'\n', 0, 0);
    const int top = summary.isEmpty() ? 0 : qCeil(QFontMetricsF(font).height() * 1.5);
    QImage image(size + QSize(2 * imageMargin, 2 * imageMargin + top),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &image);
    painter.drawText(QPointF(imageMargin, imageMargin + metrics.ascent()),
                     metrics.elidedText(summary, Qt::ElideRight, size.width()));
    paintSection(painter, QRectF(QPointF(imageMargin, imageMargin + top), QSizeF(size)),
                 document.picture);
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
    const QFontMetricsF metrics(font, device);
    const double line = metrics.height();
    const QString version = QCoreApplication::applicationVersion();
    painter.drawText(QRectF(0, headingLine, page.width(), line), Qt::AlignLeft,
                     u"%1 %2, %3"_s.arg(QCoreApplication::applicationName(), version,
                                        QDate::currentDate().toString(Qt::ISODate)));
    // Room to write on, for a handout.
    double y = headingLine + line * 2.2;
    const double nameEnd = page.width() * 0.45;
    const QString name = u"Naam:"_s;
    const QString assignment = u"Opdracht:"_s;
    const double assignmentStart = page.width() * 0.5;
    painter.drawText(QPointF(0, y), name);
    painter.drawText(QPointF(assignmentStart, y), assignment);
    painter.save();
    QPen pen(Qt::black, metrics.lineWidth());
    pen.setCapStyle(Qt::FlatCap); // ends where the page does
    painter.setPen(pen);
    painter.drawLine(QPointF(metrics.horizontalAdvance(name + u' '), y), QPointF(nameEnd, y));
    painter.drawLine(QPointF(assignmentStart + metrics.horizontalAdvance(assignment + u' '), y),
                     QPointF(page.width(), y));
    painter.restore();
    y += line;

    const double drawingHeight = page.height() * drawingShare;
    paintSection(painter, QRectF(0, y, page.width(), drawingHeight), document.picture);
    y += drawingHeight + line;

    QFont text = document.font;
    text.setPointSizeF(textFont);
    QFont table = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    table.setPointSizeF(tableFont);
    const QFontMetricsF textMetrics(text, device);
    const QFontMetricsF tableMetrics(table, device);
    QList<PageLine> lines =
        calculationLines(document.calculation.split(u'\n'), text, table, page.width(), device);
    const double bottom = page.height() - line * 1.5;
    const int pages = paginate(lines, y, bottom, textMetrics.height(), tableMetrics.height());
    const auto footer = [&](int number) {
        painter.setFont(font);
        painter.drawText(QRectF(0, page.height() - line, page.width(), line), Qt::AlignRight,
                         u"Pagina %1 van %2"_s.arg(number).arg(pages));
    };
    int current = 0;
    for (const PageLine &piece : lines) {
        if (piece.page != current) {
            footer(current + 1);
            newPage();
            current = piece.page;
            y = 0;
        }
        const QFontMetricsF &m = piece.table ? tableMetrics : textMetrics;
        painter.setFont(piece.table ? table : text);
        painter.drawText(QPointF(piece.line.indent, y + m.ascent()), piece.line.text);
        y += m.height();
    }
    footer(current + 1);
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
        setUpPage(writer);
        writer.setTitle(document.title);
        writer.setCreator(QCoreApplication::applicationName());
        QPainter painter;
        written = painter.begin(&writer);
        if (written) {
            paintDocument(painter, writer, document);
            written = painter.end();
        }
    } else if (suffix == u"svg"_s) {
        // The size the PDF gives the drawing, in CSS pixels, through the page's own writer and
        // font table: the page's picture of that size, and the PDF's drawing on paper.
        const QSizeF size = drawingOnPage() / 25.4 * 96;
        const Picture &picture = document.picture;
        const PictureLimits extras{picture.limits ? &*picture.limits : nullptr,
                                   picture.chart ? &*picture.chart : nullptr, '.', picture.notes};
        data = QByteArray::fromStdString(svgDocument(picture.geometry, picture.texts, extras,
                                                     std::round(size.width()),
                                                     std::round(size.height()), imageFontPixels));
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
