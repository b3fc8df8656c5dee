#include "number_edit.h"

#include "focus_order.h"
#include "number_text.h"

#include <QFocusEvent>
#include <QTabWidget>
#include <QTimerEvent>

// Holding the focus, and the notebook page, in a control whose last check found its entry bad.

TNumberEdit::~TNumberEdit()
{
    // A destroyed control stops its timer; the shared flag must not outlive the last timer, or
    // no other control would start its own at a key release.
    if (m_focusTimer.isActive())
        FocusTimerActive = false;
}

void TNumberEdit::startFocusTimer()
{
    // Starting a running timer restarts it.
    m_focusTimer.start(focusInterval, Qt::PreciseTimer, this);
    FocusTimerActive = true;
}

void TNumberEdit::stopFocusTimer()
{
    m_focusTimer.stop();
    // Cleared whichever control set it.
    FocusTimerActive = false;
}

void TNumberEdit::bringBack()
{
    if (SavedNotebook)
        SavedNotebook->setCurrentIndex(SavedPage);
    if (canTakeFocus(this))
        setFocus(Qt::OtherFocusReason);
}

TNumberEdit::NotebookPage TNumberEdit::FindNotebook() const
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *notebook = qobject_cast<QTabWidget *>(w))
            return {notebook, notebook->currentIndex()};
    }
    return {};
}

void TNumberEdit::timerEvent(QTimerEvent *event)
{
    // QLineEdit runs timers of its own (drag start, triple click); only the focus timer ticks.
    if (event->timerId() == m_focusTimer.timerId())
        FocusTimerTick();
    else
        QLineEdit::timerEvent(event);
}

void TNumberEdit::FocusTimerTick()
{
    // About a thousand times a second while the control watches: a focus test and a few flags,
    // nothing allocated.
    m_autoSelect = false;
    if (!FocusTimerActive || !PageSaved) {
        const NotebookPage found = FindNotebook();
        SavedNotebook = found.notebook;
        if (found.notebook)
            SavedPage = found.page;
        PageSaved = true;
    }
    if (hasFocus()) {
        FocusTimerActive = true;
        return;
    }
    if (m_status != numtext::Valid) {
        bringBack();
        return;
    }
    m_focusTimer.stop();
    FocusTimerActive = false;
    SavedPage = 0;
    PageSaved = false;
    SavedNotebook = nullptr;
}

void TNumberEdit::focusInEvent(QFocusEvent *event)
{
    const bool selected = hasSelectedText();
    QLineEdit::focusInEvent(event);
    // QLineEdit selects the whole text when Tab brings the focus in; without AutoSelect the
    // text is left as it was.
    const Qt::FocusReason reason = event->reason();
    const bool byKey = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                       reason == Qt::ShortcutFocusReason;
    if (byKey && !m_autoSelect && !selected)
        deselect();
}
