#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutBox;
}

// The About box, laid out in about_box.ui. One is created for each showing, owned by the main
// window, shown modally and destroyed once the modal display has returned (showAboutBox).
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    // The offset of the box's frame from the main window's frame.
    static constexpr QPoint offset{135, 45};

    // What closing the box asks for. It asks to be freed; shown modally, it is destroyed by
    // showAboutBox once the display has returned, and only there.
    enum class CloseAction { Hide, Free };

    explicit TAboutBox(QWidget *owner);
    ~TAboutBox() override;

    CloseAction closeAction() const { return m_closeAction; }

    // Every way of closing the box ends here: OK, the title bar's close button, a close request.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void FormCreate();
    void FormClose();

private:
    std::unique_ptr<Ui::AboutBox> ui;
    CloseAction m_closeAction = CloseAction::Hide;
};

// Creates an About box owned by `owner`, shows it modally and destroys it; the main window's
// About handler.
void showAboutBox(QWidget *owner);
