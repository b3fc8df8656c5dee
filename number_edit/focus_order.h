#pragma once

class QWidget;

// Enter on a valid entry moves the focus on as Tab would within the control's parent: to the
// next of the parent's children, in the order they were placed, that can take the focus; a
// radio group is entered on its checked item. The turn wraps, and ends at `from` itself, which
// then keeps the focus.
void moveFocusOn(QWidget *from);

// It and all its parents up to the window are visible and enabled.
bool canTakeFocus(const QWidget *w);
