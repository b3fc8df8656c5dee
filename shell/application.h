#pragma once

#include <QApplication>

// The application object: its title is the caption of every message box, and an error that
// a handler lets escape is shown in such a box while the program goes on.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    static constexpr const char *title = "Tralvik";

    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
