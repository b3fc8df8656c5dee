// The floor that scripts/perf measures the program against: an empty Qt window of the same
// outer size, with nothing in it, so that what the program costs beyond Qt itself shows.
//
//   bare_window [width height]      (the main window's size when none is given)
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The main window's fixed client size plus its menu bar with the default font.
    int width = 346;
    int height = 354;
    const QStringList args = QApplication::arguments();
    if (args.size() == 3) {
        width = args.at(1).toInt();
        height = args.at(2).toInt();
    }
    QWidget window;
    window.setObjectName(QStringLiteral("BareWindow"));
    window.setWindowTitle(QStringLiteral("bare"));
    window.setFixedSize(width, height);
    window.show();
    return app.exec();
}
