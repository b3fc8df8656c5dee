#include "decimal_separator.h"
#include "number_edit.h"
#include "radio_group.h"
#include "test_support.h"
#include "test_window.h"

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
    void keyHandler_data();
    void keyHandler();
    void readOnlyControlNeverHolds();
    void firstTickEndsAutoSelect();
    void tickAllocatesNothing();

private:
    template <typename T = QWidget> T *find(const QString &name) const
    {
        return findControl<T>(window.get(), name);
    }
    void typeInto(const QString &control, const QString &keys);

    std::unique_ptr<QWidget> window; // makeTestWindow()
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

    window = makeTestWindow();
    notebook = findControl<QTabWidget>(window.get(), QStringLiteral("notebook"));
    low = findControl<TNumberEdit>(window.get(), QStringLiteral("low"));
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
