#include "about_box.h"
#include "application.h"
#include "find_control.h"
#include "main_form.h"
#include "section_window.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

// The program on a Wayland compositor, started and ended as main() does it: its window shows
// the start values, the section view opens from the menu and follows a change, and closing
// the window ends the event loop with code 0; nothing is said on the way. Runs under
// wayland.sh, which starts the compositor; the functions run in order on one window.
class tst_Wayland : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void initTestCase();
    void cleanupTestCase();
    void startedWithoutAWord();
    void startValues_data();
    void startValues();
    void sectionViewFollowsAChange();
    void closingEndsTheProgramWithCodeZero();

private:
    template <typename T = QWidget> T *find(const QString &name) const
    {
        return findControl<T>(form.get(), name);
    }

    std::unique_ptr<TMainForm> form;
};

// What Qt said while the application object was made, before the test could listen.
static QStringList startMessages;

void tst_Wayland::init()
{
    QTest::failOnWarning(QRegularExpression(u".*"_s));
}

void tst_Wayland::initTestCase()
{
    QTest::failOnWarning(QRegularExpression(u".*"_s));
    QCOMPARE(QGuiApplication::platformName(), u"wayland"_s);
    form = std::make_unique<TMainForm>();
    form->setAboutHandler(showAboutBox);
    form->setSectionHandler(section::showSectionWindow);
    form->show();
    // A compositor without a seat activates no window; it shows them.
    QVERIFY(QTest::qWaitForWindowExposed(form.get(), 30000));
}

void tst_Wayland::cleanupTestCase()
{
    form.reset();
}

void tst_Wayland::startedWithoutAWord()
{
    QVERIFY2(startMessages.isEmpty(), qPrintable(startMessages.join(u'\n')));
}

void tst_Wayland::startValues_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");

    QTest::addRow("the design compressive strength of C12/15") << u"fbDrukEdit"_s << u"8"_s;
    QTest::addRow("the design yield strength of FeB500") << u"fsEdit"_s << u"435"_s;
    QTest::addRow("the steel area of four bars of 12 mm") << u"AsNumEdit"_s << u"452"_s;
    QTest::addRow("the effective depth") << u"dNumEdit"_s << u"471"_s;
    QTest::addRow("the approximation's moment") << u"mu0Edit"_s << u"83"_s;
    QTest::addRow("the parabola-rectangle's moment") << u"mu3Edit"_s << u"80"_s;
}

void tst_Wayland::startValues()
{
    QFETCH(QString, field);
    QFETCH(QString, text);

    QCOMPARE(form->windowTitle(), u"Tralvik  : Uiterste Moment"_s);
    // The results appear with the first tick of the results timer.
    QTRY_COMPARE_WITH_TIMEOUT(find<QLineEdit>(field)->text(), text, 30000);
    // Qt's Dutch catalogue is loaded; the menus keep their texts.
    QStringList menus;
    for (const QAction *menu : form->menuBar()->actions())
        menus << menu->text();
    QCOMPARE(menus, (QStringList{u"File"_s, u"View"_s, u"Help"_s}));
}

void tst_Wayland::sectionViewFollowsAChange()
{
    find<QAction>(u"Section1"_s)->trigger();
    auto *view = form->findChild<section::SectionWindow *>();
    QVERIFY2(view, "\"View\" > \"Section\" opened no section view");
    QVERIFY(QTest::qWaitForWindowExposed(view, 30000));
    const auto *calculation = findControl<QPlainTextEdit>(view, u"CalculationText"_s);
    const auto firstLine = [calculation] {
        return calculation->toPlainText().section(u'\n', 0, 0);
    };
    QTRY_VERIFY2_WITH_TIMEOUT(firstLine().contains(u"4 staven"_s), qPrintable(firstLine()), 30000);

    QTest::keyClick(find<QScrollBar>(u"ScrollBar1"_s), Qt::Key_Right);
    QTRY_COMPARE_WITH_TIMEOUT(find<QLineEdit>(u"mu0Edit"_s)->text(), u"104"_s, 30000);
    QTRY_VERIFY2_WITH_TIMEOUT(firstLine().contains(u"5 staven"_s), qPrintable(firstLine()), 30000);
}

void tst_Wayland::closingEndsTheProgramWithCodeZero()
{
    // As main() runs: closing the only window ends the loop, with code 0. A loop that does not
    // end fails instead of hanging.
    QGuiApplication::setQuitOnLastWindowClosed(true);
    QTimer::singleShot(0, form.get(), [this] { find<QAction>(u"Exit1"_s)->trigger(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [] { QCoreApplication::exit(99); });
    watchdog.start(30000);
    const int code = QCoreApplication::exec();
    QVERIFY2(code != 99, "closing the window did not end the event loop");
    QCOMPARE(code, 0);
    QVERIFY(!form->isVisible());
    const auto *view = form->findChild<section::SectionWindow *>();
    QVERIFY2(view && !view->isVisible(), "the section view stayed open");
}

int main(int argc, char *argv[])
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &message) {
        startMessages << message;
    });
    TApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    // The test ends the loop more than once; the program ends when its window closes.
    app.setQuitOnLastWindowClosed(false);
    tst_Wayland test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wayland.moc"
