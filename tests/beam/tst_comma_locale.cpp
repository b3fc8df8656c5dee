#include "decimal_separator.h"
#include "main_form.h"

#include <QLineEdit>
#include <QTest>

// Run with Dutch regional settings, whose decimal separator is a comma: the window still reads
// its design values and writes its ratios with a point while it is open, and gives the comma
// back when it closes.
class tst_CommaLocale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowHoldsThePointWhileOpen();
};

void tst_CommaLocale::windowHoldsThePointWhileOpen()
{
    QCOMPARE(toolkit::decimalSeparator(), ',');
    TMainForm form;
    QCOMPARE(toolkit::decimalSeparator(), '.');
    // C20/25: fcd "13.3" must read as 13.3, not as 13 or as no number at all.
    form.findChild<QObject *>(QStringLiteral("BRadioGroup"))->setProperty("itemIndex", 1);
    QVERIFY(QMetaObject::invokeMethod(&form, "CalcTimerTimer"));
    const auto text = [&](const char *name) {
        return form.findChild<QLineEdit *>(QLatin1StringView(name))->text();
    };
    QCOMPARE(text("fbDrukEdit"), QStringLiteral("13.3"));
    QCOMPARE(text("xu1Edit"), QStringLiteral("110"));
    QCOMPARE(text("z1Edit"), QStringLiteral("0.91"));
    form.close();
    QCOMPARE(toolkit::decimalSeparator(), ',');
}

QTEST_MAIN(tst_CommaLocale)
#include "tst_comma_locale.moc"
