#include "number_edit.h"

#include "focus_order.h"
#include "latin1_text.h"
#include "message_box.h"
#include "number_text.h"
#include "virtual_key.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <string>

// The key release: what it checks and takes over, what it reports, and whom it tells.

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
            moveFocusOn(this);
        return;
    }
    bringBack();
}

void TNumberEdit::examineEntry(bool closing)
{
    // The whole text is examined, however long: a pasted text is checked as the user sees it.
    const QString shown = QLineEdit::text();
    const std::string ascii = toolkit::toLatin1(shown);
    const auto kind = m_numType == IntType ? numtext::Kind::Integer : numtext::Kind::Real;
    numtext::SplitNumber parts;
    if (shown.isEmpty()) {
        // The stored text keeps the last entry that was not empty, and the value stays.
        m_status = numtext::NotANumber;
    } else {
        parts = numtext::splitNumber(ascii, kind);
        StoredText = shown;
        if (parts.found && parts.exponent.empty()) {
            m_status = numtext::NotANumber;
        } else {
            const auto result =
                numtext::checkNumber(kind, parts.mantissa, parts.exponent, m_min, m_max);
            m_status = result.status;
            if (result.inconsistent) {
                const std::string message =
                    numtext::consistencyMessage(parts.mantissa, parts.exponent);
                if (!showMessage(toolkit::fromLatin1(message)))
                    return;
                startFocusTimer();
            }
        }
    }

    if (closing && m_status != numtext::Valid) {
        const std::string_view message = numtext::statusMessage(numtext::Status(m_status));
        if (!showMessage(toolkit::fromLatin1(message)))
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
