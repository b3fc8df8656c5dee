#include "picture_layout.h"
#include "picture_sections.h"
#include "svg_picture.h"

#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;
using section::Dash;
using section::DisplayList;
using section::Label;
using section::Part;
using section::Rect;

Q_DECLARE_METATYPE(PictureSection)

// Where the picture puts things, measured with the table font, for every section the inputs
// allow: no label on another or on a line of another part, everything inside the target, and
// columns tall enough to read.
class tst_PictureLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sweep_data();
    void sweep();
    void scales_data();
    void scales();
    void scaleNoteOnlyWhereItShows_data();
    void scaleNoteOnlyWhereItShows();
    void forcesNeedSteel_data();
    void forcesNeedSteel();
    void negativeCover_data();
    void negativeCover();
    void longResultsStayInTheirColumn_data();
    void longResultsStayInTheirColumn();
    void keptAreasStayFree();
    void wordsBesideColours_data();
    void wordsBesideColours();
    void strainDiagrams_data();
    void strainDiagrams();
    void chartFollowsItsData_data();
    void chartFollowsItsData();
    void extrasGiveWay_data();
    void extrasGiveWay();
    void descriptionSaysWhatIsDrawn_data();
    void descriptionSaysWhatIsDrawn();
    void svgIsWellFormed_data();
    void svgIsWellFormed();
    void svgNumbers_data();
    void svgNumbers();
};

namespace {

DisplayList layOut(const PictureData &data, double width, double height, double pixels,
                   const section::PictureOptions &options = {},
                   const section::PictureLimits &extras = {})
{
    const section::SansMetrics metrics(pixels);
    return section::layoutPicture(data.geometry, data.texts, width, height, metrics, options,
                                  extras);
}

DisplayList layOut(const PictureSection &s, double width = 900, double height = 430,
                   double pixels = 14)
{
    return layOut(pictureData(s), width, height, pixels);
}

bool overlap(const Rect &a, const Rect &b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

Rect inset(const Rect &r, double by)
{
    return {r.left + by, r.top + by, r.width - 2 * by, r.height - 2 * by};
}

// Whether the segment from p to q passes through the inside of the rectangle.
bool meets(section::Point p, section::Point q, const Rect &r)
{
    if (std::max(p.x, q.x) <= r.left || std::min(p.x, q.x) >= r.left + r.width ||
        std::max(p.y, q.y) <= r.top || std::min(p.y, q.y) >= r.top + r.height)
        return false;
    // Clip the segment's parameter range to each slab in turn.
    double t0 = 0;
    double t1 = 1;
    const auto slab = [&](double start, double delta, double low, double high) {
        if (delta == 0)
            return start > low && start < high;
        double a = (low - start) / delta;
        double b = (high - start) / delta;
        if (a > b)
            std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
        return t0 < t1;
    };
    return slab(p.x, q.x - p.x, r.left, r.left + r.width) &&
           slab(p.y, q.y - p.y, r.top, r.top + r.height);
}

struct Ink {
    std::vector<std::pair<section::Point, section::Point>> lines;
    std::optional<Rect> filled; // the bounding box of what a fill covers
};

Ink inkOf(const section::Shape &shape)
{
    Ink ink;
    std::vector<section::Point> corners;
    bool closed = true;
    if (const auto *box = std::get_if<section::Box>(&shape.form)) {
        const Rect &r = box->rect;
        corners = {{r.left, r.top},
                   {r.left + r.width, r.top},
                   {r.left + r.width, r.top + r.height},
                   {r.left, r.top + r.height}};
    } else if (const auto *polygon = std::get_if<section::Polygon>(&shape.form)) {
        corners = polygon->points;
    } else if (const auto *line = std::get_if<section::Polyline>(&shape.form)) {
        corners = line->points;
        closed = false;
    } else if (const auto *circle = std::get_if<section::Circle>(&shape.form)) {
        const double r = circle->radius;
        const auto c = circle->centre;
        corners = {{c.x - r, c.y - r}, {c.x + r, c.y - r}, {c.x + r, c.y + r}, {c.x - r, c.y + r}};
    } else if (const auto *arrow = std::get_if<section::Arrow>(&shape.form)) {
        const auto [from, to] = std::pair(arrow->from, arrow->to);
        ink.lines = {{from, to}};
        const double length = std::hypot(from.x - to.x, from.y - to.y);
        const double bx = (from.x - to.x) / length * arrow->head;
        const double by = (from.y - to.y) / length * arrow->head;
        ink.lines.push_back({to, {to.x + bx - by / 2, to.y + by + bx / 2}});
        ink.lines.push_back({to, {to.x + bx + by / 2, to.y + by - bx / 2}});
    }
    for (std::size_t i = 1; i < corners.size(); ++i)
        ink.lines.emplace_back(corners[i - 1], corners[i]);
    if (closed && corners.size() > 2)
        ink.lines.emplace_back(corners.back(), corners.front());
    if (shape.fill.kind != section::FillKind::None && !corners.empty()) {
        double l = corners[0].x, t = corners[0].y, r = l, b = t;
        for (const auto &p : corners) {
            l = std::min(l, p.x);
            r = std::max(r, p.x);
            t = std::min(t, p.y);
            b = std::max(b, p.y);
        }
        ink.filled = Rect{l, t, r - l, b - t};
    }
    return ink;
}

QString describe(const Label &label)
{
    return u"\"%1\" (%2, %3, %4 × %5)"_s.arg(QString::fromStdString(label.text))
        .arg(label.box.left, 0, 'f', 1)
        .arg(label.box.top, 0, 'f', 1)
        .arg(label.box.width, 0, 'f', 1)
        .arg(label.box.height, 0, 'f', 1);
}

// Empty when the picture keeps its labels apart, inside the target and off other parts'
// lines; otherwise what is wrong.
QString collisions(const DisplayList &list)
{
    std::vector<Ink> inks;
    for (const auto &shape : list.shapes)
        inks.push_back(inkOf(shape));
    for (std::size_t i = 0; i < list.labels.size(); ++i) {
        const Label &label = list.labels[i];
        // A hundredth of a line for rounding: boxes may touch, not overlap.
        const Rect box = inset(label.box, label.box.height / 100);
        if (box.left < 0 || box.top < 0 || box.left + box.width > list.width ||
            box.top + box.height > list.height)
            return describe(label) + u" leaves the target"_s;
        for (std::size_t k = 0; k < i; ++k)
            if (overlap(box, list.labels[k].box))
                return describe(label) + u" lies on "_s + describe(list.labels[k]);
        for (std::size_t k = 0; k < list.shapes.size(); ++k) {
            if (list.shapes[k].owner == label.owner)
                continue;
            const Ink &ink = inks[k];
            if (ink.filled && overlap(box, *ink.filled))
                return describe(label) +
                       u" lies on a filled shape of part %1"_s.arg(int(list.shapes[k].owner.part));
            for (const auto &[p, q] : ink.lines)
                if (meets(p, q, box))
                    return describe(label) +
                           u" lies on a line of part %1, column %2"_s
                               .arg(int(list.shapes[k].owner.part))
                               .arg(list.shapes[k].owner.model
                                        ? int(beam::index(*list.shapes[k].owner.model))
                                        : -1);
        }
        if (label.text.find(">=") != std::string::npos ||
            label.text.find(" x ") != std::string::npos)
            return describe(label) + u" writes \">=\" or \" x \""_s;
    }
    return {};
}

bool chartPart(Part part)
{
    return part == Part::ChartAxis || part == Part::ChartCurve || part == Part::ChartMark ||
           part == Part::Legend;
}

bool within(const Rect &inner, const Rect &outer)
{
    const double slack = 1e-6 * std::max(outer.width, outer.height);
    return inner.left >= outer.left - slack && inner.top >= outer.top - slack &&
           inner.left + inner.width <= outer.left + outer.width + slack &&
           inner.top + inner.height <= outer.top + outer.height + slack;
}

// The rectangle around what a shape inks.
Rect boundsOf(const section::Shape &shape)
{
    const Ink ink = inkOf(shape);
    double l = 1e300, t = 1e300, r = -1e300, b = -1e300;
    for (const auto &[p, q] : ink.lines)
        for (const auto &point : {p, q}) {
            l = std::min(l, point.x);
            r = std::max(r, point.x);
            t = std::min(t, point.y);
            b = std::max(b, point.y);
        }
    return {l, t, r - l, b - t};
}

// Empty when the chart keeps to its area and everything else out of it, and each strain
// diagram to its column; otherwise what is out of place.
QString extrasOutOfPlace(const DisplayList &list)
{
    for (const auto &shape : list.shapes) {
        const Rect bounds = boundsOf(shape);
        const auto where = u" (%1, %2, %3 × %4)"_s.arg(bounds.left)
                               .arg(bounds.top)
                               .arg(bounds.width)
                               .arg(bounds.height);
        if (chartPart(shape.owner.part)) {
            if (!list.chartArea || !within(bounds, *list.chartArea))
                return u"a shape of the chart's part %1 leaves its area"_s.arg(
                           int(shape.owner.part)) +
                       where;
        } else if (list.chartArea && overlap(bounds, *list.chartArea)) {
            return u"a shape of part %1 lies in the chart's area"_s.arg(int(shape.owner.part)) +
                   where;
        }
        if (shape.owner.part == Part::Strain &&
            !within(bounds, *list.columns[beam::index(*shape.owner.model)]))
            return u"a strain diagram leaves column %1"_s.arg(beam::index(*shape.owner.model)) +
                   where;
    }
    for (const Label &label : list.labels)
        if (chartPart(label.owner.part) ? !within(label.box, *list.chartArea)
                                        : list.chartArea && overlap(label.box, *list.chartArea))
            return describe(label) + u" stands on the wrong side of the chart's edge"_s;
    return {};
}

// Empty when the description holds every strain and area the picture writes.
QString undescribed(const DisplayList &list)
{
    for (const Label &label : list.labels) {
        const std::string &text = label.text;
        const std::size_t value = text.find("ε");
        if ((value != std::string::npos || text.starts_with("As,")) &&
            list.description.find(text.substr(value == std::string::npos ? 0 : value)) ==
                std::string::npos)
            return describe(label) + u" is not in the description"_s;
    }
    return {};
}

} // namespace

void tst_PictureLayout::sweep_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("pixels");
    QTest::addColumn<double>("leastBand"); // the shortest column, in target units
    QTest::addColumn<double>("leastFont"); // the smallest text, in target units
    QTest::addColumn<bool>("limits");      // with the strains and the chart

    QTest::addRow("the window's drawing at 14 px")
        << 900.0 << 430.0 << 14.0 << 100.0 << 14.0 << false;
    QTest::addRow("the window's drawing at 28 px")
        << 900.0 << 430.0 << 28.0 << 100.0 << 14.0 << false;
    QTest::addRow("the smallest window at 12 px") << 480.0 << 260.0 << 12.0 << 60.0 << 7.5 << false;
    QTest::addRow("the PNG and SVG exports and the clipboard")
        << 1200.0 << 744.0 << 14.0 << 300.0 << 14.0 << false;
    // 180 by 80 mm of an A4 page at 300 dpi, with a font of 9 points.
    QTest::addRow("an A4 page at 300 dpi") << 2126.0 << 946.0 << 37.5 << 250.0 << 30.0 << false;

    // The extras may shrink the font by a fifth, and the columns with it.
    QTest::addRow("the window's drawing at 14 px, with the limits")
        << 900.0 << 430.0 << 14.0 << 60.0 << 11.2 << true;
    QTest::addRow("the window's drawing made taller, with the limits")
        << 900.0 << 640.0 << 14.0 << 75.0 << 11.2 << true;
    QTest::addRow("the window's drawing made taller at 28 px, with the limits")
        << 900.0 << 640.0 << 28.0 << 75.0 << 11.2 << true;
    QTest::addRow("the smallest window at 12 px, with the limits")
        << 480.0 << 260.0 << 12.0 << 40.0 << 6.0 << true;
    QTest::addRow("the PNG export and the clipboard, with the limits")
        << 1200.0 << 744.0 << 14.0 << 90.0 << 11.2 << true;
    // 180 by 160 mm: three fifths of the page.
    QTest::addRow("three fifths of an A4 page at 300 dpi, with the limits")
        << 2126.0 << 1890.0 << 37.5 << 200.0 << 28.0 << true;
    // A phone's column grows downwards, and the models go in pairs.
    QTest::addRow("a phone's column at 14 px, in pairs")
        << 356.0 << 560.0 << 14.0 << 60.0 << 11.2 << false;
    QTest::addRow("a phone's column at 14 px, with the limits, in pairs")
        << 356.0 << 560.0 << 14.0 << 60.0 << 11.2 << true;
}

// Sections from a sliver to a slab, from 20 mm to beyond the slider's 3000 mm, from one bar to
// fifty that overlap, every class's compression zone, with and without stirrups, with the
// least and the largest cover and a negative one typed.
void tst_PictureLayout::sweep()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(double, pixels);
    QFETCH(double, leastBand);
    QFETCH(double, leastFont);
    QFETCH(bool, limits);
    section::PictureOptions options;
    options.pairsHeight = width < 400 ? 4 * width : 0;
    int paired = 0;
    const int widths[] = {1, 50, 200, 400, 1000, 2000, 100000};
    const int heights[] = {20, 60, 200, 500, 3000, 6000};
    const int classes[] = {0, 4, 7};
    const std::pair<int, int> bars[] = {{0, 1}, {3, 4}, {5, 4}, {5, 10}, {8, 50}, {3, 0}};
    // Stirrup item and cover: the start, no stirrups, the largest cover and a negative one.
    const std::pair<int, int> covers[] = {{1, 15}, {4, 15}, {1, 50}, {1, -10}};
    int laidOut = 0;
    double leastSeenBand = 1e9;
    double leastSeenFont = 1e9;
    int withChart = 0;
    int withStrains = 0;
    std::string worst;
    // With the limits every seventh of these, with a design moment, none or one beyond reach:
    // each picture lays out its chart several times, and the sweep runs under the sanitizers.
    int index = 0;
    const char *const moments[] = {"100", "", "1e6"};
    for (const int b : widths)
        for (const int h : heights)
            for (const int concrete : classes)
                for (const auto &[item, count] : bars)
                    for (const auto &[stirrup, cover] : covers) {
                        const PictureSection s{concrete, item, stirrup, count, b, h, cover};
                        if (limits && index++ % 7)
                            continue;
                        const PictureData data = pictureData(s);
                        std::optional<PictureExtras> extras;
                        if (limits)
                            extras = pictureExtras(s, moments[(index / 7) % 3]);
                        const DisplayList list =
                            layOut(data, width, height, pixels, options,
                                   extras ? extras->pointers() : section::PictureLimits{});
                        QString wrong = collisions(list);
                        if (wrong.isEmpty() && limits)
                            wrong = extrasOutOfPlace(list);
                        if (wrong.isEmpty() && limits)
                            wrong = undescribed(list);
                        if (!wrong.isEmpty())
                            QFAIL(qPrintable(QString::fromStdString(s.name()) + u": "_s + wrong));
                        if (data.geometry.empty)
                            continue;
                        ++laidOut;
                        QVERIFY2(list.section, s.name().c_str());
                        // In pairs the notes are left to the caller, to set as text.
                        paired += list.paired;
                        if (list.paired)
                            for (const Label &l : list.labels)
                                QVERIFY2(l.owner.part != Part::Notes, s.name().c_str());
                        withChart += limits && !list.chartLeftOut;
                        withStrains += limits && !list.strainLeftOut;
                        if (qEnvironmentVariableIsSet("TRALVIK_SWEEP_STATS")) {
                            leastSeenFont = std::min(leastSeenFont, pixels * list.fontScale);
                            for (const auto &band : list.bands)
                                if (band->height < leastSeenBand) {
                                    leastSeenBand = band->height;
                                    worst = s.name();
                                }
                            continue;
                        }
                        for (const auto &band : list.bands)
                            QVERIFY2(
                                band && band->height >= leastBand,
                                qPrintable(QString::fromStdString(s.name()) +
                                           u": a column of %1"_s.arg(band ? band->height : 0)));
                        // The deepest stress block reads, however shallow its zone.
                        const double line =
                            section::SansMetrics(pixels).lineHeight() * list.fontScale;
                        double deepest = -1;
                        for (const auto &shape : list.shapes)
                            if (const auto *block = std::get_if<section::Polygon>(&shape.form)) {
                                const auto [low, high] =
                                    std::minmax_element(block->points.begin(), block->points.end(),
                                                        [](auto a, auto b) { return a.y < b.y; });
                                deepest = std::max(deepest, high->y - low->y);
                            }
                        if (deepest >= 0)
                            QVERIFY2(deepest >= 0.6 * line,
                                     qPrintable(QString::fromStdString(s.name()) +
                                                u": the deepest block is %1 high"_s.arg(deepest)));
                        // Text shrinks to fit, but never below a size that reads.
                        QVERIFY2(pixels * list.fontScale >= leastFont, s.name().c_str());
                        // The extras shrink it by a fifth at most, or give way.
                        if (limits && !(list.chartLeftOut && list.strainLeftOut)) {
                            const double plain = layOut(data, width, height, pixels).fontScale;
                            QVERIFY2(list.fontScale >= plain * section::extrasFont - 1e-9 &&
                                         list.fontScale >= section::leastExtrasFont - 1e-9,
                                     s.name().c_str());
                        }
                    }
    QVERIFY(laidOut > (limits ? 300 : 1000));
    QVERIFY(options.pairsHeight > 0 ? paired > laidOut * 9 / 10 : paired == 0);
    if (qEnvironmentVariableIsSet("TRALVIK_SWEEP_STATS"))
        qInfo("least band %g (%s), least font %g; %d of %d with the chart, %d with the strains",
              leastSeenBand, worst.c_str(), leastSeenFont, withChart, laidOut, withStrains);
}

void tst_PictureLayout::scales_data()
{
    QTest::addColumn<PictureSection>("section");
    QTest::addColumn<bool>("toScale");
    QTest::addColumn<bool>("above");   // the section above the columns rather than beside
    QTest::addColumn<QString>("note"); // what a note on the scale says, or nothing
    QTest::addColumn<double>("leastBand");

    QTest::addRow("the start section stands to scale beside the columns")
        << PictureSection{} << true << false << QString() << 300.0;
    QTest::addRow("a slab of 2000 by 100 stands to scale above tall columns")
        << PictureSection{.b = 2000, .h = 100} << false << true << u"eigen schaal"_s << 180.0;
    QTest::addRow("a slab of 1000 by 200 stands to scale above tall columns")
        << PictureSection{.b = 1000, .h = 200} << false << true << u"eigen schaal"_s << 150.0;
    QTest::addRow("a section of 500 by 500 keeps the columns tall and says it is out of scale")
        << PictureSection{.b = 500, .h = 500} << false << false << u"verticaal is"_s << 300.0;
    QTest::addRow("a section of 100 by 3000 is drawn wider than its scale and says so")
        << PictureSection{.b = 100, .h = 3000} << false << false << u"horizontaal is"_s << 250.0;
    QTest::addRow("a strip of 5000 by 20 is drawn thicker than its scale and says so")
        << PictureSection{.barItem = 0, .stirrupItem = 4, .b = 5000, .h = 20, .cover = 2} << false
        << true << u"verticaal is"_s << 150.0;
}

// What the scales come to on the window's drawing at 14 px: columns that read, bars that show,
// and a section drawn to scale wherever it can be, and a note wherever it is not.
void tst_PictureLayout::scales()
{
    QFETCH(PictureSection, section);
    QFETCH(bool, toScale);
    QFETCH(bool, above);
    QFETCH(QString, note);
    QFETCH(double, leastBand);
    const PictureData data = pictureData(section);
    const DisplayList list = layOut(data, 900, 430, 14);
    QCOMPARE(collisions(list), QString());
    QCOMPARE(list.toScale, toScale);
    QVERIFY(list.section);
    QCOMPARE(list.section->top + list.section->height < list.bands[0]->top, above);
    for (const auto &band : list.bands)
        QVERIFY2(band->height >= leastBand, qPrintable(QString::number(band->height)));
    QStringList notes;
    for (const Label &label : list.labels)
        if (label.owner.part == Part::Notes)
            notes << QString::fromStdString(label.text);
    const QString written = notes.join(u' ');
    if (note.isEmpty())
        QVERIFY2(!written.contains(u"schaal"_s), qPrintable(written));
    else
        QVERIFY2(written.contains(note), qPrintable(written));
    // The section's own proportions where it is to scale: b over h as drawn.
    const double drawn = list.section->width / list.section->height;
    const double real = double(section.b) / section.h;
    if (toScale || (above && !note.startsWith(u"verticaal"_s)))
        QVERIFY2(std::fabs(drawn / real - 1) < 1e-6, qPrintable(QString::number(drawn / real)));
    // Bars a readable dot, also in a slab that is drawn small, unless their neighbours are
    // closer than that.
    std::vector<section::Point> centres;
    double radius = 0;
    for (const auto &shape : list.shapes)
        if (const auto *bar = std::get_if<section::Circle>(&shape.form)) {
            centres.push_back(bar->centre);
            radius = bar->radius;
        }
    QVERIFY(centres.size() >= 2);
    const double pitch = centres[1].x - centres[0].x;
    QVERIFY2(radius >= std::min(2.5, 0.4 * pitch), qPrintable(QString::number(radius)));
}

void tst_PictureLayout::scaleNoteOnlyWhereItShows_data()
{
    QTest::addColumn<PictureSection>("section");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<bool>("limits");  // with the strains, the chart and MEd 100 kNm
    QTest::addColumn<QString>("note"); // what the note on the scale says, or none

    QTest::addRow("a narrow section a few hundredths short of the least width is drawn to scale")
        << PictureSection{.b = 60, .h = 680} << QSizeF(900, 600) << false << QString();
    QTest::addRow("a narrower one is drawn wider and says by how much")
        << PictureSection{.b = 57, .h = 680} << QSizeF(900, 600) << false
        << u"Niet op schaal: horizontaal is 1.1 × zo groot"_s;
    QTest::addRow("the start section in a large view stands to scale beside shorter columns")
        << PictureSection{} << QSizeF(1400, 1000) << true << QString();
    QTest::addRow("a slab of 1000 by 200 goes above the columns to scale, not beside them")
        << PictureSection{.b = 1000, .h = 200} << QSizeF(1200, 640) << true
        << u"De modellen staan op een eigen schaal"_s;
}

// A section is drawn to scale wherever that fits, and a note on the scale, in the text's
// colour, says by how much it is not where the eye would see it.
void tst_PictureLayout::scaleNoteOnlyWhereItShows()
{
    QFETCH(PictureSection, section);
    QFETCH(QSizeF, size);
    QFETCH(bool, limits);
    QFETCH(QString, note);
    const PictureExtras extras = pictureExtras(section, "100");
    const DisplayList list = layOut(pictureData(section), size.width(), size.height(), 14, {},
                                    limits ? extras.pointers() : section::PictureLimits{});
    QCOMPARE(collisions(list), QString());
    QString notes;
    for (const Label &label : list.labels)
        if (label.owner.part == Part::Notes && label.text.find("schaal") != std::string::npos) {
            notes += QString::fromStdString(label.text);
            QCOMPARE(label.role, section::Role::Ink);
        }
    QVERIFY2(note.isEmpty() ? notes.isEmpty() : notes.contains(note), qPrintable(notes));
    const double drawn = list.section->height / list.section->width;
    if (!note.startsWith(u"Niet"_s))
        QVERIFY2(std::fabs(drawn / (double(section.h) / section.b) - 1) < 1e-6,
                 qPrintable(QString::number(drawn)));
}

void tst_PictureLayout::forcesNeedSteel_data()
{
    QTest::addColumn<PictureSection>("section");
    QTest::addColumn<bool>("forces");

    QTest::addRow("four bars pull") << PictureSection{} << true;
    QTest::addRow("no bars, no forces") << PictureSection{.barCount = 0} << false;
    QTest::addRow("an area of 0 typed over the bars, no forces")
        << PictureSection{.typedAs = 0} << false;
    QTest::addRow("an area typed where there are no bars pulls")
        << PictureSection{.barCount = 0, .typedAs = 452} << true;
}

// C, T and z only where steel pulls: without it there is no force to draw, and an arrow would
// show a couple that is not there.
void tst_PictureLayout::forcesNeedSteel()
{
    QFETCH(PictureSection, section);
    QFETCH(bool, forces);
    const DisplayList list = layOut(section);
    QCOMPARE(collisions(list), QString());
    int arrows = 0;
    for (const auto &shape : list.shapes)
        arrows += std::holds_alternative<section::Arrow>(shape.form);
    int labels = 0;
    for (const Label &label : list.labels)
        labels += label.text == "C" || label.text == "T" || label.text == "z";
    QCOMPARE(arrows, forces ? 8 : 0);
    QCOMPARE(labels, forces ? 12 : 0);
}

void tst_PictureLayout::negativeCover_data()
{
    QTest::addColumn<int>("cover");
    QTest::addColumn<int>("steelShapes"); // what is left of bars and stirrup to draw

    // With 8 mm stirrups and 12 mm bars: the stirrup's inner face lies 3 mm inside the
    // concrete at a cover of -5 mm, its outer face at the concrete's at -10 mm.
    QTest::addRow("a cover of -5 mm cuts the stirrup's four legs off") << -5 << 4 + 4;
    QTest::addRow("a cover of -10 mm leaves the bars, cut off") << -10 << 4;
    QTest::addRow("a cover of -60 mm leaves nothing of them") << -60 << 0;
}

// Steel that a typed cover puts outside the concrete is cut off at its faces, and a note says
// why the stirrup and bars are not where they should be.
void tst_PictureLayout::negativeCover()
{
    QFETCH(int, cover);
    QFETCH(int, steelShapes);
    const PictureSection s{.cover = cover};
    const PictureData data = pictureData(s);
    const DisplayList list = layOut(data, 900, 430, 14);
    QCOMPARE(collisions(list), QString());
    QVERIFY(list.section);
    const Rect concrete = *list.section;
    int steel = 0;
    for (const auto &shape : list.shapes) {
        if (shape.owner.part != Part::Bars && shape.owner.part != Part::Stirrup)
            continue;
        ++steel;
        const Rect ink = *inkOf(shape).filled;
        QVERIFY2(ink.left >= concrete.left - 1e-9 && ink.top >= concrete.top - 1e-9 &&
                     ink.left + ink.width <= concrete.left + concrete.width + 1e-9 &&
                     ink.top + ink.height <= concrete.top + concrete.height + 1e-9,
                 "steel drawn outside the concrete");
    }
    QCOMPARE(steel, steelShapes);
    bool said = false;
    for (const Label &label : list.labels)
        said = said || (label.owner.part == Part::Notes &&
                        label.text.find("negatief") != std::string::npos);
    QVERIFY2(said, "no note on the negative cover");
}

void tst_PictureLayout::longResultsStayInTheirColumn_data()
{
    QTest::addColumn<QString>("moment");

    QTest::addRow("a moment of 13 digits shrinks") << u"1234567890123"_s;
    QTest::addRow("a moment of 30 digits wraps") << QString(30, u'7');
    QTest::addRow("a moment of 309 digits wraps and ends in an ellipsis") << QString(309, u'9');
    QTest::addRow("a moment beyond the double range reads inf") << u"inf"_s;
}

// The results are the main window's texts, which can be as long as the digits of a moment
// near the double range: they stay inside their column, shrunk or wrapped, and show the
// leading digits as they are.
void tst_PictureLayout::longResultsStayInTheirColumn()
{
    QFETCH(QString, moment);
    PictureData data = pictureData({});
    for (const auto field : {beam::Mu0, beam::Mu1, beam::Mu2, beam::Mu3})
        data.texts[std::size_t(field)] = moment.toStdString();
    for (const double pixels : {14.0, 28.0}) {
        const DisplayList list = layOut(data, 900, 430, pixels);
        QCOMPARE(collisions(list), QString());
        for (const beam::Model i : beam::allModels) {
            const Rect column = *list.columns[beam::index(i)];
            std::string shown;
            bool whole = false;
            for (const Label &label : list.labels) {
                if (label.owner != section::Owner{Part::Results, i})
                    continue;
                QVERIFY2(label.box.left >= column.left &&
                             label.box.left + label.box.width <= column.left + column.width,
                         qPrintable(describe(label)));
                if (!whole)
                    shown += label.text;
                whole = whole || label.text.ends_with("kNm") || label.text.ends_with("…");
            }
            // Wrapped lines join again to the text, up to where an ellipsis cuts it off.
            const std::string full = "Mu = " + moment.toStdString() + " kNm";
            std::string start = shown.substr(0, shown.find("…"));
            std::erase(start, ' ');
            std::string expected = full;
            std::erase(expected, ' ');
            QVERIFY2(expected.starts_with(start) && start.size() > 3, shown.c_str());
        }
    }
}

// The strips kept for strain diagrams and the area kept for a chart lie inside the target,
// and no label stands in them.
void tst_PictureLayout::keptAreasStayFree()
{
    const section::PictureOptions options{.strainDiagrams = true, .chartShare = 0.35};
    for (const PictureSection &s : {PictureSection{}, PictureSection{.b = 2000, .h = 100}}) {
        const DisplayList list = layOut(pictureData(s), 1400, 620, 14, options);
        QCOMPARE(collisions(list), QString());
        std::vector<Rect> kept{*list.chartArea};
        for (const auto &strip : list.strainAreas) {
            QVERIFY(strip);
            kept.push_back(*strip);
        }
        for (const Rect &area : kept) {
            QVERIFY(area.width > 0 && area.height > 0);
            QVERIFY(area.left >= 0 && area.left + area.width <= list.width);
            for (const Label &label : list.labels)
                QVERIFY2(!overlap(inset(label.box, 0.1), area), qPrintable(describe(label)));
        }
    }
}

void tst_PictureLayout::wordsBesideColours_data()
{
    QTest::addColumn<PictureSection>("section");
    QTest::addColumn<QString>("designMoment");
    QTest::addColumn<int>("model"); // whose results, or -1 for the notes
    // Consecutive lines with their colour (i ink, a amber, r red), as a pattern.
    QTest::addColumn<QString>("lines");

    const int parabolic = int(beam::Model::Parabolic);
    QTest::addRow("an As,nodig past As,vloei is amber and says it lies outside the model")
        << PictureSection{} << u"100"_s << parabolic
        << u"As,nodig = 609 mm2:a\\|buiten model:a\\|MEd/MRd = 1.27:r\\|voldoet niet:r"_s;
    QTest::addRow("a valid As,nodig stays plain text in a column whose steel does not yield")
        << PictureSection{.barCount = 8} << u"100"_s << int(beam::Model::BiLinear)
        << u"staal vloeit niet:a\\|As,vloei = 801 mm2:i\\|As,nodig = 594 mm2:i\\|MEd/MRd = 0.74:a"_s;
    QTest::addRow("no area that reaches MEd says so")
        << PictureSection{.b = 2000, .h = 100} << u"100"_s << parabolic
        << u"As,nodig: onhaalbaar:i"_s;
    QTest::addRow("an invalid model says where its zone ends instead of the window's zeros")
        << PictureSection{.b = 50} << QString() << parabolic
        << u"Mu = 0 kNm:r\\|ongeldig::r\\|drukzone reikt:r\\|tot het staal:r"_s;
    QTest::addRow("a cover wider than the section is wrong")
        << PictureSection{.cover = 150} << QString() << -1 << u"2c = 300 mm, is niet[^|]*:r"_s;
    QTest::addRow("a section without steel is plain information")
        << PictureSection{.barCount = 0} << QString() << -1 << u"Zonder staal [^|]*:i"_s;
}

// Amber for what lies outside a model's assumption, red only for what is wrong, each with the
// word that says it; an invalid model's zeros never stand beside its reason.
void tst_PictureLayout::wordsBesideColours()
{
    QFETCH(PictureSection, section);
    QFETCH(QString, designMoment);
    QFETCH(int, model);
    QFETCH(QString, lines);
    const PictureExtras extras = pictureExtras(section, designMoment.toStdString());
    const DisplayList list = layOut(pictureData(section), 1200, 900, 14, {}, extras.pointers());
    QCOMPARE(collisions(list), QString());
    const Part part = model < 0 ? Part::Notes : Part::Results;
    QString written;
    for (const Label &label : list.labels)
        if (label.owner.part == part &&
            (model < 0 || (label.owner.model && int(*label.owner.model) == model))) {
            const char16_t tone = label.role == section::Role::Warning   ? u'a'
                                  : label.role == section::Role::Invalid ? u'r'
                                                                         : u'i';
            written += QString::fromStdString(label.text) + u':' + QChar(tone) + u'|';
        }
    QVERIFY2(written.contains(QRegularExpression(lines)), qPrintable(written));
}

void tst_PictureLayout::strainDiagrams_data()
{
    QTest::addColumn<PictureSection>("section");
    // Per column: y where the steel yields, n where it does not, - where no diagram is drawn.
    QTest::addColumn<QString>("diagrams");
    QTest::addColumn<QString>("parabolic"); // parabolisch's steel strain as written

    QTest::addRow("the start section: every model's steel yields")
        << PictureSection{} << u"-yyy"_s << u"3.110"_s;
    QTest::addRow("five 12 mm bars: parabolisch stops short of yielding")
        << PictureSection{.barCount = 5} << u"-nyy"_s << u"2.088"_s;
    QTest::addRow("eight 12 mm bars: no model's steel yields")
        << PictureSection{.barCount = 8} << u"-nnn"_s << u"0.555"_s;
    QTest::addRow("four 20 mm bars: parabolisch is invalid and has no strain")
        << PictureSection{.barItem = 5} << u"--nn"_s << QString();
}

// Each diagram is linear on the column's scale: εc at the top face, 0 at the neutral axis, εs
// at the steel, one strain scale for all, a dashed line at εyd; and the column says whether
// its steel yields, in amber where it does not.
void tst_PictureLayout::strainDiagrams()
{
    QFETCH(PictureSection, section);
    QFETCH(QString, diagrams);
    QFETCH(QString, parabolic);
    const PictureExtras extras = pictureExtras(section);
    const DisplayList list = layOut(pictureData(section), 900, 640, 14, {}, extras.pointers());
    QCOMPARE(collisions(list), QString());
    const auto near = [](double a, double b) {
        return std::fabs(a - b) < 1e-6;
    };
    for (const beam::Model i : beam::allModels) {
        using section::Owner;
        // "benadering" borrows the verdict of "parabool rechthoek", and draws no strain.
        const QChar expected = diagrams[qsizetype(
            beam::index(i == beam::Model::Approximation ? beam::Model::ParabolaRectangle : i))];
        std::vector<section::Point> corners;
        double yieldLine = -1, axis = -1, steel = -1;
        for (const auto &shape : list.shapes) {
            const auto *line = std::get_if<section::Polyline>(&shape.form);
            const auto *polygon = std::get_if<section::Polygon>(&shape.form);
            if (shape.owner == Owner{Part::Strain, i} && polygon)
                corners.insert(corners.end(), polygon->points.begin(), polygon->points.end());
            else if (shape.owner == Owner{Part::Strain, i} && shape.stroke->dash != Dash::Solid)
                yieldLine = line->points.front().x;
            else if (shape.owner == Owner{Part::NeutralAxis, i})
                axis = line->points.front().y;
            else if (shape.owner == Owner{Part::Grid, i} &&
                     line->points.front().y == line->points.back().y)
                steel = std::max(steel, line->points.front().y);
            else if (shape.owner == Owner{Part::Block, i} && polygon && expected != u'-')
                QCOMPARE(shape.fill.role,
                         expected == u'n' ? section::Role::WarningBlock : section::Role::Block);
        }
        std::string strains = "|";
        std::string results = "|";
        for (const Label &label : list.labels) {
            if (label.owner == Owner{Part::Strain, i})
                strains += label.text + '|';
            if (label.owner == Owner{Part::Results, i})
                results += label.text + '|';
            if (label.owner == Owner{Part::Heading, i} && i != beam::Model::Approximation)
                QCOMPARE(label.role, expected == u'n'   ? section::Role::Warning
                                     : expected == u'-' ? section::Role::Invalid
                                                        : section::Role::Ink);
        }
        QCOMPARE(results.find("|staal vloeit|") != std::string::npos, expected == u'y');
        QCOMPARE(results.find("|staal vloeit niet|") != std::string::npos, expected == u'n');
        QCOMPARE(strains.find("|Mu te gunstig|") != std::string::npos,
                 expected == u'n' && i != beam::Model::Approximation);
        if (i == beam::Model::Approximation) {
            QVERIFY(corners.empty());
            QVERIFY(results.find("|als parabool rechthoek|") != std::string::npos);
            continue;
        }
        QCOMPARE(!corners.empty(), expected != u'-');
        if (expected == u'-')
            continue;
        QVERIFY2(strains.find("|εyd|") != std::string::npos, "the εyd line has no label");
        const auto &strain = extras.limits.models[beam::index(i)].strain;
        const double zero = *list.strainZero[beam::index(i)];
        const double k = list.strainScale;
        const auto has = [&](double x, double y) {
            return std::any_of(corners.begin(), corners.end(),
                               [&](section::Point p) { return near(p.x, x) && near(p.y, y); });
        };
        QVERIFY2(has(zero - strain.topStrain * k, list.bands[beam::index(i)]->top),
                 "εc is not at the top face");
        QVERIFY2(has(zero, axis), "the strain is not 0 at the neutral axis");
        QVERIFY2(has(zero + strain.steelStrain * k, steel), "εs is not at the steel");
        QVERIFY2(near(yieldLine, zero + strain.yieldStrain * k), "no line at εyd");
        if (i == beam::Model::Parabolic)
            QVERIFY2(strains.find("|εs = " + parabolic.toStdString() + " ‰|") != std::string::npos,
                     strains.c_str());
    }
}

void tst_PictureLayout::chartFollowsItsData_data()
{
    QTest::addColumn<PictureSection>("section");
    QTest::addColumn<QString>("designMoment");

    QTest::addRow("the start section with MEd 100 kNm") << PictureSection{} << u"100"_s;
    QTest::addRow("eight 12 mm bars: parabolisch bends over past its yield limit")
        << PictureSection{.barCount = 8} << QString();
    QTest::addRow("four 20 mm bars: parabolisch's steel does not yield at the marked area")
        << PictureSection{.barItem = 5} << u"150"_s;
}

// The chart's marks stand where its data puts them on the axes: each curve ends at its last
// valid area, the markers at the current As lie on their curves with the window's values,
// and MEd is a line at its height.
void tst_PictureLayout::chartFollowsItsData()
{
    QFETCH(PictureSection, section);
    QFETCH(QString, designMoment);
    const PictureExtras extras = pictureExtras(section, designMoment.toStdString());
    const section::MomentChart &chart = extras.chart;
    const DisplayList list = layOut(pictureData(section), 1200, 744, 14, {}, extras.pointers());
    QCOMPARE(collisions(list), QString());
    QCOMPARE(extrasOutOfPlace(list), QString());
    QVERIFY(!list.chartLeftOut && list.plot);
    const Rect plot = *list.plot;
    const auto X = [&](double As) {
        return plot.left + (As - list.chartX[0]) / (list.chartX[1] - list.chartX[0]) * plot.width;
    };
    const auto Y = [&](double Mu) {
        return plot.top + plot.height -
               (Mu - list.chartY[0]) / (list.chartY[1] - list.chartY[0]) * plot.height;
    };
    const double kNm = plot.height / (list.chartY[1] - list.chartY[0]);
    const auto near = [](double a, double b, double by = 1e-6) {
        return std::fabs(a - b) < by;
    };
    const double As = chart.current[0].at.As;
    for (const beam::Model model : beam::allModels) {
        const std::size_t c = beam::index(model);
        const section::Owner owner{Part::ChartCurve, model};
        const section::ChartCurve &curve = chart.curves[c];
        std::vector<section::Point> drawn;
        std::optional<section::Point> marker;
        int crosses = 0;
        for (const auto &shape : list.shapes) {
            if (shape.owner != owner)
                continue;
            if (const auto *line = std::get_if<section::Polyline>(&shape.form)) {
                if (shape.stroke->role == section::Role::Invalid)
                    ++crosses;
                else
                    drawn.insert(drawn.end(), line->points.begin(), line->points.end());
            } else if (shape.fill.kind == section::FillKind::Solid) {
                const Rect r = boundsOf(shape);
                marker = section::Point{r.left + r.width / 2, r.top + r.height / 2};
            }
        }
        QVERIFY(!drawn.empty());
        // The last point drawn is the last valid area, where the cross stands.
        const auto last =
            std::max_element(drawn.begin(), drawn.end(), [](auto a, auto b) { return a.x < b.x; });
        // Past its yield limit a block model's line goes on with the stress its strains give,
        // so only a model that turns invalid stops before the axis ends.
        const double end =
            curve.endsInvalid
                ? std::min<double>(extras.limits.models[std::size_t(c)].validLimit, list.chartX[1])
                : list.chartX[1];
        // benadering's straight line past its limit may leave the plot at the top instead.
        const bool cutOff = model == beam::Model::Approximation && near(last->y, plot.top);
        QVERIFY2(near(last->x, X(end)) || cutOff,
                 qPrintable(u"model %1 ends at %2, not %3"_s.arg(c).arg(last->x).arg(X(end))));
        QCOMPARE(crosses, curve.endsInvalid ? 2 : 0);
        // The marker stands at the window's value, on the curve where the model holds with
        // σs = fyd: the window's Mu is cut off to whole kNm, so within one of the curve. Past the
        // yield limit the curve takes the strains' stress and leaves the window's value above it.
        QVERIFY(marker);
        QVERIFY(near(marker->x, X(As)));
        QVERIFY(near(marker->y, Y(chart.current[std::size_t(c)].at.Mu)));
        const auto &yieldLimit = extras.limits.models[std::size_t(c)].yieldLimit;
        if (As <= end && (!yieldLimit || As <= double(*yieldLimit))) {
            const auto at = std::find_if(drawn.begin(), drawn.end(),
                                         [&](section::Point p) { return near(p.x, X(As)); });
            QVERIFY(at != drawn.end());
            QVERIFY2(near(at->y, marker->y, kNm * 1.0001),
                     qPrintable(u"model %1: %2 against %3"_s.arg(c).arg(at->y).arg(marker->y)));
        }
    }
    // MEd across the plot at its height, with a point for every area found.
    int MEdLines = 0;
    int hollow = 0;
    for (const auto &shape : list.shapes) {
        if (shape.owner.part == Part::ChartMark)
            if (const auto &p = std::get<section::Polyline>(shape.form).points;
                p.front().y == p.back().y) {
                ++MEdLines;
                QVERIFY(near(p.front().y, Y(chart.designMoment)));
                QVERIFY(near(p.front().x, plot.left) && near(p.back().x, plot.left + plot.width));
            }
        hollow += shape.owner.part == Part::ChartCurve &&
                  shape.fill.kind == section::FillKind::None &&
                  !std::holds_alternative<section::Polyline>(shape.form);
    }
    QCOMPARE(MEdLines, chart.hasDesignMoment ? 1 : 0);
    QCOMPARE(hollow, int(chart.required.size()));
}

void tst_PictureLayout::extrasGiveWay_data()
{
    QTest::addColumn<PictureSection>("section");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<double>("pixels");
    QTest::addColumn<bool>("chart");
    QTest::addColumn<bool>("strains");

    QTest::addRow("the window's drawing keeps the strains and leaves the chart out")
        << PictureSection{} << QSizeF(900, 430) << 14.0 << false << true;
    QTest::addRow("the window's drawing made taller holds both")
        << PictureSection{} << QSizeF(900, 640) << 14.0 << true << true;
    QTest::addRow("the window's drawing at 28 px holds neither")
        << PictureSection{} << QSizeF(900, 640) << 28.0 << false << false;
    QTest::addRow("a slab of 2000 by 100 keeps both with the section above the columns")
        << PictureSection{.b = 2000, .h = 100} << QSizeF(900, 640) << 14.0 << true << true;
    QTest::addRow("a wide target puts the chart beside the columns")
        << PictureSection{} << QSizeF(1600, 620) << 14.0 << true << true;
}

// The chart gives way first, then the strains, before the font shrinks by more than a fifth;
// a note says what is left out; a slab is never squeezed beside the columns for them.
void tst_PictureLayout::extrasGiveWay()
{
    QFETCH(PictureSection, section);
    QFETCH(QSizeF, size);
    QFETCH(double, pixels);
    QFETCH(bool, chart);
    QFETCH(bool, strains);
    const PictureData data = pictureData(section);
    const PictureExtras extras = pictureExtras(section, "100");
    const DisplayList list =
        layOut(data, size.width(), size.height(), pixels, {}, extras.pointers());
    QCOMPARE(collisions(list), QString());
    QCOMPARE(extrasOutOfPlace(list), QString());
    QCOMPARE(!list.chartLeftOut, chart);
    QCOMPARE(!list.strainLeftOut, strains);
    QCOMPARE(list.plot.has_value(), chart);
    QCOMPARE(std::any_of(list.shapes.begin(), list.shapes.end(),
                         [](const auto &shape) { return shape.owner.part == Part::Strain; }),
             strains);
    QCOMPARE(std::any_of(list.labels.begin(), list.labels.end(),
                         [](const Label &l) {
                             return l.owner.part == Part::Notes &&
                                    l.text.find("geen ruimte") != std::string::npos;
                         }),
             !chart || !strains);
    const bool wide = section.b > section.h;
    QCOMPARE(list.section->top + list.section->height < list.bands[0]->top, wide);
    if (chart && size.width() > 1400)
        QVERIFY(list.chartArea->left > list.columns[3]->left + list.columns[3]->width);
    else if (chart)
        QVERIFY(list.chartArea->top > list.columns[3]->top + list.columns[3]->height);
}

void tst_PictureLayout::descriptionSaysWhatIsDrawn_data()
{
    QTest::addColumn<PictureSection>("section");
    QTest::addColumn<QString>("designMoment");
    QTest::addColumn<QString>("says");

    QTest::addRow("benadering borrows its verdict") << PictureSection{} << QString()
                                                    << u"Geen eigen rek: staal vloeit, als "
                                                       u"parabool rechthoek. As,vloei = 864"_s;
    QTest::addRow("five 12 mm bars: parabolisch's steel does not yield and its Mu is too high")
        << PictureSection{.barCount = 5} << QString()
        << u"εs = 2.088 ‰ bij het staal, εyd = 2.175 ‰: staal vloeit niet, dus σs < fyd; het "
           u"model rekent met σs = fyd, zo is zijn Mu te gunstig."_s;
    QTest::addRow("MEd 100 kNm: parabolisch needs more than it yields with")
        << PictureSection{} << u"100"_s << u"As,nodig = 609 mm2, meer dan As,vloei"_s;
    QTest::addRow("eight 12 mm bars: the chart says its lines break where the steel stops yielding")
        << PictureSection{.barCount = 8} << QString()
        << u"doorgetrokken zolang het staal vloeit en gestreept daarna"_s;
}

// The screen reader's text says in words what the strains and the chart show; the sweep
// checks that every value written in the picture stands in it too.
void tst_PictureLayout::descriptionSaysWhatIsDrawn()
{
    QFETCH(PictureSection, section);
    QFETCH(QString, designMoment);
    QFETCH(QString, says);
    const PictureExtras extras = pictureExtras(section, designMoment.toStdString());
    const DisplayList list = layOut(pictureData(section), 1200, 744, 14, {}, extras.pointers());
    QVERIFY2(QString::fromStdString(list.description).contains(says), list.description.c_str());
}

void tst_PictureLayout::svgIsWellFormed_data()
{
    QTest::addColumn<PictureSection>("section");
    QTest::addColumn<bool>("limits");

    QTest::addRow("the start section") << PictureSection{} << false;
    QTest::addRow("a negative cover, with steel cut off") << PictureSection{.cover = -10} << false;
    QTest::addRow("an invalid model, with a hatched block")
        << PictureSection{.barItem = 5} << false;
    QTest::addRow("no section at all") << PictureSection{.b = 0} << false;
    QTest::addRow("steel that does not yield writes \"<\" in a label")
        << PictureSection{.barCount = 8} << true;
}

// The browser shows and saves this text as it is: it must parse, say what it shows in its
// title and description, and hold every label, also where the texts hold markup or bytes
// that are not UTF-8.
void tst_PictureLayout::svgIsWellFormed()
{
    QFETCH(PictureSection, section);
    QFETCH(bool, limits);
    const PictureExtras extras = pictureExtras(section, "100");
    DisplayList list = layOut(pictureData(section), 900, 430, 14, {},
                              limits ? extras.pointers() : section::PictureLimits{});
    list.title += " <&> \"'";
    list.description += " \xff\x01 einde";
    const std::string svg = section::svgPicture(list, 14);
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    qsizetype texts = 0;
    const QStringList basic{u"svg"_s,      u"title"_s,  u"desc"_s, u"rect"_s, u"polygon"_s,
                            u"polyline"_s, u"circle"_s, u"path"_s, u"text"_s};
    QString title;
    QString description;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"text"_s)
            ++texts;
        else if (xml.name() == u"title"_s)
            title = xml.readElementText();
        else if (xml.name() == u"desc"_s)
            description = xml.readElementText();
        else if (!basic.contains(xml.name().toString()))
            QFAIL(qPrintable(u"an element a plain SVG viewer may not know: "_s +
                             xml.name().toString()));
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(texts, qsizetype(list.labels.size()));
    QVERIFY2(title.endsWith(u" <&> \"'"_s), qPrintable(title));
    QVERIFY2(description.endsWith(u" \uFFFD einde"_s), qPrintable(description));
}

// The SVG's coordinates in hundredths, with no digit more than they need.
void tst_PictureLayout::svgNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("written");
    const double nan = std::nan("");
    QTest::newRow("a whole number has no point") << 12.0 << u"12"_s;
    QTest::newRow("hundredths keep the zero of the tenths") << 3.05 << u"3.05"_s;
    QTest::newRow("tenths drop the zero of the hundredths") << 0.5 << u"0.5"_s;
    QTest::newRow("a value is rounded to the nearest hundredth") << 2.346 << u"2.35"_s;
    QTest::newRow("a negative value keeps its sign") << -0.05 << u"-0.05"_s;
    QTest::newRow("a negative value that rounds to nothing is 0") << -0.004 << u"0"_s;
    QTest::newRow("no number is written as 0") << nan << u"0"_s;
    QTest::newRow("an absurd value is clamped") << -1e300 << u"-1000000000000000"_s;
}

void tst_PictureLayout::svgNumbers()
{
    QFETCH(double, value);
    QFETCH(QString, written);
    DisplayList list;
    list.shapes.push_back({section::Circle{{value, 1}, 2}, std::nullopt, {}, {}});
    const QString svg = QString::fromStdString(section::svgPicture(list, 14));
    const auto match = QRegularExpression(u"<circle cx=\"([^\"]*)\""_s).match(svg);
    QVERIFY2(match.hasMatch(), qPrintable(svg));
    QCOMPARE(match.captured(1), written);
}

QTEST_APPLESS_MAIN(tst_PictureLayout)
#include "tst_picture_layout.moc"
