#include "calculation_text.h"
#include "materials.h"
#include "moment.h"
#include "number_text.h"
#include "reinforcement.h"
#include "section_geometry.h"
#include "section_report.h"
#include "start_values.h"

#include <QRegularExpression>
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
    void columns_data();
    void columns();
    void notes_data();
    void notes();
    void calculationText_data();
    void calculationText();
    void calculationReadsAsWrittenByHand_data();
    void calculationReadsAsWrittenByHand();
};

namespace {

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
    QTest::addRow("a clear spacing of exactly Dmax + 5 = 21 mm fits")
        << 3 << 1 << 2 << 91 << QList<double>{29, 62} << 471.0 << false;
    QTest::addRow("a clear spacing just below Dmax + 5 = 21 mm gets the note")
        << 3 << 1 << 2 << 90 << QList<double>{29, 61} << 471.0 << true;
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
    s = derived(s);
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
    QTest::addColumn<bool>("computes");

    QTest::addRow("no width") << 0 << 500 << 471 << u"breedte b is 0 mm"_s << false;
    QTest::addRow("a negative width typed") << -5 << 500 << 471 << u"breedte b is -5 mm"_s << false;
    QTest::addRow("no height") << 200 << 0 << -1 << u"hoogte h is 0 mm"_s << false;
    QTest::addRow("no effective depth")
        << 200 << 29 << -1 << u"Geen nuttige hoogte (d = -1)"_s << false;
    // A cover of -100 typed, then a height of 0: d = 0 + 100 - 8 - 6.
    QTest::addRow("no height beside a negative cover still leaves the models a depth")
        << 200 << 0 << 86 << u"hoogte h is 0 mm"_s << true;
}

void tst_SectionGeometry::emptyStates()
{
    QFETCH(int, b);
    QFETCH(int, H);
    QFETCH(int, d);
    QFETCH(QString, says);
    QFETCH(bool, computes);
    beam::SectionInputs s = startValues();
    s.b = b;
    s.H = H;
    s.d = d;
    const beam::MomentSteps steps = beam::computeMomentSteps(s.momentInputs());
    QCOMPARE(steps.guardPassed, computes);
    const section::SectionGeometry g = section::sectionGeometry(s, steps);
    QVERIFY(g.empty);
    const QString text = QString::fromStdString(g.emptyText);
    QVERIFY2(text.contains(says), qPrintable(text));
    // What the text says of the models must be what the run did.
    QVERIFY2(text.contains(u"0 en nan"_s) == !computes, qPrintable(text));
    QVERIFY2(!computes || text.contains(u"d = %1 mm"_s.arg(d)), qPrintable(text));
    QVERIFY(g.bars.empty());
}

void tst_SectionGeometry::blockMatchesItsConstants_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<double>("alpha");
    QTest::addColumn<double>("beta");

    QTest::addRow("parabola from the neutral axis to the top")
        << int(beam::BlockShape::Parabola) << 2.0 / 3 << 0.375;
    QTest::addRow("bi-linear of the lower classes reproduces 7/18")
        << int(beam::BlockShape::Straight) << 0.75 << 7.0 / 18;
    QTest::addRow("bi-linear of C70/85 reproduces 0.35 to its rounding")
        << int(beam::BlockShape::Straight) << 0.62 << 0.35;
    QTest::addRow("parabola over the lower 4/7, then constant")
        << int(beam::BlockShape::Parabola) << 17.0 / 21 << 99.0 / 238;
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
        section::blockOutline(beam::BlockShape(model), alpha, xu, 1000);
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

    const std::vector<Point> cut = section::blockOutline(beam::BlockShape(model), alpha, xu, 60);
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
    s = derived(s);
    const beam::MomentSteps steps = beam::computeMomentSteps(s.momentInputs());
    QCOMPARE(steps.texts, beam::computeMoments(s.momentInputs()));
    for (int m = 0; m < 3; ++m) {
        const beam::ModelSteps &model = steps.model(beam::Model(m + 1));
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
        << 5 << 15 << u"vrije ruimte 13.5 mm, nodig 21 mm"_s << u"overlappen"_s;
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
    QCOMPARE(numtext::decimal(value, digits, separator), toChars(value, digits, separator));
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
        const std::string written = numtext::decimal(value, digits);
        if (written != toChars(value, digits, '.'))
            QFAIL(qPrintable(QString::fromStdString(written + " where to_chars writes " +
                                                    toChars(value, digits, '.') + " (" +
                                                    std::to_string(digits) + " digits)")));
    }
}

void tst_SectionGeometry::columns_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("As");
    QTest::addColumn<double>("xu");
    QTest::addColumn<double>("compression"); // depth of C below the top
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("hasBlock");
    QTest::addColumn<bool>("clipped");

    using beam::Model;
    QTest::addRow("benadering has no zone and takes C at a tenth of d")
        << int(Model::Approximation) << 452 << 0.0 << 47.1 << true << false << false;
    QTest::addRow("parabolisch takes C at 0.375 xu, above its neutral axis")
        << int(Model::Parabolic) << 452 << 184.33125 << 0.375 * 184.33125 << true << true << false;
    QTest::addRow("bi_lineair takes C at 7/18 xu")
        << int(Model::BiLinear) << 452 << 163.85 << 7.0 / 18 * 163.85 << true << true << false;
    QTest::addRow("parabool rechthoek takes C at 99/238 xu")
        << int(Model::ParabolaRectangle) << 452 << 151.80220588235295
        << 99.0 / 238 * 151.80220588235295 << true << true << false;
    // 1350 x 435 / (0.75 x 200 x 8): between d = 471 and h = 500.
    QTest::addRow("a zone past d but within h is invalid and drawn whole")
        << int(Model::BiLinear) << 1350 << 489.375 << 7.0 / 18 * 489.375 << false << true << false;
    QTest::addRow("a zone past h is invalid and its block cut off")
        << int(Model::Parabolic) << 2000 << 815.625 << 0.375 * 815.625 << false << true << true;
    QTest::addRow("a negative steel area leaves no block, and C above the top")
        << int(Model::ParabolaRectangle) << -100 << -43500 / (17.0 / 21 * 1600)
        << 99.0 / 238 * (-43500 / (17.0 / 21 * 1600)) << true << false << false;
}

// Each column must show its own model's run: its neutral axis at that model's xu, C at β xu
// and T at d, z between them.
void tst_SectionGeometry::columns()
{
    QFETCH(int, model);
    QFETCH(int, As);
    QFETCH(double, xu);
    QFETCH(double, compression);
    QFETCH(bool, valid);
    QFETCH(bool, hasBlock);
    QFETCH(bool, clipped);
    beam::SectionInputs s = startValues();
    s.As = As;
    const section::SectionGeometry g = geometryOf(s);
    QVERIFY(!g.empty);
    const section::ModelColumn &column = g.column(beam::Model(model));
    QCOMPARE(column.neutralAxis, xu);
    QVERIFY2(std::fabs(column.compression - compression) < 1e-9,
             qPrintable(QString::number(column.compression, 'g', 17)));
    QCOMPARE(column.tension, 471.0);
    QVERIFY(std::fabs(column.tension - column.compression - column.leverArm) < 1e-9);
    QCOMPARE(column.valid, valid);
    QCOMPARE(column.hasBlock, hasBlock);
    QCOMPARE(column.clipped, clipped);
    if (hasBlock)
        QCOMPARE(column.block.back().y, std::min(xu, g.drawnDepth));
}

void tst_SectionGeometry::notes_data()
{
    QTest::addColumn<int>("As");
    QTest::addColumn<int>("b");
    QTest::addColumn<QStringList>("notes");

    const QString typed = u"As = %1 mm2 is ingetypt; de getekende 4 staven geven 452 mm2. De "
                          "berekening gebruikt %1 mm2."_s;
    QTest::addRow("the start values need none") << 452 << 200 << QStringList{};
    QTest::addRow("a typed area is set beside that of the bars drawn")
        << 500 << 200 << QStringList{typed.arg(500)};
    QTest::addRow("a negative area has no zone to draw")
        << -100 << 200
        << QStringList{typed.arg(-100), u"De staalkracht is negatief (As < 0): er is geen drukzone "
                                        "aan de bovenkant, en geen drukblok om te tekenen."_s};
    QTest::addRow("a zone past the section is cut off")
        << 2000 << 200
        << QStringList{typed.arg(2000), u"Een drukzone reikt voorbij de doorsnede; het blok is "
                                        "onderaan afgesneden."_s};
    // 38 - 2 x 15 leaves 8 mm, no width for the stirrup's centre line; 38 - 2 x (15 + 8) is
    // less than one bar; the zone is 970 mm deep.
    QTest::addRow("a width that leaves no room within the cover, in their order")
        << 452 << 38
        << QStringList{u"Binnen de dekking blijft b − 2c = 8 mm over, te weinig voor de beugel "
                       "van 8 mm: hij wordt niet getekend."_s,
                       u"De staven passen niet in de breedte: tussen de beugels blijft b − 2c − "
                       "2·ø beugel = -8 mm, minder dan één staaf van 12 mm; ze zijn in het midden "
                       "over elkaar heen getekend, en d gaat uit van één laag."_s,
                       u"Een drukzone reikt voorbij de doorsnede; het blok is onderaan "
                       "afgesneden."_s};
}

void tst_SectionGeometry::notes()
{
    QFETCH(int, As);
    QFETCH(int, b);
    QFETCH(QStringList, notes);
    beam::SectionInputs s = startValues();
    s.As = As;
    s.b = b;
    QStringList actual;
    for (const std::string &note : geometryOf(s).notes)
        actual << QString::fromStdString(note);
    QCOMPARE(actual, notes);
}

void tst_SectionGeometry::calculationText_data()
{
    QTest::addColumn<int>("concreteClass");
    QTest::addColumn<int>("barItem");
    QTest::addColumn<QStringList>("lines");

    QTest::addRow("the four models in the window's order, each with its constants and steps")
        << 0 << 3
        << QStringList{u"benadering: z = 0.9·d = 0.9 × 471 = 423.9 mm"_s,
                       u"  Mu = As·fyd·z = 452 × 435 × 423.9 / 10^6 = 83.3 kNm"_s,
                       u"parabolisch: α = 2/3, β = 0.375"_s,
                       u"  xu = As·fyd / (α·b·fcd) = 452 × 435 / (2/3 × 200 × 8) = 184.3 mm"_s,
                       u"  Mu = As·fyd·z = 452 × 435 × 401.9 / 10^6 = 79.0 kNm"_s,
                       u"bi_lineair: α = 0.75, β = 7/18"_s,
                       u"  xu = As·fyd / (α·b·fcd) = 452 × 435 / (0.75 × 200 × 8) = 163.8 mm"_s,
                       u"  Mu = As·fyd·z = 452 × 435 × 407.3 / 10^6 = 80.1 kNm"_s,
                       u"parabool rechthoek: α = 17/21, β = 99/238"_s,
                       u"  xu = As·fyd / (α·b·fcd) = 452 × 435 / (17/21 × 200 × 8) = 151.8 mm"_s,
                       u"  Mu = As·fyd·z = 452 × 435 × 407.9 / 10^6 = 80.2 kNm"_s,
                       u"          benadering  parabolisch bi_lineair  parabool rechthoek"_s,
                       u"Mu (kNm)  83          79          80          80"_s};
    // fcd = 46.7: xu = 196620 / (0.62 x 200 x 46.7) = 33.95
    QTest::addRow("C70/85 takes the bi-linear constants of its class")
        << 7 << 3
        << QStringList{u"benadering: z = 0.9·d = 0.9 × 471 = 423.9 mm"_s,
                       u"  Mu = As·fyd·z = 452 × 435 × 423.9 / 10^6 = 83.3 kNm"_s,
                       u"parabolisch: α = 2/3, β = 0.375"_s,
                       u"  xu = As·fyd / (α·b·fcd) = 452 × 435 / (2/3 × 200 × 46.7) = 31.6 mm"_s,
                       u"  Mu = As·fyd·z = 452 × 435 × 459.2 / 10^6 = 90.3 kNm"_s,
                       u"bi_lineair: α = 0.62, β = 0.35"_s,
                       u"  xu = As·fyd / (α·b·fcd) = 452 × 435 / (0.62 × 200 × 46.7) = 33.95 mm"_s,
                       u"  Mu = As·fyd·z = 452 × 435 × 459.1 / 10^6 = 90.3 kNm"_s,
                       u"parabool rechthoek: α = 17/21, β = 99/238"_s,
                       u"  xu = As·fyd / (α·b·fcd) = 452 × 435 / (17/21 × 200 × 46.7) = 26.0 mm"_s,
                       u"  Mu = As·fyd·z = 452 × 435 × 460.2 / 10^6 = 90.5 kNm"_s,
                       u"          benadering  parabolisch bi_lineair  parabool rechthoek"_s,
                       u"Mu (kNm)  83          90          90          90"_s};
    // 4 x 314 mm2 x 435 N/mm2 over 2/3 x 200 x 8 reaches 512 mm, past d = 467 mm.
    QTest::addRow("an invalid model says why beside its own name")
        << 0 << 5
        << QStringList{
               u"benadering: z = 0.9·d = 0.9 × 467 = 420.3 mm"_s,
               u"  Mu = As·fyd·z = 1256 × 435 × 420.3 / 10^6 = 229.6 kNm"_s,
               u"parabolisch: α = 2/3, β = 0.375"_s,
               u"  xu = As·fyd / (α·b·fcd) = 1256 × 435 / (2/3 × 200 × 8) = 512.2 mm"_s,
               u"  ongeldig: xu = 512.2 mm ≥ d = 467 mm, de drukzone reikt tot het staal: geen Mu"_s,
               u"bi_lineair: α = 0.75, β = 7/18"_s,
               u"  xu = As·fyd / (α·b·fcd) = 1256 × 435 / (0.75 × 200 × 8) = 455.3 mm"_s,
               u"  Mu = As·fyd·z = 1256 × 435 × 289.9 / 10^6 = 158 kNm"_s,
               u"parabool rechthoek: α = 17/21, β = 99/238"_s,
               u"  xu = As·fyd / (α·b·fcd) = 1256 × 435 / (17/21 × 200 × 8) = 421.8 mm"_s,
               u"  Mu = As·fyd·z = 1256 × 435 × 291.5 / 10^6 = 159 kNm"_s,
               u"          benadering  parabolisch bi_lineair  parabool rechthoek"_s,
               u"Mu (kNm)  229         0           158         159"_s};
}

// Where the text names a model, the constants, xu and Mu that follow must be that model's, the
// models must come in the order of the window's columns, and the window's own digits close it.
void tst_SectionGeometry::calculationText()
{
    QFETCH(int, concreteClass);
    QFETCH(int, barItem);
    QFETCH(QStringList, lines);
    beam::SectionInputs s = startValues();
    s.concreteClass = concreteClass;
    s.fcdText = std::string(beam::concreteClasses[std::size_t(concreteClass)].fcd);
    s.barItem = barItem;
    s = derived(s);
    const beam::MomentSteps steps = beam::computeMomentSteps(s.momentInputs());
    const std::string text = section::calculationText(s, steps, section::sectionGeometry(s, steps));
    QStringList actual;
    for (const QString &line : QString::fromStdString(text).split(u'\n')) {
        const bool named = std::any_of(
            beam::models.begin(), beam::models.end(), [&line](const beam::ModelDescriptor &model) {
                return line.startsWith(
                    QString::fromUtf8(model.name.data(), qsizetype(model.name.size())) + u':');
            });
        if (named || line.startsWith(u"  xu = "_s) || line.startsWith(u"  Mu = "_s) ||
            line.startsWith(u"  ongeldig:"_s) || line.startsWith(u"          benadering"_s) ||
            line.startsWith(u"Mu (kNm)"_s))
            actual << line;
    }
    QCOMPARE(actual, lines);
}

void tst_SectionGeometry::calculationReadsAsWrittenByHand_data()
{
    QTest::addColumn<int>("concreteClass");
    QTest::addColumn<int>("steelGrade");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("h");
    QTest::addColumn<QByteArray>("MEd");

    QTest::addRow("the start section with MEd 100") << 0 << 2 << 200 << 500 << QByteArray("100");
    QTest::addRow("C53/65 with FeB220 and MEd 1000") << 5 << 0 << 200 << 500 << QByteArray("1000");
    QTest::addRow("a wide shallow section") << 3 << 1 << 2000 << 100 << QByteArray();
    QTest::addRow("b = 50, where the zones reach the steel") << 0 << 2 << 50 << 500 << QByteArray();
}

// For every As up to where the zones pass d: lines short enough to wrap as words, strains with
// three decimals (more only where εs needs them to differ from εyd), and each step's Mu, xu and
// z/d, read as written, giving the window's truncated and rounded texts (three figures alone would
// write 80.0 beside the window's 79).
void tst_SectionGeometry::calculationReadsAsWrittenByHand()
{
    QFETCH(int, concreteClass);
    QFETCH(int, steelGrade);
    QFETCH(int, b);
    QFETCH(int, h);
    QFETCH(QByteArray, MEd);
    beam::SectionInputs s = startValues();
    s.concreteClass = concreteClass;
    s.steelGrade = steelGrade;
    s.fcdText = std::string(beam::concreteClasses[std::size_t(concreteClass)].fcd);
    s.fydText = std::string(beam::steelGrades[std::size_t(steelGrade)].fyd);
    s.b = b;
    s.H = h;
    s = derived(s);
    static const QRegularExpression strain(u"[0-9]+\\.([0-9]+) ‰"_s);
    const auto value = [](const QString &line, const QString &unit) {
        const qsizetype start = line.lastIndexOf(u"= "_s) + 2;
        return line.mid(start, line.indexOf(unit, start) - start).toDouble();
    };
    const auto designMoment = section::readDesignMoment(MEd.toStdString(), '.').value;
    const std::string_view Es = beam::steelGrades[std::size_t(steelGrade)].Es;
    for (s.As = 0; s.As <= 6000; s.As += 7) {
        const beam::MomentSteps steps = beam::computeMomentSteps(s.momentInputs());
        const beam::SectionLimits limits = beam::sectionLimits(s, steps, Es, designMoment);
        const section::SectionGeometry geometry = section::sectionGeometry(s, steps);
        const QString text =
            QString::fromStdString(section::calculationText(s, steps, geometry, &limits));
        QStringList notes; // the drawing's, which the text quotes
        for (const std::string &note : geometry.notes)
            notes << u"Let op: "_s + QString::fromStdString(note);
        const auto shown = [&steps](beam::ResultField field) {
            return QString::fromStdString(steps.texts[field]).toDouble();
        };
        const beam::ModelDescriptor *model = nullptr;
        for (const QString &line : text.split(u'\n')) {
            const QByteArray failure = u"As = %1: %2"_s.arg(s.As).arg(line).toUtf8();
            QVERIFY2(line.size() <= 100 || notes.contains(line), failure);
            for (const QRegularExpressionMatch &match : strain.globalMatch(line))
                QVERIFY2(match.capturedLength(1) == 3 || line.contains(u"εs"_s), failure);
            for (const beam::ModelDescriptor &m : beam::models)
                if (line.startsWith(QString::fromUtf8(m.name.data()) + u':'))
                    model = &m;
            if (model && line.startsWith(u"  Mu = "_s))
                QVERIFY2(std::trunc(value(line, u" kNm"_s)) == shown(model->mu), failure);
            if (model && model->xu && line.startsWith(u"  xu = "_s) && shown(*model->xu) > 0)
                QVERIFY2(std::trunc(value(line, u" mm"_s)) == shown(*model->xu), failure);
            if (model && line.startsWith(u"  z = "_s) && line.contains(u"z/d"_s))
                QVERIFY2(std::floor(line.mid(line.lastIndexOf(u"= "_s) + 2).toDouble() * 100 +
                                    0.5) == std::round(shown(model->z) * 100),
                         failure);
        }
    }
}

QTEST_APPLESS_MAIN(tst_SectionGeometry)
#include "tst_section_geometry.moc"
