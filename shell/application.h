#pragma once

#include <QApplication>
#include <QIcon>
#include <QRect>
#include <QTranslator>

class TMainForm;

namespace section {
class SectionWindow;
}

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

// The main window's "Section" handler: the first time it creates the section view, which then
// follows the window's results and closes with it; every time it shows the view and raises it.
void showSectionView(QWidget *owner);
// Where the section view goes: beside the main window's frame `owner`, to its right where the
// screen's available area has room, else to its left, else below it; where none has room, at
// the right, kept on the screen. `size` is first made to fit that area.
QRect besideOwner(const QRect &owner, QSize size, const QRect &available);
// The same for a main window in hand; returns its view.
section::SectionWindow *openSectionView(TMainForm &form);
