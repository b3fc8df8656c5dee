#pragma once

#include <QLineEdit>

namespace toolkit {

// Writing a line edit's own text again still moves its cursor, drops the selection and the
// undo history, and repaints; a field rewritten by a timer would fight the user. So an
// unchanged text is not written at all, and a changed one notifies as usual.
inline void setTextIfChanged(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace toolkit
