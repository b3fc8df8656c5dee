#include "limits_text.h"
#include "materials.h"
#include "moment_chart.h"
#include "number_text.h"

#include "start_section.h"

#include <QTest>

#include <climits>
#include <cmath>

namespace {} // namespace

// The chart's geometry: every point a moment of the rules, the curves ending and changing
// style where the models do, and finite for any input.
class TestMomentChart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chartFollowsTheRules_data();
    void chartFollowsTheRules();
    void axesAroundWhatIsLookedAt_data();
    void axesAroundWhatIsLookedAt();
    void noSectionDrawsNothing();
    void niceAxis_data();
    void niceAxis();
};

void TestMomentChart::chartFollowsTheRules_data()
{
    QTest::addColumn<int>("concreteClass");
    QTest::addColumn<QByteArray>("fcd");
    QTest::addColumn<int>("As");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("b");
    QTest::addColumn<QByteArray>("MEd");

    QTest::addRow("start section with MEd 100")
        << 0 << QByteArray("8") << 452 << 471 << 200 << QByteArray("100");
    QTest::addRow("four 20 mm bars: parabolisch is invalid at the marked area")
        << 0 << QByteArray("8") << 1256 << 467 << 200 << QByteArray("150");
    QTest::addRow("C70/85 with MEd beyond the block models")
        << 7 << QByteArray("46.7") << 452 << 471 << 200 << QByteArray("2000");
    QTest::addRow("a negative area typed")
        << 0 << QByteArray("8") << -100 << 471 << 200 << QByteArray("10");
    QTest::addRow("the largest area")
        << 0 << QByteArray("8") << INT_MAX << 471 << 200 << QByteArray("100");
    QTest::addRow("the largest width")
        << 0 << QByteArray("8") << 452 << 471 << INT_MAX << QByteArray("100");
    QTest::addRow("the largest depth")
        << 0 << QByteArray("8") << 452 << INT_MAX << 200 << QByteArray("1e29");
    QTest::addRow("an fcd next to zero")
        << 0 << QByteArray("4.9e-324") << 452 << 471 << 200 << QByteArray("100");
}

void TestMomentChart::chartFollowsTheRules()
{
    QFETCH(int, concreteClass);
    QFETCH(QByteArray, fcd);
    QFETCH(int, As);
    QFETCH(int, d);
    QFETCH(int, b);
    QFETCH(QByteArray, MEd);
    beam::SectionInputs s = startSection();
    s.concreteClass = concreteClass;
    s.fcdText = fcd.toStdString();
    s.As = As;
    s.d = d;
    s.b = b;
    const auto steps = beam::computeMomentSteps(s.momentInputs());
    const auto entry = section::readDesignMoment(MEd.toStdString(), '.');
    const auto limits = beam::sectionLimits(s, steps, "2.0e5", entry.value);
    const section::MomentChart chart = section::momentChart(s, steps, limits);
    QVERIFY(!chart.empty);

    const auto inside = [&chart](const section::ChartPoint &p) {
        return std::isfinite(p.As) && std::isfinite(p.Mu) && p.As >= chart.x.min &&
               p.As <= chart.x.max && p.Mu >= chart.y.min && p.Mu <= chart.y.max;
    };
    for (const section::ChartAxis *axis : {&chart.x, &chart.y}) {
        QVERIFY(axis->ticks.size() >= 2 && axis->ticks.size() <= 25);
        QCOMPARE(axis->ticks.front().value, axis->min);
        QCOMPARE(axis->ticks.back().value, axis->max);
    }
    beam::MomentInputs run = s.momentInputs();
    const auto momentAt = [&run](int area, beam::Model model) {
        run.As = area;
        return beam::modelMoment(beam::computeMomentSteps(run), model);
    };
    const beam::ResultField shown[] = {beam::Mu0, beam::Mu1, beam::Mu2, beam::Mu3};
    for (const beam::Model kind : beam::allModels) {
        const std::size_t c = beam::index(kind);
        const beam::ModelLimits &model = limits.models[c];
        const section::ChartCurve &curve = chart.curves[c];
        bool markedAreaOnCurve = false;
        std::size_t count = 0;
        // Past As,vloei a block model bends over with the stress its strains give.
        const bool strains = kind != beam::Model::Approximation && model.yieldLimit;
        for (const section::ChartSegment &segment : curve.segments) {
            const bool compatible = strains && segment.dashed;
            for (const section::ChartPoint &p : segment.points) {
                // benadering's dashed line may rise past the axis, which is set by the others.
                QVERIFY(inside(p) || (kind == beam::Model::Approximation && segment.dashed &&
                                      p.Mu > chart.y.max));
                QCOMPARE(
                    p.Mu,
                    compatible
                        ? beam::compatibleState(steps, kind, int(p.As), concreteClass, 2e5).moment
                        : momentAt(int(p.As), kind));
                QVERIFY(compatible || p.As <= model.validLimit);
                if (model.yieldLimit)
                    QVERIFY(segment.dashed ? p.As >= *model.yieldLimit : p.As <= *model.yieldLimit);
                if (p.As == As && !compatible) {
                    QCOMPARE(p.Mu, beam::modelMoment(steps, kind));
                    markedAreaOnCurve = true;
                }
                ++count;
            }
        }
        QVERIFY(count <= std::size_t(section::chartSamples) + 20);
        if (As >= chart.x.min && As <= chart.x.max && As <= model.validLimit &&
            !(strains && As > *model.yieldLimit))
            QVERIFY(markedAreaOnCurve);
        // The marker is the main window's field, truncated.
        const section::ChartMarker &marker = chart.current[c];
        QVERIFY(std::isfinite(marker.at.Mu));
        const auto field = numtext::parseReal(steps.texts[std::size_t(shown[c])]);
        if (field && std::isfinite(ext::toDouble(*field)))
            QCOMPARE(marker.at.Mu, ext::toDouble(*field));
        if (curve.endsInvalid) {
            QCOMPARE(curve.end.As, double(model.validLimit));
            run.As = model.validLimit + 1;
            QVERIFY(beam::computeMomentSteps(run).models[c].state != beam::ModelState::Valid);
        }
    }
    for (const section::ChartMarker &marker : chart.required) {
        QVERIFY(inside(marker.at));
        QCOMPARE(marker.at.Mu, momentAt(int(marker.at.As), marker.model));
        QVERIFY(marker.at.Mu >= chart.designMoment);
    }
    QVERIFY(std::isfinite(chart.designMoment) && chart.designMoment <= chart.y.max);
}

void TestMomentChart::axesAroundWhatIsLookedAt_data()
{
    QTest::addColumn<int>("concreteClass");
    QTest::addColumn<int>("steelGrade");
    QTest::addColumn<QByteArray>("MEd");
    QTest::addColumn<double>("largestArea");   // the As axis's end, at most
    QTest::addColumn<double>("largestMoment"); // the Mu axis's end, at most

    QTest::addRow("FeB220 yields far beyond the section's area, as C70/85 does")
        << 0 << 0 << QByteArray() << 1000.0 << 60.0;
    QTest::addRow("MEd 150: benadering's line past its limit sets no moment")
        << 0 << 2 << QByteArray("150") << 1500.0 << 200.0;
    QTest::addRow("the start section keeps its yield limits in view")
        << 0 << 2 << QByteArray() << 1000.0 << 200.0;
}

void TestMomentChart::axesAroundWhatIsLookedAt()
{
    QFETCH(int, concreteClass);
    QFETCH(int, steelGrade);
    QFETCH(QByteArray, MEd);
    QFETCH(double, largestArea);
    QFETCH(double, largestMoment);
    beam::SectionInputs s = startSection();
    s.concreteClass = concreteClass;
    s.fcdText = std::string(beam::concreteClasses[std::size_t(concreteClass)].fcd);
    s.steelGrade = steelGrade;
    s.fydText = std::string(beam::steelGrades[std::size_t(steelGrade)].fyd);
    const auto steps = beam::computeMomentSteps(s.momentInputs());
    const auto entry = section::readDesignMoment(MEd.toStdString(), '.');
    const auto limits =
        beam::sectionLimits(s, steps, beam::steelGrades[std::size_t(steelGrade)].Es, entry.value);
    const section::MomentChart chart = section::momentChart(s, steps, limits);
    QVERIFY(chart.x.max >= s.As && chart.x.max <= largestArea);
    QVERIFY(chart.y.max <= largestMoment);
    for (const beam::ModelLimits &model : limits.models)
        if (model.yieldLimit && *model.yieldLimit <= 2 * s.As)
            QVERIFY(*model.yieldLimit <= chart.x.max);
}

void TestMomentChart::noSectionDrawsNothing()
{
    beam::SectionInputs s = startSection();
    s.b = 0;
    const auto steps = beam::computeMomentSteps(s.momentInputs());
    const auto chart =
        section::momentChart(s, steps, beam::sectionLimits(s, steps, "2.0e5", std::nullopt));
    QVERIFY(chart.empty);
    QVERIFY(!chart.emptyText.empty());
}

void TestMomentChart::niceAxis_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<int>("count");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QByteArray>("labels");
    QTest::addRow("0 to 994 in steps of 200")
        << 0.0 << 994.0 << 6 << '.' << QByteArray("0 200 400 600 800 1000");
    QTest::addRow("small moments get fractions with the separator")
        << 0.0 << 0.0123 << 5 << ',' << QByteArray("0 0,005 0,01 0,015");
    QTest::addRow("negative moments reach below zero")
        << -21.3 << 0.0 << 5 << '.' << QByteArray("-25 -20 -15 -10 -5 0");
    QTest::addRow("huge moments are written with an exponent")
        << 0.0 << 9e21 << 5 << '.' << QByteArray("0 2e21 4e21 6e21 8e21 1e22");
    QTest::addRow("an empty range widens to a billionth")
        << 0.0 << 0.0 << 5 << '.' << QByteArray("0 2e-10 4e-10 6e-10 8e-10 1e-9");
    QTest::addRow("an empty range far out keeps finite steps")
        << 1e300 << 1e300 << 5 << '.'
        << QByteArray("1e300 1.0000000002e300 1.0000000004e300 1.0000000006e300 "
                      "1.0000000008e300 1.000000001e300");
}

void TestMomentChart::niceAxis()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(int, count);
    QFETCH(char, separator);
    QFETCH(QByteArray, labels);
    const section::ChartAxis axis = section::niceAxis(lo, hi, count, separator);
    QByteArrayList actual;
    for (const section::ChartTick &tick : axis.ticks)
        actual.append(QByteArray::fromStdString(tick.label));
    QCOMPARE(actual.join(' '), labels);
    QVERIFY(axis.min <= lo && axis.max >= hi);
}

QTEST_APPLESS_MAIN(TestMomentChart)
#include "tst_moment_chart.moc"
