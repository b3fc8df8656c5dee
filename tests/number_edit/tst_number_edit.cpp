#include "decimal_separator.h"
#include "number_edit.h"

#include <QSignalSpy>
#include <QTest>

// The value model of the number edit: what each property write does to the screen, the stored
// text and the values, and when textChanged fires relative to them.
class tst_NumberEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void newControlDefaults();
    void intValueWrite_data();
    void intValueWrite();
    void textWrite_data();
    void textWrite();
    void handlerSeesStoredTextBeforeValue();
    void handlerSeesValueWrittenBeforeText();
    void realValueWriteReadsBackItsOwnText();
    void bounds_data();
    void bounds();
    void propertiesThroughMetaObject();
};

void tst_NumberEdit::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    toolkit::setDecimalSeparator('.');
}

void tst_NumberEdit::newControlDefaults()
{
    TNumberEdit edit;
    QCOMPARE(edit.NumType(), TNumberEdit::IntType);
    QCOMPARE(edit.Min(), 0.0);
    QCOMPARE(edit.Max(), 100.0);
    QCOMPARE(edit.IntValue(), 0);
    QCOMPARE(edit.Text(), QString());
    QCOMPARE(edit.Status(), 0);
    QVERIFY(!edit.DefaultHint());
}

void tst_NumberEdit::intValueWrite_data()
{
    QTest::addColumn<bool>("fresh");
    QTest::addColumn<QString>("before");
    QTest::addColumn<qint32>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("changes");

    QTest::addRow("a new value on a control showing 0 rewrites the text once")
        << false << "0" << 500 << "500" << 1;
    QTest::addRow("the value already shown writes nothing") << false << "500" << 500 << "500" << 0;
    QTest::addRow("a text that does not parse stays on screen")
        << false << "abc" << 5 << "abc" << 0;
    QTest::addRow("a hexadecimal text of the same value stays")
        << false << "$1F" << 31 << "$1F" << 0;
    QTest::addRow("a text with leading blanks of the same value stays")
        << false << "  7" << 7 << "  7" << 0;
    QTest::addRow("an empty stored text is always written") << true << "" << 0 << "0" << 1;
    QTest::addRow("a value below the range is written all the same")
        << false << "0" << -1 << "-1" << 1;
    QTest::addRow("the largest 32-bit value is written as a plain integer")
        << false << "0" << 2147483647 << "2147483647" << 1;
    QTest::addRow("the smallest 32-bit value is written as a plain integer")
        << false << "0" << (-2147483647 - 1) << "-2147483648" << 1;
    QTest::addRow("a hundred million is written as a plain integer")
        << false << "0" << 100000000 << "100000000" << 1;
}

void tst_NumberEdit::intValueWrite()
{
    QFETCH(bool, fresh);
    QFETCH(QString, before);
    QFETCH(qint32, value);
    QFETCH(QString, shown);
    QFETCH(int, changes);

    TNumberEdit edit;
    if (!fresh)
        edit.setText(before);
    QSignalSpy spy(&edit, &QLineEdit::textChanged);
    edit.setIntValue(value);
    QCOMPARE(edit.IntValue(), value);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.Text(), shown);
    QCOMPARE(spy.count(), changes);
}

void tst_NumberEdit::textWrite_data()
{
    QTest::addColumn<TNumberEdit::TNumberType>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<qint32>("intValue");
    QTest::addColumn<double>("realValue");
    QTest::addColumn<int>("changes");

    QTest::addRow("an integer text becomes the value") << TNumberEdit::IntType << "250"
                                                       << "250" << 250 << 7.0 << 1;
    QTest::addRow("a hexadecimal text becomes the value") << TNumberEdit::IntType << "$FF"
                                                          << "$FF" << 255 << 7.0 << 1;
    QTest::addRow("an integer text that does not parse sets the value to 0")
        << TNumberEdit::IntType << "12a"
        << "12a" << 0 << 7.0 << 1;
    QTest::addRow("an empty integer text ends as 0") << TNumberEdit::IntType << ""
                                                     << "0" << 0 << 7.0 << 2;
    QTest::addRow("an integer beyond 32 bits does not parse and sets 0")
        << TNumberEdit::IntType << "2147483648"
        << "2147483648" << 0 << 7.0 << 1;
    QTest::addRow("a real text becomes the real value only") << TNumberEdit::RealType << "2.5e3"
                                                             << "2.5e3" << 7 << 2500.0 << 1;
    QTest::addRow("a real text with a comma does not parse and sets 0")
        << TNumberEdit::RealType << "2,5"
        << "2,5" << 7 << 0.0 << 1;
    QTest::addRow("an empty real text ends as 0") << TNumberEdit::RealType << ""
                                                  << "0" << 7 << 0.0 << 2;
}

void tst_NumberEdit::textWrite()
{
    QFETCH(TNumberEdit::TNumberType, kind);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(qint32, intValue);
    QFETCH(double, realValue);
    QFETCH(int, changes);

    TNumberEdit edit;
    edit.setNumType(kind);
    edit.setText(QStringLiteral("7"));
    // The other kind's store is independent: it keeps its 7 whatever the text does.
    if (kind == TNumberEdit::RealType)
        edit.setIntValue(7);
    else
        edit.setRealValue(7);
    QSignalSpy spy(&edit, &QLineEdit::textChanged);
    edit.setText(text);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.Text(), shown);
    QCOMPARE(edit.IntValue(), intValue);
    QCOMPARE(edit.RealValue(), realValue);
    QCOMPARE(spy.count(), changes);
}

void tst_NumberEdit::handlerSeesStoredTextBeforeValue()
{
    TNumberEdit edit;
    edit.setText(QStringLiteral("10"));
    QString seenText;
    qint32 seenValue = -1;
    connect(&edit, &QLineEdit::textChanged, this, [&] {
        seenText = edit.Text();
        seenValue = edit.IntValue();
    });
    edit.setText(QStringLiteral("20"));
    QCOMPARE(seenText, QStringLiteral("20"));
    QCOMPARE(seenValue, 10);
    QCOMPARE(edit.IntValue(), 20);
}

void tst_NumberEdit::handlerSeesValueWrittenBeforeText()
{
    TNumberEdit edit;
    edit.setText(QStringLiteral("0"));
    QList<qint32> seen;
    connect(&edit, &QLineEdit::textChanged, this, [&] { seen << edit.IntValue(); });
    edit.setIntValue(500);
    edit.setIntValue(500);
    QCOMPARE(seen, QList<qint32>{500});
}

void tst_NumberEdit::realValueWriteReadsBackItsOwnText()
{
    TNumberEdit edit;
    edit.setNumType(TNumberEdit::RealType);
    edit.setText(QStringLiteral("0"));
    edit.setRealValue(1.0 / 3.0);
    QCOMPARE(edit.text(), QStringLiteral("0.33333333"));
    // The text write that follows takes the value of the text, which is not 1/3.
    QCOMPARE(edit.RealValue(), 0.33333333);
}

void tst_NumberEdit::bounds_data()
{
    QTest::addColumn<QList<double>>("writes"); // alternately Min and Max, NaN skips one
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<QString>("hint");

    const double skip = qQNaN();
    QTest::addRow("a new control hints 0 100") << QList<double>{} << 0.0 << 100.0 << "0 100";
    QTest::addRow("the range is written into the hint")
        << QList<double>{skip, 50000} << 0.0 << 50000.0 << "0 50000";
    QTest::addRow("an upper bound equal to the lower one is ignored")
        << QList<double>{50, 70, skip, 50} << 50.0 << 70.0 << "50 70";
    QTest::addRow("the hint follows a new lower bound")
        << QList<double>{skip, 50, 15} << 15.0 << 50.0 << "15 50";
    QTest::addRow("a lower bound above the upper one is accepted")
        << QList<double>{skip, 50, 60} << 60.0 << 50.0 << "60 50";
    QTest::addRow("an upper bound that becomes equal to Min reads as Min plus 100")
        << QList<double>{skip, 50, 50} << 50.0 << 150.0 << "50 150";
    QTest::addRow("real bounds are written in the general format")
        << QList<double>{0.5, 123456789} << 0.5 << 123456789.0 << "0.5 1.2345679E8";
}

void tst_NumberEdit::bounds()
{
    QFETCH(QList<double>, writes);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(QString, hint);

    TNumberEdit edit;
    edit.setDefaultHint(true);
    for (int i = 0; i < writes.size(); ++i) {
        if (qIsNaN(writes[i]))
            continue;
        if (i % 2 == 0)
            edit.setMin(writes[i]);
        else
            edit.setMax(writes[i]);
    }
    QCOMPARE(edit.Min(), min);
    QCOMPARE(edit.Max(), max);
    QCOMPARE(edit.toolTip(), hint);
    QVERIFY(edit.ShowHint());
}

void tst_NumberEdit::propertiesThroughMetaObject()
{
    TNumberEdit edit;
    QVERIFY(edit.setProperty("Text", QStringLiteral("42")));
    QCOMPARE(edit.property("IntValue").toInt(), 42);
    QVERIFY(edit.setProperty("NumType", QVariant::fromValue(TNumberEdit::RealType)));
    QCOMPARE(edit.NumType(), TNumberEdit::RealType);
    QVERIFY(edit.setProperty("Max", 10.0));
    QCOMPARE(edit.property("Max").toDouble(), 10.0);
    QVERIFY(edit.setProperty("DefaultHint", true));
    QCOMPARE(edit.toolTip(), QStringLiteral("0 10"));
}

QTEST_MAIN(tst_NumberEdit)
#include "tst_number_edit.moc"
