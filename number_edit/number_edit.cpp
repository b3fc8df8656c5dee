#include "number_edit.h"

#include "decimal_separator.h"
#include "latin1_text.h"
#include "number_text.h"

// The value model: the stored text, the two value stores, the range and the hint, kept in step
// by the program's writes.

namespace {

QString formatReal(double value)
{
    return toolkit::fromLatin1(numtext::formatGeneral(value, 8, toolkit::decimalSeparator()));
}

} // namespace

TNumberEdit::TNumberEdit(QWidget *parent)
    : QLineEdit(parent)
{}

void TNumberEdit::setText(const QString &text)
{
    StoredText = text;
    // textChanged fires here, after the stored text and before the value follow it, which is
    // the order a change handler of the window relies on.
    QLineEdit::setText(text);
    const std::string ascii = toolkit::toLatin1(text);
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
    if (StoredText.isEmpty()) {
        setText(toolkit::fromLatin1(numtext::formatInteger(value)));
        return;
    }
    const auto shown = numtext::parseInt(toolkit::toLatin1(StoredText));
    if (shown && *shown != value)
        setText(toolkit::fromLatin1(numtext::formatInteger(value)));
}

void TNumberEdit::setRealValue(double value)
{
    m_realValue = value;
    if (StoredText.isEmpty()) {
        setText(formatReal(value));
        return;
    }
    const auto shown = numtext::parseReal(toolkit::toLatin1(StoredText));
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
