#include "application.h"

#include <QMessageBox>

#include <exception>

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QLatin1StringView(title));
    setApplicationDisplayName(QLatin1StringView(title));
    setApplicationVersion(QStringLiteral(TRALVIK_VERSION));
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    // An exception must not unwind through Qt's event loop; it is reported and the loop goes on.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        QMessageBox::critical(activeWindow(), QLatin1StringView(title),
                              QString::fromLocal8Bit(error.what()));
    } catch (...) {
        QMessageBox::critical(activeWindow(), QLatin1StringView(title),
                              QStringLiteral("Onbekende fout"));
    }
    return false;
}
