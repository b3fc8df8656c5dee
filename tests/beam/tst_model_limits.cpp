#include "model_limits.h"
#include "number_text.h"

#include <QTest>

#include <climits>

namespace {

// C12/15, FeB500, 200 x 500, 4 bars of 12 mm, stirrups 8 mm, cover 15 mm: As 452, d 471.
beam::SectionInputs startSection()
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

beam::SectionLimits limitsOf(const beam::SectionInputs &s, const char *Es = "2.0e5",
                             std::optional<ext::Extended> MEd = std::nullopt)
{
    return beam::sectionLimits(s, beam::computeMomentSteps(s.momentInputs()), Es, MEd);
}

} // namespace

// Where each stress-block model's assumption σs = fyd holds, and the steel a moment needs.
class TestModelLimits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void strainVerdictAndYieldLimit_data();
    void strainVerdictAndYieldLimit();
    void requiredArea_data();
    void requiredArea();
};

void TestModelLimits::strainVerdictAndYieldLimit_data()
{
    QTest::addColumn<int>("concreteClass");
    QTest::addColumn<QByteArray>("fyd");
    QTest::addColumn<QByteArray>("fcd");
    QTest::addColumn<int>("As");
    QTest::addColumn<int>("b");
    QTest::addColumn<QByteArray>("Es");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("verdict");    // beam::Verdict
    QTest::addColumn<double>("strain");  // per mille, to 1e-4
    QTest::addColumn<int>("yieldLimit"); // -1: none

    const auto row = [](const char *name, int cls, const char *fyd, const char *fcd, int As, int b,
                        const char *Es, beam::StressBlockModel model, beam::Verdict verdict,
                        double strain, int limit) {
        QTest::addRow("%s", name) << cls << QByteArray(fyd) << QByteArray(fcd) << As << b
                                  << QByteArray(Es) << int(model) << int(verdict) << strain
                                  << limit;
    };
    using enum beam::StressBlockModel;
    using enum beam::Verdict;
    // εc (d - xu) / xu with xu as the run stores it; εyd = 435 / 2.0e5 = 2.175 per mille.
    row("four bars: parabolisch yields", 0, "435", "8", 452, 200, "2.0e5", Parabolic, Yields,
        3.1104, 553);
    row("four bars: bi_lineair yields", 0, "435", "8", 452, 200, "2.0e5", BiLinear, Yields, 6.5610,
        801);
    row("four bars: parabool rechthoek yields", 0, "435", "8", 452, 200, "2.0e5", ParabolaRectangle,
        Yields, 7.3595, 864);
    row("five bars: parabolisch at 2.09 per mille stays below 2.175", 0, "435", "8", 565, 200,
        "2.0e5", Parabolic, DoesNotYield, 2.0883, 553);
    row("eight bars: parabolisch does not yield", 0, "435", "8", 904, 200, "2.0e5", Parabolic,
        DoesNotYield, 0.5552, 553);
    row("eight bars: bi_lineair does not yield", 0, "435", "8", 904, 200, "2.0e5", BiLinear,
        DoesNotYield, 1.5305, 801);
    row("eight bars: parabool rechthoek does not yield", 0, "435", "8", 904, 200, "2.0e5",
        ParabolaRectangle, DoesNotYield, 1.9298, 864);
    row("the yield limit of parabolisch still yields", 0, "435", "8", 553, 200, "2.0e5", Parabolic,
        Yields, 2.1770, 553);
    row("one above the yield limit of parabolisch does not", 0, "435", "8", 554, 200, "2.0e5",
        Parabolic, DoesNotYield, 2.1695, 553);
    row("one above the yield limit of bi_lineair does not", 0, "435", "8", 802, 200, "2.0e5",
        BiLinear, DoesNotYield, 2.1703, 801);
    row("the yield limit of parabool rechthoek still yields", 0, "435", "8", 864, 200, "2.0e5",
        ParabolaRectangle, Yields, 2.1811, 864);
    row("one above the yield limit of parabool rechthoek does not", 0, "435", "8", 865, 200,
        "2.0e5", ParabolaRectangle, DoesNotYield, 2.1746, 864);
    // εcu3 = 2.6 + 35 (37/100)^4 = 3.25595635 per mille, not 3.5.
    row("C53/65: bi_lineair ends at its own εcu3", 5, "435", "35.3", 452, 200, "2.0e5", BiLinear,
        Yields, 36.9416, 3345);
    row("C60/75: bi_lineair ends at 2.8835 per mille", 6, "435", "40.0", 2412, 200, "2.0e5",
        BiLinear, Yields, 4.0546, 3308);
    row("C53/65: parabool rechthoek keeps 3.5 per mille", 5, "435", "35.3", 452, 200, "2.0e5",
        ParabolaRectangle, Yields, 44.4177, 3816);
    row("FeB220 yields from 0.955 per mille", 0, "191", "8", 452, 200, "2.0e5", Parabolic, Yields,
        9.6388, 1780);
    row("a zone past d puts the steel in compression", 0, "435", "8", 1256, 200, "2.0e5", Parabolic,
        DoesNotYield, -0.1609, 553);
    row("no steel leaves nothing to check, the limit stands", 0, "435", "8", 0, 200, "2.0e5",
        Parabolic, NotChecked, 0.0, 553);
    row("a negative area leaves nothing to check", 0, "435", "8", -100, 200, "2.0e5", BiLinear,
        NotChecked, 0.0, 801);
    row("no width: no strain and no limit", 0, "435", "8", 452, 0, "2.0e5", Parabolic, NotChecked,
        0.0, -1);
    row("an Es that does not read: no strain and no limit", 0, "435", "8", 452, 200, "2.0x5",
        Parabolic, NotChecked, 0.0, -1);
    row("an fcd next to zero gives no finite zone", 0, "435", "4.9e-324", 452, 200, "2.0e5",
        Parabolic, NotChecked, 0.0, -1);
    row("the largest area: steel in compression, no hang", 0, "435", "8", INT_MAX, 200, "2.0e5",
        BiLinear, DoesNotYield, -3.5000, 801);
    row("the largest width: every area yields", 0, "435", "8", 452, INT_MAX, "2.0e5",
        ParabolaRectangle, Yields, 116603268.88, INT_MAX);
}

void TestModelLimits::strainVerdictAndYieldLimit()
{
    QFETCH(int, concreteClass);
    QFETCH(QByteArray, fyd);
    QFETCH(QByteArray, fcd);
    QFETCH(int, As);
    QFETCH(int, b);
    QFETCH(QByteArray, Es);
    QFETCH(int, model);
    QFETCH(int, verdict);
    QFETCH(double, strain);
    QFETCH(int, yieldLimit);
    beam::SectionInputs s = startSection();
    s.concreteClass = concreteClass;
    s.fydText = fyd.toStdString();
    s.fcdText = fcd.toStdString();
    s.As = As;
    s.b = b;
    const beam::SectionLimits limits = limitsOf(s, Es.constData());
    const auto m = beam::StressBlockModel(model);
    const beam::ModelLimits &got = limits.models[std::size_t(beam::columnOf(m))];
    QCOMPARE(int(got.strain.verdict), verdict);
    QVERIFY2(qAbs(got.strain.steelStrain - strain) < 1e-4 * qMax(1.0, qAbs(strain)),
             QByteArray::number(got.strain.steelStrain, 'g', 17).constData());
    QCOMPARE(got.yieldLimit.value_or(-1), yieldLimit);
    if (got.yieldLimit && *got.yieldLimit > 0 && *got.yieldLimit < INT_MAX) {
        // The limit is where the verdict of the run itself turns.
        for (const int area : {*got.yieldLimit, *got.yieldLimit + 1}) {
            s.As = area;
            const auto steps = beam::computeMomentSteps(s.momentInputs());
            const auto state = beam::strainState(steps, m, area, concreteClass, Es.toStdString(),
                                                 s.decimalSeparator);
            QCOMPARE(state.verdict == beam::Verdict::Yields, area == *got.yieldLimit);
        }
    }
    if (m == beam::ParabolaRectangle) // "benadering" takes this verdict
        QCOMPARE(int(limits.models[beam::approximationColumn].strain.verdict), verdict);
}

void TestModelLimits::requiredArea_data()
{
    QTest::addColumn<int>("concreteClass");
    QTest::addColumn<QByteArray>("fcd");
    QTest::addColumn<int>("d");
    QTest::addColumn<QByteArray>("MEd");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("As");        // -1: none reaches MEd
    QTest::addColumn<bool>("yielding"); // As within the model's yield limit
    QTest::addColumn<int>("bars");
    QTest::addColumn<bool>("fits");

    // MEd 100 kNm in the start section; 6 bars of 12 mm leave 16.4 mm where 20 are needed.
    QTest::addRow("benadering needs 543 mm2: five bars fit")
        << 0 << QByteArray("8") << 471 << QByteArray("100") << 0 << 543 << true << 5 << true;
    QTest::addRow("parabolisch needs 609 mm2, beyond its yield limit 553")
        << 0 << QByteArray("8") << 471 << QByteArray("100") << 1 << 609 << false << 6 << false;
    QTest::addRow("bi_lineair needs 594 mm2: six bars do not fit one layer")
        << 0 << QByteArray("8") << 471 << QByteArray("100") << 2 << 594 << true << 6 << false;
    QTest::addRow("parabool rechthoek needs 593 mm2")
        << 0 << QByteArray("8") << 471 << QByteArray("100") << 3 << 593 << true << 6 << false;
    // The moment of 593 mm2 before truncation, to the last digit of its double, and the
    // double just above it.
    QTest::addRow("MEd exactly the moment of 593 mm2 needs 593")
        << 0 << QByteArray("8") << 471
        << QByteArray("100.1271983159331711021877708844840526580810546875") << 3 << 593 << true << 6
        << false;
    QTest::addRow("MEd the next double above that moment needs 594")
        << 0 << QByteArray("8") << 471
        << QByteArray("100.12719831593318531304248608648777008056640625") << 3 << 594 << true << 6
        << false;
    // Between the two doubles, where only a MEd held in extended precision stays above.
    QTest::addRow("MEd a quarter unit above that moment needs 594")
        << 0 << QByteArray("8") << 471
        << QByteArray("100.127198315933174654901449684984982013702392578125") << 3 << 594 << true
        << 6 << false;
    QTest::addRow("MEd 0 needs no steel")
        << 0 << QByteArray("8") << 471 << QByteArray("0") << 1 << 0 << true << 0 << true;
    QTest::addRow("MEd 1000 is beyond parabolisch")
        << 0 << QByteArray("8") << 471 << QByteArray("1000") << 1 << -1 << false << 0 << true;
    QTest::addRow("MEd 1000 is beyond parabool rechthoek")
        << 0 << QByteArray("8") << 471 << QByteArray("1000") << 3 << -1 << false << 0 << true;
    QTest::addRow("MEd 1000 still gives benadering an area")
        << 0 << QByteArray("8") << 471 << QByteArray("1000") << 0 << 5424 << false << 48 << false;
    QTest::addRow("no effective depth: no area")
        << 0 << QByteArray("8") << -1 << QByteArray("100") << 0 << -1 << false << 0 << true;
    QTest::addRow("an MEd beyond every moment ends the search")
        << 0 << QByteArray("8") << 471 << QByteArray("1e29") << 0 << -1 << false << 0 << true;
}

void TestModelLimits::requiredArea()
{
    QFETCH(int, concreteClass);
    QFETCH(QByteArray, fcd);
    QFETCH(int, d);
    QFETCH(QByteArray, MEd);
    QFETCH(int, column);
    QFETCH(int, As);
    QFETCH(bool, yielding);
    QFETCH(int, bars);
    QFETCH(bool, fits);
    beam::SectionInputs s = startSection();
    s.concreteClass = concreteClass;
    s.fcdText = fcd.toStdString();
    s.d = d;
    const auto MEdValue = numtext::parseReal(MEd.toStdString());
    QVERIFY(MEdValue);
    const beam::SectionLimits limits = limitsOf(s, "2.0e5", MEdValue);
    const auto &required = limits.models[std::size_t(column)].required;
    QVERIFY(required.has_value());
    const bool found = required->outcome == beam::Requirement::Found;
    QCOMPARE(found ? required->As : -1, As);
    if (!found)
        return;
    QCOMPARE(required->withinYieldLimit, yielding);
    QCOMPARE(required->bars.count, bars);
    QCOMPARE(required->bars.fits, fits);
    // The first area whose moment reaches MEd, by the run itself.
    const auto momentAt = [&s, column](int area) {
        s.As = area;
        return ext::fromDouble(
            beam::columnMoment(beam::computeMomentSteps(s.momentInputs()), column));
    };
    QVERIFY(momentAt(As) >= *MEdValue);
    if (As > 0)
        QVERIFY(momentAt(As - 1) < *MEdValue);
}

QTEST_APPLESS_MAIN(TestModelLimits)
#include "tst_model_limits.moc"
