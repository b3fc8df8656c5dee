#include "accessible_view.h"
#include "application.h"
#include "main_form.h"
#include "section_window.h"
#include "start_values.h"
#include "test_support.h"

#include <QAbstractFileIconProvider>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QScrollBar>
#include <QSplitter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

// The section view as the main window's menu opens it: one window, raised when asked again,
// following the results while shown and not while hidden, gone with the main window; the view
// on its own, which shows the results it is handed; and its exports, which must reopen as what
// they claim to be, with the drawing in them, or leave nothing behind.
class tst_SectionWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void menuOpensOneWindowAndRaisesIt();
    void followsOnlyWhileShown();
    void drawingLaysOutOnlyOnAChange();
    void closesWithTheMainWindow();
    void hiddenViewDrawsTheLatestResultWhenShown_data();
    void hiddenViewDrawsTheLatestResultWhenShown();
    void exports_data();
    void exports();
    void saveAs_data();
    void saveAs();
    void designMoment_data();
    void designMoment();
    void calculationKeepsItsPlace();
    void keys_data();
    void keys();
    void drawingForScreenReaders();
    void saveDialogReadsNoFileContents();
    void printEqualsExport();
    void longEntryKeepsTheViewsWidth();
    void splitIsKept();
    void chartIsShown_data();
    void chartIsShown();

private:
    section::SectionWindow *open();
    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<TMainForm> form;
};

// As the program's start-up does, before any window exists.
void tst_SectionWindow::initTestCase()
{
    section::installAccessibleInterfaces();
}

void tst_SectionWindow::init()
{
    failOnUnexpectedWarnings();
    watchdog = std::make_unique<ModalWatchdog>();
    form = std::make_unique<TMainForm>();
    form->setSectionHandler(showSectionView);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void tst_SectionWindow::cleanup()
{
    form.reset();
    const QStringList unexpected = watchdog->unexpected();
    watchdog.reset();
    QVERIFY2(unexpected.isEmpty(), qPrintable(u"unexpected: "_s + unexpected.join(u"; "_s)));
}

section::SectionWindow *tst_SectionWindow::open()
{
    findControl<QAction>(form.get(), u"Section1"_s)->trigger();
    return form->findChild<section::SectionWindow *>();
}

void tst_SectionWindow::menuOpensOneWindowAndRaisesIt()
{
    QVERIFY(form->findChildren<section::SectionWindow *>().isEmpty()); // nothing at start-up
    QTest::keySequence(form->windowHandle(), QKeySequence(Qt::CTRL | Qt::Key_D));
    section::SectionWindow *view = form->findChild<section::SectionWindow *>();
    QVERIFY2(view, "Ctrl+D opened no section view");
    QVERIFY(QTest::qWaitForWindowActive(view));
    QCOMPARE(view->windowTitle(), u"Tralvik  : Doorsnede"_s);
    QVERIFY(!view->isModal());

    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    view->showMinimized();
    QTRY_VERIFY_WITH_TIMEOUT(view->isMinimized(), 2000);
    QCOMPARE(open(), view);
    QCOMPARE(form->findChildren<section::SectionWindow *>().size(), 1);
    QVERIFY2(!view->isMinimized() && view->isVisible(), "asking again did not restore the view");
    QVERIFY(QTest::qWaitForWindowActive(view));
}

// A hidden view must not follow (it would cost a computation per tick), and once shown again
// it must show the present section at once, not the one it last saw.
void tst_SectionWindow::followsOnlyWhileShown()
{
    section::SectionWindow *view = open();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    auto *bars = findControl<QScrollBar>(form.get(), u"ScrollBar1"_s);
    const auto mu0 = [this] {
        return findControl<QLineEdit>(form.get(), u"mu0Edit"_s)->text();
    };
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(view->resultTexts()[beam::Mu0]), mu0(), 2000);

    // The view follows within the same tick that rewrites the main window's fields.
    bars->setValue(5);
    QTRY_COMPARE_WITH_TIMEOUT(mu0(), u"104"_s, 2000);
    QCOMPARE(QString::fromStdString(view->resultTexts()[beam::Mu0]), u"104"_s);

    view->close();
    bars->setValue(6);
    QTRY_COMPARE_WITH_TIMEOUT(mu0(), u"125"_s, 2000);
    QCOMPARE(QString::fromStdString(view->resultTexts()[beam::Mu0]), u"104"_s);
    QCOMPARE(open(), view);
    QCOMPARE(QString::fromStdString(view->resultTexts()[beam::Mu0]), u"125"_s);
}

// The drawing is painted far more often than it changes: a repaint takes the layout it has, a
// new section or another size lays it out again.
void tst_SectionWindow::drawingLaysOutOnlyOnAChange()
{
    section::SectionWindow *view = open();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    auto *drawing = view->findChild<section::SectionDrawing *>();
    QVERIFY(drawing);
    const auto layouts = [drawing] {
        return drawing->painter().layouts();
    };
    QTRY_VERIFY_WITH_TIMEOUT(layouts() > 0, 2000);
    int before = layouts();
    drawing->repaint();
    drawing->repaint();
    QCOMPARE(layouts(), before);

    findControl<QScrollBar>(form.get(), u"ScrollBar1"_s)->setValue(5);
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(view->resultTexts()[beam::Mu0]), u"104"_s,
                              2000);
    drawing->repaint();
    drawing->repaint();
    QCOMPARE(layouts(), before + 1);

    before = layouts();
    const QSize size = drawing->size();
    view->resize(view->size() + QSize(60, 40));
    QTRY_VERIFY_WITH_TIMEOUT(drawing->size() != size, 2000);
    drawing->repaint();
    QVERIFY(layouts() > before);
    before = layouts();
    drawing->repaint();
    QCOMPARE(layouts(), before);
}

void tst_SectionWindow::closesWithTheMainWindow()
{
    QPointer<section::SectionWindow> view = open();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    findControl<QAction>(form.get(), u"Exit1"_s)->trigger();
    QVERIFY(!form->isVisible());
    QVERIFY2(!view->isVisible(), "the view stayed open after the main window closed");
    form.reset();
    QVERIFY(view.isNull());
}

void tst_SectionWindow::hiddenViewDrawsTheLatestResultWhenShown_data()
{
    QTest::addColumn<bool>("minimised");

    QTest::addRow("closed") << false;
    QTest::addRow("minimised") << true;
}

// The view needs no main window: it draws the results it is handed, only while it is shown
// and not minimised, and the latest of them at once when it is shown again.
void tst_SectionWindow::hiddenViewDrawsTheLatestResultWhenShown()
{
    QFETCH(bool, minimised);
    section::SectionWindow view;
    view.setResult(resultOf(startValues()));
    QCOMPARE(view.resultTexts()[beam::Mu1], std::string()); // nothing drawn before it shows
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.resultTexts()[beam::Mu1], std::string("79"));
    QVERIFY(view.calculationText().contains(u"parabolisch: α = 2/3, β = 0.375"_s));

    if (minimised) {
        view.showMinimized();
        QTRY_VERIFY_WITH_TIMEOUT(view.isMinimized(), 2000);
    } else {
        view.close();
    }
    beam::SectionInputs wider = startValues();
    wider.b = 300;
    view.setResult(resultOf(wider));
    wider.b = 400;
    view.setResult(resultOf(wider));
    QCOMPARE(view.resultTexts()[beam::Mu1], std::string("79"));
    QVERIFY(view.calculationText().contains(u"200 × 500 mm"_s));

    if (minimised)
        view.setWindowState(view.windowState() & ~Qt::WindowMinimized);
    else
        view.show();
    QTRY_VERIFY_WITH_TIMEOUT(!view.isMinimized() && view.isVisible(), 2000);
    QVERIFY2(view.calculationText().contains(u"400 × 500 mm"_s), "not the latest result");
    QCOMPARE(view.resultTexts()[beam::Mu1], beam::computeMoments(wider.momentInputs())[beam::Mu1]);
}

void tst_SectionWindow::exports_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("written");

    QTest::addRow("PNG") << u"doorsnede.png"_s << true;
    QTest::addRow("SVG") << u"doorsnede.svg"_s << true;
    QTest::addRow("PDF") << u"doorsnede.pdf"_s << true;
    QTest::addRow("a folder that does not exist") << u"ontbreekt/doorsnede.pdf"_s << false;
    QTest::addRow("an unknown kind of file") << u"doorsnede.txt"_s << false;
}

void tst_SectionWindow::exports()
{
    QFETCH(QString, name);
    QFETCH(bool, written);
    section::SectionWindow *view = open();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const QString error = view->exportTo(path);
    QCOMPARE(error.isEmpty(), written);
    if (!written) {
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        // Neither the file nor a temporary one beside it is left.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{});
        return;
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    if (name.endsWith(u".png"_s)) {
        const QImage image = QImage::fromData(data, "PNG").convertToFormat(QImage::Format_RGB32);
        QVERIFY(!image.isNull());
        // The section stands at the left: a region of the concrete's colour with the steel's
        // inside it, and the blocks' colour to its right.
        QRect concrete;
        QList<QPoint> steel;
        qsizetype blocks = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (pixel == roleColour(section::Role::Concrete))
                    concrete |= QRect(x, y, 1, 1);
                else if (pixel == roleColour(section::Role::Steel))
                    steel << QPoint(x, y);
                else if (qBlue(pixel) > qRed(pixel) + 40 && x > concrete.right())
                    ++blocks;
            }
        }
        QVERIFY2(concrete.width() * concrete.height() > image.width() * image.height() / 50,
                 "no section drawn");
        QVERIFY(concrete.right() < image.width() / 2);
        // The smoothed edges of black text take the steel's grey too, here and there.
        const auto inside = std::count_if(steel.begin(), steel.end(),
                                          [&concrete](QPoint p) { return concrete.contains(p); });
        QVERIFY2(inside > concrete.width() * concrete.height() / 20, "no steel in the section");
        QVERIFY2(blocks > image.width() * image.height() / 200, "no stress blocks drawn");
    } else if (name.endsWith(u".svg"_s)) {
        QSvgRenderer renderer(data);
        QVERIFY(renderer.isValid());
        QVERIFY(data.contains("Doorsnede"));
        // The drawing's shapes: the concrete, four bars, three blocks and more; and the headings.
        const QColor concrete(roleColour(section::Role::Concrete));
        QVERIFY(data.contains(u"fill=\"rgb(%1,%2,%3)\""_s.arg(concrete.red())
                                  .arg(concrete.green())
                                  .arg(concrete.blue())
                                  .toLatin1()));
        QVERIFY2(data.count("<rect") + data.count("<circle") + data.count("<polygon") +
                         data.count("<path") >=
                     1 + 4 + 3,
                 "too few shapes");
        for (const beam::ModelDescriptor &model : beam::models)
            QVERIFY2(data.contains(">" +
                                   QByteArray(model.name.data(), qsizetype(model.name.size())) +
                                   "</text>"),
                     model.name.data());
    } else {
        QVERIFY(data.startsWith("%PDF-1."));
        QVERIFY(data.trimmed().endsWith("%%EOF"));
        // The drawing and the calculation, with each model's limits, on two pages.
        static const QRegularExpression page(u"/Type\\s*/Page\\b(?!s)"_s);
        QCOMPARE(QString::fromLatin1(data).count(page), 2);
    }
}

void tst_SectionWindow::saveAs_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("written"); // empty when nothing is
    QTest::addColumn<bool>("message");

    QTest::addRow("a name without a suffix takes the chosen kind's")
        << u"doorsnede"_s << u"SVG (*.svg)"_s << u"doorsnede.svg"_s << false;
    QTest::addRow("a name with a suffix keeps it")
        << u"figuur.png"_s << u"PDF (*.pdf)"_s << u"figuur.png"_s << false;
    QTest::addRow("a kind of file the view cannot write is refused in a message")
        << u"doorsnede.txt"_s << u"PDF (*.pdf)"_s << QString() << true;
}

// "Save as": the file dialog, then the export or the program's own message box.
void tst_SectionWindow::saveAs()
{
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QString, written);
    QFETCH(bool, message);
    section::SectionWindow *view = open();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QTemporaryDir dir;
    const MessageAnswers boxes;
    bool answered = false;
    QTimer dialogs;
    dialogs.setInterval(10);
    connect(&dialogs, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || answered)
            return;
        answered = true;
        dialog->setDirectory(dir.path());
        dialog->selectNameFilter(filter);
        // Typed, as selectFile leaves a name field that has the focus alone.
        findControl<QLineEdit>(dialog, u"fileNameEdit"_s)->setText(typed);
        static_cast<QDialog *>(dialog)->accept(); // as the Save button does
    });
    dialogs.start();
    view->saveAs();
    dialogs.stop();
    QVERIFY2(answered, "no file dialog came up");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             written.isEmpty() ? QStringList{} : QStringList{written});
    QCOMPARE(boxes.shown.size(), message ? 1 : 0);
    if (message) {
        QCOMPARE(boxes.shown.first().caption, view->windowTitle());
        QCOMPARE(boxes.shown.first().icon, QMessageBox::Warning);
        QVERIFY2(boxes.shown.first().text.contains(QDir::toNativeSeparators(dir.filePath(typed))),
                 qPrintable(boxes.shown.first().text));
    }
}

void tst_SectionWindow::designMoment_data()
{
    QTest::addColumn<int>("bars");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("reason"); // empty when MEd is taken
    QTest::addColumn<int>("notYielding");

    QTest::addRow("MEd 100 gives every model's As,nodig, parabolisch's beyond its yield limit")
        << 4 << u"100"_s
        << QStringList{u"As,nodig = 543 mm²"_s,          u"As,nodig = 609 mm²"_s,
                       u"As,nodig = 594 mm²"_s,          u"As,nodig = 593 mm²"_s,
                       u"meer dan As,vloei = 553 mm²"_s, u"Niet gecontroleerd bij As,nodig"_s}
        << QString() << 0;
    QTest::addRow("a word is refused, and the view says why")
        << 4 << u"abc"_s << QStringList{u"As,vloei = 553 mm²"_s} << u"geen getal"_s << 0;
    QTest::addRow("a decimal comma is read as a Dutch student writes it")
        << 4 << u"112,5"_s << QStringList{u"MEd = 112.5 kNm"_s} << QString() << 0;
    QTest::addRow("a negative moment is refused, and the view says why")
        << 4 << u"-5"_s << QStringList{u"As,vloei = 553 mm²"_s} << u"0 of groter"_s << 0;
    QTest::addRow("with eight bars the steel of the three stress blocks does not yield")
        << 8 << QString() << QStringList{u"staal vloeit niet (volgens parabool rechthoek"_s}
        << QString() << 3;
}

// What is typed in MEd applies at once: the design lines after each model, or none and the
// reason beside the field and in the text; the drawing's description says the same.
void tst_SectionWindow::designMoment()
{
    QFETCH(int, bars);
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    QFETCH(QString, reason);
    QFETCH(int, notYielding);
    section::SectionWindow view;
    beam::SectionInputs inputs = startValues();
    inputs.barCount = bars;
    view.setResult(resultOf(derived(inputs)));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto *edit = findControl<QLineEdit>(&view, u"MEdEdit"_s);
    QCOMPARE(edit->text(), QString());
    QTest::keyClicks(edit, typed);
    const QString text = view.calculationText();
    for (const QString &part : shown)
        QVERIFY2(text.contains(part), qPrintable(part));
    const QString besides = findControl<QLabel>(&view, u"MEdReason"_s)->text();
    if (reason.isEmpty()) {
        QCOMPARE(besides, QString());
    } else {
        QVERIFY2(besides.contains(reason), qPrintable(besides));
        QVERIFY2(text.contains(besides), "the reason is not in the calculation");
        QVERIFY(!text.contains(u"As,nodig ="_s));
        QVERIFY(!text.contains(u"As,nodig:"_s));
    }
    QCOMPARE(text.count(u"\n  staal vloeit niet:"_s), notYielding);
    // Each model's part still begins with its name and a colon.
    for (const beam::ModelDescriptor &model : beam::models)
        QVERIFY(text.contains(u"\n"_s +
                              QString::fromUtf8(model.name.data(), qsizetype(model.name.size())) +
                              u": "_s));
    const QString description =
        findControl<section::SectionDrawing>(&view, u"SectionDrawing"_s)->accessibleDescription();
    if (typed == u"100"_s)
        QVERIFY2(description.contains(u"parabolisch: staal vloeit, As,vloei = 553 mm2, "
                                      "As,nodig = 609 mm2, meer dan As,vloei"_s),
                 qPrintable(description));
    QCOMPARE(description.count(u"staal vloeit niet"_s), notYielding + (notYielding ? 1 : 0));
}

// A new text keeps the reader's place; the same text is not written again, which would lose
// the selection.
void tst_SectionWindow::calculationKeepsItsPlace()
{
    section::SectionWindow view;
    view.setResult(resultOf(startValues()));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto *text = findControl<QPlainTextEdit>(&view, u"CalculationText"_s);
    QScrollBar *down = text->verticalScrollBar();
    QVERIFY2(down->maximum() > 4, "the calculation fits: nothing to scroll");
    down->setValue(down->maximum() / 2);
    const int place = down->value();
    beam::SectionInputs wider = startValues();
    wider.b = 300;
    view.setResult(resultOf(wider));
    QVERIFY(view.calculationText().contains(u"300 × 500 mm"_s));
    QCOMPARE(down->value(), place);

    auto *edit = findControl<QLineEdit>(&view, u"MEdEdit"_s);
    QTest::keyClicks(edit, u"100"_s);
    text->selectAll();
    QTest::keyClick(edit, Qt::Key_Space); // the same moment: the same text
    QVERIFY2(text->textCursor().hasSelection(), "the same text was written again");
}

void tst_SectionWindow::keys_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<bool>("saves");

    const QList<QKeySequence> saveAs = QKeySequence::keyBindings(QKeySequence::SaveAs);
    QTest::addRow("Escape closes the view") << QKeySequence(Qt::Key_Escape) << false;
    QTest::addRow("the platform's save-as key, or Ctrl+Shift+S, opens the save dialog")
        << (saveAs.isEmpty() ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) : saveAs.first())
        << true;
}

void tst_SectionWindow::keys()
{
    QFETCH(QKeySequence, key);
    QFETCH(bool, saves);
    section::SectionWindow *view = open();
    QVERIFY(QTest::qWaitForWindowActive(view));
    bool dialog = false;
    QTimer dialogs;
    dialogs.setInterval(10);
    connect(&dialogs, &QTimer::timeout, this, [&] {
        if (auto *file = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            dialog = true;
            file->reject();
        }
    });
    dialogs.start();
    findControl<QLineEdit>(view, u"MEdEdit"_s)->setFocus();
    QTest::keySequence(view->windowHandle(), key);
    dialogs.stop();
    QCOMPARE(dialog, saves);
    QCOMPARE(view->isVisible(), saves);
}

// A screen reader meets the drawing as a graphic it can reach with the keyboard.
void tst_SectionWindow::drawingForScreenReaders()
{
    section::SectionWindow view;
    view.setResult(resultOf(startValues()));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto *drawing = findControl<section::SectionDrawing>(&view, u"SectionDrawing"_s);
    QCOMPARE(drawing->focusPolicy(), Qt::StrongFocus);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(drawing);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Graphic);
    QCOMPARE(accessible->text(QAccessible::Name), u"Tekening van de doorsnede"_s);
    QVERIFY2(accessible->text(QAccessible::Description).contains(u"staal vloeit, As,vloei = 553"_s),
             qPrintable(accessible->text(QAccessible::Description)));
}

// Reading a file to tell its type blocks on /proc and on pipes: the save dialog goes by the
// name. A PDF whose name has no suffix is an unknown file to it.
void tst_SectionWindow::saveDialogReadsNoFileContents()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(u"tekening"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n");
    file.close();
    const QMimeDatabase types;
    const QString byName =
        types.mimeTypeForFile(file.fileName(), QMimeDatabase::MatchExtension).comment();
    QVERIFY(byName != types.mimeTypeForName(u"application/pdf"_s).comment());
    const auto icons = section::suffixIconProvider();
    QCOMPARE(icons->type(QFileInfo(file.fileName())), byName);
}

// The PDF's page contents, without the names, dates and identifiers around them.
static QStringList pageStreams(const QString &path)
{
    QFile file(path);
    QStringList streams;
    static const QRegularExpression stream(u"\\bstream\\n(.*?)endstream"_s,
                                           QRegularExpression::DotMatchesEverythingOption);
    if (file.open(QIODevice::ReadOnly))
        for (const auto &match : stream.globalMatch(QString::fromLatin1(file.readAll())))
            streams << match.captured(1);
    return streams;
}

// "Afdrukken…" to a file gives the page "Opslaan als…" writes.
void tst_SectionWindow::printEqualsExport()
{
    section::SectionWindow view;
    beam::SectionInputs inputs = startValues();
    inputs.barCount = 8;
    view.setResult(resultOf(derived(inputs)));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTemporaryDir dir;
    const QString exported = dir.filePath(u"opgeslagen.pdf"_s);
    const QString printed = dir.filePath(u"afgedrukt.pdf"_s);
    QCOMPARE(view.exportTo(exported), QString());
    QString proposed;
    QTimer dialogs;
    dialogs.setInterval(10);
    connect(&dialogs, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog || !proposed.isNull())
            return;
        auto *name = findControl<QLineEdit>(dialog, u"filename"_s);
        proposed = name->text();
        name->setText(printed);
        dialog->accept();
    });
    dialogs.start();
    view.print();
    dialogs.stop();
    QVERIFY2(!proposed.isNull(), "no print dialog came up");
    const QStringList pages = pageStreams(exported);
    QVERIFY(!pages.isEmpty());
    QCOMPARE(pageStreams(printed), pages);
}

// A refused entry is quoted in part, and the reason wraps: the view keeps its width.
void tst_SectionWindow::longEntryKeepsTheViewsWidth()
{
    section::SectionWindow view;
    view.setResult(resultOf(startValues()));
    view.resize(560, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    findControl<QLineEdit>(&view, u"MEdEdit"_s)->setText(QString(300, u'x'));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(view.width(), 560);
    const auto *reason = findControl<QLabel>(&view, u"MEdReason"_s);
    QVERIFY2(reason->minimumSizeHint().width() < reason->width(), qPrintable(reason->text()));
}

// The drawing gets the larger part at first; the reader's split stays when the view is closed
// and opened again.
void tst_SectionWindow::splitIsKept()
{
    section::SectionWindow *view = open();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    auto *splitter = findControl<QSplitter>(view, u"SectionSplitter"_s);
    QVERIFY(splitter->sizes().first() > splitter->sizes().last());
    const QList<int> moved{splitter->sizes().first() / 2,
                           splitter->sizes().last() + splitter->sizes().first() / 2};
    splitter->setSizes(moved);
    const QList<int> kept = splitter->sizes();
    view->close();
    QCOMPARE(open(), view);
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QCOMPARE(splitter->sizes(), kept);
}

void tst_SectionWindow::chartIsShown_data()
{
    QTest::addColumn<beam::SectionInputs>("inputs");
    beam::SectionInputs s = startValues();
    QTest::addRow("the start section") << s;
    s.barCount = 8;
    s.stirrupItem = 0;
    QTest::addRow("eight bars without stirrups") << derived(s);
    s = startValues();
    s.b = 2000;
    s.H = 100;
    QTest::addRow("a wide shallow section") << derived(s);
}

// With MEd, at the default size and at what a screen at 200 % leaves: the drawing scrolls
// rather than leave out the chart.
void tst_SectionWindow::chartIsShown()
{
    QFETCH(beam::SectionInputs, inputs);
    for (const QSize size : {section::SectionWindow::defaultSize, QSize(952, 520)}) {
        section::SectionWindow view;
        view.setResult(resultOf(inputs));
        view.resize(size);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        findControl<QLineEdit>(&view, u"MEdEdit"_s)->setText(u"100"_s);
        const auto *drawing = findControl<section::SectionDrawing>(&view, u"SectionDrawing"_s);
        QVERIFY2(!section::layoutSection(drawing->picture(), QSizeF(drawing->size()),
                                         drawing->font(), drawing)
                      .chartLeftOut,
                 qPrintable(u"no chart at %1 × %2"_s.arg(size.width()).arg(size.height())));
    }
}

QTEST_MAIN(tst_SectionWindow)
#include "tst_section_window.moc"
