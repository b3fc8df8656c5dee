#include "about_box.h"
#include "application.h"
#include "main_form.h"
#include "test_support.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>
#include <set>
#include <stdexcept>

using namespace Qt::StringLiterals;

// The program as the user starts, uses and ends it: the application's title, version and icon,
// Qt's own dialogs in Dutch, the About box from the "Help" menu (where it stands, how it closes,
// that each showing builds and destroys one box) and the two ways out.
class tst_Shell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void application();
    void iconHasAtMostSixteenColours();
    void qtDialogsSpeakDutch_data();
    void qtDialogsSpeakDutch();
    void aboutBoxLayout();
    void aboutBoxPlacement_data();
    void aboutBoxPlacement();
    void closingTheAboutBox_data();
    void closingTheAboutBox();
    void aboutBoxAgainAndAgain();
    void escapingErrorIsShownAndTheProgramGoesOn();
    void closingTheWindow_data();
    void closingTheWindow();
    void sectionViewStandsBesideTheWindow_data();
    void sectionViewStandsBesideTheWindow();

private:
    // What one showing of the About box looked like from inside its modal loop.
    struct Visit {
        bool seen = false;
        QPoint frame;
        QString focus;
        bool modal = false;
        bool stillOpen = false;
        bool freeAsked = false;
        int boxes = 0;
        int ticks = 0;
    };
    // Chooses "About" and runs `inside` once the box is up and active; closes the box with OK
    // if `inside` left it open, so that a box that ignores its means fails rather than hangs.
    Visit about(const std::function<void(TAboutBox *)> &inside = {});
    void key(QWidget *window, Qt::Key key) { QTest::keyClick(window->windowHandle(), key); }

    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<TMainForm> form;
    QStringList handlers;
    int destroyed = 0;
};

void tst_Shell::init()
{
    failOnUnexpectedWarnings();
    watchdog = std::make_unique<ModalWatchdog>();
    form = std::make_unique<TMainForm>();
    form->setAboutHandler(showAboutBox);
    handlers.clear();
    destroyed = 0;
    form->setHandlerTrace([this](const char *handler) { handlers << QLatin1StringView(handler); });
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void tst_Shell::cleanup()
{
    form.reset();
    const QStringList unexpected = watchdog->unexpected();
    watchdog.reset();
    QVERIFY2(unexpected.isEmpty(), qPrintable(u"unexpected: "_s + unexpected.join(u"; "_s)));
}

tst_Shell::Visit tst_Shell::about(const std::function<void(TAboutBox *)> &inside)
{
    Visit visit;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<TAboutBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        visit.seen = true;
        connect(box, &QObject::destroyed, this, [this] { ++destroyed; });
        // qWaitForWindowActive would not wait: a dialog counts as active while its owner is.
        box->activateWindow();
        if (!QTest::qWaitFor([box] { return QApplication::activeWindow() == box; }))
            return box->accept();
        visit.frame = box->frameGeometry().topLeft();
        visit.focus =
            QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        visit.modal = box->isModal();
        visit.boxes = int(form->findChildren<TAboutBox *>().size());
        const auto before = handlers.count(u"CalcTimerTimer"_s);
        if (inside)
            inside(box);
        // The means of closing act at once; a tick may take long on a loaded machine. The count
        // below says whether one came.
        static_cast<void>(
            QTest::qWaitFor([&] { return handlers.count(u"CalcTimerTimer"_s) > before; }, 30000));
        visit.ticks = int(handlers.count(u"CalcTimerTimer"_s) - before);
        visit.stillOpen = box->isVisible();
        visit.freeAsked = box->closeAction() == TAboutBox::CloseAction::Free;
        if (visit.stillOpen)
            box->findChild<QPushButton *>(u"OKButton"_s)->click();
    });
    form->findChild<QAction *>(u"About1"_s)->trigger();
    // A request to free the box, made when it closed, must find nothing left to free.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return visit;
}

void tst_Shell::application()
{
    QCOMPARE(QApplication::applicationName(), u"Tralvik"_s);
    QCOMPARE(QApplication::applicationVersion(), u"2.2"_s);
    QCOMPARE(QGuiApplication::desktopFileName(), u"nl.tralvik.Tralvik"_s);
    QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(32, 32)));
}

void tst_Shell::iconHasAtMostSixteenColours()
{
    const QImage image = programIcon().pixmap(32).toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    QVERIFY(colours.size() <= 16);
}

void tst_Shell::qtDialogsSpeakDutch_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("dutch");

    QTest::addRow("the file dialog names the folder")
        << u"file"_s << u"Look in:"_s << u"Zoeken in:"_s;
    QTest::addRow("the file dialog asks for a name")
        << u"file"_s << u"File &name:"_s << u"Bestands&naam:"_s;
    QTest::addRow("the file dialog's button saves") << u"file"_s << u"&Save"_s << u"Op&slaan"_s;
    QTest::addRow("the file dialog can be cancelled") << u"file"_s << u"Cancel"_s << u"Annuleren"_s;
    QTest::addRow("the print dialog's button prints")
        << u"print"_s << u"&Print"_s << u"A&fdrukken"_s;
    QTest::addRow("the print dialog offers the printer's properties")
        << u"print"_s << u"P&roperties"_s << u"&Eigenschappen"_s;
    QTest::addRow("the print dialog prints all pages")
        << u"print"_s << u"Print all"_s << u"Alles afdrukken"_s;
    QTest::addRow("the print dialog counts copies") << u"print"_s << u"Copies"_s << u"Kopieën"_s;
    QTest::addRow("the print dialog can be cancelled")
        << u"print"_s << u"Cancel"_s << u"Annuleren"_s;
}

// The section view opens Qt's dialogs; the application object makes them speak the program's
// language. Qt's own drawn dialogs, as where the desktop offers none of its own.
void tst_Shell::qtDialogsSpeakDutch()
{
    QFETCH(QString, dialog);
    QFETCH(QString, english);
    QFETCH(QString, dutch);

    QPrinter printer;
    std::unique_ptr<QDialog> box;
    if (dialog == u"file") {
        auto file = std::make_unique<QFileDialog>(form.get(), u"Opslaan als"_s);
        file->setOption(QFileDialog::DontUseNativeDialog);
        file->setAcceptMode(QFileDialog::AcceptSave);
        box = std::move(file);
    } else {
        box = std::make_unique<QPrintDialog>(&printer, form.get());
    }
    QStringList texts;
    for (const QLabel *label : box->findChildren<QLabel *>())
        texts << label->text();
    for (const QAbstractButton *button : box->findChildren<QAbstractButton *>())
        texts << button->text();
    for (const QGroupBox *group : box->findChildren<QGroupBox *>())
        texts << group->title();
    for (const QTabWidget *tabs : box->findChildren<QTabWidget *>())
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    QVERIFY2(texts.contains(dutch), qPrintable(texts.join(u" | "_s)));
    QVERIFY2(!texts.contains(english), qPrintable(texts.join(u" | "_s)));
}

void tst_Shell::aboutBoxLayout()
{
    const TAboutBox box(form.get());
    QCOMPARE(box.objectName(), u"AboutBox"_s);
    QCOMPARE(box.windowTitle(), u"About"_s);
    QCOMPARE(box.size(), QSize(298, 213));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    const auto place = [&box](const char *name) {
        return box.findChild<QWidget *>(QLatin1StringView(name))->geometry();
    };
    QCOMPARE(place("Panel1"), QRect(8, 8, 281, 161));
    QCOMPARE(place("ProgramImage"), QRect(8, 8, 41, 41));
    QCOMPARE(place("Memo1"), QRect(96, 8, 174, 89));
    QCOMPARE(place("Label2").topLeft(), QPoint(3, 70));
    QCOMPARE(place("Label3").topLeft(), QPoint(3, 86));
    QCOMPARE(place("Version").topLeft(), QPoint(96, 104));
    QCOMPARE(place("Copyright").topLeft(), QPoint(96, 120));
    QCOMPARE(place("OKButton"), QRect(111, 178, 77, 27));

    // The labels size themselves to their texts: each stays inside the panel, clear of the rest.
    const auto *panel = box.findChild<QWidget *>(u"Panel1"_s);
    const auto inside = panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (const QWidget *control : inside) {
        QVERIFY2(panel->rect().contains(control->geometry()), qPrintable(control->objectName()));
        for (const QWidget *other : inside)
            QVERIFY2(control == other || !control->geometry().intersects(other->geometry()),
                     qPrintable(control->objectName() + u" overlaps "_s + other->objectName()));
    }
    QVERIFY(!box.findChild<QLabel *>(u"ProgramImage"_s)->pixmap().isNull());
    const auto *memo = box.findChild<QPlainTextEdit *>(u"Memo1"_s);
    QCOMPARE(memo->toPlainText().split(u'\n'),
             (QStringList{u"Betontechniek"_s, QString(), u"CONTROLEREN VAN"_s, u"RECHTHOEKIGE "_s,
                          u"GEWAPENDE LIGGERS"_s, QString()}));
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(box.findChild<QLabel *>(u"Label2"_s)->text(), u"NEN-EN 1992-1-1"_s);
    QCOMPARE(box.findChild<QLabel *>(u"Label3"_s)->text(), u"Eurocode 2"_s);
    QCOMPARE(box.findChild<QLabel *>(u"Version"_s)->text(), u"Quorvel"_s);
    QVERIFY(box.findChild<QLabel *>(u"Copyright"_s)->text().contains(u"Tralvik"_s));
    const auto *ok = box.findChild<QPushButton *>(u"OKButton"_s);
    QCOMPARE(ok->text(), u"OK"_s);
    QVERIFY(ok->isDefault());
    QVERIFY(!ok->icon().isNull());
}

void tst_Shell::aboutBoxPlacement_data()
{
    QTest::addColumn<QPoint>("window");
    QTest::addColumn<QPoint>("box");

    QTest::addRow("main window where the layout puts it") << QPoint(26, 79) << QPoint(161, 124);
    QTest::addRow("main window moved") << QPoint(300, 200) << QPoint(435, 245);
    QTest::addRow("box partly off the screen") << QPoint(-100, -40) << QPoint(35, 5);
}

void tst_Shell::aboutBoxPlacement()
{
    QFETCH(QPoint, window);
    QFETCH(QPoint, box);

    form->move(window);
    QTRY_COMPARE(form->frameGeometry().topLeft(), window);
    const Visit visit = about();
    QVERIFY(visit.seen);
    QCOMPARE(visit.frame, box);
    QVERIFY(visit.modal);
    QCOMPARE(visit.focus, u"OKButton"_s);
    QVERIFY2(visit.ticks > 0, "the main window's timers stop while the box is up");
}

void tst_Shell::closingTheAboutBox_data()
{
    QTest::addColumn<QString>("means");
    QTest::addColumn<bool>("closes");

    QTest::addRow("a click on OK") << u"click"_s << true;
    QTest::addRow("Space on OK") << u"space"_s << true;
    QTest::addRow("Enter on OK") << u"enter"_s << true;
    QTest::addRow("the title bar's close button") << u"close"_s << true;
    QTest::addRow("Escape leaves it open") << u"escape"_s << false;
    QTest::addRow("Enter in the memo stays there") << u"memo enter"_s << false;
}

void tst_Shell::closingTheAboutBox()
{
    QFETCH(QString, means);
    QFETCH(bool, closes);

    const Visit visit = about([&](TAboutBox *box) {
        if (means == u"click")
            QTest::mouseClick(box->findChild<QPushButton *>(u"OKButton"_s), Qt::LeftButton);
        else if (means == u"space")
            key(box, Qt::Key_Space);
        else if (means == u"enter")
            key(box, Qt::Key_Return);
        else if (means == u"close")
            box->windowHandle()->close();
        else if (means == u"escape")
            key(box, Qt::Key_Escape);
        else if (means == u"memo enter") {
            // The memo comes before OK in the tab order; were it not, Enter would press OK.
            QTest::keyClick(box->windowHandle(), Qt::Key_Tab, Qt::ShiftModifier);
            key(box, Qt::Key_Return);
        }
    });
    QVERIFY(visit.seen);
    QCOMPARE(visit.stillOpen, !closes);
    QCOMPARE(visit.freeAsked, closes);
    QCOMPARE(destroyed, 1);
    QVERIFY(form->findChildren<TAboutBox *>().isEmpty());
    QVERIFY(form->isEnabled());
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_Shell::aboutBoxAgainAndAgain()
{
    for (int i = 0; i < 3; ++i) {
        const Visit visit = about();
        QVERIFY(visit.seen);
        QCOMPARE(visit.boxes, 1);
        QVERIFY(form->findChildren<TAboutBox *>().isEmpty());
    }
    QCOMPARE(destroyed, 3);
}

void tst_Shell::escapingErrorIsShownAndTheProgramGoesOn()
{
    class Failing : public QObject
    {
    public:
        int events = 0;
        bool event(QEvent *event) override
        {
            if (event->type() != QEvent::User)
                return QObject::event(event);
            if (++events == 1)
                throw std::runtime_error("kapot");
            return true;
        }
    } failing;
    const MessageAnswers boxes;
    QEvent first(QEvent::User);
    QCoreApplication::sendEvent(&failing, &first);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown.first().caption, u"Tralvik"_s);
    QCOMPARE(boxes.shown.first().text, u"kapot"_s);
    QEvent second(QEvent::User);
    QVERIFY(QCoreApplication::sendEvent(&failing, &second));
    QCOMPARE(failing.events, 2);
}

void tst_Shell::closingTheWindow_data()
{
    QTest::addColumn<bool>("byMenu");

    QTest::addRow("Exit in the File menu") << true;
    QTest::addRow("the title bar's close button") << false;
}

void tst_Shell::closingTheWindow()
{
    QFETCH(bool, byMenu);

    // As the program runs: the close comes from inside the event loop, and closing the only
    // window ends the loop with code 0. A loop that does not end fails instead of hanging.
    QGuiApplication::setQuitOnLastWindowClosed(true);
    QTimer::singleShot(0, form.get(), [&] {
        if (byMenu)
            form->findChild<QAction *>(u"Exit1"_s)->trigger();
        else
            form->windowHandle()->close();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [] { QCoreApplication::exit(99); });
    watchdog.start(30000);
    const int code = QCoreApplication::exec();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QVERIFY2(code != 99, "closing the window did not end the event loop");
    QCOMPARE(code, 0);
    QCOMPARE(handlers.count(u"FormClose"_s), 1);
    QVERIFY(!form->isVisible());
    // Ending the program destroys the window; that runs FormClose no second time.
    form.reset();
    QCOMPARE(handlers.count(u"FormClose"_s), 1);
}

void tst_Shell::sectionViewStandsBesideTheWindow_data()
{
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("placed");

    const QRect screen(0, 0, 1600, 1000);
    QTest::addRow("room at the right: there, level with the window")
        << QRect(26, 79, 330, 310) << QSize(960, 760) << screen << QRect(364, 79, 960, 760);
    QTest::addRow("no room at the right: at the left")
        << QRect(1200, 79, 330, 310) << QSize(900, 700) << screen << QRect(292, 79, 900, 700);
    QTest::addRow("room on neither side: below")
        << QRect(600, 20, 330, 310) << QSize(900, 600) << screen << QRect(600, 338, 900, 600);
    QTest::addRow("a low window: the view's top moves up to keep it on the screen")
        << QRect(26, 600, 330, 310) << QSize(960, 760) << screen << QRect(364, 240, 960, 760);
    QTest::addRow("nowhere free: at the right edge, on the screen")
        << QRect(500, 300, 600, 500) << QSize(900, 700) << screen << QRect(700, 300, 900, 700);
    QTest::addRow("larger than the screen: made to fit it")
        << QRect(26, 79, 330, 310) << QSize(2000, 1200) << screen << QRect(8, 8, 1592, 992);
}

// Beside the main window, never over it where the screen has room, and never off the screen.
void tst_Shell::sectionViewStandsBesideTheWindow()
{
    QFETCH(QRect, owner);
    QFETCH(QSize, size);
    QFETCH(QRect, available);
    QFETCH(QRect, placed);
    QCOMPARE(besideOwner(owner, size, available), placed);
}

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    // The program ends when its window closes; these tests close it more than once.
    app.setQuitOnLastWindowClosed(false);
    tst_Shell test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell.moc"
