#include "application.h"

#include "accessible_view.h"
#include "main_form.h"
#include "message_box.h"
#include "section_window.h"

#include <QEvent>
#include <QLibraryInfo>
#include <QPixmapCache>
#include <QScreen>

#include <algorithm>
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
    // Before any window exists: Qt keeps the first accessible interface it makes for a widget.
    section::installAccessibleInterfaces();
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
#include "tralvik.xpm"

} // namespace

QIcon programIcon()
{
    return QIcon(programImage());
}

QPixmap programImage()
{
    // Read by Qt's own XPM reader from the array: a file would first make Qt load every image
    // plugin to ask whether it reads that kind, some milliseconds of the start. Cached, so that
    // one copy serves however many ask.
    static const QString key = QStringLiteral("tralvik.program");
    QPixmap image;
    if (!QPixmapCache::find(key, &image)) {
        image = QPixmap(tralvik);
        QPixmapCache::insert(key, image);
    }
    return image;
}

namespace {

// Closes the view, its parent, when the main window it watches is closed or hidden by the
// program, by whichever path: a minimised window is hidden by the platform, spontaneously, and
// the view stays. It lives and dies with the view; the main window forgets a filter that is
// destroyed.
class ClosesWithMainWindow : public QObject
{
public:
    explicit ClosesWithMainWindow(QWidget *view)
        : QObject(view)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && !event->spontaneous())
            static_cast<QWidget *>(parent())->close();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QRect besideOwner(const QRect &owner, QSize size, const QRect &available)
{
    // A window frame's edges, which a client cannot place, take about this much.
    constexpr int gap = 8;
    size = size.boundedTo(available.size() - QSize(gap, gap));
    const auto within = [&available](int first, int length, int from, int to) {
        return std::clamp(first, from, std::max(from, to - length));
    };
    const int top = within(owner.top(), size.height(), available.top(), available.bottom() + 1);
    const int right = owner.left() + owner.width() + gap;
    if (right + size.width() <= available.left() + available.width())
        return {QPoint(right, top), size};
    if (owner.left() - gap - size.width() >= available.left())
        return {QPoint(owner.left() - gap - size.width(), top), size};
    const int left = within(owner.left(), size.width(), available.left(), available.right() + 1);
    const int below = owner.top() + owner.height() + gap;
    if (below + size.height() <= available.top() + available.height())
        return {QPoint(left, below), size};
    return {QPoint(available.right() + 1 - size.width(), top), size};
}

section::SectionWindow *openSectionView(TMainForm &form)
{
    auto *view = form.findChild<section::SectionWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!view) {
        view = new section::SectionWindow(&form);
        // Beside the main window, not over it: a student keeps changing the one while reading
        // the other. Scaled screens at 150 or 200 % leave fewer logical pixels; the view's
        // drawing scales to whatever it gets.
        if (const QScreen *screen = form.screen())
            view->setGeometry(
                besideOwner(form.frameGeometry(), view->size(), screen->availableGeometry()));
        view->setResult(form.result());
        QObject::connect(&form, &TMainForm::resultsCalculated, view,
                         &section::SectionWindow::setResult);
        form.installEventFilter(new ClosesWithMainWindow(view));
    }
    view->setWindowState(view->windowState() & ~Qt::WindowMinimized);
    view->show();
    view->raise();
    view->activateWindow();
    return view;
}

void showSectionView(QWidget *owner)
{
    if (auto *form = qobject_cast<TMainForm *>(owner))
        openSectionView(*form);
}
