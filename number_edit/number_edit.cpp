#include "number_edit.h"

#include "decimal_separator.h"
#include "message_box.h"
#include "number_text.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTabWidget>

#include <string>

namespace {

// Number texts are ASCII; anything else cannot be part of a number and simply fails to parse.
std::string toAscii(const QString &text)
{
    return text.toLatin1().toStdString();
}

QString fromAscii(const std::string &text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString formatReal(double value)
{
    return fromAscii(numtext::formatGeneral(value, 8, toolkit::decimalSeparator()));
}

// The virtual-key code of a released key. The codes the control acts on come first; the rest
// lets a key handler tell the keys of a number apart. Any other key carries 0, never one of the
// codes acted on (the mouse-button codes 1, 2 and 4 do not come from the keyboard).
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

// It and all its parents up to the window are visible and enabled.
bool canTakeFocus(const QWidget *w)
{
    return w->isVisible() && w->isEnabled();
}

} // namespace

TNumberEdit::TNumberEdit(QWidget *parent)
    : QLineEdit(parent)
{}

TNumberEdit::~TNumberEdit()
{
    // A destroyed control stops its timer; the shared flag must not outlive the last timer, or
    // no other control would start its own at a key release.
    if (m_focusTimer.isActive())
        FocusTimerActive = false;
}

void TNumberEdit::setText(const QString &text)
{
    m_storedText = text;
    // textChanged fires here, after the stored text and before the value follow it, which is
    // the order a change handler of the window relies on.
    QLineEdit::setText(text);
    const std::string ascii = toAscii(text);
    if (m_numType == IntType) {
        const auto value = numtext::parseInt(ascii);
        if (!value)
            setIntValue(0);
        else if (*value != m_intValue)
            setIntValue(*value);
    } else {
        const auto value = numtext::parseReal(ascii);
        if (!value)
            setRealValue(0);
        else if (double(*value) != m_realValue)
            setRealValue(double(*value));
    }
}

void TNumberEdit::setIntValue(qint32 value)
{
    // The value is stored before the text is written, so a change handler already reads it.
    m_intValue = value;
    if (m_storedText.isEmpty()) {
        setText(fromAscii(numtext::formatInteger(value)));
        return;
    }
    const auto shown = numtext::parseInt(toAscii(m_storedText));
    if (shown && *shown != value)
        setText(fromAscii(numtext::formatInteger(value)));
}

void TNumberEdit::setRealValue(double value)
{
    m_realValue = value;
    if (m_storedText.isEmpty()) {
        setText(formatReal(value));
        return;
    }
    const auto shown = numtext::parseReal(toAscii(m_storedText));
    if (shown && double(*shown) != value)
        setText(formatReal(value));
}

void TNumberEdit::setMin(double min)
{
    if (min == m_min)
        return;
    m_min = min;
    if (m_defaultHint)
        rebuildDefaultHint();
    update();
}

void TNumberEdit::setMax(double max)
{
    // An upper bound equal to the lower one can never be stored.
    if (max == m_max || max == m_min)
        return;
    m_max = max;
    if (m_defaultHint)
        rebuildDefaultHint();
    update();
}

void TNumberEdit::setDefaultHint(bool on)
{
    if (on) {
        m_showHint = true;
        rebuildDefaultHint();
    }
    m_defaultHint = on;
}

void TNumberEdit::rebuildDefaultHint()
{
    setHint(formatReal(Min()) + QLatin1Char(' ') + formatReal(Max()));
}

void TNumberEdit::setHint(const QString &hint)
{
    m_hint = hint;
    applyHint();
}

void TNumberEdit::setShowHint(bool show)
{
    m_showHint = show;
    applyHint();
}

void TNumberEdit::applyHint()
{
    setToolTip(m_showHint ? m_hint : QString());
}

void TNumberEdit::keyReleaseEvent(QKeyEvent *event)
{
    // The release is the control's own: QLineEdit never sees it. A held key repeats its press
    // and, on X11, its release as well; only the final release closes the keystroke, as the
    // user sees it, so a repeated release is dropped (a held Tab or Enter reports once).
    event->accept();
    if (event->isAutoRepeat())
        return;
    KeyReleased(virtualKey(event->key()));
}

quint8 TNumberEdit::KeyToShift(quint16 key)
{
    switch (key) {
    case KeyLeftButton:
        return ssLeft;
    case KeyRightButton:
        return ssRight;
    case KeyMiddleButton:
        return ssMiddle;
    case KeyShift:
        return ssShift;
    case KeyCtrl:
        return ssCtrl;
    case KeyAlt:
        return ssAlt;
    default:
        return 0;
    }
}

void TNumberEdit::KeyReleased(quint16 key)
{
    // The control may be destroyed while a message box runs its own event loop.
    const QPointer<TNumberEdit> alive(this);
    const bool closing = key == KeyTab || key == KeyEnter;

    if (!FocusTimerActive)
        startFocusTimer();
    m_status = numtext::Valid;
    ShiftBits |= KeyToShift(key);
    // Releasing Ctrl or Alt checks nothing, which is the user's way out of a bad entry. A
    // read-only control is never examined: it shows what the program wrote, which the user
    // can neither have typed nor change, so there is nothing to report or to hold them to.
    if ((ShiftBits == 0 || ShiftBits == ssShift) && !isReadOnly()) {
        examineEntry(closing);
        if (!alive)
            return;
    }
    if (m_onKeyUp && !closing) {
        // The handler gets copies: of the key, so that its change has no effect, and of itself,
        // so that it may replace itself while it runs.
        const TKeyEvent handler = m_onKeyUp;
        quint16 copy = key;
        handler(this, copy, ShiftBits);
        if (!alive)
            return;
    }
    ShiftBits = 0;

    if (m_status == numtext::Valid && closing) {
        stopFocusTimer();
        if (key == KeyEnter)
            moveFocusOn();
        return;
    }
    bringBack();
}

void TNumberEdit::examineEntry(bool closing)
{
    // The whole text is examined, however long: a pasted text is checked as the user sees it.
    const QString shown = QLineEdit::text();
    const std::string ascii = toAscii(shown);
    const auto kind = m_numType == IntType ? numtext::Kind::Integer : numtext::Kind::Real;
    numtext::SplitNumber parts;
    if (shown.isEmpty()) {
        // The stored text keeps the last entry that was not empty, and the value stays.
        m_status = numtext::NotANumber;
    } else {
        parts = numtext::splitNumber(ascii, kind);
        m_storedText = shown;
        if (parts.found && parts.exponent.empty()) {
            m_status = numtext::NotANumber;
        } else {
            const auto result =
                numtext::checkNumber(kind, parts.mantissa, parts.exponent, m_min, m_max);
            m_status = result.status;
            if (result.inconsistent) {
                const std::string message =
                    numtext::consistencyMessage(parts.mantissa, parts.exponent);
                if (!showMessage(fromAscii(message)))
                    return;
                startFocusTimer();
            }
        }
    }

    if (closing && m_status != numtext::Valid) {
        const std::string_view message = numtext::statusMessage(numtext::Status(m_status));
        if (!showMessage(fromAscii(std::string(message))))
            return;
        startFocusTimer();
    }

    // Out of range or beyond the kind is taken over all the same; only no number at all
    // leaves the value as it was. No text is written, so no change handler runs.
    if (m_status == numtext::NotANumber)
        return;
    if (m_numType == IntType)
        m_intValue = numtext::parseInt(parts.mantissa).value_or(m_intValue);
    else
        takeRealValue(parts.mantissa, parts.exponent);
}

void TNumberEdit::takeRealValue(std::string_view mantissa, std::string_view exponent)
{
    // Only a lone sign passes the check and fails this parse; it reads as 0.
    double m = 0;
    if (const auto parsed = numtext::parseReal(mantissa))
        m = double(*parsed);
    else
        m_status = numtext::NotANumber;
    std::int32_t e = 0;
    if (!exponent.empty()) {
        const auto parsed = numtext::parseInt(exponent);
        if (!parsed) {
            m_status = numtext::NotANumber;
            return;
        }
        e = *parsed;
    }
    // A value a double cannot hold is beyond the kind, and the store keeps what it had.
    if (const auto value = numtext::scaledReal(m, e))
        m_realValue = *value;
    else
        m_status = numtext::BeyondKind;
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

void TNumberEdit::moveFocusOn()
{
    QWidget *parent = parentWidget();
    if (!parent)
        return;
    // The children in the order they were placed in the parent, which is the tab order of a
    // group built in that order.
    const QObjectList &children = parent->children();
    const qsizetype self = children.indexOf(this);
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
    // The turn ends at the control itself, which keeps the focus.
}

bool TNumberEdit::showMessage(const QString &text)
{
    const QPointer<TNumberEdit> alive(this);
    // Without a parent Qt centres the box on the screen. The consistency message separates
    // its lines with carriage returns, which a label does not break on.
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    toolkit::showMessage(nullptr, QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                         shown);
    return !alive.isNull();
}
