#include "decimal_separator.h"
#include "number_edit.h"
#include "radio_group.h"
#include "test_support.h"

#include <QAbstractEventDispatcher>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <atomic>
#include <memory>

// Qt's containers and strings allocate with malloc, not operator new, so allocations are counted
// where every one of them ends: the C library's allocator, which a program may replace. The
// sanitizers bring their own and the count is skipped with them.
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define TRALVIK_COUNT_ALLOCATIONS 1
namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
void count()
{
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
}
} // namespace

extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *p, std::size_t size);
void __libc_free(void *p);

void *malloc(std::size_t size)
{
    count();
    return __libc_malloc(size);
}
void *calloc(std::size_t n, std::size_t size)
{
    count();
    return __libc_calloc(n, size);
}
void *realloc(void *p, std::size_t size)
{
    count();
    return __libc_realloc(p, size);
}
void free(void *p)
{
    __libc_free(p);
}
}
#endif

namespace {

// Gives a test the focus timer's ticks by hand.
class TickProbe : public TNumberEdit
{
public:
    using TNumberEdit::TNumberEdit;
    void tick(int timerId)
    {
        QTimerEvent event(timerId);
        timerEvent(&event);
    }
};

QString focusName()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("nothing");
}

} // namespace

// The number edit at the keyboard: what a key release checks and takes over, what Tab and
// Enter report, where the focus goes, and how a bad entry holds the focus and its page.
class tst_NumberEditKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void releaseExamines_data();
    void releaseExamines();
    void changeFiresAtThePressAndNotAtTheRelease();
    void closingKeys_data();
    void closingKeys();
    void keyHandler_data();
    void keyHandler();
    void badEntryHoldsTheFocusAndPage_data();
    void badEntryHoldsTheFocusAndPage();
    void readOnlyControlNeverHolds();
    void firstTickEndsAutoSelect();
    void tickAllocatesNothing();

private:
    template <typename T = QWidget> T *find(const QString &name) const
    {
        return findControl<T>(window.get(), name);
    }
    void typeInto(const QString &control, const QString &keys);

    // A notebook whose first page holds, in this order: a label, low (15 to 50, "20"), a hidden
    // and a disabled edit, a radio group with its middle item checked, a plain edit, bad (0 to
    // 100, showing "abc" as the program wrote it), readOnly (0 to 3000, holding -1) and a label.
    // The second page holds one plain edit, elsewhere.
    std::unique_ptr<QWidget> window;
    QTabWidget *notebook = nullptr;
    TNumberEdit *low = nullptr;
    std::unique_ptr<MessageAnswers> boxes;
};

void tst_NumberEditKeys::initTestCase()
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Tralvik"));
}

void tst_NumberEditKeys::init()
{
    failOnUnexpectedWarnings();
    toolkit::setDecimalSeparator('.');
    QVERIFY(!TNumberEdit::isFocusTimerActive());

    window = std::make_unique<QWidget>();
    window->setObjectName(QStringLiteral("window"));
    notebook = new QTabWidget(window.get());
    notebook->setGeometry(0, 0, 400, 300);
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("page"));
    auto *other = new QWidget;
    notebook->addTab(page, QStringLiteral("first"));
    notebook->addTab(other, QStringLiteral("second"));

    const auto place = [](QWidget *w, const char *name, int top) {
        w->setObjectName(QLatin1StringView(name));
        w->setGeometry(10, top, 120, 22);
        return w;
    };
    place(new QLabel(QStringLiteral("caption"), page), "caption", 0);
    low = static_cast<TNumberEdit *>(place(new TNumberEdit(page), "low", 25));
    low->setText(QStringLiteral("20"));
    low->setMin(15);
    low->setMax(50);
    place(new QLineEdit(page), "hidden", 50)->hide();
    place(new QLineEdit(page), "disabled", 50)->setEnabled(false);
    auto *radio = new toolkit::RadioGroup(page);
    radio->setObjectName(QStringLiteral("radio"));
    radio->setGeometry(150, 0, 100, 100);
    radio->setItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    radio->setItemIndex(1);
    // As a group looks after the user has clicked another item: the tab stop is still on the
    // first, and the checked item takes the focus from a click only.
    for (int i = 0; i < 3; ++i) {
        radio->button(i)->setObjectName(QStringLiteral("radio item %1").arg(i));
        radio->button(i)->setFocusPolicy(i == 0 ? Qt::StrongFocus : Qt::ClickFocus);
    }
    place(new QLineEdit(page), "plain", 75);
    auto *bad = static_cast<TNumberEdit *>(place(new TNumberEdit(page), "bad", 100));
    bad->setText(QStringLiteral("abc"));
    bad->setMax(100);
    auto *readOnly = static_cast<TNumberEdit *>(place(new TNumberEdit(page), "readOnly", 125));
    readOnly->setReadOnly(true);
    readOnly->setText(QStringLiteral("0"));
    readOnly->setMax(3000);
    readOnly->setIntValue(-1);
    place(new QLabel(QStringLiteral("unit"), page), "unit", 150);
    place(new QLineEdit(other), "elsewhere", 25);

    window->resize(400, 300);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    boxes = std::make_unique<MessageAnswers>();
}

void tst_NumberEditKeys::cleanup()
{
    boxes.reset();
    window.reset();
    // Destroying a watching control stops its timer, so the shared flag is down again.
    QVERIFY(!TNumberEdit::isFocusTimerActive());
}

void tst_NumberEditKeys::typeInto(const QString &control, const QString &keys)
{
    auto *w = find(control);
    w->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->selectAll();
    typeKeys(window->windowHandle(), keys);
}

void tst_NumberEditKeys::releaseExamines_data()
{
    QTest::addColumn<TNumberEdit::TNumberType>("kind");
    QTest::addColumn<QString>("pasted"); // put in without a key, as a paste with the mouse
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint32>("intValue");
    QTest::addColumn<double>("realValue");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("messages");

    const auto I = TNumberEdit::IntType;
    const auto R = TNumberEdit::RealType;
    const QStringList none;
    // Every row starts from the whole text selected and types one key at a time, so a value
    // that stays is the one the key before took over. Integers range over 15 to 50 and start
    // at 20; reals range over -1000000 to 1000000 and start at 7.
    QTest::addRow("a number in the range is valid and taken over")
        << I << ""
        << "30"
        << "30" << 0 << 30 << 0.0 << "30" << none;
    QTest::addRow("a number below the range is taken over with status 2")
        << I << ""
        << "6"
        << "6" << 2 << 6 << 0.0 << "6" << none;
    QTest::addRow("an emptied field has no number and keeps the value and stored text")
        << I << ""
        << "{Backspace}"
        << "" << 3 << 20 << 0.0 << "20" << none;
    QTest::addRow("the lowest integer is beyond the kind and taken over all the same")
        << I << ""
        << "-2147483648"
        << "-2147483648" << 1 << (-2147483647 - 1) << 0.0 << "-2147483648" << none;
    QTest::addRow("releasing Ctrl clears the status without a check")
        << I << ""
        << "6{Ctrl}"
        << "6" << 0 << 6 << 0.0 << "6" << none;
    QTest::addRow("releasing Alt clears the status without a check")
        << I << ""
        << "6{Alt}"
        << "6" << 0 << 6 << 0.0 << "6" << none;
    QTest::addRow("releasing Shift checks like any other key")
        << I << ""
        << "6{Shift}"
        << "6" << 2 << 6 << 0.0 << "6" << none;
    QTest::addRow("a pasted text is examined at the next key release")
        << I << "45"
        << "{End}"
        << "45" << 0 << 45 << 0.0 << "45" << none;
    const QString blanks(79, QLatin1Char(' '));
    QTest::addRow("a text longer than 80 characters is examined whole")
        << I << blanks + QStringLiteral("45") << "{End}" << blanks + QStringLiteral("45") << 0 << 45
        << 0.0 << blanks + QStringLiteral("45") << none;

    QTest::addRow("a real with an exponent is read and tested against the range")
        << R << ""
        << "2.5e3"
        << "2.5e3" << 0 << 20 << 2500.0 << "2.5e3" << none;
    QTest::addRow("an exponent letter with nothing after it is no number")
        << R << ""
        << "1e"
        << "1e" << 3 << 20 << 1.0 << "1e" << none;
    QTest::addRow("a lone minus sign is no number but reads as 0")
        << R << ""
        << "-"
        << "-" << 3 << 20 << 0.0 << "-" << none;
    QTest::addRow("an order above 300 is beyond the kind and taken over")
        << R << ""
        << "1e301"
        << "1e301" << 1 << 20 << 1e301 << "1e301" << none;
    QTest::addRow("a value beyond the double range keeps the last value")
        << R << ""
        << "1e400"
        << "1e400" << 1 << 20 << 1e40 << "1e400" << none;
    QTest::addRow("a mantissa beyond the double range keeps the last value")
        << R << ""
        << "1E999e0"
        << "1E999e0" << 1 << 20 << 1e99 << "1E999e0" << none;
    QTest::addRow("zero with the largest exponent is zero, not a NaN")
        << R << ""
        << "0e2147483647"
        << "0e2147483647" << 1 << 20 << 0.0 << "0e2147483647" << none;
    QTest::addRow("a second exponent letter shows the consistency message and counts as valid")
        << R << ""
        << "1E5e3"
        << "1E5e3" << 0 << 20 << 1e8 << "1E5e3"
        << QStringList{
               QStringLiteral("NUMEDIT: There is something wrong !!\nMantisse: 1E5\nExponent: 3")};
}

void tst_NumberEditKeys::releaseExamines()
{
    QFETCH(TNumberEdit::TNumberType, kind);
    QFETCH(QString, pasted);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(int, status);
    QFETCH(qint32, intValue);
    QFETCH(double, realValue);
    QFETCH(QString, stored);
    QFETCH(QStringList, messages);

    if (kind == TNumberEdit::RealType) {
        low->setNumType(kind);
        low->setMin(-1e6);
        low->setMax(1e6);
        low->setText(QStringLiteral("7"));
        low->setIntValue(20);
    }
    low->setFocus();
    low->selectAll();
    if (!pasted.isEmpty())
        low->insert(pasted);
    typeKeys(window->windowHandle(), keys);

    QCOMPARE(low->text(), shown);
    QCOMPARE(int(low->Status()), status);
    QCOMPARE(low->IntValue(), intValue);
    QCOMPARE(low->RealValue(), realValue);
    QStringList texts;
    for (const auto &s : boxes->shown)
        texts << s.text;
    QCOMPARE(texts, messages);
    QCOMPARE(low->Text(), stored);
}

void tst_NumberEditKeys::changeFiresAtThePressAndNotAtTheRelease()
{
    QList<qint32> seen;
    connect(low, &QLineEdit::textChanged, this, [&] { seen << low->IntValue(); });
    low->setFocus();
    low->selectAll();
    QTest::keyPress(window->windowHandle(), '3');
    // A change handler sees the value of the previous release.
    QCOMPARE(seen, QList<qint32>{20});
    QCOMPARE(low->IntValue(), 20);
    QCOMPARE(low->Text(), QStringLiteral("20"));
    QTest::keyRelease(window->windowHandle(), '3');
    QCOMPARE(low->IntValue(), 3);
    QCOMPARE(low->Text(), QStringLiteral("3"));
    QCOMPARE(seen, QList<qint32>{20});
}

void tst_NumberEditKeys::closingKeys_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("closing");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<int>("status");

    QTest::addRow("Enter on a valid entry skips hidden and disabled controls into the checked item")
        << "low"
        << "30"
        << "{Enter}"
        << ""
        << "radio item 1"
        << "low" << 0;
    QTest::addRow("the keypad's Enter closes an entry as well") << "low"
                                                                << "30"
                                                                << "{Keypad Enter}"
                                                                << ""
                                                                << "radio item 1"
                                                                << "low" << 0;
    QTest::addRow("Enter on an entry below the range reports it and keeps the focus")
        << "low"
        << "6"
        << "{Enter}"
        << "Number exceeds user defined range."
        << "low"
        << "low" << 2;
    QTest::addRow("Enter on an emptied entry reports an error in the number") << "low"
                                                                              << "{Backspace}"
                                                                              << "{Enter}"
                                                                              << "Error in number."
                                                                              << "low"
                                                                              << "low" << 3;
    QTest::addRow("Enter on the lowest integer reports the limit of the kind")
        << "low"
        << "-2147483648"
        << "{Enter}"
        << "Number exceeds compiler range."
        << "low"
        << "low" << 1;
    QTest::addRow("Enter in a read-only control below its range moves on, wrapping to the first")
        << "readOnly"
        << ""
        << "{Enter}"
        << ""
        << "low"
        << "readOnly" << 0;
    QTest::addRow("Tab from a valid entry into a read-only control below its range reports nothing")
        << "bad"
        << "50"
        << "{Tab}"
        << ""
        << "readOnly"
        << "readOnly" << 0;
    QTest::addRow("Tab out of a bad entry reports nothing and the focus comes back") << "low"
                                                                                     << "6"
                                                                                     << "{Tab}"
                                                                                     << ""
                                                                                     << "low"
                                                                                     << "low" << 2;
    QTest::addRow("Tab into an entry the program wrote bad reports it at once and holds there")
        << "plain"
        << ""
        << "{Tab}"
        << "Error in number."
        << "bad"
        << "bad" << 3;
    QTest::addRow("Shift and Tab back into an entry the program wrote bad reports it")
        << "readOnly"
        << ""
        << "{Backtab}"
        << "Error in number."
        << "bad"
        << "bad" << 3;
}

void tst_NumberEditKeys::closingKeys()
{
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, closing);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, checked);
    QFETCH(int, status);

    typeInto(start, keys);
    QVERIFY(boxes->shown.isEmpty());
    typeKeys(window->windowHandle(), closing);

    if (message.isEmpty()) {
        QCOMPARE(boxes->shown.size(), 0);
    } else {
        QCOMPARE(boxes->shown.size(), 1);
        const MessageAnswers::Shown &box = boxes->shown.first();
        QCOMPARE(box.text, message);
        QCOMPARE(box.caption, QStringLiteral("Tralvik"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.buttonCount, 1);
        QVERIFY2((box.centre - box.screenCentre).manhattanLength() <= 2, "centred on the screen");
        QVERIFY(activateAgain(window.get()));
    }
    // Long enough for many ticks: a focus that is held comes back, one that is let go stays.
    QTest::qWait(50);
    QCOMPARE(focusName(), focus);
    QCOMPARE(int(find<TNumberEdit>(checked)->Status()), status);
    QCOMPARE(notebook->currentIndex(), 0);
}

void tst_NumberEditKeys::keyHandler_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<bool>("called");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("shift");

    QTest::addRow("a digit passes its own character") << "5" << false << true << 0x35 << 0;
    QTest::addRow("a letter passes its capital") << "a" << false << true << 0x41 << 0;
    QTest::addRow("the minus key passes its code") << "-" << false << true << 189 << 0;
    QTest::addRow("Backspace passes 8") << "{Backspace}" << false << true << 8 << 0;
    QTest::addRow("a key without a code of its own passes 0") << "{F1}" << false << true << 0 << 0;
    QTest::addRow("Shift passes its code and the Shift bit")
        << "{Shift}" << false << true << 16 << 1;
    QTest::addRow("Ctrl passes its code and the Ctrl bit") << "{Ctrl}" << false << true << 17 << 4;
    QTest::addRow("Alt passes its code and the Alt bit") << "{Alt}" << false << true << 18 << 2;
    QTest::addRow("Tab never reaches the handler") << "{Tab}" << false << false << 0 << 0;
    QTest::addRow("Enter never reaches the handler") << "{Enter}" << false << false << 0 << 0;
    QTest::addRow("a repeated release of a held key is no keystroke")
        << "5" << true << false << 0 << 0;
}

void tst_NumberEditKeys::keyHandler()
{
    QFETCH(QString, key);
    QFETCH(bool, autoRepeat);
    QFETCH(bool, called);
    QFETCH(int, code);
    QFETCH(int, shift);

    struct Call {
        QObject *sender;
        int key;
        int shift;
    };
    QList<Call> calls;
    low->setOnKeyUp([&](QObject *sender, quint16 &k, quint8 s) {
        calls << Call{sender, k, s};
        k = TNumberEdit::KeyEnter; // a handler's change of the key must do nothing
    });
    low->setFocus();
    const Qt::Key qtKey = key.startsWith(QLatin1Char('{'))
                              ? namedKey(QStringView(key).mid(1, key.size() - 2))
                              : Qt::Key(QChar(key[0]).toUpper().unicode());
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, qtKey < 0x100 ? key : QString(),
                      autoRepeat);
    QApplication::sendEvent(low, &release);

    QCOMPARE(calls.size(), called ? 1 : 0);
    if (!called)
        return;
    QCOMPARE(calls[0].sender, low);
    QCOMPARE(calls[0].key, code);
    QCOMPARE(calls[0].shift, shift);
    QCOMPARE(focusName(), QStringLiteral("low"));
}

void tst_NumberEditKeys::badEntryHoldsTheFocusAndPage_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("click");
    QTest::addColumn<bool>("held");
    QTest::addColumn<int>("status");

    QTest::addRow("a bad entry brings its page back when another page is chosen")
        << "6"
        << "second page" << true << 2;
    QTest::addRow("a bad entry takes the focus back from a control clicked on its page")
        << "6"
        << "plain" << true << 2;
    QTest::addRow("typing on without making the entry good keeps holding")
        << "60"
        << "second page" << true << 2;
    QTest::addRow("releasing Shift checks again and keeps holding") << "6{Shift}"
                                                                    << "second page" << true << 2;
    QTest::addRow("releasing Ctrl lets the user leave a bad entry for another page")
        << "6{Ctrl}"
        << "second page" << false << 0;
    QTest::addRow("releasing Ctrl lets the user click away from a bad entry")
        << "6{Ctrl}"
        << "plain" << false << 0;
    QTest::addRow("releasing Alt lets the user leave a bad entry") << "6{Alt}"
                                                                   << "second page" << false << 0;
    QTest::addRow("an entry made good lets the user leave") << "6{Backspace}30"
                                                            << "second page" << false << 0;
}

void tst_NumberEditKeys::badEntryHoldsTheFocusAndPage()
{
    QFETCH(QString, keys);
    QFETCH(QString, click);
    QFETCH(bool, held);
    QFETCH(int, status);

    typeInto(QStringLiteral("low"), keys);
    QCOMPARE(int(low->Status()), status);
    // The first tick, which takes the page to come back to, follows the key release within a
    // millisecond; no user clicks that fast. It is also the tick that ends AutoSelect.
    QTRY_VERIFY(!low->AutoSelect());
    int page = 0;
    if (click == QLatin1StringView("second page")) {
        QTabBar *tabs = notebook->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(notebook->currentIndex(), 1);
        page = 1;
    } else {
        QTest::mouseClick(find(click), Qt::LeftButton);
        QCOMPARE(focusName(), click);
    }
    QTest::qWait(50);
    // Focus alone would not do: a field on a hidden page can hold the focus.
    QCOMPARE(notebook->currentIndex(), held ? 0 : page);
    QCOMPARE(focusName() == QLatin1StringView("low"), held);
    QVERIFY(low->isVisible() || !held);
    QCOMPARE(boxes->shown.size(), 0);
}

void tst_NumberEditKeys::readOnlyControlNeverHolds()
{
    auto *readOnly = find<TNumberEdit>(QStringLiteral("readOnly"));
    // What the screen shows of a read-only control is the program's; a paste stands in here
    // for a text that differs from the value.
    static_cast<QLineEdit *>(readOnly)->setText(QStringLiteral("4000"));
    typeInto(QStringLiteral("bad"), QStringLiteral("50{Tab}"));
    QCOMPARE(focusName(), QStringLiteral("readOnly"));
    typeKeys(window->windowHandle(), QStringLiteral("5{Shift}"));
    QCOMPARE(int(readOnly->Status()), 0);
    QCOMPARE(readOnly->IntValue(), -1);
    QCOMPARE(readOnly->Text(), QStringLiteral("-1"));
    QTest::mouseClick(find(QStringLiteral("plain")), Qt::LeftButton);
    QTest::qWait(50);
    QCOMPARE(focusName(), QStringLiteral("plain"));
    QCOMPARE(boxes->shown.size(), 0);
    QTRY_VERIFY(!TNumberEdit::isFocusTimerActive());
}

void tst_NumberEditKeys::firstTickEndsAutoSelect()
{
    auto *bad = find<TNumberEdit>(QStringLiteral("bad"));
    bad->setText(QStringLiteral("70"));
    QVERIFY(bad->AutoSelect());
    typeInto(QStringLiteral("plain"), QStringLiteral("{Tab}"));
    QCOMPARE(focusName(), QStringLiteral("bad"));
    QCOMPARE(bad->selectedText(), QStringLiteral("70"));
    // Releasing Shift starts the focus timer; its first tick turns AutoSelect off.
    bad->deselect();
    typeKeys(window->windowHandle(), QStringLiteral("{Shift}"));
    QTRY_VERIFY(!bad->AutoSelect());
    typeKeys(window->windowHandle(), QStringLiteral("{Backtab}"));
    QCOMPARE(focusName(), QStringLiteral("plain"));
    QTest::qWait(20);
    typeKeys(window->windowHandle(), QStringLiteral("{Tab}"));
    QCOMPARE(focusName(), QStringLiteral("bad"));
    QCOMPARE(bad->selectedText(), QString());
    QCOMPARE(bad->text(), QStringLiteral("70"));
}

void tst_NumberEditKeys::tickAllocatesNothing()
{
#ifndef TRALVIK_COUNT_ALLOCATIONS
    QSKIP("the sanitizers replace operator new");
#else
    auto *probe = new TickProbe(find(QStringLiteral("page")));
    probe->setGeometry(200, 150, 100, 22);
    probe->show();
    probe->setFocus();
    typeKeys(window->windowHandle(), QStringLiteral("{Shift}"));
    QTRY_VERIFY(!probe->AutoSelect()); // the first tick has taken the notebook and its page
    int timerId = 0;
    const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(probe);
    for (const auto &timer : timers) {
        if (timer.interval == TNumberEdit::focusInterval)
            timerId = timer.timerId;
    }
    QVERIFY(timerId != 0);
    QVERIFY(probe->hasFocus());

    allocations = 0;
    counting = true;
    for (int i = 0; i < 1000; ++i)
        probe->tick(timerId);
    counting = false;
    QCOMPARE(allocations.load(), 0L);
    QVERIFY(TNumberEdit::isFocusTimerActive());
#endif
}

QTEST_MAIN(tst_NumberEditKeys)
#include "tst_number_edit_keys.moc"
