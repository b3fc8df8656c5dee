#pragma once

#include "section_painter.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>

class QMimeData;
class QPaintDevice;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace section {

// What the view prints, exports and copies: the drawing, the calculation under it, the caption
// and the drawing's font on screen, whose family each target keeps at a size of its own.
struct Document {
    const Picture &picture;
    QString calculation;
    QString title;
    QFont font;
};

// Every page's margin, in millimetres, in print and in the PDF.
inline constexpr double pageMargin = 15;

// The name the view proposes for what it saves or prints to a file.
inline QString proposedFileName()
{
    return QStringLiteral("doorsnede.pdf");
}

// The printer set up for the page the PDF export writes, before the print dialog: A4 and its
// margins, and the export's name for a printer that writes a file.
void setUpPrinter(QPrinter &printer);

// Prints the document as the PDF export lays it out, at the PDF's resolution, on the page the
// dialog left. Returns whether the printer took it.
bool printDocument(QPrinter &printer, const Document &document);

// The drawing, `size` large, under the section's summary and inside a margin, as the PNG file
// and the clipboard hold it.
inline constexpr QSize imageSize{1200, 744};
inline constexpr int imageFontPixels = 14;
// Of a page's height inside its margins, for the drawing in print and in the PDF: the chart
// needs it.
inline constexpr double drawingShare = 0.6;

QImage drawingImage(const Document &document, QSize size = imageSize);

// A4 pages: the caption, the program's name, version and date, the drawing and the calculation,
// which goes on over as many pages as it needs.
void paintDocument(QPainter &painter, QPagedPaintDevice &device, const Document &document);

// The same on any device: `page` is the part of a page inside its margins, in the painter's
// units, and `newPage` turns to the next page. Every line of the calculation wraps inside it.
void paintPages(QPainter &painter, const QRectF &page, QPaintDevice *device,
                const std::function<void()> &newPage, const Document &document);

// One row of the calculation broken into lines no wider than `width` on `device`, each with
// its distance from the left.
struct WrappedLine {
    double indent = 0;
    QString text;
};
QList<WrappedLine> wrapped(const QString &row, const QFont &font, double width,
                           QPaintDevice *device);

// Writes the document as PDF (A4, with inputs, calculation, version and date), or the drawing
// as SVG or PNG, by the suffix of `path`, through a temporary file that replaces `path` only
// when it is whole. Returns an empty string, or a message in Dutch that says what went wrong.
QString exportTo(const QString &path, const Document &document);

// The calculation as text and the drawing as an image, for the clipboard, which takes it over.
QMimeData *clipboardData(const Document &document);

} // namespace section
