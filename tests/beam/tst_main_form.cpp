#include "decimal_separator.h"
#include "find_control.h"
#include "main_form.h"
#include "number_edit.h"
#include "radio_group.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

// The window as a state machine: its start state, which handlers each user action runs and
// what they leave in the fields, and what the timers write.
class tst_MainForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startState_data();
    void startState();
    void timersAreArmed();
    void chains_data();
    void chains();
    void selectingTheSelectedItemRunsNothing_data();
    void selectingTheSelectedItemRunsNothing();
    void designValues_data();
    void designValues();
    void firstTickFillsTheResults();
    void idleTicksWriteNothing();
    void typedResultIsReplacedAtTheNextTick();
    void typedAreaIsUsedUntilTheBarsChange();
    void closingRestoresTheDecimalSeparator();

private:
    template <typename T> T *find(const char *name) const
    {
        return findControl<T>(form.get(), QLatin1StringView(name));
    }
    QString text(const char *name) const { return find<QLineEdit>(name)->text(); }
    qint32 value(const char *name) const { return find<TNumberEdit>(name)->IntValue(); }
    void tick() { QVERIFY(QMetaObject::invokeMethod(form.get(), "CalcTimerTimer")); }

    std::unique_ptr<TMainForm> form;
    QStringList handlers;
};

void tst_MainForm::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    form = std::make_unique<TMainForm>();
    handlers.clear();
    form->setHandlerTrace([this](const char *handler) {
        const QLatin1StringView name(handler);
        // The timers may tick whenever a test waits; the chains are about the handlers alone.
        if (name != QLatin1StringView("CalcTimerTimer") && name != QLatin1StringView("dTimerTimer"))
            handlers << name;
    });
}

void tst_MainForm::cleanup()
{
    form.reset();
}

void tst_MainForm::startState_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");

    const char *const rows[][2] = {
        {"fbDrukEdit", "8"}, {"fbTrekEdit", "0.73"}, {"EbEdit", "27000"},  {"fsEdit", "435"},
        {"EsEdit", "2.0e5"}, {"nEdit", "4"},         {"AsNumEdit", "452"}, {"cNumEdit", "15"},
        {"HNumEdit", "500"}, {"BNumEdit", "200"},    {"dNumEdit", "471"},  {"mu0Edit", "0"},
        {"mu1Edit", "0"},    {"xu3Edit", "0"},       {"z0Edit", "0"},      {"z3Edit", "0"},
    };
    for (const auto &row : rows)
        QTest::addRow("%s shows %s", row[0], row[1]) << row[0] << row[1];
}

void tst_MainForm::startState()
{
    QFETCH(QString, control);
    QFETCH(QString, text);

    auto *edit = form->findChild<QLineEdit *>(control);
    QVERIFY(edit);
    QCOMPARE(edit->text(), text);
    if (auto *number = qobject_cast<TNumberEdit *>(edit)) {
        QCOMPARE(number->Text(), text);
        QCOMPARE(number->IntValue(), text.toInt());
    }
    QCOMPARE(find<toolkit::RadioGroup>("BRadioGroup")->itemIndex(), 0);
    QCOMPARE(find<toolkit::RadioGroup>("FeBRadioGroup")->itemIndex(), 2);
    QCOMPARE(find<toolkit::RadioGroup>("PHIhwRadioGroup")->itemIndex(), 3);
    QCOMPARE(find<toolkit::RadioGroup>("PHIbgRadioGroup")->itemIndex(), 1);
    QCOMPARE(find<QScrollBar>("ScrollBar1")->value(), 4);
    QCOMPARE(find<QScrollBar>("HScrollBar")->value(), 500);
    QCOMPARE(find<QScrollBar>("BScrollBar")->value(), 200);
    QCOMPARE(toolkit::decimalSeparator(), '.');
}

void tst_MainForm::timersAreArmed()
{
    const auto *calc = find<QTimer>("CalcTimer");
    const auto *depth = find<QTimer>("dTimer");
    QVERIFY(calc->isActive());
    QCOMPARE(calc->interval(), 10);
    QVERIFY(depth->isActive());
    QCOMPARE(depth->interval(), 1000);
}

void tst_MainForm::chains_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("n");
    QTest::addColumn<qint32>("As");
    QTest::addColumn<qint32>("H");
    QTest::addColumn<int>("Hbar");
    QTest::addColumn<qint32>("B");
    QTest::addColumn<qint32>("d");

    const QString depth = QStringLiteral("UpdateEffectiveDepth");
    QTest::addRow("the height bar one small step down mirrors into the field and d")
        << "HScrollBar +1"
        << QStringList{QStringLiteral("HScrollBarChange"), QStringLiteral("HNumEditChange"), depth,
                       depth}
        << "4" << 452 << 505 << 505 << 200 << 476;
    QTest::addRow("the width bar to 250 leaves d as it was")
        << "BScrollBar 250"
        << QStringList{QStringLiteral("BScrollBarChange"), QStringLiteral("BNumEditChange"), depth,
                       depth}
        << "4" << 452 << 500 << 500 << 250 << 471;
    QTest::addRow("the bar count to 5 rewrites the count and the area")
        << "ScrollBar1 5"
        << QStringList{QStringLiteral("ScrollBar1Change"), QStringLiteral("nEditChange")} << "5"
        << 565 << 500 << 500 << 200 << 471;
    QTest::addRow("the bar count to 0 gives no steel")
        << "ScrollBar1 0"
        << QStringList{QStringLiteral("ScrollBar1Change"), QStringLiteral("nEditChange")} << "0"
        << 0 << 500 << 500 << 200 << 471;
    QTest::addRow("25 mm bars change the area and the depth")
        << "PHIhwRadioGroup 6"
        << QStringList{QStringLiteral("PHIhwRadioGroupClick"), QStringLiteral("nEditChange"), depth}
        << "4" << 1960 << 500 << 500 << 200 << 465;
    QTest::addRow("no stirrups change the depth only")
        << "PHIbgRadioGroup 4" << QStringList{QStringLiteral("PHIbgRadioGroupClick"), depth} << "4"
        << 452 << 500 << 500 << 200 << 479;
    QTest::addRow("another concrete class touches no geometry")
        << "BRadioGroup 4"
        << QStringList{QStringLiteral("BRadioGroupClick"), QStringLiteral("UpdateDesignValues")}
        << "4" << 452 << 500 << 500 << 200 << 471;
    QTest::addRow("another steel grade touches no geometry")
        << "FeBRadioGroup 0"
        << QStringList{QStringLiteral("FeBRadioGroupClick"), QStringLiteral("UpdateDesignValues")}
        << "4" << 452 << 500 << 500 << 200 << 471;
    QTest::addRow("the height bar to its end stops at 3000")
        << "HScrollBar 99999"
        << QStringList{QStringLiteral("HScrollBarChange"), QStringLiteral("HNumEditChange"), depth,
                       depth}
        << "4" << 452 << 3000 << 3000 << 200 << 2971;
    QTest::addRow("the height bar set to where it stands runs nothing")
        << "HScrollBar 500" << QStringList{} << "4" << 452 << 500 << 500 << 200 << 471;
}

void tst_MainForm::chains()
{
    QFETCH(QString, action);
    QFETCH(QStringList, expected);
    QFETCH(QString, n);
    QFETCH(qint32, As);
    QFETCH(qint32, H);
    QFETCH(int, Hbar);
    QFETCH(qint32, B);
    QFETCH(qint32, d);

    const QStringList words = action.split(QLatin1Char(' '));
    const QByteArray control = words[0].toLatin1();
    if (auto *bar = form->findChild<QScrollBar *>(words[0])) {
        if (words[1] == QLatin1StringView("+1"))
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        else
            bar->setValue(words[1].toInt());
    } else {
        find<toolkit::RadioGroup>(control.constData())->button(words[1].toInt())->click();
    }
    QCOMPARE(handlers, expected);
    QCOMPARE(text("nEdit"), n);
    QCOMPARE(value("AsNumEdit"), As);
    QCOMPARE(value("HNumEdit"), H);
    QCOMPARE(text("HNumEdit"), QString::number(H));
    QCOMPARE(find<QScrollBar>("HScrollBar")->value(), Hbar);
    QCOMPARE(value("BNumEdit"), B);
    QCOMPARE(find<QScrollBar>("BScrollBar")->value(), B);
    QCOMPARE(value("dNumEdit"), d);
    QCOMPARE(text("dNumEdit"), QString::number(d));
}

void tst_MainForm::selectingTheSelectedItemRunsNothing_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("item");

    QTest::addRow("concrete class") << "BRadioGroup" << 0;
    QTest::addRow("steel grade") << "FeBRadioGroup" << 2;
    QTest::addRow("bar diameter") << "PHIhwRadioGroup" << 3;
    QTest::addRow("stirrup diameter") << "PHIbgRadioGroup" << 1;
}

void tst_MainForm::selectingTheSelectedItemRunsNothing()
{
    QFETCH(QString, group);
    QFETCH(int, item);

    auto *radio = form->findChild<toolkit::RadioGroup *>(group);
    QVERIFY(radio);
    QSignalSpy designSpy(find<QLineEdit>("fbDrukEdit"), &QLineEdit::textChanged);
    radio->button(item)->click();
    QTest::mouseClick(radio->button(item), Qt::LeftButton);
    QCOMPARE(handlers, QStringList());
    QCOMPARE(radio->itemIndex(), item);
    QCOMPARE(designSpy.count(), 0);
}

void tst_MainForm::designValues_data()
{
    QTest::addColumn<int>("concrete");
    QTest::addColumn<int>("steel");
    QTest::addColumn<QStringList>("texts");

    QTest::addRow("C45/55 keeps its trailing zero")
        << 4 << 2
        << QStringList{QStringLiteral("30.0"), QStringLiteral("1.77"), QStringLiteral("36000"),
                       QStringLiteral("435"), QStringLiteral("2.0e5")};
    QTest::addRow("C35/45 keeps the zero of its tensile strength")
        << 3 << 2
        << QStringList{QStringLiteral("23.3"), QStringLiteral("1.50"), QStringLiteral("34000"),
                       QStringLiteral("435"), QStringLiteral("2.0e5")};
    QTest::addRow("C70/85 with FeB220")
        << 7 << 0
        << QStringList{QStringLiteral("46.7"), QStringLiteral("2.15"), QStringLiteral("41000"),
                       QStringLiteral("191"), QStringLiteral("2.0e5")};
    QTest::addRow("C53/65 with FeB400")
        << 5 << 1
        << QStringList{QStringLiteral("35.3"), QStringLiteral("1.94"), QStringLiteral("38000"),
                       QStringLiteral("348"), QStringLiteral("2.0e5")};
}

void tst_MainForm::designValues()
{
    QFETCH(int, concrete);
    QFETCH(int, steel);
    QFETCH(QStringList, texts);

    QSignalSpy steelSpy(find<QLineEdit>("fsEdit"), &QLineEdit::textChanged);
    find<toolkit::RadioGroup>("BRadioGroup")->button(concrete)->click();
    // Choosing a class rewrites the steel fields with their own texts, which changes nothing.
    QCOMPARE(steelSpy.count(), 0);
    find<toolkit::RadioGroup>("FeBRadioGroup")->button(steel)->click();
    const QStringList shown{text("fbDrukEdit"), text("fbTrekEdit"), text("EbEdit"), text("fsEdit"),
                            text("EsEdit")};
    QCOMPARE(shown, texts);
}

void tst_MainForm::firstTickFillsTheResults()
{
    QCOMPARE(text("mu1Edit"), QStringLiteral("0"));
    tick();
    const QStringList shown{text("mu0Edit"), text("mu1Edit"), text("mu2Edit"), text("mu3Edit"),
                            text("xu1Edit"), text("xu2Edit"), text("xu3Edit"), text("z0Edit"),
                            text("z1Edit"),  text("z2Edit"),  text("z3Edit")};
    QCOMPARE(shown,
             (QStringList{QStringLiteral("83"), QStringLiteral("79"), QStringLiteral("80"),
                          QStringLiteral("80"), QStringLiteral("184"), QStringLiteral("163"),
                          QStringLiteral("151"), QStringLiteral("0.9"), QStringLiteral("0.85"),
                          QStringLiteral("0.86"), QStringLiteral("0.87")}));
}

void tst_MainForm::idleTicksWriteNothing()
{
    tick();
    const QList<QLineEdit *> edits = form->findChildren<QLineEdit *>();
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (QLineEdit *edit : edits)
        spies.push_back(std::make_unique<QSignalSpy>(edit, &QLineEdit::textChanged));
    for (int i = 0; i < 20; ++i)
        tick();
    for (std::size_t i = 0; i < spies.size(); ++i)
        QVERIFY2(spies[i]->isEmpty(), qPrintable(edits[qsizetype(i)]->objectName()));
}

void tst_MainForm::typedResultIsReplacedAtTheNextTick()
{
    tick();
    auto *mu1 = find<QLineEdit>("mu1Edit");
    mu1->setFocus();
    QTest::keyClicks(mu1, QStringLiteral("12"));
    QCOMPARE(mu1->text(), QStringLiteral("7912"));
    tick();
    QCOMPARE(mu1->text(), QStringLiteral("79"));
}

void tst_MainForm::typedAreaIsUsedUntilTheBarsChange()
{
    // A program write stands in for the typed value here: both end in IntValue.
    find<TNumberEdit>("AsNumEdit")->setText(QStringLiteral("-100"));
    tick();
    QCOMPARE(text("mu1Edit"), QStringLiteral("-21"));
    QCOMPARE(text("xu1Edit"), QStringLiteral("-40"));
    QCOMPARE(text("z1Edit"), QStringLiteral("1.03"));
    find<QScrollBar>("ScrollBar1")->setValue(5);
    QCOMPARE(value("AsNumEdit"), 565);
}

void tst_MainForm::closingRestoresTheDecimalSeparator()
{
    form.reset();
    toolkit::setDecimalSeparator(',');
    form = std::make_unique<TMainForm>();
    QCOMPARE(toolkit::decimalSeparator(), '.');
    tick();
    QCOMPARE(text("z1Edit"), QStringLiteral("0.85"));
    form->close();
    QCOMPARE(toolkit::decimalSeparator(), ',');
    toolkit::setDecimalSeparator('.');
}

QTEST_MAIN(tst_MainForm)
#include "tst_main_form.moc"
