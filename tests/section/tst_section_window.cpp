#include "application.h"
#include "find_control.h"
#include "main_form.h"
#include "section_window.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

// The section view as the main window's menu opens it: one window, raised when asked again,
// following the results while shown and not while hidden, gone with the main window; and its
// exports, which must reopen as what they claim to be or leave nothing behind.
class tst_SectionWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void menuOpensOneWindowAndRaisesIt();
    void followsOnlyWhileShown();
    void closesWithTheMainWindow();
    void exports_data();
    void exports();

private:
    section::SectionWindow *open();
    std::unique_ptr<TMainForm> form;
};

void tst_SectionWindow::init()
{
    QTest::failOnWarning(QRegularExpression(
        u"^(?!This plugin does not support (propagateSizeHints|raise)\\(\\)$).*"_s));
    form = std::make_unique<TMainForm>();
    form->setSectionHandler(showSectionView);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void tst_SectionWindow::cleanup()
{
    form.reset();
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
        const QImage image = QImage::fromData(data, "PNG");
        QVERIFY(!image.isNull());
        // Something is drawn: not all of it is the white background.
        QVERIFY(image.pixel(image.width() / 2, image.height() / 2) != 0 ||
                image.convertToFormat(QImage::Format_Mono).colorCount() > 1);
    } else if (name.endsWith(u".svg"_s)) {
        QSvgRenderer renderer(data);
        QVERIFY(renderer.isValid());
        QVERIFY(data.contains("Doorsnede"));
    } else {
        QVERIFY(data.startsWith("%PDF-1."));
        QVERIFY(data.trimmed().endsWith("%%EOF"));
        static const QRegularExpression page(u"/Type\\s*/Page\\b(?!s)"_s);
        QCOMPARE(QString::fromLatin1(data).count(page), 1);
    }
}

QTEST_MAIN(tst_SectionWindow)
#include "tst_section_window.moc"
