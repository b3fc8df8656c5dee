#include "materials.h"
#include "model_limits.h"
#include "reinforcement.h"
#include "section_checks.h"

#include "start_section.h"

#include <QTest>

#include <boost/multiprecision/cpp_bin_float.hpp>

namespace {

using Exact = boost::multiprecision::cpp_bin_float_50;

// The compatible moment in 50 digits from the same stored inputs: a reference for the
// extended solution, which must truncate to the same whole kNm.
Exact exactMoment(const beam::MomentSteps &steps, beam::Model model, int As, int concreteClass)
{
    const beam::BlockConstants k = beam::blockConstants(model, concreteClass);
    const Exact eps = Exact(ext::toDouble(beam::topStrain(model, concreteClass))) / 1000;
    const Exact a = Exact(k.alpha) * steps.b * steps.fcd;
    const Exact f = Exact(As) * 200000 * eps;
    const Exact d = steps.d;
    const Exact x = (-f + sqrt(f * f + 4 * a * f * d)) / (2 * a);
    return As * (200000 * eps * (d - x) / x) * (d - Exact(k.beta) * x) / 1000000;
}

} // namespace

class TestSectionChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bounds_data();
    void bounds();
    void spacing_data();
    void spacing();
    void compatibleMoment_data();
    void compatibleMoment();
};

void TestSectionChecks::bounds_data()
{
    QTest::addColumn<int>("concreteClass");
    QTest::addColumn<int>("steelGrade");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("h");
    QTest::addColumn<qint64>("minimum");
    QTest::addColumn<qint64>("maximum");
    QTest::addRow("start section: 0.0013 b d = 122.46 rounds up")
        << 0 << 2 << 200 << 471 << 500 << qint64(123) << qint64(4000);
    QTest::addRow("a whole 0.0013 b d is not raised by one")
        << 0 << 2 << 100 << 1000 << 1100 << qint64(130) << qint64(4400);
    QTest::addRow("C20/25 FeB220: 0.26 fctm / fyk governs")
        << 1 << 0 << 200 << 471 << 500 << qint64(245) << qint64(4000);
    QTest::addRow("0.04 b h = 3987.96 rounds down")
        << 0 << 2 << 199 << 471 << 501 << qint64(122) << qint64(3987);
    QTest::addRow("the slab of 1000 x 200 with 10 mm bars")
        << 0 << 2 << 1000 << 172 << 200 << qint64(224) << qint64(8000);
    QTest::addRow("the largest section stays exact in 64 bits")
        << 7 << 0 << INT_MAX << INT_MAX << INT_MAX << qint64(25070802149556251)
        << qint64(184467440565296824);
}

void TestSectionChecks::bounds()
{
    QFETCH(int, concreteClass);
    QFETCH(int, steelGrade);
    QFETCH(int, b);
    QFETCH(int, d);
    QFETCH(int, h);
    QFETCH(qint64, minimum);
    QFETCH(qint64, maximum);
    const beam::ReinforcementBounds bounds =
        beam::reinforcementBounds(concreteClass, steelGrade, b, d, h);
    QVERIFY(bounds.known);
    QCOMPARE(bounds.minimum, minimum);
    QCOMPARE(bounds.maximum, maximum);
}

void TestSectionChecks::spacing_data()
{
    QTest::addColumn<int>("diameter");
    QTest::addColumn<int>("aggregate");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("governs"); // beam::SpacingTerm
    using T = beam::SpacingTerm;
    QTest::addRow("25 mm bars: the diameter governs") << 25 << 16 << 25 << int(T::Diameter);
    QTest::addRow("12 mm bars, Dmax 16: Dmax + 5 governs") << 12 << 16 << 21 << int(T::Aggregate);
    QTest::addRow("12 mm bars, Dmax 8: 20 mm governs") << 12 << 8 << 20 << int(T::Absolute);
    QTest::addRow("a tie names the diameter first") << 20 << 15 << 20 << int(T::Diameter);
}

void TestSectionChecks::spacing()
{
    QFETCH(int, diameter);
    QFETCH(int, aggregate);
    QFETCH(int, minimum);
    QFETCH(int, governs);
    const beam::SpacingRule rule = beam::spacingRule(diameter, aggregate);
    QCOMPARE(rule.minimum, minimum);
    QCOMPARE(int(rule.governs), governs);
}

void TestSectionChecks::compatibleMoment_data()
{
    QTest::addColumn<int>("concreteClass");
    QTest::addColumn<int>("barItem");
    QTest::addColumn<int>("bars");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("whole"); // kNm
    QTest::addRow("8 ø12, parabolisch") << 0 << 3 << 8 << 1 << 104;
    QTest::addRow("8 ø12, bi_lineair") << 0 << 3 << 8 << 2 << 127;
    QTest::addRow("8 ø12, parabool rechthoek") << 0 << 3 << 8 << 3 << 132;
    QTest::addRow("C70/85 4 ø25, bi_lineair at its own εcu3") << 7 << 6 << 4 << 2 << 481;
}

void TestSectionChecks::compatibleMoment()
{
    QFETCH(int, concreteClass);
    QFETCH(int, barItem);
    QFETCH(int, bars);
    QFETCH(int, model);
    QFETCH(int, whole);
    beam::SectionInputs s = startSection();
    s.concreteClass = concreteClass;
    s.fcdText = std::string(beam::concreteClasses[std::size_t(concreteClass)].fcd);
    s.barItem = barItem;
    s.As = beam::steelArea(barItem, bars);
    s.d = beam::effectiveDepth(barItem, s.stirrupItem, s.H, s.c);
    const beam::MomentSteps steps = beam::computeMomentSteps(s.momentInputs());
    const auto m = beam::Model(model);
    const beam::CompatibleState c = beam::compatibleState(steps, m, s.As, concreteClass, 2e5);
    QVERIFY(c.known);
    QCOMPARE(ext::toDouble(c.whole), double(whole));
    const Exact exact = exactMoment(steps, m, s.As, concreteClass);
    QCOMPARE(double(trunc(exact)), double(whole));
    QVERIFY2(abs(Exact(c.moment) - exact) < exact * 1e-15, qPrintable(QString::number(c.moment)));
}

QTEST_APPLESS_MAIN(TestSectionChecks)
#include "tst_section_checks.moc"
