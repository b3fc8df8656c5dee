#pragma once

#include <QLineEdit>

#include <cstdint>

// A single-line edit for one whole or real number within a range set by the program.
//
// Besides the characters on screen it holds a value (as an integer and as a real, two
// independent stores) and a stored copy of its text. Program writes keep the three in step
// and notify through the inherited textChanged; the user's typing changes only the screen
// until a key is released.
class TNumberEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(bool DefaultHint READ DefaultHint WRITE setDefaultHint)
    Q_PROPERTY(TNumberType NumType READ NumType WRITE setNumType)
    Q_PROPERTY(double Min READ Min WRITE setMin)
    Q_PROPERTY(double Max READ Max WRITE setMax)
    Q_PROPERTY(qint32 IntValue READ IntValue WRITE setIntValue)
    Q_PROPERTY(double RealValue READ RealValue WRITE setRealValue)

public:
    enum TNumberType : std::uint8_t { IntType = 0, RealType = 1 };
    Q_ENUM(TNumberType)

    explicit TNumberEdit(QWidget *parent = nullptr);

    // The stored text, which is not always what the screen shows while the user types.
    QString Text() const { return m_storedText; }
    // Hides QLineEdit::setText on purpose: a program write goes through the number rules.
    void setText(const QString &text);

    bool DefaultHint() const { return m_defaultHint; }
    void setDefaultHint(bool on);

    TNumberType NumType() const { return m_numType; }
    void setNumType(TNumberType type) { m_numType = type; }

    double Min() const { return m_min; }
    void setMin(double min);
    // An upper bound equal to Min reads as Min + 100 (the check itself uses the stored bound).
    double Max() const { return m_max == m_min ? m_min + 100 : m_max; }
    void setMax(double max);

    qint32 IntValue() const { return m_intValue; }
    void setIntValue(qint32 value);
    double RealValue() const { return m_realValue; }
    void setRealValue(double value);

    // The hint as set by the program and whether it is shown; the tool tip follows both.
    QString Hint() const { return m_hint; }
    void setHint(const QString &hint);
    bool ShowHint() const { return m_showHint; }
    void setShowHint(bool show);

    // The status of the last check made at a key release: 0 valid, 1 beyond the number
    // kind, 2 outside the range, 3 not a number.
    std::uint8_t Status() const { return m_status; }

private:
    void rebuildDefaultHint();
    void applyHint();

    QString m_storedText;
    QString m_hint;
    double m_min = 0;
    double m_max = 0; // stored upper bound
    double m_realValue = 0;
    qint32 m_intValue = 0;
    TNumberType m_numType = IntType;
    bool m_defaultHint = false;
    bool m_showHint = false;
    std::uint8_t m_status = 0;
};
