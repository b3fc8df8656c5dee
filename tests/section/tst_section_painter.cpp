#include "calculation_text.h"
#include "section_export.h"
#include "section_painter.h"
#include "start_values.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QSvgGenerator>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>
#include <array>
#include <optional>
#include <variant>

using namespace Qt::Literals::StringLiterals;

// The picture itself, as the screen, the printer and the exports get it: what is drawn where,
// read back from the pixels of an image and from the shapes and texts of an SVG, and the
// sentence that tells a screen reader what it shows.
class tst_SectionPainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void describe_data();
    void describe();
    void pixels_data();
    void pixels();
    void shapes_data();
    void shapes();
    void pageKeepsItsMargins_data();
    void pageKeepsItsMargins();
};

namespace {

constexpr QSize size{1000, 620};

section::Picture pictureOf(beam::SectionInputs s)
{
    const beam::SectionResult result = resultOf(s);
    return {section::sectionGeometry(result.inputs, result.steps), result.steps.texts, {}, {}, {}};
}

beam::SectionInputs withArea(int As)
{
    beam::SectionInputs s = startValues();
    s.As = As;
    return s;
}

QFont drawingFont()
{
    QFont font;
    font.setPixelSize(14);
    return font;
}

// The block's translucent colour on the white background.
QRgb blockOnWhite()
{
    const QColor block = QColor::fromRgba(roleColour(section::Role::Block));
    const double a = block.alphaF();
    const auto channel = [a](int c) {
        return qRound(c * a + 255 * (1 - a));
    };
    return qRgb(channel(block.red()), channel(block.green()), channel(block.blue()));
}

bool near(QRgb actual, QRgb expected)
{
    return std::abs(qRed(actual) - qRed(expected)) <= 3 &&
           std::abs(qGreen(actual) - qGreen(expected)) <= 3 &&
           std::abs(qBlue(actual) - qBlue(expected)) <= 3;
}

QString hex(QRgb colour)
{
    return QColor(colour).name();
}

// What an SVG holds: its texts where they stand, and its filled shapes by their fill.
struct Svg {
    struct Text {
        QString text;
        double x = 0;
        double y = 0;
    };
    QList<Text> texts;
    QStringList written; // the texts as the SVG holds them
    QStringList rectFills;
    QStringList pathFills;
    int circles = 0;

    QList<Text> all(const QString &text) const
    {
        QList<Text> found;
        std::copy_if(texts.begin(), texts.end(), std::back_inserter(found),
                     [&text](const Text &t) { return t.text == text; });
        return found;
    }
};

Svg svgOf(const section::Picture &picture)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    QPainter painter(&generator);
    painter.setFont(drawingFont());
    const section::DisplayList list =
        section::paintSection(painter, QRectF(QPointF(0, 0), QSizeF(size)), picture);
    painter.end();

    Svg svg;
    // The texts where the layout placed them: a painter may write them through a transform.
    for (const section::Label &label : list.labels)
        svg.texts << Svg::Text{QString::fromStdString(label.text),
                               label.box.left + label.box.width / 2, label.baseline};
    QStringList fills; // of the groups the reader is in
    QXmlStreamReader xml(buffer.data());
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"g"_s)
            fills.removeLast();
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"g"_s)
            fills << a.value(u"fill"_s).toString();
        else if (xml.name() == u"rect"_s)
            svg.rectFills << fills.value(fills.size() - 1);
        else if (xml.name() == u"path"_s)
            svg.pathFills << fills.value(fills.size() - 1);
        else if (xml.name() == u"circle"_s)
            ++svg.circles;
        else if (xml.name() == u"text"_s)
            svg.written << xml.readElementText().trimmed();
    }
    return svg;
}

} // namespace

void tst_SectionPainter::describe_data()
{
    QTest::addColumn<int>("As");
    QTest::addColumn<int>("H");
    QTest::addColumn<QString>("description");

    QTest::addRow("every model valid, in the window's order")
        << 452 << 500
        << u"Doorsnede van 200 bij 500 mm met 4 staven van 12 mm onderin, beugels van 8 mm, "
           "dekking 15 mm en nuttige hoogte 471 mm. benadering: Mu = 83 kNm, z/d = 0.9. "
           "parabolisch: Mu = 79 kNm, xu = 184 mm, z/d = 0.85. bi_lineair: Mu = 80 kNm, xu = "
           "163 mm, z/d = 0.86. parabool rechthoek: Mu = 80 kNm, xu = 151 mm, z/d = 0.87."_s;
    QTest::addRow("invalid models say so, and the notes follow")
        << 2000 << 500
        << u"Doorsnede van 200 bij 500 mm met 4 staven van 12 mm onderin, beugels van 8 mm, "
           "dekking 15 mm en nuttige hoogte 471 mm. benadering: Mu = 368 kNm, z/d = 0.9. "
           "parabolisch: Mu = 0 kNm, ongeldig: de drukzone reikt tot het staal (xu ≥ d). "
           "bi_lineair: Mu = 0 kNm, ongeldig: de drukzone reikt tot het staal (xu ≥ d). parabool "
           "rechthoek: Mu = 0 kNm, ongeldig: de drukzone reikt tot het staal (xu ≥ d). As = "
           "2000 mm2 is ingetypt; de getekende 4 staven "
           "geven 452 mm2. De berekening gebruikt 2000 mm2. Een drukzone reikt voorbij de "
           "doorsnede; het blok is onderaan afgesneden."_s;
    QTest::addRow("nothing to draw says why")
        << 452 << 0 << u"Geen doorsnede: de hoogte h is 0 mm. De modellen tonen daarom 0 en nan."_s;
}

void tst_SectionPainter::describe()
{
    QFETCH(int, As);
    QFETCH(int, H);
    QFETCH(QString, description);
    beam::SectionInputs s = withArea(As);
    s.H = H;
    s.d = beam::effectiveDepth(s.barItem, s.stirrupItem, s.H, s.c);
    QCOMPARE(section::describe(pictureOf(s)), description);
}

void tst_SectionPainter::pixels_data()
{
    QTest::addColumn<int>("As");

    QTest::addRow("every model valid") << 452;
    QTest::addRow("every zone past the section") << 2000;
}

// Where the layout puts the section, its bars and each model's block, those are drawn.
void tst_SectionPainter::pixels()
{
    QFETCH(int, As);
    const section::Picture picture = pictureOf(withArea(As));
    const section::SectionGeometry &g = picture.geometry;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(drawingFont());
    const section::DisplayList list = section::paintSection(painter, QRectF(image.rect()), picture);
    painter.end();
    QVERIFY(list.section);
    const auto pixel = [&image](double x, double y) {
        return image.pixel(QPointF(x, y).toPoint());
    };

    const section::Rect &concrete = *list.section;
    QCOMPARE(hex(pixel(concrete.left + concrete.width / 2, concrete.top + concrete.height / 2)),
             hex(roleColour(section::Role::Concrete)));
    qsizetype bars = 0;
    std::array<std::optional<QRectF>, beam::modelCount> blocks;
    for (const section::Shape &shape : list.shapes) {
        if (const auto *circle = std::get_if<section::Circle>(&shape.form);
            circle && shape.fill.kind == section::FillKind::Solid &&
            shape.fill.role == section::Role::Steel) {
            ++bars;
            QCOMPARE(hex(pixel(circle->centre.x, circle->centre.y)),
                     hex(roleColour(section::Role::Steel)));
        }
        const auto *polygon = std::get_if<section::Polygon>(&shape.form);
        if (polygon && shape.fill.kind == section::FillKind::Solid &&
            shape.fill.role == section::Role::Block && shape.owner.model) {
            QRectF bounds;
            for (const section::Point &p : polygon->points)
                bounds |= QRectF(p.x, p.y, 0.001, 0.001);
            blocks[beam::index(*shape.owner.model)] = bounds;
        }
    }
    QCOMPARE(bars, qsizetype(g.bars.size()));
    for (const beam::ModelDescriptor &model : beam::models) {
        const section::ModelColumn &column = g.column(model.model);
        const auto &block = blocks[beam::index(model.model)];
        QVERIFY2(block.has_value() == (column.hasBlock && column.valid), model.name.data());
        if (!block)
            continue;
        // Near the top of the zone, a quarter of fcd out from the zero-stress line.
        const QColor inside =
            QColor(pixel(block->left() + block->width() / 4, block->top() + block->height() / 5));
        QVERIFY2(near(inside.rgb(), blockOnWhite()),
                 qPrintable(u"%1: %2 at the block's top"_s.arg(QString::fromUtf8(model.name.data()),
                                                               inside.name())));
    }
}

void tst_SectionPainter::shapes_data()
{
    QTest::addColumn<int>("As");
    QTest::addColumn<int>("validBlocks"); // each with its neutral axis within the drawn depth
    QTest::addColumn<int>("forces");      // C and T pairs: one for each valid model

    QTest::addRow("every model valid") << 452 << 3 << 4;
    QTest::addRow("every zone past the section") << 2000 << 0 << 1;
}

// The SVG holds the drawing as shapes: the concrete, one disc per bar, a block per model
// that has one, the headings in the window's order, and C above each neutral axis above T.
void tst_SectionPainter::shapes()
{
    QFETCH(int, As);
    QFETCH(int, validBlocks);
    QFETCH(int, forces);
    const section::Picture picture = pictureOf(withArea(As));
    const Svg svg = svgOf(picture);

    // Every shape is a path: the concrete, each bar, and each block in its own fill.
    QVERIFY2(svg.pathFills.contains(hex(roleColour(section::Role::Concrete))),
             qPrintable(svg.pathFills.join(u' ')));
    QCOMPARE(svg.pathFills.count(hex(roleColour(section::Role::Steel))),
             qsizetype(picture.geometry.bars.size()));
    QCOMPARE(svg.pathFills.count(QColor::fromRgba(roleColour(section::Role::Block)).name()),
             validBlocks);

    double headingX = -1;
    for (const beam::ModelDescriptor &model : beam::models) {
        const auto headings =
            svg.all(QString::fromUtf8(model.name.data(), qsizetype(model.name.size())));
        QCOMPARE(headings.size(), 1);
        QVERIFY(svg.written.contains(headings.first().text));
        QVERIFY2(headings.first().x > headingX, model.name.data());
        headingX = headings.first().x;
    }

    // Left to right: C and T of each valid model, xu of each block within the drawn depth.
    const auto byX = [&svg](const QString &text) {
        QList<Svg::Text> found = svg.all(text);
        std::sort(found.begin(), found.end(),
                  [](const Svg::Text &a, const Svg::Text &b) { return a.x < b.x; });
        return found;
    };
    const auto compression = byX(u"C"_s);
    const auto tension = byX(u"T"_s);
    const auto axes = byX(u"xu"_s);
    QCOMPARE(compression.size(), forces);
    QCOMPARE(tension.size(), forces);
    QCOMPARE(axes.size(), validBlocks);
    for (qsizetype i = 0; i < forces; ++i)
        QVERIFY2(compression[i].y < tension[i].y, "C stands below T");
    // The blocks' columns follow that of "benadering", which has no neutral axis.
    for (qsizetype i = 0; i < validBlocks; ++i)
        QVERIFY2(compression[i + 1].y < axes[i].y, "C stands below the neutral axis");
}

void tst_SectionPainter::pageKeepsItsMargins_data()
{
    QTest::addColumn<int>("page");

    QTest::addRow("A4, where the strain lines are longer than the page is wide")
        << int(QPageSize::A4);
    QTest::addRow("A6, where most lines of the calculation wrap") << int(QPageSize::A6);
}

// Every page of the document as the PDF and the printer get it, painted on one image the size
// of the whole sheet: nothing may fall in the margins, and no word of the calculation may be
// lost on the way.
void tst_SectionPainter::pageKeepsItsMargins()
{
    QFETCH(int, page);
    constexpr int dpi = 150;
    const QPageLayout layout(QPageSize(QPageSize::PageSizeId(page)), QPageLayout::Portrait,
                             QMarginsF(section::pageMargin, section::pageMargin,
                                       section::pageMargin, section::pageMargin),
                             QPageLayout::Millimeter);
    const QRect inside = layout.paintRectPixels(dpi);
    QImage sheet(layout.fullRectPixels(dpi).size(), QImage::Format_RGB32);
    sheet.setDotsPerMeterX(qRound(dpi / 0.0254));
    sheet.setDotsPerMeterY(qRound(dpi / 0.0254));
    sheet.fill(Qt::white);

    const beam::SectionResult result = resultOf(startValues());
    const section::SectionGeometry geometry = section::sectionGeometry(result.inputs, result.steps);
    const beam::SectionLimits limits =
        beam::sectionLimits(result.inputs, result.steps, "2.0e5", ext::fromDecimal("1", 2));
    const std::string text =
        section::calculationText(result.inputs, result.steps, geometry, &limits);
    const QString calculation = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const section::Picture picture{geometry, result.steps.texts, {}, {}, {}};
    const section::Document document{picture, calculation, u"Tralvik  : Doorsnede"_s,
                                     drawingFont()};
    int pages = 1;
    {
        QPainter painter(&sheet);
        painter.translate(inside.topLeft());
        section::paintPages(
            painter, QRectF(QPointF(0, 0), QSizeF(inside.size())), &sheet, [&pages] { ++pages; },
            document);
    }
    QRect ink;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            if (sheet.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
    QVERIFY2(inside.contains(ink),
             qPrintable(u"ink at %1,%2 %3x%4 outside %5,%6 %7x%8"_s.arg(ink.x())
                            .arg(ink.y())
                            .arg(ink.width())
                            .arg(ink.height())
                            .arg(inside.x())
                            .arg(inside.y())
                            .arg(inside.width())
                            .arg(inside.height())));
    QVERIFY2(ink.right() > inside.center().x(), "nothing drawn across the page");

    // The wrapped lines, put together again, are the calculation's rows word for word.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(7.5);
    for (const QString &row : calculation.split(u'\n')) {
        QStringList words;
        for (const section::WrappedLine &line :
             section::wrapped(row, fixed, inside.width(), &sheet))
            words << line.text.split(u' ', Qt::SkipEmptyParts);
        QCOMPARE(words.join(u' '), row.split(u' ', Qt::SkipEmptyParts).join(u' '));
    }
    QVERIFY(pages >= 1);
}

QTEST_MAIN(tst_SectionPainter)
#include "tst_section_painter.moc"
