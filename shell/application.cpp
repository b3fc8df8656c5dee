#include "application.h"

#include "message_box.h"

#include <QLibraryInfo>

#include <exception>

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // The name only: a display name would be appended to every window's caption on X11. A
    // message box without a caption of its own shows the name.
    setApplicationName(QLatin1StringView(title));
    setApplicationVersion(QStringLiteral(TRALVIK_VERSION));
    setWindowIcon(programIcon());
    // Lets a Wayland compositor find the installed desktop entry, and with it name and icon.
    setDesktopFileName(QStringLiteral(TRALVIK_DESKTOP_ID));
    // The program's texts are Dutch whatever the desktop's language, and so must be what Qt
    // shows of its own: the file and print dialogs, the edits' context menus. Loaded before
    // the first window, which then needs no retranslation. Without Qt's catalogue (Debian's
    // qt6-translations-l10n) those stay English and the program works as before.
    if (m_qtTexts.load(QStringLiteral("qtbase_nl"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTexts);
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    // An exception must not unwind through Qt's event loop; it is reported and the loop goes on.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        toolkit::showMessage(activeWindow(), QMessageBox::Critical, QLatin1StringView(title),
                             QString::fromLocal8Bit(error.what()));
    } catch (...) {
        toolkit::showMessage(activeWindow(), QMessageBox::Critical, QLatin1StringView(title),
                             QStringLiteral("Onbekende fout"));
    }
    return false;
}

namespace {

// Drawn as text; the desktop's PNG and the Windows icon are made from it.
const QString iconFile = QStringLiteral(":/tralvik.xpm");

} // namespace

QIcon programIcon()
{
    return QIcon(iconFile);
}

QPixmap programImage()
{
    // Loaded by file name, so that Qt's pixmap cache holds one copy however often it is asked.
    return QPixmap(iconFile);
}
