#include "virtual_key.h"

#include "number_edit.h"

quint16 virtualKey(int key)
{
    struct Code {
        int qtKey;
        quint16 code;
    };
    static constexpr Code codes[] = {
        {Qt::Key_Tab, TNumberEdit::KeyTab},
        {Qt::Key_Backtab, TNumberEdit::KeyTab},
        {Qt::Key_Return, TNumberEdit::KeyEnter},
        {Qt::Key_Enter, TNumberEdit::KeyEnter},
        {Qt::Key_Shift, TNumberEdit::KeyShift},
        {Qt::Key_Control, TNumberEdit::KeyCtrl},
        {Qt::Key_Alt, TNumberEdit::KeyAlt},
        {Qt::Key_Backspace, 8},
        {Qt::Key_Escape, 27},
        {Qt::Key_Space, 32},
        {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34},
        {Qt::Key_End, 35},
        {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},
        {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},
        {Qt::Key_Insert, 45},
        {Qt::Key_Delete, 46},
        {Qt::Key_Plus, 187},
        {Qt::Key_Comma, 188},
        {Qt::Key_Minus, 189},
        {Qt::Key_Period, 190},
    };
    for (const Code &c : codes) {
        if (c.qtKey == key)
            return c.code;
    }
    // Digits and letters carry their own character, as on the keyboard's virtual keys.
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return quint16(key);
    return 0;
}
