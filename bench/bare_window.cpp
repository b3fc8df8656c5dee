// The floor that scripts/perf measures the program against: an empty Qt window of the same
// outer size, with nothing in it, so that what the program costs beyond Qt itself shows.
//
// With --tick it also runs a 10 ms timer that does nothing, the floor for an idle program that
// keeps its results current with such a timer: what the program's tick costs beyond waking up
// shows against it.
//
// With --text it shows one line of text in the desktop's font: the floor for a window that draws
// text at all, which first reads the font configuration and loads a font, as the program must.
//
//   bare_window [width height] [--tick] [--text]      (the main window's size when none is given)
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The main window's fixed client size plus its menu bar with the default font.
    int width = 346;
    int height = 354;
    QStringList args = QApplication::arguments();
    const bool tick = args.removeAll(QStringLiteral("--tick")) > 0;
    const bool text = args.removeAll(QStringLiteral("--text")) > 0;
    if (args.size() == 3) {
        width = args.at(1).toInt();
        height = args.at(2).toInt();
    }
    QWidget window;
    window.setObjectName(QStringLiteral("BareWindow"));
    window.setWindowTitle(QStringLiteral("bare"));
    window.setFixedSize(width, height);
    if (text)
        (new QLabel(QStringLiteral("Uiterste moment"), &window))->move(8, 8);
    window.show();
    QTimer ticker;
    if (tick) {
        ticker.setInterval(10);
        QObject::connect(&ticker, &QTimer::timeout, &window, [] {});
        ticker.start();
    }
    return app.exec();
}
