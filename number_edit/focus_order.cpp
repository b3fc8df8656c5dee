#include "focus_order.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QWidget>

namespace {

// The widget that takes the focus when Enter moves on to `child`, or none.
QWidget *focusTarget(QWidget *child)
{
    if (child->isWindow())
        return nullptr;
    if (child->focusPolicy() & Qt::TabFocus)
        return child;
    // A radio group is one control to the user, though Qt gives the focus to its buttons: it is
    // entered on its checked item, or on its first control that takes the focus, as Tab does.
    auto *box = qobject_cast<QGroupBox *>(child);
    if (!box)
        return nullptr;
    QWidget *first = nullptr;
    const QList<QWidget *> inside = box->findChildren<QWidget *>();
    for (QWidget *w : inside) {
        if (!w->isVisibleTo(box) || !w->isEnabledTo(box))
            continue;
        // The checked item, even where only a click would give it the focus.
        auto *radio = qobject_cast<QRadioButton *>(w);
        if (radio && radio->isChecked() && radio->focusPolicy() != Qt::NoFocus)
            return radio;
        if (!first && (w->focusPolicy() & Qt::TabFocus))
            first = w;
    }
    return first;
}

} // namespace

bool canTakeFocus(const QWidget *w)
{
    return w->isVisible() && w->isEnabled();
}

void moveFocusOn(QWidget *from)
{
    QWidget *parent = from->parentWidget();
    if (!parent)
        return;
    // The children in the order they were placed in the parent, which is the order the form
    // gives them.
    const QObjectList &children = parent->children();
    const qsizetype self = children.indexOf(from);
    if (self < 0)
        return;
    for (qsizetype step = 1; step < children.size(); ++step) {
        auto *child = qobject_cast<QWidget *>(children[(self + step) % children.size()]);
        if (!child)
            continue;
        QWidget *target = focusTarget(child);
        if (target && canTakeFocus(target)) {
            // As Tab would: an edit entered this way selects its text where it auto-selects.
            target->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
