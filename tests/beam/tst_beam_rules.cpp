#include "materials.h"
#include "reinforcement.h"

#include <QTest>

#include <limits>

class tst_BeamRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void barArea_data();
    void barArea();
    void steelArea_data();
    void steelArea();
    void effectiveDepth_data();
    void effectiveDepth();
    void designValuesAreExactTexts();
};

void tst_BeamRules::barArea_data()
{
    QTest::addColumn<int>("diameter");
    QTest::addColumn<qint32>("area");
    QTest::addColumn<int>("halfDiameter");

    QTest::addRow("6 mm") << 6 << 28 << 3;
    QTest::addRow("8 mm") << 8 << 50 << 4;
    QTest::addRow("10 mm truncates 78.5 to 78") << 10 << 78 << 5;
    QTest::addRow("12 mm") << 12 << 113 << 6;
    QTest::addRow("16 mm") << 16 << 201 << 8;
    QTest::addRow("20 mm truncates 314.2 to 314") << 20 << 314 << 10;
    QTest::addRow("25 mm truncates both the area and half the diameter") << 25 << 490 << 12;
    QTest::addRow("32 mm") << 32 << 804 << 16;
    QTest::addRow("40 mm truncates 1256.6 to 1256") << 40 << 1256 << 20;
}

void tst_BeamRules::barArea()
{
    QFETCH(int, diameter);
    QFETCH(qint32, area);
    QFETCH(int, halfDiameter);

    QCOMPARE(beam::barArea(diameter), area);
    const auto item =
        int(std::find(beam::barDiameters.begin(), beam::barDiameters.end(), diameter) -
            beam::barDiameters.begin());
    // With no stirrups, no cover and a height of 1000 the depth shows the half diameter.
    QCOMPARE(beam::effectiveDepth(item, 4, 1000, 0), 1000 - halfDiameter);
}

void tst_BeamRules::steelArea_data()
{
    QTest::addColumn<int>("barItem");
    QTest::addColumn<qint32>("count");
    QTest::addColumn<qint32>("area");

    QTest::addRow("four 12 mm bars") << 3 << 4 << 452;
    QTest::addRow("five 12 mm bars") << 3 << 5 << 565;
    QTest::addRow("four 10 mm bars truncate each bar before multiplying") << 2 << 4 << 312;
    QTest::addRow("four 25 mm bars") << 6 << 4 << 1960;
    QTest::addRow("no bars") << 3 << 0 << 0;
    QTest::addRow("fifty 40 mm bars exceed the typing range") << 8 << 50 << 62800;
    QTest::addRow("no item selected gives no steel") << -1 << 4 << 0;
}

void tst_BeamRules::steelArea()
{
    QFETCH(int, barItem);
    QFETCH(qint32, count);
    QFETCH(qint32, area);

    QCOMPARE(beam::steelArea(barItem, count), area);
}

void tst_BeamRules::effectiveDepth_data()
{
    QTest::addColumn<int>("barItem");
    QTest::addColumn<int>("stirrupItem");
    QTest::addColumn<qint32>("height");
    QTest::addColumn<qint32>("cover");
    QTest::addColumn<qint32>("depth");

    constexpr qint32 lowest = std::numeric_limits<qint32>::min();
    constexpr qint32 highest = std::numeric_limits<qint32>::max();
    QTest::addRow("the start section") << 3 << 1 << 500 << 15 << 471;
    QTest::addRow("25 mm bars count half a diameter of 12") << 6 << 1 << 500 << 15 << 465;
    QTest::addRow("no stirrups") << 3 << 4 << 500 << 15 << 479;
    QTest::addRow("a depth of 0 is shown as -1") << 3 << 1 << 29 << 15 << -1;
    QTest::addRow("a depth of 1 is kept") << 3 << 1 << 30 << 15 << 1;
    QTest::addRow("no height") << 3 << 1 << 0 << 15 << -1;
    QTest::addRow("a typed height beyond the range is used as typed")
        << 3 << 1 << 5000 << 15 << 4971;
    QTest::addRow("the largest height with a negative cover stays within 32 bits")
        << 3 << 1 << highest << lowest << highest;
    QTest::addRow("the smallest height with the largest cover gives -1")
        << 3 << 1 << lowest << highest << -1;
    QTest::addRow("the largest height with the start cover")
        << 3 << 1 << highest << 15 << highest - 29;
}

void tst_BeamRules::effectiveDepth()
{
    QFETCH(int, barItem);
    QFETCH(int, stirrupItem);
    QFETCH(qint32, height);
    QFETCH(qint32, cover);
    QFETCH(qint32, depth);

    QCOMPARE(beam::effectiveDepth(barItem, stirrupItem, height, cover), depth);
}

void tst_BeamRules::designValuesAreExactTexts()
{
    // These are shown as they stand and parsed back by the moment models: a locale-dependent
    // or normalising write would change them.
    QCOMPARE(beam::concreteClass(0)->fcd, std::string_view("8"));
    QCOMPARE(beam::concreteClass(3)->fctd, std::string_view("1.50"));
    QCOMPARE(beam::concreteClass(4)->fcd, std::string_view("30.0"));
    QCOMPARE(beam::steelGrade(0)->fyd, std::string_view("191"));
    QCOMPARE(beam::steelGrade(2)->Es, std::string_view("2.0e5"));
    QVERIFY(!beam::concreteClass(8));
    QVERIFY(!beam::steelGrade(-1));
}

QTEST_APPLESS_MAIN(tst_BeamRules)
#include "tst_beam_rules.moc"
