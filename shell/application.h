#pragma once

#include <QApplication>
#include <QIcon>
#include <QTranslator>

// The application object: its title is the caption of every message box and the program's
// name in the task bar, its icon that of every window, Qt's own dialogs speak Dutch as the
// program does, and an error that a handler lets escape is shown in a message box while the
// program goes on.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    static constexpr const char *title = "Tralvik";

    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

private:
    QTranslator m_qtTexts;
};

// The program's icon, 32 x 32 in 16 colours: for the program and its windows, and as an image
// for the About box.
QIcon programIcon();
QPixmap programImage();
