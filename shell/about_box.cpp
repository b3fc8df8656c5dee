#include "about_box.h"
#include "ui_about_box.h"

#include "application.h"
#include "layout_font.h"

#include <QEvent>
#include <QKeyEvent>
#include <QStyle>

#include <memory>

TAboutBox::TAboutBox(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::AboutBox>())
{
    ui->setupUi(this);
    toolkit::applyLayoutFonts(this);
    // Every showing finds the same pixmap in Qt's cache instead of adding a new one.
    ui->ProgramImage->setPixmap(programImage());
    // Read-only, the memo still takes the focus and lets the keyboard select, as a read-only
    // edit does; Enter stays in it (eventFilter) instead of pressing the default button.
    ui->Memo1->document()->setDocumentMargin(ui->Memo1->property("documentMargin").toReal());
    ui->Memo1->installEventFilter(this);
    ui->OKButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton, nullptr, ui->OKButton));
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    ui->OKButton->setFocus();

    FormCreate();
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::FormCreate()
{
    // Both positions are those of the outer frames; the screen's edges are not considered.
    if (QWidget *owner = parentWidget())
        move(owner->window()->pos() + offset);
}

void TAboutBox::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TAboutBox::FormClose()
{
    // Not deleteLater(): Qt runs a deferred deletion as soon as events are processed outside
    // the event that asked for it, which can be before exec() has returned, and showAboutBox
    // would then destroy the box a second time.
    m_closeAction = CloseAction::Free;
}

void TAboutBox::keyPressEvent(QKeyEvent *event)
{
    // The box has no cancel button: Escape does nothing.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Memo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void showAboutBox(QWidget *owner)
{
    // Created for this showing and destroyed here, exactly once, when the modal display ends.
    const auto box = std::make_unique<TAboutBox>(owner);
    box->exec();
}
