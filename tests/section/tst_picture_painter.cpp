#include "picture_painter.h"
#include "picture_sections.h"
#include "svg_picture.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The display list painted with the real fonts: what the window, the printer and the exports
// show. Set TRALVIK_PICTURE_DIR to a folder to keep the pictures of the sections below as PNG.
class tst_PicturePainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void textStaysInItsBox_data();
    void textStaysInItsBox();
};

namespace {

struct Sample {
    const char *file;
    PictureSection section;
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
};

QImage render(const PictureData &data, QSize size, int pixels, section::DisplayList *laidOut,
              bool labelsOnly = false)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(pixels);
    painter.setFont(font);
    const section::FontMetrics metrics(painter.font(), painter.device());
    section::DisplayList list =
        section::layoutPicture(data.geometry, data.texts, size.width(), size.height(), metrics);
    if (labelsOnly)
        list.shapes.clear();
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

    QTest::addRow("the window's drawing at 14 px") << 14 << QSize(900, 430);
    QTest::addRow("the window's drawing at 28 px") << 28 << QSize(900, 430);
    QTest::addRow("the PNG export") << 14 << QSize(1200, 744);
    QTest::addRow("the smallest window") << 12 << QSize(480, 260);
    QTest::addRow("an A4 page at 300 dpi") << 38 << QSize(2126, 946);
}

// Every text the painter writes stays inside the box the layout gave it, with the real font
// at any size: the boxes are what keeps labels apart, so ink outside one could meet another.
void tst_PicturePainter::textStaysInItsBox()
{
    QFETCH(int, pixels);
    QFETCH(QSize, size);
    const QString keep = qEnvironmentVariable("TRALVIK_PICTURE_DIR");
    for (const Sample &sample : samples) {
        const PictureData data = pictureData(sample.section);
        section::DisplayList list;
        const QImage image = render(data, size, pixels, &list, true);
        if (!keep.isEmpty()) {
            render(data, size, pixels, nullptr)
                .save(QDir(keep).filePath(u"%1-%2x%3-%4px.png"_s.arg(QLatin1StringView(sample.file))
                                              .arg(size.width())
                                              .arg(size.height())
                                              .arg(pixels)));
            QFile svg(QDir(keep).filePath(
                u"%1-%2px.svg"_s.arg(QLatin1StringView(sample.file)).arg(pixels)));
            const section::SansMetrics sans(pixels);
            const section::DisplayList approximate = section::layoutPicture(
                data.geometry, data.texts, size.width(), size.height(), sans);
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

QTEST_MAIN(tst_PicturePainter)
#include "tst_picture_painter.moc"
