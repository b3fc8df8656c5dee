#include "decimal_separator.h"
#include "main_form.h"
#include "number_edit.h"
#include "radio_group.h"
#include "test_support.h"
#include "test_window.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

// One keystroke into the focused field and what the window shows right after it.
struct Step {
    const char *keys; // one key, or a named key in braces; empty: wait for the depth timer
    int bar;          // HScrollBar
    int d;
    const char *field;    // the typed field's text
    const char *mu0 = ""; // when set, the results show this at a following tick
};
using Steps = QList<Step>;

} // namespace

Q_DECLARE_METATYPE(Steps)

// The number edits at the keyboard in the real window, with its timers running: the typing
// chains, where Enter and Tab leave the focus, and how a bad entry holds its page and field.
class tst_Typing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void typing_data();
    void typing();
    void typedAreaStandsUntilTheBarsChange_data();
    void typedAreaStandsUntilTheBarsChange();
    void closingKeys_data();
    void closingKeys();
    void badEntryHoldsItsPage_data();
    void badEntryHoldsItsPage();
    void timersTickWhileAMessageIsOpen();

private:
    template <typename T = QWidget> T *find(const char *name) const
    {
        return findControl<T>(form.get(), QLatin1StringView(name));
    }
    void type(const QString &keys) { typeKeys(form->windowHandle(), keys); }
    void startIn(const QString &control, bool selectAll);
    QWidget *showWindow(const QString &window);
    static void typeInto(QWidget *window, const QString &control, const QString &keys);
    static QString focusName();

    std::unique_ptr<TMainForm> form;
    std::unique_ptr<QWidget> testWindow;
    int calcTicks = 0;
};

void tst_Typing::initTestCase()
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Tralvik"));
}

void tst_Typing::init()
{
    failOnUnexpectedWarnings();
    form = std::make_unique<TMainForm>();
    calcTicks = 0;
    form->setHandlerTrace([this](const char *handler) {
        if (QLatin1StringView(handler) == QLatin1StringView("CalcTimerTimer"))
            ++calcTicks;
    });
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    find<QTabWidget>("TabbedNotebook1")->setCurrentIndex(1);
}

void tst_Typing::cleanup()
{
    testWindow.reset();
    form.reset();
    QVERIFY(!TNumberEdit::isFocusTimerActive());
}

void tst_Typing::startIn(const QString &control, bool selectAll)
{
    auto *edit = form->findChild<QLineEdit *>(control);
    QVERIFY(edit);
    edit->setFocus(Qt::OtherFocusReason);
    if (selectAll)
        edit->selectAll();
    else
        edit->end(false);
}

// The calculator, already showing its page Geometrie, or the test window, shown and active.
QWidget *tst_Typing::showWindow(const QString &window)
{
    if (window == QLatin1StringView("calculator"))
        return form.get();
    testWindow = makeTestWindow();
    testWindow->show();
    if (!QTest::qWaitForWindowActive(testWindow.get()))
        qFatal("the test window never became active");
    return testWindow.get();
}

void tst_Typing::typeInto(QWidget *window, const QString &control, const QString &keys)
{
    auto *w = findControl(window, control);
    w->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->selectAll();
    typeKeys(window->windowHandle(), keys);
}

QString tst_Typing::focusName()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("nothing");
}

void tst_Typing::typing_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<Steps>("steps");

    QTest::addRow("600 typed over the height moves the bar one key late and d within a second")
        << "HNumEdit" << true
        << Steps{{"6", 500, 471, "6"},
                 {"0", 6, -1, "60"},
                 {"0", 60, 31, "600"},
                 {"", 60, 571, "600"}};
    QTest::addRow("a height above the range is used for d while the bar stays, until Backspace")
        << "HNumEdit" << false
        << Steps{{"0", 500, 471, "5000"},
                 {"", 500, 4971, "5000", "879"},
                 {"{Backspace}", 3000, 2971, "3000"},
                 {"", 3000, 2971, "3000", "525"}};
    QTest::addRow("20 typed over the cover reaches d a key late and in full within a second")
        << "cNumEdit" << true
        << Steps{{"2", 500, 471, "2"}, {"0", 500, 484, "20"}, {"", 500, 466, "20"}};
    QTest::addRow("an area typed is used by the results from its key release")
        << "AsNumEdit" << true
        << Steps{{"1", 500, 471, "1"},
                 {"0", 500, 471, "10"},
                 {"0", 500, 471, "100"},
                 {"0", 500, 471, "1000", "184"}};
}

void tst_Typing::typing()
{
    QFETCH(QString, control);
    QFETCH(bool, selectAll);
    QFETCH(Steps, steps);

    auto *bar = find<QScrollBar>("HScrollBar");
    auto *d = find<TNumberEdit>("dNumEdit");
    auto *mu0 = find<QLineEdit>("mu0Edit");
    auto *field = form->findChild<TNumberEdit *>(control);
    QTRY_COMPARE(mu0->text(), QStringLiteral("83"));
    startIn(control, selectAll);

    for (const Step &step : steps) {
        if (*step.keys == 0) {
            QTRY_COMPARE_WITH_TIMEOUT(d->IntValue(), step.d, 1500);
        } else {
            type(QLatin1StringView(step.keys));
            // Right after the keystroke, before any tick has run.
            QCOMPARE(d->IntValue(), step.d);
        }
        QCOMPARE(bar->value(), step.bar);
        QCOMPARE(field->text(), QLatin1StringView(step.field));
        QCOMPARE(d->text(), QString::number(step.d));
        if (*step.mu0 != 0)
            QTRY_COMPARE(mu0->text(), QLatin1StringView(step.mu0));
        // The user is slower than the results timer.
        QTest::qWait(20);
    }
    QCOMPARE(QApplication::focusWidget(), field);
}

void tst_Typing::typedAreaStandsUntilTheBarsChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<qint32>("area");

    QTest::addRow("five bars replace the typed area") << "ScrollBar1" << 565;
    QTest::addRow("16 mm bars replace the typed area") << "PHIhwRadioGroup" << 804;
}

void tst_Typing::typedAreaStandsUntilTheBarsChange()
{
    QFETCH(QString, change);
    QFETCH(qint32, area);

    auto *as = find<TNumberEdit>("AsNumEdit");
    startIn(QStringLiteral("AsNumEdit"), true);
    type(QStringLiteral("1000"));
    QCOMPARE(as->IntValue(), 1000);
    QTRY_COMPARE(find<QLineEdit>("mu0Edit")->text(), QStringLiteral("184"));
    // Other inputs leave it standing.
    find<QScrollBar>("BScrollBar")->setValue(300);
    QCOMPARE(as->IntValue(), 1000);
    if (change == QLatin1StringView("ScrollBar1"))
        find<QScrollBar>("ScrollBar1")->setValue(5);
    else
        find<toolkit::RadioGroup>("PHIhwRadioGroup")->button(4)->click();
    QCOMPARE(as->IntValue(), area);
    QCOMPARE(as->text(), QString::number(area));
}

// The closing keys and the holding of a bad entry, in the calculator and in a test window of
// number edits among other kinds of control, which has what the calculator lacks: hidden and
// disabled controls, a program-written bad entry, a radio group whose tab stop is not on its
// checked item.
void tst_Typing::closingKeys_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("height"); // where HScrollBar is set first, in the calculator
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("closing");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("page");

    // The depth is the program's: it is never examined, whatever it shows.
    QTest::addRow("Enter on a valid cover moves to the area") << "calculator" << 500 << "cNumEdit"
                                                              << ""
                                                              << "{Enter}"
                                                              << ""
                                                              << "AsNumEdit"
                                                              << "dNumEdit" << 0 << 1;
    QTest::addRow("Enter on a valid area moves to the bar count")
        << "calculator" << 500 << "AsNumEdit"
        << ""
        << "{Enter}"
        << ""
        << "ScrollBar1"
        << "dNumEdit" << 0 << 1;
    QTest::addRow("Enter on a valid width moves to the depth") << "calculator" << 500 << "BNumEdit"
                                                               << ""
                                                               << "{Enter}"
                                                               << ""
                                                               << "dNumEdit"
                                                               << "dNumEdit" << 0 << 1;
    QTest::addRow("Enter in the depth wraps to the width bar") << "calculator" << 500 << "dNumEdit"
                                                               << ""
                                                               << "{Enter}"
                                                               << ""
                                                               << "BScrollBar"
                                                               << "dNumEdit" << 0 << 1;
    QTest::addRow("Enter on a cover below its range reports it and stays")
        << "calculator" << 500 << "cNumEdit"
        << "6"
        << "{Enter}"
        << "Number exceeds user defined range."
        << "cNumEdit"
        << "dNumEdit" << 0 << 1;
    QTest::addRow("Enter on an emptied height reports it and stays")
        << "calculator" << 500 << "HNumEdit"
        << "{Backspace}"
        << "{Enter}"
        << "Error in number."
        << "HNumEdit"
        << "dNumEdit" << 0 << 1;
    QTest::addRow("Tab out of a height above its range reports nothing and the focus comes back")
        << "calculator" << 500 << "HNumEdit"
        << "4000"
        << "{Tab}"
        << ""
        << "HNumEdit"
        << "dNumEdit" << 0 << 1;
    QTest::addRow("Tab into the depth showing -1 reports nothing and lets the user go on")
        << "calculator" << 6 << "BNumEdit"
        << "{Tab}"
        << "{Tab}"
        << ""
        << "mu0Edit"
        << "dNumEdit" << 0 << 1;
    QTest::addRow("Enter in the depth showing -1 moves on") << "calculator" << 6 << "dNumEdit"
                                                            << ""
                                                            << "{Enter}"
                                                            << ""
                                                            << "BScrollBar"
                                                            << "dNumEdit" << 0 << 1;
    QTest::addRow("Enter on a valid entry skips hidden and disabled controls into the checked item")
        << "test window" << 0 << "low"
        << "30"
        << "{Enter}"
        << ""
        << "radio item 1"
        << "low" << 0 << 0;
    QTest::addRow("the keypad's Enter closes an entry as well") << "test window" << 0 << "low"
                                                                << "30"
                                                                << "{Keypad Enter}"
                                                                << ""
                                                                << "radio item 1"
                                                                << "low" << 0 << 0;
    QTest::addRow("Enter on an entry below the range reports it and keeps the focus")
        << "test window" << 0 << "low"
        << "6"
        << "{Enter}"
        << "Number exceeds user defined range."
        << "low"
        << "low" << 2 << 0;
    QTest::addRow("Enter on an emptied entry reports an error in the number")
        << "test window" << 0 << "low"
        << "{Backspace}"
        << "{Enter}"
        << "Error in number."
        << "low"
        << "low" << 3 << 0;
    QTest::addRow("Enter on the lowest integer reports the limit of the kind")
        << "test window" << 0 << "low"
        << "-2147483648"
        << "{Enter}"
        << "Number exceeds compiler range."
        << "low"
        << "low" << 1 << 0;
    QTest::addRow("Enter in a read-only control below its range moves on, wrapping to the first")
        << "test window" << 0 << "readOnly"
        << ""
        << "{Enter}"
        << ""
        << "low"
        << "readOnly" << 0 << 0;
    QTest::addRow("Tab from a valid entry into a read-only control below its range reports nothing")
        << "test window" << 0 << "bad"
        << "50"
        << "{Tab}"
        << ""
        << "readOnly"
        << "readOnly" << 0 << 0;
    QTest::addRow("Tab out of a bad entry reports nothing and the focus comes back")
        << "test window" << 0 << "low"
        << "6"
        << "{Tab}"
        << ""
        << "low"
        << "low" << 2 << 0;
    QTest::addRow("Tab into an entry the program wrote bad reports it at once and holds there")
        << "test window" << 0 << "plain"
        << ""
        << "{Tab}"
        << "Error in number."
        << "bad"
        << "bad" << 3 << 0;
    QTest::addRow("Shift and Tab back into an entry the program wrote bad reports it")
        << "test window" << 0 << "readOnly"
        << ""
        << "{Backtab}"
        << "Error in number."
        << "bad"
        << "bad" << 3 << 0;
}

void tst_Typing::closingKeys()
{
    QFETCH(QString, window);
    QFETCH(int, height);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, closing);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, checked);
    QFETCH(int, status);
    QFETCH(int, page);

    QWidget *shown = showWindow(window);
    if (shown == form.get())
        find<QScrollBar>("HScrollBar")->setValue(height);
    MessageAnswers boxes;
    typeInto(shown, start, keys);
    QCOMPARE(boxes.texts(), QStringList());
    typeKeys(shown->windowHandle(), closing);

    if (message.isEmpty()) {
        QCOMPARE(boxes.texts(), QStringList());
    } else {
        QCOMPARE(boxes.shown.size(), 1);
        const MessageAnswers::Shown &box = boxes.shown.first();
        QCOMPARE(box.text, message);
        QCOMPARE(box.caption, QStringLiteral("Tralvik"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.buttonCount, 1);
        QVERIFY2((box.centre - box.screenCentre).manhattanLength() <= 2, "centred on the screen");
        QVERIFY(activateAgain(shown));
    }
    // Long enough for many focus ticks: a focus that is held comes back, one let go stays.
    QTest::qWait(50);
    QCOMPARE(focusName(), focus);
    QCOMPARE(int(findControl<TNumberEdit>(shown, checked)->Status()), status);
    QCOMPARE(shown->findChild<QTabWidget *>()->currentIndex(), page);
}

void tst_Typing::badEntryHoldsItsPage_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("keys");  // typed into cNumEdit, or into low in the test window
    QTest::addColumn<QString>("click"); // a page's tab, or a control
    QTest::addColumn<bool>("held");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("on"); // what typing "0" on shows, where the entry is held

    QTest::addRow("choosing the page Materialen turns back to the cover")
        << "calculator"
        << "{Backspace}6"
        << "Materialen" << true << 2 << "60";
    QTest::addRow("clicking the width takes the focus back to the cover")
        << "calculator"
        << "{Backspace}6"
        << "BNumEdit" << true << 2 << "60";
    QTest::addRow("clicking a result takes the focus back to the cover")
        << "calculator"
        << "{Backspace}6"
        << "mu1Edit" << true << 2 << "60";
    QTest::addRow("after releasing Ctrl the user may choose Materialen")
        << "calculator"
        << "{Backspace}6{Ctrl}"
        << "Materialen" << false << 0 << "";
    QTest::addRow("a cover made good lets the user choose Materialen")
        << "calculator"
        << "{Backspace}6{Backspace}20"
        << "Materialen" << false << 0 << "";
    QTest::addRow("a bad entry brings its page back when another page is chosen")
        << "test window"
        << "6"
        << "second" << true << 2 << "60";
    QTest::addRow("a bad entry takes the focus back from a control clicked on its page")
        << "test window"
        << "6"
        << "plain" << true << 2 << "60";
    QTest::addRow("typing on without making the entry good keeps holding")
        << "test window"
        << "60"
        << "second" << true << 2 << "600";
    QTest::addRow("releasing Shift checks again and keeps holding")
        << "test window"
        << "6{Shift}"
        << "second" << true << 2 << "60";
    QTest::addRow("releasing Ctrl lets the user leave a bad entry for another page")
        << "test window"
        << "6{Ctrl}"
        << "second" << false << 0 << "";
    QTest::addRow("releasing Ctrl lets the user click away from a bad entry")
        << "test window"
        << "6{Ctrl}"
        << "plain" << false << 0 << "";
    QTest::addRow("releasing Alt lets the user leave a bad entry") << "test window"
                                                                   << "6{Alt}"
                                                                   << "second" << false << 0 << "";
    QTest::addRow("an entry made good lets the user leave") << "test window"
                                                            << "6{Backspace}30"
                                                            << "second" << false << 0 << "";
}

void tst_Typing::badEntryHoldsItsPage()
{
    QFETCH(QString, window);
    QFETCH(QString, keys);
    QFETCH(QString, click);
    QFETCH(bool, held);
    QFETCH(int, status);
    QFETCH(QString, on);

    QWidget *shown = showWindow(window);
    auto *notebook = shown->findChild<QTabWidget *>();
    const int startPage = notebook->currentIndex();
    auto *edit = findControl<TNumberEdit>(shown, shown == form.get() ? QStringLiteral("cNumEdit")
                                                                     : QStringLiteral("low"));
    MessageAnswers boxes;
    typeInto(shown, edit->objectName(), keys);
    QCOMPARE(int(edit->Status()), status);
    // The first tick, which takes the page to come back to, follows the key release within a
    // millisecond; no user clicks that fast. It is also the tick that ends AutoSelect.
    QTRY_VERIFY(!edit->AutoSelect());
    int chosen = startPage;
    for (int i = 0; i < notebook->count(); ++i) {
        if (notebook->tabText(i) == click)
            chosen = i;
    }
    if (chosen != startPage) {
        QTabBar *tabs = notebook->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(chosen).center());
        QCOMPARE(notebook->currentIndex(), chosen);
    } else {
        QTest::mouseClick(findControl(shown, click), Qt::LeftButton);
    }
    QTest::qWait(50);
    // Focus alone would not do: a field on a hidden page can hold the focus.
    QCOMPARE(notebook->currentIndex(), held ? startPage : chosen);
    QCOMPARE(edit->hasFocus(), held);
    QVERIFY(edit->isVisible() || !held);
    QCOMPARE(boxes.texts(), QStringList());
    if (!held)
        return;
    // Typing on keeps the entry out of range, and its value is taken all the same.
    typeKeys(shown->windowHandle(), u"0");
    QCOMPARE(edit->text(), on);
    QCOMPARE(int(edit->Status()), 2);
    QCOMPARE(edit->IntValue(), on.toInt());
}

void tst_Typing::timersTickWhileAMessageIsOpen()
{
    MessageAnswers boxes(200);
    startIn(QStringLiteral("cNumEdit"), true);
    type(QStringLiteral("6"));
    const int before = calcTicks;
    QElapsedTimer open;
    open.start();
    type(QStringLiteral("{Enter}"));
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Number exceeds user defined range.")});
    QVERIFY(open.elapsed() >= 200);
    // 10 ms ticks for at least 200 ms; a loaded machine may drop some.
    QVERIFY2(calcTicks - before >= 5, qPrintable(QString::number(calcTicks - before)));
    QVERIFY(activateAgain(form.get()));
    QTRY_COMPARE(QApplication::focusWidget(), find<QWidget>("cNumEdit"));
}

QTEST_MAIN(tst_Typing)
#include "tst_typing.moc"
