#include "moment.h"
#include "reinforcement.h"
#include "section_geometry.h"

#include <QTest>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

using section::Point;
using namespace Qt::Literals::StringLiterals;

// The section's drawing as geometry and the steps that explain the digits, without a window.
class tst_SectionGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bars_data();
    void bars();
    void emptyStates_data();
    void emptyStates();
    void blockMatchesItsConstants_data();
    void blockMatchesItsConstants();
    void steps_data();
    void steps();
    void notesSayWhatTheDrawingCannot_data();
    void notesSayWhatTheDrawingCannot();
    void decimalWritesAsToChars_data();
    void decimalWritesAsToChars();
    void decimalAgreesWithToCharsOnSampledDoubles();
};

namespace {

// The start values of the main window: C12/15, FeB500, 4 bars of 12 mm, stirrups 8 mm, cover
// 15 mm, height 500 mm, width 200 mm.
beam::SectionInputs startValues()
{
    beam::SectionInputs s;
    s.fydText = std::string("435");
    s.fcdText = std::string("8");
    s.barItem = 3;
    s.stirrupItem = 1;
    s.barCount = 4;
    s.As = 452;
    s.d = 471;
    s.b = 200;
    s.H = 500;
    s.c = 15;
    return s;
}

section::SectionGeometry geometryOf(const beam::SectionInputs &s)
{
    return section::sectionGeometry(s, beam::computeMomentSteps(s.momentInputs()));
}

} // namespace

void tst_SectionGeometry::bars_data()
{
    QTest::addColumn<int>("barItem");
    QTest::addColumn<int>("stirrupItem");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("b");
    QTest::addColumn<QList<double>>("xs"); // the first and last centre, or the one
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("oneLayerNote");

    // Inside the stirrup: 15 + 8 + 6 = 29 from each face, at the depth d assumes.
    QTest::addRow("four 12 mm bars spread between the stirrup's legs")
        << 3 << 1 << 4 << 200 << QList<double>{29, 171} << 471.0 << false;
    QTest::addRow("one bar stands in the middle")
        << 3 << 1 << 1 << 200 << QList<double>{100} << 471.0 << false;
    QTest::addRow("no stirrups put the bars at the cover")
        << 3 << 4 << 2 << 200 << QList<double>{21, 179} << 479.0 << false;
    // A half diameter of 12.5 is drawn as it is, though d truncates it to 12.
    QTest::addRow("25 mm bars sit half a millimetre below d")
        << 6 << 1 << 2 << 200 << QList<double>{35.5, 164.5} << 464.5 << false;
    // 10 bars of 20 mm: (200 - 2 x 33) / 9 - 20 = -5.1 mm clear spacing.
    QTest::addRow("ten 20 mm bars in 200 mm do not fit one layer")
        << 5 << 1 << 10 << 200 << QList<double>{33, 167} << 467.0 << true;
    // (90 - 2 x 29) - 12 = 20 mm between two 12 mm bars.
    QTest::addRow("a clear spacing of exactly 20 mm fits")
        << 3 << 1 << 2 << 90 << QList<double>{29, 61} << 471.0 << false;
    QTest::addRow("a clear spacing just below 20 mm gets the note")
        << 3 << 1 << 2 << 89 << QList<double>{29, 60} << 471.0 << true;
    QTest::addRow("40 mm bars need a spacing of their diameter")
        << 8 << 1 << 2 << 146 << QList<double>{43, 103} << 457.0 << true;
    QTest::addRow("one bar wider than the room inside the stirrup gets the note")
        << 8 << 1 << 1 << 80 << QList<double>{40} << 457.0 << true;
}

void tst_SectionGeometry::bars()
{
    QFETCH(int, barItem);
    QFETCH(int, stirrupItem);
    QFETCH(int, count);
    QFETCH(int, b);
    QFETCH(QList<double>, xs);
    QFETCH(double, y);
    QFETCH(bool, oneLayerNote);
    beam::SectionInputs s = startValues();
    s.barItem = barItem;
    s.stirrupItem = stirrupItem;
    s.barCount = count;
    s.b = b;
    s.As = beam::steelArea(barItem, count);
    s.d = beam::effectiveDepth(barItem, stirrupItem, s.H, s.c);
    const section::SectionGeometry g = geometryOf(s);
    QVERIFY(!g.empty);
    QCOMPARE(g.bars.size(), std::size_t(count));
    QCOMPARE(g.bars.front().x, xs.front());
    QCOMPARE(g.bars.back().x, xs.back());
    for (const Point &bar : g.bars)
        QCOMPARE(bar.y, y);
    QCOMPARE(g.oneLayerNote, oneLayerNote);
    const auto says = [](const std::string &note) {
        return note.find("één laag") != note.npos;
    };
    QCOMPARE(std::count_if(g.notes.begin(), g.notes.end(), says), oneLayerNote ? 1 : 0);
    QCOMPARE(g.hasStirrup, stirrupItem != 4);
}

void tst_SectionGeometry::emptyStates_data()
{
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("d");
    QTest::addColumn<QString>("says");

    QTest::addRow("no width") << 0 << 500 << 471 << u"breedte b is 0 mm"_s;
    QTest::addRow("a negative width typed") << -5 << 500 << 471 << u"breedte b is -5 mm"_s;
    QTest::addRow("no height") << 200 << 0 << -1 << u"hoogte h is 0 mm"_s;
    QTest::addRow("no effective depth") << 200 << 29 << -1 << u"Geen nuttige hoogte (d = -1)"_s;
}

void tst_SectionGeometry::emptyStates()
{
    QFETCH(int, b);
    QFETCH(int, H);
    QFETCH(int, d);
    QFETCH(QString, says);
    beam::SectionInputs s = startValues();
    s.b = b;
    s.H = H;
    s.d = d;
    const section::SectionGeometry g = geometryOf(s);
    QVERIFY(g.empty);
    QVERIFY2(QString::fromStdString(g.emptyText).contains(says), g.emptyText.c_str());
    QVERIFY(g.bars.empty());
}

void tst_SectionGeometry::blockMatchesItsConstants_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<double>("beta");

    QTest::addRow("parabola from the neutral axis to the top")
        << int(beam::Parabolic) << 2.0 / 3 << 0.375;
    QTest::addRow("bi-linear of the lower classes reproduces 7/18")
        << int(beam::BiLinear) << 0.75 << 7.0 / 18;
    QTest::addRow("bi-linear of C70/85 reproduces 0.35 to its rounding")
        << int(beam::BiLinear) << 0.62 << 0.35;
    QTest::addRow("parabola over the lower 4/7, then constant")
        << int(beam::ParabolaRectangle) << 17.0 / 21 << 99.0 / 238;
}

// The drawn block must be the block the model computes with: its area is alpha x xu x fcd,
// and its centroid, where C acts, lies beta x xu from the top.
void tst_SectionGeometry::blockMatchesItsConstants()
{
    QFETCH(int, model);
    QFETCH(double, alpha);
    QFETCH(double, beta);
    const double xu = 100;
    const std::vector<Point> outline =
        section::blockOutline(beam::StressBlockModel(model), alpha, xu, 1000);
    QCOMPARE(outline.front(), (Point{0, 0}));
    QCOMPARE(outline.back().y, xu);
    double area = 0;
    double moment = 0;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const Point &p = outline[i];
        const Point &q = outline[(i + 1) % outline.size()];
        const double cross = p.x * q.y - q.x * p.y;
        area += cross / 2;
        moment += (p.y + q.y) * cross / 6;
    }
    area = std::fabs(area);
    moment = std::fabs(moment);
    // Sixteen chords under a parabola lose about 1/(6 x 16^2) of its area.
    QVERIFY2(std::fabs(area / xu - alpha) < 2e-3, qPrintable(QString::number(area / xu)));
    QVERIFY2(std::fabs(moment / area / xu - beta) < 3e-3,
             qPrintable(QString::number(moment / area / xu)));

    const std::vector<Point> cut =
        section::blockOutline(beam::StressBlockModel(model), alpha, xu, 60);
    QCOMPARE(cut.back(), (Point{0, 60}));
}

void tst_SectionGeometry::steps_data()
{
    QTest::addColumn<int>("barItem");
    QTest::addColumn<QList<double>>("xu");
    QTest::addColumn<QList<double>>("z");
    QTest::addColumn<QList<int>>("states");

    QTest::addRow("start values: every model valid")
        << 3 << QList<double>{184.33125, 163.85, 151.80220588235295}
        << QList<double>{401.87578125, 407.28055555555557, 407.8553849480969}
        << QList<int>{0, 0, 0};
    // The window shows zeros for "parabolisch"; the steps keep the xu that made it invalid.
    QTest::addRow("four 20 mm bars: the parabola's zone passes d")
        << 5 << QList<double>{512.2125, 455.3, 421.8220588235294}
        << QList<double>{274.9203125, 289.93888888888887, 291.5362024221454}
        << QList<int>{int(beam::ModelState::ZoneReachesDepth), 0, 0};
}

void tst_SectionGeometry::steps()
{
    QFETCH(int, barItem);
    QFETCH(QList<double>, xu);
    QFETCH(QList<double>, z);
    QFETCH(QList<int>, states);
    beam::SectionInputs s = startValues();
    s.barItem = barItem;
    s.As = beam::steelArea(barItem, 4);
    s.d = beam::effectiveDepth(barItem, 1, 500, 15);
    const beam::MomentSteps steps = beam::computeMomentSteps(s.momentInputs());
    QCOMPARE(steps.texts, beam::computeMoments(s.momentInputs()));
    for (int m = 0; m < 3; ++m) {
        const beam::ModelSteps &model = steps.models[std::size_t(m)];
        QCOMPARE(model.xu, xu[m]);
        QCOMPARE(model.z, z[m]);
        QCOMPARE(int(model.state), states[m]);
    }
}

void tst_SectionGeometry::notesSayWhatTheDrawingCannot_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("cover");
    QTest::addColumn<QString>("says");
    QTest::addColumn<QString>("neverSays");

    // 10 bars of 20 mm in 200 mm: (200 - 2 x 33) / 9 - 20 = -5.1 mm.
    QTest::addRow("a negative clear spacing reads as bars that overlap")
        << 10 << 15 << u"ze overlappen elkaar over 5.11 mm"_s << u"vrije ruimte -"_s;
    // 5 bars: (200 - 66) / 4 - 20 = 13.5 mm, less than the 20 mm needed.
    QTest::addRow("a clear spacing too small is still a spacing")
        << 5 << 15 << u"vrije ruimte 13.5 mm, nodig 20 mm"_s << u"overlappen"_s;
    QTest::addRow("a negative cover is said in words")
        << 4 << -10 << u"De dekking c = -10 mm is negatief"_s << u"overlappen"_s;
    QTest::addRow("a cover of 0 is not negative") << 4 << 0 << QString() << u"negatief"_s;
    QTest::addRow("no steel, so no forces and no zone")
        << 0 << 15 << u"Zonder staal (As = 0)"_s << u"negatief"_s;
    QTest::addRow("steel, so nothing about its absence")
        << 4 << 15 << QString() << u"Zonder staal"_s;
}

// Where the drawing cannot show the inputs as they are, a note says what is wrong in words.
void tst_SectionGeometry::notesSayWhatTheDrawingCannot()
{
    QFETCH(int, count);
    QFETCH(int, cover);
    QFETCH(QString, says);
    QFETCH(QString, neverSays);
    beam::SectionInputs s = startValues();
    s.barItem = 5;
    s.barCount = count;
    s.c = cover;
    s.As = beam::steelArea(5, count);
    s.d = beam::effectiveDepth(5, 1, s.H, cover);
    QStringList notes;
    for (const std::string &note : geometryOf(s).notes)
        notes << QString::fromStdString(note);
    const QString all = notes.join(u'\n');
    if (!says.isEmpty())
        QVERIFY2(all.contains(says), qPrintable(all));
    QVERIFY2(!all.contains(neverSays), qPrintable(all));
}

namespace {

// What the standard library writes, the separator put in afterwards.
std::string toChars(double value, int digits, char separator)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::general, std::clamp(digits, 1, 17))
                         .ptr;
    std::string text(buffer, end);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

} // namespace

void tst_SectionGeometry::decimalWritesAsToChars_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<char>("separator");
    constexpr double infinity = std::numeric_limits<double>::infinity();

    QTest::addRow("a whole number has no separator") << 471.0 << 10 << '.';
    QTest::addRow("ten digits round the eleventh") << 401.87578125 << 10 << '.';
    QTest::addRow("a binary tie rounds to the even digit") << 0.125 << 2 << '.';
    QTest::addRow("rounding up carries into a new digit") << 9.9999 << 3 << '.';
    QTest::addRow("down to 1e-4 the fixed form holds") << 0.0001 << 3 << '.';
    QTest::addRow("below 1e-4 the exponent form begins") << 0.0000123 << 3 << '.';
    QTest::addRow("as many whole digits as the precision stay fixed") << 1234.0 << 4 << '.';
    QTest::addRow("one whole digit more takes the exponent form") << 12345.0 << 4 << '.';
    QTest::addRow("rounding up can reach the exponent form") << 9999.6 << 4 << '.';
    QTest::addRow("an exponent of three digits") << 1e300 << 10 << '.';
    QTest::addRow("the smallest subnormal") << 4.9406564584124654e-324 << 17 << '.';
    QTest::addRow("the largest double with every digit")
        << std::numeric_limits<double>::max() << 17 << '.';
    QTest::addRow("a negative number keeps its sign") << -85.32394366197183 << 6 << '.';
    QTest::addRow("negative zero keeps its sign") << -0.0 << 4 << '.';
    QTest::addRow("more than 17 digits are held at 17") << 0.1 << 40 << '.';
    QTest::addRow("no digits count as one") << 123.0 << 0 << '.';
    QTest::addRow("infinity") << -infinity << 10 << '.';
    QTest::addRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 10 << '.';
    QTest::addRow("a comma takes the point's place") << 0.3914 << 4 << ',';
    QTest::addRow("a comma in the exponent form") << 1.5e-7 << 4 << ',';
}

void tst_SectionGeometry::decimalWritesAsToChars()
{
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(char, separator);
    QCOMPARE(section::decimal(value, digits, separator), toChars(value, digits, separator));
}

// Doubles of every exponent and doubles as the calculation meets them (a few digits before and
// after the point), at every precision.
void tst_SectionGeometry::decimalAgreesWithToCharsOnSampledDoubles()
{
    std::uint64_t state = 20261208;
    const auto next = [&state] {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    };
    for (int i = 0; i < 40000; ++i) {
        const std::uint64_t bits = next();
        const double value = i % 2 == 0 ? std::bit_cast<double>(bits)
                                        : double(std::int64_t(bits >> 40) - (1 << 23)) / 1024.0;
        const int digits = 1 + i % 17;
        const std::string written = section::decimal(value, digits);
        if (written != toChars(value, digits, '.'))
            QFAIL(qPrintable(QString::fromStdString(written + " where to_chars writes " +
                                                    toChars(value, digits, '.') + " (" +
                                                    std::to_string(digits) + " digits)")));
    }
}

QTEST_APPLESS_MAIN(tst_SectionGeometry)
#include "tst_section_geometry.moc"
