#include "about_box.h"
#include "application.h"
#include "decimal_separator.h"
#include "main_form.h"
#include "materials.h"
#include "moment.h"
#include "number_edit.h"
#include "radio_group.h"
#include "reinforcement.h"
#include "section_inputs.h"
#include "section_window.h"
#include "test_support.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <array>
#include <memory>
#include <random>

// A long, seeded, random run of what a user does in the main window, with its timers running:
// radio clicks, scroll-bar moves, valid and invalid texts typed into the number edits and the
// result fields, Tab, Enter, Ctrl, and the About box and the section view opened and closed.
// After every action and every tick the window must hold what its rules say: the results
// those of the Qt-free computation from what the controls hold, d and As those of their
// rules, and the section view, while shown, the very digits of the eleven fields. A fault that only
// a rare order of events brings out (a stale buffer, a handler run twice or not at all, a
// value read before it was taken over) shows up here rather than in a table.
//
// TRALVIK_SOAK_SEED, TRALVIK_SOAK_ACTIONS and TRALVIK_SOAK_SECONDS replay or lengthen a run.
class tst_Soak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void randomUserActions();

private:
    template <typename T = QWidget> T *find(const char *name) const
    {
        return findControl<T>(form.get(), QLatin1StringView(name));
    }

    void clickRadio();
    void moveScrollBar();
    void typeNumber();
    void typeIntoResult();
    void openAbout();
    void toggleSectionView();
    void checkSectionView();
    void key(int key, char text = 0);
    void showPage(int page);
    void closeModalBox();
    void activateAgain();

    void checkRules(const char *when);
    void checkResults();
    void checkDepth(const char *when);
    void fail(const QString &what);

    std::unique_ptr<TMainForm> form;
    QPointer<section::SectionWindow> view;
    std::mt19937 random;
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

    toolkit::RadioGroup *radioGroups[4] = {};
    QScrollBar *scrollBars[3] = {};
    TNumberEdit *numberEdits[5] = {};
    std::array<QLineEdit *, beam::ResultFieldCount> results{};
    std::unique_ptr<MessageAnswers> messages;
    QTimer closer;
    QPointer<QWidget> seenModal;
    QElapsedTimer modalOpen;

    // Typing into a field takes its value over at the key release without running a handler;
    // the rule then holds again once the handler that writes the field has run.
    bool areaTyped = false;
    bool depthStale = false;

    int calcTicks = 0;
    int depthTicks = 0;
    int boxesClosed = 0;
    int viewChecks = 0;
    int failures = 0;
    QString firstFailure;
    QString lastAction;
};

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr std::uint32_t defaultSeed = 20261208;
constexpr int defaultActions = 600;
constexpr int defaultSeconds = 25;

// Texts within the range of every number edit of the window (the cover's 15 to 50 is the
// narrowest), and texts outside some or all of the ranges, beyond the 32-bit limits, or no
// number at all. A user mostly types the first kind, and corrects the second.
constexpr const char *validTexts[] = {"15", "20", "30", "45", "50", "$1F", "0x10", "  25", "035"};
constexpr const char *otherTexts[] = {
    "250",         "3000",        "0",           "452",        "-5",    "60",  "50001",
    "-2147483646", "-2147483647", "-2147483648", "2147483647", "99999", "abc", "1e2",
    "-",           "2147483648",  "20 ",         "x",          "1.5",   "",    "007",
};

int environmentNumber(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

void tst_Soak::initTestCase()
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Tralvik"));
}

void tst_Soak::init()
{
    failOnUnexpectedWarnings();

    form = std::make_unique<TMainForm>();
    form->setAboutHandler(showAboutBox);
    form->setSectionHandler(showSectionView);
    form->setHandlerTrace([this](const char *handler) {
        const QLatin1StringView name(handler);
        if (name == QLatin1StringView("nEditChange"))
            areaTyped = false;
        else if (name == QLatin1StringView("UpdateEffectiveDepth"))
            depthStale = false;
        else if (name == QLatin1StringView("CalcTimerTimer"))
            ++calcTicks;
    });

    const char *groups[] = {"BRadioGroup", "FeBRadioGroup", "PHIhwRadioGroup", "PHIbgRadioGroup"};
    for (int i = 0; i < 4; ++i)
        radioGroups[i] = find<toolkit::RadioGroup>(groups[i]);
    const char *bars[] = {"ScrollBar1", "HScrollBar", "BScrollBar"};
    for (int i = 0; i < 3; ++i)
        scrollBars[i] = find<QScrollBar>(bars[i]);
    const char *edits[] = {"cNumEdit", "AsNumEdit", "HNumEdit", "BNumEdit", "dNumEdit"};
    for (int i = 0; i < 5; ++i)
        numberEdits[i] = find<TNumberEdit>(edits[i]);
    const char *resultNames[] = {"mu0Edit", "mu1Edit", "xu1Edit", "mu2Edit", "xu2Edit", "mu3Edit",
                                 "xu3Edit", "z0Edit",  "z1Edit",  "z2Edit",  "z3Edit"};
    for (std::size_t i = 0; i < results.size(); ++i)
        results[i] = find<QLineEdit>(resultNames[i]);

    // Connected after the window's own handlers, so each check runs right after its tick,
    // inside modal loops too.
    connect(find<QTimer>("CalcTimer"), &QTimer::timeout, this, &tst_Soak::checkResults);
    connect(find<QTimer>("dTimer"), &QTimer::timeout, this, [this] {
        ++depthTicks;
        checkDepth("after a depth tick");
    });

    // The user closes every box a little while after it appears, with OK; timers tick meanwhile.
    messages = std::make_unique<MessageAnswers>(15);
    closer.setInterval(5);
    connect(&closer, &QTimer::timeout, this, &tst_Soak::closeModalBox);
    closer.start();

    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    toggleSectionView();
    QVERIFY(view);
    activateAgain();
}

void tst_Soak::cleanup()
{
    closer.stop();
    messages.reset();
    form.reset();
}

void tst_Soak::fail(const QString &what)
{
    if (failures++ == 0)
        firstFailure = what + QStringLiteral(" (last action: ") + lastAction + QLatin1Char(')');
}

void tst_Soak::checkResults()
{
    beam::SectionInputs section;
    section.concreteClass = radioGroups[0]->itemIndex();
    section.steelGrade = radioGroups[1]->itemIndex();
    section.fydText = find<QLineEdit>("fsEdit")->text().toLatin1().toStdString();
    section.fcdText = find<QLineEdit>("fbDrukEdit")->text().toLatin1().toStdString();
    section.barItem = radioGroups[2]->itemIndex();
    section.stirrupItem = radioGroups[3]->itemIndex();
    section.barCount = scrollBars[0]->value();
    section.As = numberEdits[1]->IntValue();
    section.d = numberEdits[4]->IntValue();
    section.b = numberEdits[3]->IntValue();
    section.H = numberEdits[2]->IntValue();
    section.c = numberEdits[0]->IntValue();
    section.decimalSeparator = toolkit::decimalSeparator();
    // What the tick hands on to the views is what the controls hold, and its texts are those
    // the fields show.
    if (form->result().inputs != section)
        fail(QStringLiteral("after a tick the result handed on holds other inputs than the "
                            "controls (As %1, d %2, b %3, H %4, c %5)")
                 .arg(section.As)
                 .arg(section.d)
                 .arg(section.b)
                 .arg(section.H)
                 .arg(section.c));
    const beam::MomentTexts expected = beam::computeMoments(section.momentInputs());
    if (form->result().steps.texts != expected)
        fail(QStringLiteral("after a tick the result handed on holds other texts than the "
                            "computation gives"));
    for (std::size_t i = 0; i < results.size(); ++i) {
        const QString want = QString::fromLatin1(expected[i]);
        if (results[i]->text() != want) {
            fail(QStringLiteral("after a tick %1 shows \"%2\", the computation gives \"%3\" "
                                "(As %4, d %5, b %6, class %7)")
                     .arg(results[i]->objectName(), results[i]->text(), want)
                     .arg(section.As)
                     .arg(section.d)
                     .arg(section.b)
                     .arg(section.concreteClass));
        }
    }
    checkSectionView();
}

// The result table that ends the view's calculation text, and the texts it paints, hold the
// fields' own digits after the same tick.
void tst_Soak::checkSectionView()
{
    if (!view || !view->isVisible())
        return;
    ++viewChecks;
    const beam::ResultField order[] = {beam::Mu0, beam::Mu1, beam::Mu2, beam::Mu3,
                                       beam::Xu1, beam::Xu2, beam::Xu3, beam::Z0,
                                       beam::Z1,  beam::Z2,  beam::Z3};
    QStringList table;
    for (const QString &line : view->calculationText().split(u'\n')) {
        for (const QLatin1StringView row : {"Mu (kNm)"_L1, "xu (mm)"_L1, "z/d "_L1})
            if (line.startsWith(row))
                table << line.mid(row.size()).split(u' ', Qt::SkipEmptyParts);
    }
    if (table.size() != std::ssize(order)) {
        fail(u"the section view's result table has %1 texts"_s.arg(table.size()));
        return;
    }
    for (std::size_t i = 0; i < std::size(order); ++i) {
        const QString field = results[std::size_t(order[i])]->text();
        const QString painted = QString::fromStdString(view->resultTexts()[std::size_t(order[i])]);
        if (table[qsizetype(i)] != field || painted != field)
            fail(u"the section view shows \"%1\" (painted \"%2\") where %3 shows \"%4\""_s.arg(
                table[qsizetype(i)], painted, results[std::size_t(order[i])]->objectName(), field));
    }
}

void tst_Soak::checkDepth(const char *when)
{
    const qint32 expected =
        beam::effectiveDepth(radioGroups[2]->itemIndex(), radioGroups[3]->itemIndex(),
                             numberEdits[2]->IntValue(), numberEdits[0]->IntValue());
    if (numberEdits[4]->IntValue() != expected) {
        fail(QStringLiteral("%1 d is %2, its rule gives %3 (H %4, c %5)")
                 .arg(QLatin1StringView(when))
                 .arg(numberEdits[4]->IntValue())
                 .arg(expected)
                 .arg(numberEdits[2]->IntValue())
                 .arg(numberEdits[0]->IntValue()));
    }
}

// What every handler chain leaves behind at once, without waiting for a tick.
void tst_Soak::checkRules(const char *when)
{
    const auto concrete = beam::concreteClass(radioGroups[0]->itemIndex());
    const auto steel = beam::steelGrade(radioGroups[1]->itemIndex());
    if (!concrete || !steel) {
        fail(QStringLiteral("%1 a material group has no item selected")
                 .arg(QLatin1StringView(when)));
        return;
    }
    if (find<QLineEdit>("fbDrukEdit")->text() != QLatin1StringView(concrete->fcd) ||
        find<QLineEdit>("fsEdit")->text() != QLatin1StringView(steel->fyd))
        fail(QStringLiteral("%1 the design values do not belong to the selected materials")
                 .arg(QLatin1StringView(when)));
    if (find<QLineEdit>("nEdit")->text() != QString::number(scrollBars[0]->value()))
        fail(QStringLiteral("%1 nEdit does not show the bar count").arg(QLatin1StringView(when)));
    if (!areaTyped) {
        const qint32 area = beam::steelArea(radioGroups[2]->itemIndex(), scrollBars[0]->value());
        if (numberEdits[1]->IntValue() != area)
            fail(QStringLiteral("%1 As is %2, its rule gives %3")
                     .arg(QLatin1StringView(when))
                     .arg(numberEdits[1]->IntValue())
                     .arg(area));
    }
    if (!depthStale)
        checkDepth(when);
}

// The user closes the About box a little while after it appears, with OK; timers tick
// meanwhile. Message boxes are answered as they come up.
void tst_Soak::closeModalBox()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || qobject_cast<QMessageBox *>(modal))
        return;
    if (seenModal != modal) {
        seenModal = modal;
        modalOpen.start();
        return;
    }
    if (modalOpen.elapsed() < 15)
        return;
    seenModal = nullptr;
    ++boxesClosed;
    if (auto *ok = modal->findChild<QPushButton *>(QStringLiteral("OKButton"))) {
        ok->click();
    } else {
        fail(QStringLiteral("an unknown modal box %1 appeared").arg(modal->objectName()));
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    }
}

// After a modal box closes, offscreen activates no window again; a desktop's window manager
// would, so the test does.
void tst_Soak::activateAgain()
{
    if (QApplication::activeModalWidget() || form->isActiveWindow())
        return;
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void tst_Soak::showPage(int page)
{
    QTabBar *tabs = find<QTabWidget>("TabbedNotebook1")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
}

// Pressed and released through the window, so that each goes to whichever control has the
// focus at that moment (after a Tab press, the next one), as the platform delivers them.
void tst_Soak::key(int key, char text)
{
    QWindow *window = form->windowHandle();
    if (text != 0)
        QTest::keyPress(window, text);
    else
        QTest::keyPress(window, Qt::Key(key));
    QWidget *receiver = QApplication::focusWidget();
    if (text != 0)
        QTest::keyRelease(window, text);
    else
        QTest::keyRelease(window, Qt::Key(key));
    // The release has taken the typed value over (after any message box it showed).
    if (receiver == numberEdits[1])
        areaTyped = true;
    else if (receiver == numberEdits[0] || receiver == numberEdits[2])
        depthStale = true;
}

void tst_Soak::clickRadio()
{
    const int group = pick(4);
    toolkit::RadioGroup *target = radioGroups[group];
    const int item = pick(int(target->items().size()));
    lastAction = QStringLiteral("click item %1 of %2").arg(item).arg(target->objectName());
    showPage(group < 2 ? 0 : 1);
    QTest::mouseClick(target->button(item), Qt::LeftButton);
}

void tst_Soak::moveScrollBar()
{
    QScrollBar *bar = scrollBars[pick(3)];
    showPage(1);
    if (pick(3) == 0) {
        // Dragging the thumb.
        const int position = bar->minimum() + pick(bar->maximum() - bar->minimum() + 1);
        lastAction = QStringLiteral("drag %1 to %2").arg(bar->objectName()).arg(position);
        bar->setSliderDown(true);
        bar->setSliderPosition(position);
        bar->setSliderDown(false);
        return;
    }
    // A click on an arrow or the groove, wherever it falls.
    const QPoint at(pick(bar->width()), pick(bar->height()));
    lastAction = QStringLiteral("click %1 at %2,%3").arg(bar->objectName()).arg(at.x()).arg(at.y());
    QTest::mouseClick(bar, Qt::LeftButton, {}, at);
}

void tst_Soak::typeNumber()
{
    // dNumEdit is read-only and only rarely the target.
    TNumberEdit *edit = numberEdits[pick(10) == 0 ? 4 : pick(4)];
    const char *text = pick(5) < 3 ? validTexts[pick(int(std::size(validTexts)))]
                                   : otherTexts[pick(int(std::size(otherTexts)))];
    lastAction =
        QStringLiteral("type \"%1\" into %2").arg(QLatin1StringView(text), edit->objectName());
    showPage(1);
    QTest::mouseClick(edit, Qt::LeftButton);
    key(Qt::Key_End);
    // Mostly the whole entry is deleted first, now and then only its last characters; the
    // focus may have stayed in another field that holds it.
    auto *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    const int length = focused ? int(focused->text().size()) : 0;
    for (int i = pick(4) == 0 ? pick(4) : length; i > 0; --i)
        key(Qt::Key_Backspace);
    for (const char *c = text; *c != 0; ++c) {
        key(0, *c);
        if (pick(4) == 0)
            QTest::qWait(pick(15));
    }
    switch (pick(4)) {
    case 0:
        key(Qt::Key_Tab);
        break;
    case 1:
        key(Qt::Key_Return);
        break;
    default:
        break;
    }
}

void tst_Soak::typeIntoResult()
{
    QLineEdit *field = results[std::size_t(pick(int(results.size())))];
    lastAction = QStringLiteral("type into %1").arg(field->objectName());
    QTest::mouseClick(field, Qt::LeftButton);
    for (const char c : {'4', '2'})
        key(0, c);
}

void tst_Soak::openAbout()
{
    lastAction = QStringLiteral("open and close the About box");
    find<QAction>("About1")->trigger();
}

// "View" > "Section" opens the view, or brings it back; the view's own button closes it.
void tst_Soak::toggleSectionView()
{
    if (view && view->isVisible()) {
        lastAction = u"close the section view"_s;
        view->findChild<QPushButton *>(u"CloseButton"_s)->click();
        return;
    }
    lastAction = u"open the section view"_s;
    find<QAction>("Section1")->trigger();
    view = form->findChild<section::SectionWindow *>();
    if (!view)
        fail(u"\"Section\" opened no view"_s);
}

void tst_Soak::randomUserActions()
{
    const auto seed = std::uint32_t(environmentNumber("TRALVIK_SOAK_SEED", int(defaultSeed)));
    const int actions = environmentNumber("TRALVIK_SOAK_ACTIONS", defaultActions);
    const int seconds = environmentNumber("TRALVIK_SOAK_SECONDS", defaultSeconds);
    random.seed(seed);
    qInfo("seed %u, at most %d actions in %d s", seed, actions, seconds);

    QElapsedTimer clock;
    clock.start();
    int done = 0;
    for (; done < actions && clock.elapsed() < seconds * 1000 && failures == 0; ++done) {
        activateAgain();
        const int roll = pick(100);
        if (roll < 20) {
            clickRadio();
        } else if (roll < 40) {
            moveScrollBar();
        } else if (roll < 65) {
            typeNumber();
        } else if (roll < 72) {
            lastAction = QStringLiteral("Tab");
            key(Qt::Key_Tab);
        } else if (roll < 79) {
            lastAction = QStringLiteral("Enter");
            key(Qt::Key_Return);
        } else if (roll < 84) {
            lastAction = QStringLiteral("Ctrl");
            key(Qt::Key_Control);
        } else if (roll < 87) {
            typeIntoResult();
        } else if (roll < 90) {
            openAbout();
        } else if (roll < 91) {
            toggleSectionView();
        } else if (roll < 92) {
            // A pause as long as the depth timer's period, so that its tick also lands on a
            // height or cover that was typed and not yet taken into d by any handler.
            lastAction = QStringLiteral("pause");
            QTest::qWait(TMainForm::depthInterval + pick(100));
        } else {
            lastAction = QStringLiteral("wait");
            QTest::qWait(1 + pick(30));
        }
        checkRules("right after the action");
        // At least one tick after every action; its check runs inside it. The bound is for a
        // timer that stopped, not for a slow machine.
        const int ticks = calcTicks;
        QTRY_VERIFY2_WITH_TIMEOUT(calcTicks > ticks, "no results tick came after the action",
                                  30000);
    }
    qInfo("%d actions in %lld ms: %d result ticks (%d of them in the section view) and %d depth "
          "ticks checked, %d boxes closed",
          done, clock.elapsed(), calcTicks, viewChecks, depthTicks,
          boxesClosed + int(messages->shown.size()));
    QVERIFY2(
        failures == 0,
        qPrintable(QStringLiteral("%1 failures, the first: %2").arg(failures).arg(firstFailure)));
    // The run must have exercised the window, not stalled in a box.
    QVERIFY(done >= 50);
    QVERIFY(depthTicks >= 1);
    QVERIFY(viewChecks >= 50);
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
