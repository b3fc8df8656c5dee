#pragma once

#include <QBasicTimer>
#include <QLineEdit>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <string_view>

class QTabWidget;

// A key handler: the control, the released key's virtual-key code and the shift state
// (TNumberEdit::ShiftState bits). The key is the handler's own copy: changing it has no effect.
using TKeyEvent = std::function<void(QObject *sender, quint16 &key, quint8 shift)>;

// A single-line edit for one whole or real number within a range set by the program.
//
// Besides the characters on screen it holds a value (as an integer and as a real, two
// independent stores) and a stored copy of its text. Program writes keep the three in step
// and notify through the inherited textChanged; the user's typing changes only the screen
// until a key is released.
//
// Each key release checks the entry and takes its value over without notifying anyone. Tab
// or Enter report a bad entry in a message box, and Enter on a good one moves the focus on.
// A focus timer then holds the focus, and the notebook page, in the control for as long as
// its last check found the entry bad.
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
    Q_PROPERTY(QString Hint READ Hint WRITE setHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE setShowHint)

public:
    enum TNumberType : std::uint8_t { IntType = 0, RealType = 1 };
    Q_ENUM(TNumberType)

    // The virtual-key codes a key release carries that the control acts on. Other keys carry
    // their own codes (digits and letters their character, Backspace 8, Escape 27, ...) or 0.
    enum VirtualKey : quint16 {
        KeyLeftButton = 1,
        KeyRightButton = 2,
        KeyMiddleButton = 4,
        KeyTab = 9,
        KeyEnter = 13,
        KeyShift = 16,
        KeyCtrl = 17,
        KeyAlt = 18,
    };
    // The bits of a key event's shift state.
    enum ShiftState : quint8 {
        ssShift = 1,
        ssAlt = 2,
        ssCtrl = 4,
        ssLeft = 8,
        ssRight = 16,
        ssMiddle = 32,
    };

    // Asked for as 1 ms; the platform's shortest interval applies where it is longer.
    static constexpr int focusInterval = 1;

    explicit TNumberEdit(QWidget *parent = nullptr);
    ~TNumberEdit() override;

    // The stored text, which is not always what the screen shows while the user types.
    QString Text() const { return StoredText; }
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

    // Called at every key release but Tab and Enter.
    TKeyEvent OnKeyUp() const { return m_onKeyUp; }
    void setOnKeyUp(TKeyEvent handler) { m_onKeyUp = std::move(handler); }

    // Whether entering the control with Tab selects its whole text. The first tick of the
    // focus timer turns it off for good, so that the focus brought back finds the text as the
    // user left it.
    bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool on) { m_autoSelect = on; }

    // Shared by all number edits: some control has started its focus timer, or found itself
    // focused at a tick, since one last stopped its timer.
    static bool isFocusTimerActive() { return FocusTimerActive; }

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    struct NotebookPage {
        QTabWidget *notebook = nullptr;
        int page = 0;
    };

    void KeyReleased(quint16 key);
    void FocusTimerTick();
    static quint8 KeyToShift(quint16 key);
    NotebookPage FindNotebook() const;
    void examineEntry(bool closing);
    void takeRealValue(std::string_view mantissa, std::string_view exponent);
    void startFocusTimer();
    void stopFocusTimer();
    void bringBack();
    bool showMessage(const QString &text);
    void rebuildDefaultHint();
    void applyHint();

    static inline bool FocusTimerActive = false;

    QString StoredText;
    QString m_hint;
    double m_min = 0;
    double m_max = 0; // stored upper bound
    double m_realValue = 0;
    qint32 m_intValue = 0;
    TNumberType m_numType = IntType;
    bool m_defaultHint = false;
    bool m_showHint = false;
    std::uint8_t m_status = 0;
    quint8 ShiftBits = 0;
    bool m_autoSelect = true;
    bool PageSaved = false;
    qint32 SavedPage = 0;
    QPointer<QTabWidget> SavedNotebook;
    QBasicTimer m_focusTimer;
    TKeyEvent m_onKeyUp;
};
