#include "picture_painter.h"
#include "picture_sections.h"
#include "svg_picture.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(PictureSection)

// The display list painted with the real fonts: what the window, the printer and the exports
// show. Set TRALVIK_PICTURE_DIR to a folder to keep the pictures of the sections below as PNG.
class tst_PicturePainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void textStaysInItsBox_data();
    void textStaysInItsBox();
    void tableIsNoNarrowerThanTheFont();
    void svgShowsWhatThePainterShows_data();
    void svgShowsWhatThePainterShows();
    void everyDevice_data();
    void everyDevice();
};

namespace {

struct Sample {
    const char *file;
    PictureSection section;
    bool limits = false; // with the strains and the chart
    const char *designMoment = "";
};

const Sample samples[] = {
    {"start", {}},
    {"wide-shallow-2000x100", {.b = 2000, .h = 100}},
    {"slab-1000x200", {.b = 1000, .h = 200}},
    {"c70-85", {.concreteClass = 7}},
    {"tall-3000", {.h = 3000}},
    {"c70-85-tall-3000", {.concreteClass = 7, .h = 3000}},
    {"four-20mm", {.barItem = 5}},
    {"no-bars", {.barCount = 0}},
    {"negative-cover", {.cover = -10}},
    {"fifty-40mm", {.barItem = 8, .barCount = 50}},
    {"narrow-100x3000", {.b = 100, .h = 3000}},
    {"huge-typed-As", {.b = 50, .h = 100, .typedAs = 2000000000}},
    {"crowded-notes", {.barItem = 8, .barCount = 50, .b = 200, .h = 100, .cover = -10}},
    {"deep-cover", {.b = 200, .h = 100, .cover = 50}},
    {"a4-worst", {.barItem = 5, .barCount = 10, .b = 400, .h = 200}},
    {"limits-start", {}, true},
    {"limits-5x12", {.barCount = 5}, true},
    {"limits-8x12", {.barCount = 8}, true},
    {"limits-4x20", {.barItem = 5}, true},
    {"limits-med100", {}, true, "100"},
    {"limits-2000x100", {.b = 2000, .h = 100}, true, "10"},
    {"limits-c70-tall-3000", {.concreteClass = 7, .h = 3000}, true, "500"},
};

QImage render(const PictureData &data, QSize size, int pixels, section::DisplayList *laidOut,
              bool labelsOnly = false, bool paintBold = false,
              const section::PictureLimits &extras = {})
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(pixels);
    painter.setFont(font);
    const section::FontMetrics metrics(painter.font(), painter.device());
    section::DisplayList list = section::layoutPicture(data.geometry, data.texts, size.width(),
                                                       size.height(), metrics, {}, extras);
    if (labelsOnly)
        list.shapes.clear();
    // A font that renders wider than the one measured, as a printer's may.
    font.setBold(paintBold);
    painter.setFont(font);
    section::paintPicture(painter, list);
    if (laidOut)
        *laidOut = std::move(list);
    return image;
}

} // namespace

void tst_PicturePainter::init()
{
    QTest::failOnWarning(QRegularExpression(u".*"_s));
}

void tst_PicturePainter::textStaysInItsBox_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("paintBold");

    QTest::addRow("the window's drawing at 14 px") << 14 << QSize(900, 430) << false;
    QTest::addRow("the window's drawing at 28 px") << 28 << QSize(900, 430) << false;
    QTest::addRow("the PNG export") << 14 << QSize(1200, 744) << false;
    QTest::addRow("the smallest window") << 12 << QSize(480, 260) << false;
    QTest::addRow("an A4 page at 300 dpi") << 38 << QSize(2126, 946) << false;
    // Where the chart fits beside the strains.
    QTest::addRow("the window's drawing made taller") << 14 << QSize(900, 640) << false;
    QTest::addRow("three fifths of an A4 page at 300 dpi") << 38 << QSize(2126, 1890) << false;
    QTest::addRow("a font wider than the one measured is squeezed into the boxes")
        << 14 << QSize(900, 430) << true;
}

// Every text the painter writes stays inside the box the layout gave it, with the real font
// at any size: the boxes are what keeps labels apart, so ink outside one could meet another.
void tst_PicturePainter::textStaysInItsBox()
{
    QFETCH(int, pixels);
    QFETCH(QSize, size);
    QFETCH(bool, paintBold);
    const QString keep = qEnvironmentVariable("TRALVIK_PICTURE_DIR");
    for (const Sample &sample : samples) {
        const PictureData data = pictureData(sample.section);
        const PictureExtras extras = pictureExtras(sample.section, sample.designMoment);
        const section::PictureLimits shown =
            sample.limits ? extras.pointers() : section::PictureLimits{};
        section::DisplayList list;
        const QImage image = render(data, size, pixels, &list, true, paintBold, shown);
        if (!keep.isEmpty() && !paintBold) {
            render(data, size, pixels, nullptr, false, false, shown)
                .save(QDir(keep).filePath(u"%1-%2x%3-%4px.png"_s.arg(QLatin1StringView(sample.file))
                                              .arg(size.width())
                                              .arg(size.height())
                                              .arg(pixels)));
            QFile svg(QDir(keep).filePath(
                u"%1-%2px.svg"_s.arg(QLatin1StringView(sample.file)).arg(pixels)));
            const section::SansMetrics sans(pixels);
            const section::DisplayList approximate = section::layoutPicture(
                data.geometry, data.texts, size.width(), size.height(), sans, {}, shown);
            if (svg.open(QIODevice::WriteOnly))
                svg.write(QByteArray::fromStdString(section::svgPicture(approximate, pixels)));
        }
        QVERIFY(!list.labels.empty());
        // Antialiasing may touch the pixel next to a box.
        QImage inside(size, QImage::Format_Mono);
        inside.fill(0);
        for (const section::Label &label : list.labels) {
            const QRect box =
                QRectF(label.box.left, label.box.top, label.box.width, label.box.height)
                    .toAlignedRect()
                    .adjusted(-1, -1, 1, 1);
            for (int y = std::max(box.top(), 0); y <= std::min(box.bottom(), size.height() - 1);
                 ++y)
                for (int x = std::max(box.left(), 0); x <= std::min(box.right(), size.width() - 1);
                     ++x)
                    inside.setPixel(x, y, 1);
        }
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255) && !inside.pixelIndex(x, y))
                    QFAIL(qPrintable(u"%1: ink at %2, %3 outside every label box"_s
                                         .arg(QString::fromStdString(sample.section.name()))
                                         .arg(x)
                                         .arg(y)));
    }
}

// The browser's labels are laid out with the table and written with their measured width:
// an entry narrower than the font it renders in would squeeze that character's labels.
void tst_PicturePainter::tableIsNoNarrowerThanTheFont()
{
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(1000); // large, so that hinting does not round the advances
    if (QFontInfo(font).family() != u"DejaVu Sans"_s)
        QSKIP("DejaVu Sans is not installed");
    const QFontMetricsF metrics(font);
    std::vector<char32_t> characters;
    for (char32_t c = 0x20; c < 0x7F; ++c)
        characters.push_back(c);
    for (char32_t c = 0xA0; c <= 0xFF; ++c)
        characters.push_back(c);
    for (const char32_t c : {U'≥', U'≤', U'×', U'‰', U'−', U'…', U'α', U'β', U'ε'})
        characters.push_back(c);
    for (const char32_t c : characters) {
        const QString text = QString::fromUcs4(&c, 1);
        const double font = metrics.horizontalAdvance(text);
        QVERIFY2(section::SansMetrics::advancePerMille(c) >= font - 0.5,
                 qPrintable(u"U+%1: %2 in the table, %3 in the font"_s.arg(unsigned(c), 4, 16)
                                .arg(section::SansMetrics::advancePerMille(c))
                                .arg(font)));
    }
}

void tst_PicturePainter::svgShowsWhatThePainterShows_data()
{
    QTest::addColumn<PictureSection>("section");

    QTest::addRow("the start section") << PictureSection{};
    QTest::addRow("a slab above its columns") << PictureSection{.b = 2000, .h = 100};
    QTest::addRow("an invalid model's hatched block") << PictureSection{.barItem = 5};
    QTest::addRow("steel cut off at the concrete") << PictureSection{.cover = -10};
    QTest::addRow("columns broken below a shallow zone")
        << PictureSection{.concreteClass = 7, .h = 3000};
}

// The browser's SVG and the painter draw the same list: rendered side by side they differ in
// no more than the edges of glyphs and lines. A mark misplaced, mirrored, missing, filled
// where it should be open or uncut where it should be cut shows as a larger difference.
void tst_PicturePainter::svgShowsWhatThePainterShows()
{
    QFETCH(PictureSection, section);
    const PictureData data = pictureData(section);
    const QSize size(900, 430);
    const section::SansMetrics metrics(14);
    const section::DisplayList list =
        section::layoutPicture(data.geometry, data.texts, size.width(), size.height(), metrics);

    QImage painted(size, QImage::Format_ARGB32_Premultiplied);
    painted.fill(Qt::white);
    {
        QPainter painter(&painted);
        QFont font(u"DejaVu Sans"_s);
        font.setPixelSize(14);
        painter.setFont(font);
        section::paintPicture(painter, list);
    }
    QSvgRenderer renderer(QByteArray::fromStdString(section::svgPicture(list, 14)));
    QVERIFY(renderer.isValid());
    QImage rendered(size, QImage::Format_ARGB32_Premultiplied);
    rendered.fill(Qt::white);
    {
        QPainter painter(&rendered);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    // Compared over blocks of 6 by 6 pixels, so that antialiasing and hinting even out.
    const int block = 6;
    int differing = 0;
    int blocks = 0;
    for (int y = 0; y + block <= size.height(); y += block)
        for (int x = 0; x + block <= size.width(); x += block) {
            double a = 0;
            double b = 0;
            for (int dy = 0; dy < block; ++dy)
                for (int dx = 0; dx < block; ++dx) {
                    a += qGray(painted.pixel(x + dx, y + dy));
                    b += qGray(rendered.pixel(x + dx, y + dy));
                }
            ++blocks;
            differing += std::fabs(a - b) / (block * block) > 40;
        }
    if (differing > blocks / 100) {
        const QString keep = qEnvironmentVariable("TRALVIK_PICTURE_DIR");
        if (!keep.isEmpty()) {
            painted.save(QDir(keep).filePath(u"painted.png"_s));
            rendered.save(QDir(keep).filePath(u"rendered.png"_s));
        }
    }
    QVERIFY2(differing <= blocks / 100,
             qPrintable(u"%1 of %2 blocks differ"_s.arg(differing).arg(blocks)));
}

void tst_PicturePainter::everyDevice_data()
{
    QTest::addColumn<QString>("device");

    QTest::addRow("an image, as the window and the PNG export paint") << u"image"_s;
    QTest::addRow("Qt's SVG generator, as the SVG export paints") << u"svg"_s;
    QTest::addRow("a PDF writer at 300 dpi, as the PDF export and the printer paint") << u"pdf"_s;
}

// The painter's one entry point, as the window will call it: it lays out with the device's
// own font metrics and paints inside the target it is given.
void tst_PicturePainter::everyDevice()
{
    QFETCH(QString, device);
    const PictureData data = pictureData({.barItem = 5, .cover = -10});
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(14);
    const QRectF target(40, 30, 900, 430);
    section::DisplayList list;
    if (device == u"image"_s) {
        QImage image(1000, 500, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        list = section::paintSectionPicture(painter, target, data.geometry, data.texts);
        painter.end();
        // Nothing outside the target; the concrete's colour in the section's middle.
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!target.adjusted(-1, -1, 1, 1).contains(QPointF(x, y)))
                    QCOMPARE(image.pixel(x, y), qRgb(255, 255, 255));
        const section::Rect r = *list.section;
        const section::Rgba c = section::colourOf(section::Role::Concrete);
        QCOMPARE(image.pixel(int(target.left() + r.left + r.width / 2),
                             int(target.top() + r.top + r.height / 2)),
                 qRgb(c.red, c.green, c.blue));
    } else if (device == u"svg"_s) {
        QBuffer buffer;
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(1000, 500));
        generator.setViewBox(QRect(0, 0, 1000, 500));
        QPainter painter(&generator);
        painter.setFont(font);
        list = section::paintSectionPicture(painter, target, data.geometry, data.texts);
        painter.end();
        QSvgRenderer renderer(buffer.data());
        QVERIFY(renderer.isValid());
        QImage image(1000, 500, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter onImage(&image);
        renderer.render(&onImage);
        onImage.end();
        const section::Rect r = *list.section;
        const section::Rgba c = section::colourOf(section::Role::Concrete);
        QCOMPARE(image.pixel(int(target.left() + r.left + r.width / 2),
                             int(target.top() + r.top + r.height / 2)),
                 qRgb(c.red, c.green, c.blue));
    } else {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        QPainter painter(&writer);
        QFont print(u"DejaVu Sans"_s);
        print.setPointSizeF(9);
        painter.setFont(print);
        const QRectF page(0, 0, writer.width(), writer.height() * 0.3);
        list = section::paintSectionPicture(painter, page, data.geometry, data.texts);
        painter.end();
        QVERIFY(buffer.data().startsWith("%PDF-1."));
        // Laid out for the page at 300 dpi: a line of 9 points is some 44 units high.
        QVERIFY2(list.labels.front().box.height > 30,
                 qPrintable(QString::number(list.labels.front().box.height)));
    }
    QVERIFY(list.section);
    QVERIFY(!list.labels.empty());
}

QTEST_MAIN(tst_PicturePainter)
#include "tst_picture_painter.moc"
