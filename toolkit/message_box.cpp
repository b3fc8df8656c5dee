#include "message_box.h"

#include <QPushButton>
#include <QTimer>

namespace toolkit {

namespace {

MessageAnswer Answer;
int AnswerDelay = 0;

} // namespace

QMessageBox::StandardButton showMessage(QWidget *owner, QMessageBox::Icon icon,
                                        const QString &caption, const QString &text,
                                        QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, owner);
    box.setTextFormat(Qt::PlainText);
    if (Answer) {
        // Started before the loop runs, so it fires inside it, with the box up.
        QTimer::singleShot(AnswerDelay, &box, [&box] {
            if (QAbstractButton *button = box.button(Answer(box)))
                button->click();
            else
                box.reject();
        });
    }
    return QMessageBox::StandardButton(box.exec());
}

void setMessageAnswer(MessageAnswer answer, int delay)
{
    Answer = std::move(answer);
    AnswerDelay = delay;
}

} // namespace toolkit
