#include "calculation_text.h"
#include "limits_text.h"
#include "reinforcement.h"
#include "section_geometry.h"

#include "start_section.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {} // namespace

// The MEd entry and the lines the calculation text appends after each model.
class TestLimitsText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void designMoment_data();
    void designMoment();
    void lines_data();
    void lines();
    void barLayerAgreesWithDrawing_data();
    void barLayerAgreesWithDrawing();
};

void TestLimitsText::designMoment_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<char>("separator");
    QTest::addColumn<int>("status"); // DesignMomentEntry::Status
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("reason"); // a part of it

    using Status = section::DesignMomentEntry::Status;
    const auto row = [](const char *name, const char *text, char sep, Status status, double value,
                        const QString &reason = {}) {
        QTest::addRow("%s", name) << QByteArray(text) << sep << int(status) << value << reason;
    };
    row("blanks around it are allowed", "  80 ", '.', Status::Valid, 80);
    row("the comma separator reads a comma", "112,5", ',', Status::Valid, 112.5);
    row("the comma separator still reads a point", "112.5", ',', Status::Valid, 112.5);
    row("a comma with the point separator is no number", "112,5", '.', Status::Rejected, 0,
        u"geen getal"_s);
    row("negative zero is zero", "-0", '.', Status::Valid, 0);
    row("an empty text means no design moment", "", '.', Status::Empty, 0);
    row("a negative moment is refused", "-5", '.', Status::Rejected, 0, u"0 of groter"_s);
    row("a lone point is no number", ".", '.', Status::Rejected, 0, u"geen getal"_s);
    row("a lone exponent is no number", "e5", '.', Status::Rejected, 0, u"geen getal"_s);
    row("beyond 1e30 kNm is refused", "1.1e30", '.', Status::Rejected, 0, u"1e30"_s);
    row("beyond the extended range is refused, not infinite", "1e99999", '.', Status::Rejected, 0,
        u"1e30"_s);
}

void TestLimitsText::designMoment()
{
    QFETCH(QByteArray, text);
    QFETCH(char, separator);
    QFETCH(int, status);
    QFETCH(double, value);
    QFETCH(QString, reason);
    const auto entry = section::readDesignMoment(text.toStdString(), separator);
    QCOMPARE(int(entry.status), status);
    QCOMPARE(entry.value.has_value(), status == int(section::DesignMomentEntry::Status::Valid));
    if (entry.value) {
        QCOMPARE(ext::toDouble(*entry.value), value);
        QVERIFY(!std::signbit(ext::toDouble(*entry.value)));
    }
    QVERIFY2(QString::fromStdString(entry.reason).contains(reason), entry.reason.c_str());
}

void TestLimitsText::lines_data()
{
    QTest::addColumn<int>("concreteClass");
    QTest::addColumn<QByteArray>("fcd");
    QTest::addColumn<int>("As");
    QTest::addColumn<QByteArray>("MEd");
    QTest::addColumn<int>("column"); // -1: what the calculation says once, before the models
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<QStringList>("never"); // words that must not appear

    QTest::addRow("four bars: parabolisch yields, with its strain")
        << 0 << QByteArray("8") << 452 << QByteArray() << 1
        << QStringList{u"εs = εc·(d − xu)/xu = 2.000 × (471 − 184.3) / 184.3 = 3.110 ‰"_s,
                       u"εs = 3.110 ‰ ≥ εyd = 2.175 ‰"_s, u"staal vloeit:"_s,
                       u"As,vloei = 553 mm²"_s}
        << QStringList{u"vloeit niet"_s, u"As,nodig"_s};
    QTest::addRow("four bars: εyd once for every model")
        << 0 << QByteArray("8") << 452 << QByteArray() << -1
        << QStringList{u"εyd = fyd/Es = 435 / 200000 = 2.175 ‰"_s}
        << QStringList{u"max(ø, Dmax + 5, 20)"_s};
    QTest::addRow("five bars: parabolisch overestimates its own Mu")
        << 0 << QByteArray("8") << 565 << QByteArray() << 1
        << QStringList{u"staal vloeit niet"_s, u"overschat zo zijn Mu"_s,
                       u"bij 2.000 ‰ nog niet bezweken"_s}
        << QStringList{u"staal vloeit:"_s};
    // 2.17457 and 2.175 per mille are both 2.175 at three decimals.
    QTest::addRow("a strain next to εyd is written with the digits that tell them apart")
        << 0 << QByteArray("8") << 865 << QByteArray() << 3
        << QStringList{u"εs = 2.1746 ‰ < εyd = 2.1750 ‰"_s} << QStringList{u"2.175 ‰ <"_s};
    QTest::addRow("benadering takes the verdict of parabool rechthoek")
        << 0 << QByteArray("8") << 452 << QByteArray() << 0
        << QStringList{u"geen eigen rek"_s, u"staal vloeit (volgens parabool rechthoek"_s,
                       u"As,vloei = 864 mm² (van parabool rechthoek)"_s}
        << QStringList{};
    QTest::addRow("MEd 100: parabolisch needs more than its yield limit, in bars that do not fit")
        << 0 << QByteArray("8") << 452 << QByteArray("100") << 1
        << QStringList{u"As,nodig = 609 mm²"_s, u"meer dan As,vloei = 553 mm²"_s, u"niet geldig"_s,
                       u"6 ø12 = 678 mm² nodig, maar die passen niet in één laag: er passen er "
                       "hoogstens 5"_s}
        << QStringList{u"max(ø, Dmax + 5, 20)"_s};
    QTest::addRow("MEd 100: the spacing rule once for every model")
        << 0 << QByteArray("8") << 452 << QByteArray("100") << -1
        << QStringList{u"max(ø, Dmax + 5, 20) = max(12, 16 + 5, 20) = 21 mm; Dmax + 5 mm bepaalt"_s}
        << QStringList{};
    QTest::addRow("MEd 100: benadering needs five bars that fit")
        << 0 << QByteArray("8") << 452 << QByteArray("100") << 0
        << QStringList{u"As,nodig = 543 mm²"_s, u"5 ø12 = 565 mm², in één laag"_s,
                       u"parabool rechthoek bij As = 565 mm²: z/d = 0.832, Mu = 96.4 kNm < MEd"_s,
                       u"benadering ligt hier aan de onveilige kant"_s,
                       u"MEd/MRd = 100 / 83.3 = 1.20"_s}
        << QStringList{u"niet geldig"_s, u"binnen As,vloei"_s, u"voldoet"_s};
    QTest::addRow("MEd 1000: bi_lineair says none, and why")
        << 0 << QByteArray("8") << 452 << QByteArray("1000") << 2
        << QStringList{u"bij As,vloei = 801 mm² is Mu = 125 kNm"_s,
                       u"met vloeiend staal haalt dit model MEd = 1000 kNm niet"_s}
        << QStringList{u"As,nodig ="_s, u"hoogstens"_s, u"drukwapening"_s};
    QTest::addRow("C53/65: parabolisch's 2.0 per mille is not the class's own strain")
        << 5 << QByteArray("35.3") << 452 << QByteArray() << -1
        << QStringList{u"Let op: voor C53/65 geeft NEN-EN 1992-1-1 tabel 3.1 εc2 = 2.150 ‰, εcu2 = "
                       "3.260 ‰ en n = 1.84"_s,
                       u"met de vorm van de lagere klassen:\nεc2 = 2.000 ‰, εcu2 = 3.500 ‰, n = 2"_s}
        << QStringList{u"kleinere grensrekken"_s};
    QTest::addRow("C53/65: bi_lineair's εcu3 from the formula")
        << 5 << QByteArray("35.3") << 452 << QByteArray() << 2
        << QStringList{u"2.6 + 35·((90 − 53)/100)^4 = 3.256 ‰"_s} << QStringList{u"Let op"_s};
    QTest::addRow("C45/55: no note about lower-class shapes")
        << 4 << QByteArray("30.0") << 452 << QByteArray() << -1 << QStringList{u"2.175 ‰"_s}
        << QStringList{u"Let op"_s};
    QTest::addRow("8 ø12: bi_lineair is over-reinforced, and its strains allow 128 kNm")
        << 0 << QByteArray("8") << 904 << QByteArray("100") << 2
        << QStringList{u"overgewapend"_s, u"MEd/MRd = 100 / 135 = 0.74"_s,
                       u"Mu = As·σs·(d − β·x) = 128 kNm"_s}
        << QStringList{u"ondergewapend"_s, u"voldoet"_s};
    QTest::addRow("four bars: parabool rechthoek is under-reinforced below ξbal 0.617")
        << 0 << QByteArray("8") << 452 << QByteArray("75") << 3
        << QStringList{u"ondergewapend"_s, u"3.500 / (3.500 + 2.175) = 0.617"_s,
                       u"MEd/MRd = 75 / 80.2 = 0.94"_s, u"voldoet"_s}
        << QStringList{u"overgewapend"_s, u"σs = Es"_s};
    QTest::addRow("MEd 10 with one bar: As,min governs the bars")
        << 0 << QByteArray("8") << 113 << QByteArray("10") << 3
        << QStringList{u"aan te brengen As = As,min = 123 mm²"_s, u"2 ø12 = 226 mm², in één laag"_s,
                       u"minst staal in één laag: 5 ø6 = 140 mm² (d = 474 mm)"_s}
        << QStringList{u"1 ø12"_s};
    QTest::addRow("MEd 150: benadering's 814 mm2 carry 126.5 kNm by parabool rechthoek")
        << 0 << QByteArray("8") << 452 << QByteArray("150") << 0
        << QStringList{u"As = 814 mm²: z/d = 0.759, Mu = 127 kNm < MEd"_s} << QStringList{};
    QTest::addRow("no steel: no verdict words")
        << 0 << QByteArray("8") << 0 << QByteArray() << 1
        << QStringList{u"geen staalkracht"_s, u"As,vloei = 553 mm²"_s}
        << QStringList{u"staal vloeit"_s};
}

// The part of the calculation a model's lines stand in: from its name to the blank line after
// it; -1 the part before the first model.
void TestLimitsText::lines()
{
    QFETCH(int, concreteClass);
    QFETCH(QByteArray, fcd);
    QFETCH(int, As);
    QFETCH(QByteArray, MEd);
    QFETCH(int, column);
    QFETCH(QStringList, says);
    QFETCH(QStringList, never);
    beam::SectionInputs s = startSection();
    s.concreteClass = concreteClass;
    s.fcdText = fcd.toStdString();
    s.As = As;
    const auto entry = section::readDesignMoment(MEd.toStdString(), '.');
    const beam::MomentSteps steps = beam::computeMomentSteps(s.momentInputs());
    const auto limits = beam::sectionLimits(s, steps, "2.0e5", entry.value);
    const QString calculation = QString::fromStdString(
        section::calculationText(s, steps, section::sectionGeometry(s, steps), &limits));
    const QString first = QString::fromUtf8(beam::models.front().name.data()) + u':';
    const QString name =
        column < 0 ? first
                   : QString::fromUtf8(beam::models[std::size_t(column)].name.data()) + u':';
    QString text;
    bool inside = column < 0;
    for (const QString &line : calculation.split(u'\n')) {
        if (line.startsWith(name))
            inside = column >= 0;
        else if (inside && column >= 0 && line.isEmpty())
            break;
        if (inside)
            text += line + u'\n';
    }
    for (const QString &part : says)
        QVERIFY2(text.contains(part), qPrintable(text));
    for (const QString &part : never)
        QVERIFY2(!text.contains(part), qPrintable(text));
}

// The note under As,nodig and the drawing decide "one layer" by the same rule.
void TestLimitsText::barLayerAgreesWithDrawing_data()
{
    QTest::addColumn<int>("barItem");
    QTest::addColumn<int>("stirrupItem");
    QTest::addColumn<int>("b");
    QTest::addRow("12 mm bars in 200 mm") << 3 << 1 << 200;
    QTest::addRow("12 mm bars where two leave exactly 20 mm") << 3 << 1 << 90;
    QTest::addRow("12 mm bars where two leave just under 20 mm") << 3 << 1 << 89;
    QTest::addRow("40 mm bars need their diameter") << 8 << 1 << 146;
    QTest::addRow("one 40 mm bar wider than the stirrup's room") << 8 << 1 << 80;
    QTest::addRow("no stirrups") << 5 << 4 << 250;
}

void TestLimitsText::barLayerAgreesWithDrawing()
{
    QFETCH(int, barItem);
    QFETCH(int, stirrupItem);
    QFETCH(int, b);
    beam::SectionInputs s = startSection();
    s.barItem = barItem;
    s.stirrupItem = stirrupItem;
    s.b = b;
    for (int count = 0; count <= 12; ++count) {
        s.barCount = count;
        s.As = beam::steelArea(barItem, count);
        const auto g = section::sectionGeometry(s, beam::computeMomentSteps(s.momentInputs()));
        const beam::BarLayer layer = beam::barLayer(s, count);
        QCOMPARE(layer.fits, !g.oneLayerNote);
        QCOMPARE(layer.area, s.As);
        // The fewest bars for an area one above what count - 1 bars give is count.
        if (count > 0)
            QCOMPARE(beam::barsFor(barItem, beam::steelArea(barItem, count - 1) + 1).value(),
                     count);
    }
}

QTEST_APPLESS_MAIN(TestLimitsText)
#include "tst_limits_text.moc"
