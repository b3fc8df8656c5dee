#include "model_limits.h"
#include "number_text.h"

#include "start_section.h"

#include <QTest>

#include <climits>

namespace {

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

    const auto row = [](const char *name, int cls, const char *fcd, int As, int b,
                        beam::Model model, beam::Verdict verdict, double strain, int limit,
                        const char *fyd = "435", const char *Es = "2.0e5") {
        QTest::addRow("%s", name) << cls << QByteArray(fyd) << QByteArray(fcd) << As << b
                                  << QByteArray(Es) << int(model) << int(verdict) << strain
                                  << limit;
    };
    using enum beam::Model;
    using enum beam::Verdict;
    // εc (d - xu) / xu with xu as the run stores it; εyd = 435 / 2.0e5 = 2.175 per mille. Each
    // row also checks that its limit yields and the next area does not.
    row("four bars: parabolisch yields", 0, "8", 452, 200, Parabolic, Yields, 3.1104, 553);
    row("four bars: bi_lineair yields", 0, "8", 452, 200, BiLinear, Yields, 6.5610, 801);
    row("four bars: parabool rechthoek yields", 0, "8", 452, 200, ParabolaRectangle, Yields, 7.3595,
        864);
    row("five bars: parabolisch at 2.09 per mille stays below 2.175", 0, "8", 565, 200, Parabolic,
        DoesNotYield, 2.0883, 553);
    row("eight bars: not even parabool rechthoek yields", 0, "8", 904, 200, ParabolaRectangle,
        DoesNotYield, 1.9298, 864);
    row("the yield limit of parabolisch still yields", 0, "8", 553, 200, Parabolic, Yields, 2.1770,
        553);
    row("one above the yield limit of parabolisch does not", 0, "8", 554, 200, Parabolic,
        DoesNotYield, 2.1695, 553);
    // εcu3 = 2.6 + 35 (37/100)^4 = 3.25595635 per mille, not 3.5.
    row("C53/65: bi_lineair ends at its own εcu3", 5, "35.3", 452, 200, BiLinear, Yields, 36.9416,
        3345);
    row("C60/75: bi_lineair ends at 2.8835 per mille", 6, "40.0", 2412, 200, BiLinear, Yields,
        4.0546, 3308);
    row("C53/65: parabool rechthoek keeps 3.5 per mille", 5, "35.3", 452, 200, ParabolaRectangle,
        Yields, 44.4177, 3816);
    row("FeB220 yields from 0.955 per mille", 0, "8", 452, 200, Parabolic, Yields, 9.6388, 1780,
        "191");
    row("a zone past d puts the steel in compression", 0, "8", 1256, 200, Parabolic, DoesNotYield,
        -0.1609, 553);
    row("no steel leaves nothing to check, the limit stands", 0, "8", 0, 200, Parabolic, NotChecked,
        0.0, 553);
    row("no width: no strain and no limit", 0, "8", 452, 0, Parabolic, NotChecked, 0.0, -1);
    row("an Es that does not read: no strain and no limit", 0, "8", 452, 200, Parabolic, NotChecked,
        0.0, -1, "435", "2.0x5");
    row("an fcd next to zero gives no finite zone", 0, "4.9e-324", 452, 200, Parabolic, NotChecked,
        0.0, -1);
    row("the largest area: steel in compression, no hang", 0, "8", INT_MAX, 200, BiLinear,
        DoesNotYield, -3.5000, 801);
    row("the largest width: every area yields", 0, "8", 452, INT_MAX, ParabolaRectangle, Yields,
        116603268.88, INT_MAX);
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
    const auto m = beam::Model(model);
    const beam::ModelLimits &got = limits.models[beam::index(m)];
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
    if (m == beam::Model::ParabolaRectangle) // "benadering" takes this verdict
        QCOMPARE(int(limits.models[beam::index(beam::Model::Approximation)].strain.verdict),
                 verdict);
}

void TestModelLimits::requiredArea_data()
{
    QTest::addColumn<int>("d");
    QTest::addColumn<QByteArray>("MEd");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("As");        // -1: none reaches MEd
    QTest::addColumn<bool>("yielding"); // As within the model's yield limit
    QTest::addColumn<int>("bars");
    QTest::addColumn<bool>("fits");
    const auto row = [](const char *name, const char *MEd, int column, int As, bool yielding,
                        int bars, bool fits, int d = 471) {
        QTest::addRow("%s", name) << d << QByteArray(MEd) << column << As << yielding << bars
                                  << fits;
    };
    // MEd 100 kNm in the start section; 6 bars of 12 mm leave 16.4 mm where 21 are needed.
    row("benadering needs 543 mm2: five bars fit", "100", 0, 543, true, 5, true);
    row("parabolisch needs 609 mm2, beyond its yield limit 553", "100", 1, 609, false, 6, false);
    row("bi_lineair needs 594 mm2: six bars do not fit one layer", "100", 2, 594, true, 6, false);
    row("parabool rechthoek needs 593 mm2", "100", 3, 593, true, 6, false);
    // The moment of 593 mm2 before truncation to the last digit of its double, the next
    // double, and a quarter of the way there, above only for an MEd held in extended precision.
    row("MEd exactly the moment of 593 mm2 needs 593",
        "100.1271983159331711021877708844840526580810546875", 3, 593, true, 6, false);
    row("MEd the next double above that moment needs 594",
        "100.12719831593318531304248608648777008056640625", 3, 594, true, 6, false);
    row("MEd a quarter unit above that moment needs 594",
        "100.127198315933174654901449684984982013702392578125", 3, 594, true, 6, false);
    row("MEd 0 needs no steel, but As,min 123 mm2 two bars", "0", 1, 0, true, 2, true);
    row("MEd 1000 is beyond parabolisch", "1000", 1, -1, false, 0, true);
    row("MEd 1000 still gives benadering an area", "1000", 0, 5424, false, 48, false);
    row("no effective depth: no area", "100", 0, -1, false, 0, true, -1);
    row("an MEd beyond every moment ends the search", "1e29", 0, -1, false, 0, true);
}

void TestModelLimits::requiredArea()
{
    QFETCH(int, d);
    QFETCH(QByteArray, MEd);
    QFETCH(int, column);
    QFETCH(int, As);
    QFETCH(bool, yielding);
    QFETCH(int, bars);
    QFETCH(bool, fits);
    beam::SectionInputs s = startSection();
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
            beam::modelMoment(beam::computeMomentSteps(s.momentInputs()), beam::Model(column)));
    };
    QVERIFY(momentAt(As) >= *MEdValue);
    if (As > 0)
        QVERIFY(momentAt(As - 1) < *MEdValue);
}

QTEST_APPLESS_MAIN(TestModelLimits)
#include "tst_model_limits.moc"
