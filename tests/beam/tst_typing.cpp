#include "decimal_separator.h"
#include "main_form.h"
#include "number_edit.h"
#include "radio_group.h"
#include "test_support.h"

#include <QElapsedTimer>
#include <QLineEdit>
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
    void badCoverHoldsItsPage_data();
    void badCoverHoldsItsPage();
    void timersTickWhileAMessageIsOpen();

private:
    template <typename T = QWidget> T *find(const char *name) const
    {
        return findControl<T>(form.get(), QLatin1StringView(name));
    }
    void type(const QString &keys) { typeKeys(form->windowHandle(), keys); }
    void startIn(const QString &control, bool selectAll);

    std::unique_ptr<TMainForm> form;
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

void tst_Typing::closingKeys_data()
{
    QTest::addColumn<int>("height"); // where HScrollBar is set first
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::addRow("Enter on a valid cover moves to the area") << 500 << "cNumEdit"
                                                              << "{Enter}"
                                                              << ""
                                                              << "AsNumEdit";
    QTest::addRow("Enter on a valid area moves to the bar count") << 500 << "AsNumEdit"
                                                                  << "{Enter}"
                                                                  << ""
                                                                  << "ScrollBar1";
    QTest::addRow("Enter on a valid width moves to the depth") << 500 << "BNumEdit"
                                                               << "{Enter}"
                                                               << ""
                                                               << "dNumEdit";
    QTest::addRow("Enter in the depth wraps to the width bar") << 500 << "dNumEdit"
                                                               << "{Enter}"
                                                               << ""
                                                               << "BScrollBar";
    QTest::addRow("Enter on a cover below its range reports it and stays")
        << 500 << "cNumEdit"
        << "6{Enter}"
        << "Number exceeds user defined range."
        << "cNumEdit";
    QTest::addRow("Enter on an emptied height reports it and stays") << 500 << "HNumEdit"
                                                                     << "{Backspace}{Enter}"
                                                                     << "Error in number."
                                                                     << "HNumEdit";
    QTest::addRow("Tab out of a height above its range reports nothing and the focus comes back")
        << 500 << "HNumEdit"
        << "4000{Tab}"
        << ""
        << "HNumEdit";
    QTest::addRow("Tab into the depth showing -1 reports nothing and lets the user go on")
        << 6 << "BNumEdit"
        << "{Tab}{Tab}"
        << ""
        << "mu0Edit";
    QTest::addRow("Enter in the depth showing -1 moves on") << 6 << "dNumEdit"
                                                            << "{Enter}"
                                                            << ""
                                                            << "BScrollBar";
}

void tst_Typing::closingKeys()
{
    QFETCH(int, height);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    find<QScrollBar>("HScrollBar")->setValue(height);
    MessageAnswers boxes;
    startIn(start, true);
    type(keys);
    if (!message.isEmpty()) {
        QCOMPARE(boxes.texts(), QStringList{message});
        QCOMPARE(boxes.shown.first().caption, QStringLiteral("Tralvik"));
        QVERIFY(activateAgain(form.get()));
    } else {
        QCOMPARE(boxes.texts(), QStringList());
    }
    // Long enough for many focus ticks: a focus that is held comes back, one let go stays.
    QTest::qWait(50);
    const QWidget *focused = QApplication::focusWidget();
    QCOMPARE(focused ? focused->objectName() : QString(), focus);
    QCOMPARE(find<QTabWidget>("TabbedNotebook1")->currentIndex(), 1);
    // The depth is the program's: it is never examined, whatever it shows.
    QCOMPARE(int(find<TNumberEdit>("dNumEdit")->Status()), 0);
}

void tst_Typing::badCoverHoldsItsPage_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("click");
    QTest::addColumn<bool>("held");

    QTest::addRow("choosing the page Materialen turns back to the cover") << "{Backspace}6"
                                                                          << "Materialen" << true;
    QTest::addRow("clicking the width takes the focus back to the cover") << "{Backspace}6"
                                                                          << "BNumEdit" << true;
    QTest::addRow("clicking a result takes the focus back to the cover") << "{Backspace}6"
                                                                         << "mu1Edit" << true;
    QTest::addRow("after releasing Ctrl the user may choose Materialen") << "{Backspace}6{Ctrl}"
                                                                         << "Materialen" << false;
    QTest::addRow("a cover made good lets the user choose Materialen")
        << "{Backspace}6{Backspace}20"
        << "Materialen" << false;
}

void tst_Typing::badCoverHoldsItsPage()
{
    QFETCH(QString, keys);
    QFETCH(QString, click);
    QFETCH(bool, held);

    auto *notebook = find<QTabWidget>("TabbedNotebook1");
    auto *cover = find<TNumberEdit>("cNumEdit");
    MessageAnswers boxes;
    startIn(QStringLiteral("cNumEdit"), true);
    type(keys);
    // The focus timer's first tick takes the page; no user clicks within its millisecond.
    QTRY_VERIFY(!cover->AutoSelect());
    if (click == QLatin1StringView("Materialen")) {
        QTabBar *tabs = notebook->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QCOMPARE(notebook->currentIndex(), 0);
    } else {
        QTest::mouseClick(find(click.toLatin1().constData()), Qt::LeftButton);
    }
    QTest::qWait(50);
    const int chosen = click == QLatin1StringView("Materialen") ? 0 : 1;
    // Focus alone would not do: a field on a hidden page can hold the focus.
    QCOMPARE(notebook->currentIndex(), held ? 1 : chosen);
    QCOMPARE(cover->hasFocus(), held);
    QCOMPARE(boxes.texts(), QStringList());
    if (!held)
        return;
    // Typing on keeps the entry out of range, and its value is taken all the same.
    type(QStringLiteral("0"));
    QCOMPARE(cover->text(), QStringLiteral("60"));
    QCOMPARE(int(cover->Status()), 2);
    QCOMPARE(cover->IntValue(), 60);
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
