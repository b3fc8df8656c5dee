#include "decimal_separator.h"
#include "find_control.h"
#include "main_form.h"
#include "number_edit.h"
#include "radio_group.h"
#include "section_controls.h"

#include <QLineEdit>
#include <QMenu>
#include <QMetaEnum>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <map>
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
    void formMatchesTheControlTable_data();
    void formMatchesTheControlTable();
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
    void menusByKeyboard_data();
    void menusByKeyboard();

private:
    template <typename T> T *find(const char *name) const
    {
        return findControl<T>(form.get(), QLatin1StringView(name));
    }
    QString text(const char *name) const { return find<QLineEdit>(name)->text(); }
    qint32 value(const char *name) const { return find<TNumberEdit>(name)->IntValue(); }
    void tick() { QVERIFY(QMetaObject::invokeMethod(form.get(), "CalcTimerTimer")); }
    std::function<void(const char *)> recorder();
    void focusForKeys(QWidget *control);

    std::unique_ptr<TMainForm> form;
    QStringList handlers;
};

void tst_MainForm::init()
{
    // The headless platform says that it cannot raise a menu or grab the keyboard for it.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(
        "^(?!This plugin does not support (raise\\(\\)|grabbing the keyboard)$).*")));
    form = std::make_unique<TMainForm>();
    handlers.clear();
    form->setHandlerTrace(recorder());
}

std::function<void(const char *)> tst_MainForm::recorder()
{
    return [this](const char *handler) {
        const QLatin1StringView name(handler);
        // The timers may tick whenever a test waits; the chains are about the handlers alone.
        if (name != QLatin1StringView("CalcTimerTimer") && name != QLatin1StringView("dTimerTimer"))
            handlers << name;
    };
}

// Keys go where the user's go: to the window, which hands them to the focused control on the
// page that shows; a radio group's focus stands on its selected item.
void tst_MainForm::focusForKeys(QWidget *control)
{
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *notebook = find<QTabWidget>("TabbedNotebook1");
    for (int i = 0; i < notebook->count(); ++i)
        if (notebook->widget(i)->isAncestorOf(control))
            notebook->setCurrentIndex(i);
    if (auto *group = qobject_cast<toolkit::RadioGroup *>(control))
        control = group->button(group->itemIndex());
    control->setFocus();
    QCOMPARE(QApplication::focusWidget(), control);
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

void tst_MainForm::formMatchesTheControlTable_data()
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < beam::sectionControls.size(); ++i)
        QTest::addRow("%s has the table's range and start", beam::sectionControls[i].id.data())
            << int(i);
}

// The page and the tests take the controls' ranges and start values from the table.
void tst_MainForm::formMatchesTheControlTable()
{
    QFETCH(int, row);
    const beam::SectionControl &control = beam::sectionControls[std::size_t(row)];
    const char *name = control.id.data(); // a literal's view: ends in its NUL
    int start = 0;
    int min = 0;
    int max = 0;
    switch (control.kind) {
    case beam::ControlKind::Item: {
        const auto *group = find<toolkit::RadioGroup>(name);
        start = group->itemIndex();
        max = int(group->items().size()) - 1;
        break;
    }
    case beam::ControlKind::Position: {
        const auto *bar = find<QScrollBar>(name);
        start = bar->value();
        min = bar->minimum();
        max = bar->maximum();
        break;
    }
    case beam::ControlKind::Number: {
        const auto *edit = find<TNumberEdit>(name);
        start = edit->IntValue();
        min = int(edit->Min());
        max = int(edit->Max());
        break;
    }
    }
    QCOMPARE(start, control.start);
    QCOMPARE(min, control.min);
    QCOMPARE(max, control.max);
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
    QTest::addRow("start-up runs FormCreate's whole chain")
        << "FormCreate"
        << QStringList{QStringLiteral("FormCreate"),
                       QStringLiteral("HScrollBarChange"),
                       QStringLiteral("HNumEditChange"),
                       depth,
                       depth,
                       QStringLiteral("BScrollBarChange"),
                       QStringLiteral("BNumEditChange"),
                       depth,
                       depth,
                       QStringLiteral("ScrollBar1Change"),
                       QStringLiteral("nEditChange"),
                       QStringLiteral("nEditChange"),
                       QStringLiteral("UpdateDesignValues"),
                       depth}
        << "4" << 452 << 500 << 500 << 200 << 471;
    QTest::addRow("50 bars of 40 mm show an area above the field's maximum")
        << "PHIhwRadioGroup 8, ScrollBar1 50"
        << QStringList{QStringLiteral("ScrollBar1Change"), QStringLiteral("nEditChange")} << "50"
        << 62800 << 500 << 500 << 200 << 457;

    // Arrow keys in the radio groups: a move to another item clicks once, a key that finds no
    // item in its direction runs nothing.
    const QStringList design{QStringLiteral("UpdateDesignValues")};
    QTest::addRow("Down in the concrete classes clicks once")
        << "BRadioGroup Down" << QStringList{QStringLiteral("BRadioGroupClick")} + design << "4"
        << 452 << 500 << 500 << 200 << 471;
    QTest::addRow("Up on the first concrete class runs nothing")
        << "BRadioGroup Up" << QStringList{} << "4" << 452 << 500 << 500 << 200 << 471;
    QTest::addRow("Right in the one column of concrete classes runs nothing")
        << "BRadioGroup Right" << QStringList{} << "4" << 452 << 500 << 500 << 200 << 471;
    QTest::addRow("Up in the steel grades clicks once")
        << "FeBRadioGroup Up" << QStringList{QStringLiteral("FeBRadioGroupClick")} + design << "4"
        << 452 << 500 << 500 << 200 << 471;
    QTest::addRow("Down on the last steel grade runs nothing")
        << "FeBRadioGroup Down" << QStringList{} << "4" << 452 << 500 << 500 << 200 << 471;
    QTest::addRow("Right in the bar diameters goes to 25 mm in the next column")
        << "PHIhwRadioGroup Right"
        << QStringList{QStringLiteral("PHIhwRadioGroupClick"), QStringLiteral("nEditChange"), depth}
        << "4" << 1960 << 500 << 500 << 200 << 465;
    QTest::addRow("Up on the top row of the bar diameters runs nothing")
        << "PHIhwRadioGroup Up" << QStringList{} << "4" << 452 << 500 << 500 << 200 << 471;
    QTest::addRow("Down in the stirrups goes to 10 mm")
        << "PHIbgRadioGroup Down" << QStringList{QStringLiteral("PHIbgRadioGroupClick"), depth}
        << "4" << 452 << 500 << 500 << 200 << 469;
    QTest::addRow("Left in the first column of stirrups runs nothing")
        << "PHIbgRadioGroup Left" << QStringList{} << "4" << 452 << 500 << 500 << 200 << 471;

    // Every key on every bar. Right and Down add the small step, Left and Up take it away, the
    // page keys the large step, Home and End go to the ends; one press is one change of
    // position and runs the bar's chain once. The bar count shows in nEdit and As, the height
    // in HNumEdit and d; the width leaves d as it is.
    const std::map<QByteArray, QStringList> barChains{
        {"ScrollBar1", {QStringLiteral("ScrollBar1Change"), QStringLiteral("nEditChange")}},
        {"HScrollBar",
         {QStringLiteral("HScrollBarChange"), QStringLiteral("HNumEditChange"), depth, depth}},
        {"BScrollBar",
         {QStringLiteral("BScrollBarChange"), QStringLiteral("BNumEditChange"), depth, depth}},
    };
    const auto barRow = [&](const QByteArray &name, const QByteArray &bar, const QString &action,
                            const QStringList &chain, int position, qint32 AsOrD) {
        const bool count = bar == "ScrollBar1";
        const bool height = bar == "HScrollBar";
        QTest::newRow(name.constData())
            << action << chain << (count ? QString::number(position) : QStringLiteral("4"))
            << (count ? AsOrD : 452) << (height ? position : 500) << (height ? position : 500)
            << (bar == "BScrollBar" ? position : 200) << (count ? 471 : AsOrD);
    };
    const struct {
        const char *bar;
        const char *key;
        int position;
        qint32 AsOrD;
    } keys[] = {
        {"ScrollBar1", "Right", 5, 565},      {"ScrollBar1", "Left", 3, 339},
        {"ScrollBar1", "Down", 5, 565},       {"ScrollBar1", "Up", 3, 339},
        {"ScrollBar1", "PageDown", 14, 1582}, {"ScrollBar1", "PageUp", 0, 0},
        {"ScrollBar1", "Home", 0, 0},         {"ScrollBar1", "End", 50, 5650},
        {"HScrollBar", "Right", 505, 476},    {"HScrollBar", "Left", 495, 466},
        {"HScrollBar", "Down", 505, 476},     {"HScrollBar", "Up", 495, 466},
        {"HScrollBar", "PageDown", 600, 571}, {"HScrollBar", "PageUp", 400, 371},
        {"HScrollBar", "Home", 0, -1},        {"HScrollBar", "End", 3000, 2971},
        {"BScrollBar", "Right", 205, 471},    {"BScrollBar", "Left", 195, 471},
        {"BScrollBar", "Down", 205, 471},     {"BScrollBar", "Up", 195, 471},
        {"BScrollBar", "PageDown", 300, 471}, {"BScrollBar", "PageUp", 100, 471},
        {"BScrollBar", "Home", 0, 471},       {"BScrollBar", "End", 2000, 471},
    };
    for (const auto &k : keys)
        barRow(QByteArray(k.key) + " on " + k.bar + " moves it to " +
                   QByteArray::number(k.position),
               k.bar, QLatin1StringView(k.bar) + u' ' + QLatin1StringView(k.key),
               barChains.at(k.bar), k.position, k.AsOrD);
    // At an end, the keys that point past it change nothing and run nothing.
    const struct {
        const char *bar;
        int end;
        qint32 AsOrD;
        std::array<const char *, 4> keys;
    } ends[] = {
        {"ScrollBar1", 0, 0, {"Left", "Up", "PageUp", "Home"}},
        {"ScrollBar1", 50, 5650, {"Right", "Down", "PageDown", "End"}},
        {"HScrollBar", 0, -1, {"Left", "Up", "PageUp", "Home"}},
        {"HScrollBar", 3000, 2971, {"Right", "Down", "PageDown", "End"}},
        {"BScrollBar", 0, 471, {"Left", "Up", "PageUp", "Home"}},
        {"BScrollBar", 2000, 471, {"Right", "Down", "PageDown", "End"}},
    };
    for (const auto &e : ends)
        for (const char *key : e.keys)
            barRow(QByteArray(key) + " on " + e.bar + " at " + QByteArray::number(e.end) +
                       " runs nothing",
                   e.bar,
                   QStringLiteral("%1 %2, %1 %3")
                       .arg(QLatin1StringView(e.bar))
                       .arg(e.end)
                       .arg(QLatin1StringView(key)),
                   {}, e.end, e.AsOrD);
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

    // Steps apart by commas: the chain is that of the last one. A step names a control and a
    // position, an item, "+1" (one small step) or a key; "FormCreate" builds a new window.
    const QStringList steps = action.split(QStringLiteral(", "));
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const bool last = i == steps.size() - 1;
        const QStringList words = steps[i].split(QLatin1Char(' '));
        if (words[0] == QLatin1StringView("FormCreate")) {
            form.reset();
            handlers.clear();
            form = std::make_unique<TMainForm>(recorder());
            continue;
        }
        const QByteArray name = words[0].toLatin1();
        auto *control = find<QWidget>(name.constData());
        const bool step = words[1] == QLatin1StringView("+1");
        bool isNumber = false;
        const int number = words[1].toInt(&isNumber);
        if (!isNumber) {
            const int key = QMetaEnum::fromType<Qt::Key>().keyToValue(
                QByteArray("Key_" + words[1].toLatin1()).constData());
            QVERIFY2(key >= 0, qPrintable(words[1]));
            focusForKeys(control);
            if (QTest::currentTestFailed())
                return;
            if (last)
                handlers.clear();
            QTest::keyClick(form->windowHandle(), Qt::Key(key));
            continue;
        }
        if (last)
            handlers.clear();
        if (auto *bar = qobject_cast<QScrollBar *>(control)) {
            if (step)
                bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            else
                bar->setValue(number);
        } else {
            find<toolkit::RadioGroup>(name.constData())->button(number)->click();
        }
    }
    QCOMPARE(handlers, expected);
    QCOMPARE(text("nEdit"), n);
    QCOMPARE(find<QScrollBar>("ScrollBar1")->value(), n.toInt());
    QCOMPARE(value("AsNumEdit"), As);
    QCOMPARE(text("AsNumEdit"), QString::number(As));
    QCOMPARE(value("HNumEdit"), H);
    QCOMPARE(text("HNumEdit"), QString::number(H));
    QCOMPARE(find<QScrollBar>("HScrollBar")->value(), Hbar);
    QCOMPARE(value("BNumEdit"), B);
    QCOMPARE(text("BNumEdit"), QString::number(B));
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
    QTest::addRow("C60/75 keeps the zero of its compressive strength")
        << 6 << 2
        << QStringList{QStringLiteral("40.0"), QStringLiteral("2.03"), QStringLiteral("39000"),
                       QStringLiteral("435"), QStringLiteral("2.0e5")};
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

// The menus have no mnemonics; F10 opens the first, the arrows and Enter work inside.
void tst_MainForm::menusByKeyboard_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("handler");
    QTest::addRow("F10 opens \"File\" with \"Exit\" chosen")
        << QList<int>{Qt::Key_Return} << QStringLiteral("Exit1Click");
    QTest::addRow("Right moves on to \"View\"")
        << QList<int>{Qt::Key_Right, Qt::Key_Return} << QStringLiteral("Section1Click");
    QTest::addRow("Left wraps round to \"Help\"")
        << QList<int>{Qt::Key_Left, Qt::Key_Return} << QStringLiteral("About1Click");
    QTest::addRow("Escape closes the menu and runs nothing")
        << QList<int>{Qt::Key_Escape} << QString();
}

void tst_MainForm::menusByKeyboard()
{
    QFETCH(const QList<int>, keys);
    QFETCH(const QString, handler);
    focusForKeys(find<QWidget>("BRadioGroup"));
    handlers.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    QTRY_VERIFY2(qobject_cast<QMenu *>(QApplication::activePopupWidget()), "F10 opened no menu");
    for (const int key : keys)
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(key));
    QTRY_VERIFY2(!QApplication::activePopupWidget(), "a menu stayed open");
    QCOMPARE(handlers.value(0), handler);
}

QTEST_MAIN(tst_MainForm)
#include "tst_main_form.moc"
