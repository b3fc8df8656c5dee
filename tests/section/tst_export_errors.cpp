#include "application.h"
#include "find_control.h"
#include "main_form.h"
#include "section_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Why an export failed, as the section view says it: the cause in Dutch, also when it shows
// only once the drawing is being written, and nothing left behind.
class tst_ExportErrors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void reasons_data();
    void reasons();

private:
    std::unique_ptr<TMainForm> form;
};

namespace {

// While it lives, no file of this process may grow past `bytes`: a write beyond fails with
// EFBIG instead of raising SIGXFSZ. A full disk, which a test cannot make, fails the same way.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool set() const { return m_set; }

private:
    rlimit m_old{};
    bool m_set = false;
    void (*m_handler)(int) = nullptr;
};

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

void tst_ExportErrors::init()
{
    QTest::failOnWarning(QRegularExpression(
        u"^(?!This plugin does not support (propagateSizeHints|raise)\\(\\)$).*"_s));
    form = std::make_unique<TMainForm>();
    form->setSectionHandler(section::showSectionWindow);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void tst_ExportErrors::cleanup()
{
    form.reset();
}

void tst_ExportErrors::reasons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QString>("reason");

    const QString longName = QString(300, u'a') + u".pdf"_s;
    QTest::addRow("a folder that does not exist")
        << u"ontbreekt/doorsnede.pdf"_s << QString() << u"de map bestaat niet"_s;
    QTest::addRow("a file where a folder should be")
        << u"tekst/doorsnede.pdf"_s << u"file tekst"_s << u"een deel van het pad is geen map"_s;
    QTest::addRow("a folder under the name")
        << u"doorsnede.svg"_s << u"folder doorsnede.svg"_s << u"er staat al een map met die naam"_s;
    QTest::addRow("a name longer than the system allows")
        << longName << QString() << u"de naam is te lang"_s;
    QTest::addRow("a folder that may not be written")
        << u"alleen/doorsnede.pdf"_s << u"read-only folder alleen"_s
        << u"geen toestemming om daar te schrijven"_s;
    QTest::addRow("an existing file that may not be written")
        << u"doorsnede.pdf"_s << u"read-only file doorsnede.pdf"_s
        << u"geen toestemming om daar te schrijven"_s;
    // A file that stops short, as on a full disk: saved as a whole or not at all, and the
    // cause named. The SVG writer would take the short write for done.
    const QString tooLarge = u"het bestand wordt te groot"_s;
    QTest::addRow("a PNG that outgrows the limit on file size")
        << u"doorsnede.png"_s << u"limit"_s << tooLarge;
    QTest::addRow("a PDF that outgrows the limit on file size")
        << u"doorsnede.pdf"_s << u"limit"_s << tooLarge;
    QTest::addRow("an SVG that outgrows the limit on file size")
        << u"doorsnede.svg"_s << u"limit"_s << tooLarge;
}

void tst_ExportErrors::reasons()
{
    QFETCH(QString, name);
    QFETCH(QString, setUp);
    QFETCH(QString, reason);

    findControl<QAction>(form.get(), u"Section1"_s)->trigger();
    auto *view = form->findChild<section::SectionWindow *>();
    QVERIFY(view);
    QVERIFY(QTest::qWaitForWindowExposed(view));

    QTemporaryDir dir;
    const QString place = setUp.section(u' ', -1);
    const QString target = dir.filePath(place);
    if (setUp.startsWith(u"read-only") && geteuid() == 0)
        QSKIP("root may write where the permissions forbid it");
    if (setUp.endsWith(u"file "_s + place)) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("eerder");
    } else if (setUp.endsWith(u"folder "_s + place)) {
        QVERIFY(QDir(dir.path()).mkdir(place));
    }
    if (setUp.startsWith(u"read-only"))
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ExeOwner));
    const QStringList before = entries(dir.path());
    const QString path = dir.filePath(name);

    QString error;
    if (setUp == u"limit") {
        const FileSizeLimit limit(4096);
        QVERIFY(limit.set());
        error = view->exportTo(path);
    } else {
        error = view->exportTo(path);
    }
    if (setUp.startsWith(u"read-only"))
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(error, u"\"%1\" kan niet worden geschreven: %2."_s.arg(QDir::toNativeSeparators(path),
                                                                    reason));
    QCOMPARE(entries(dir.path()), before);
    if (setUp.startsWith(u"read-only folder"))
        QCOMPARE(entries(target), QStringList());
    if (setUp.startsWith(u"read-only file")) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "eerder");
    }
}

// As the program runs: Qt's own texts, which QSaveFile reports some causes in, are Dutch.
int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    tst_ExportErrors test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_export_errors.moc"
