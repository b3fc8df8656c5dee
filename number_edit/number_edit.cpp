#include "number_edit.h"

#include "decimal_separator.h"
#include "number_text.h"

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

} // namespace

TNumberEdit::TNumberEdit(QWidget *parent)
    : QLineEdit(parent)
{}

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
