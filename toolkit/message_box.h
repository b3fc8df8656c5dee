#pragma once

#include <QMessageBox>

#include <functional>

namespace toolkit {

// Every message the program shows goes through here: a modal box with the given caption, text
// and buttons, which returns the button that closed it. It runs its own event loop, in which
// every timer of the program keeps ticking; without an owner Qt centres it on the screen. The
// text is shown as it is, never as markup.
QMessageBox::StandardButton showMessage(QWidget *owner, QMessageBox::Icon icon,
                                        const QString &caption, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Answers the boxes shown from now on instead of a user: `answer` runs inside each box's loop,
// `delay` milliseconds after the box has come up, and names the button to press. An empty
// answer leaves the boxes to the user again.
using MessageAnswer = std::function<QMessageBox::StandardButton(const QMessageBox &box)>;
void setMessageAnswer(MessageAnswer answer, int delay = 0);

} // namespace toolkit
