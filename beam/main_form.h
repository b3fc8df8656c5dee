#pragma once

#include "section_inputs.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QScrollBar;
class QTabWidget;
class QGroupBox;
class QTimer;
class TNumberEdit;
namespace toolkit {
class RadioGroup;
}

// The calculator window. It keeps no data model apart from its controls: every input,
// derived value and result lives in a control, the handlers copy values from control to
// control, and two timers keep the effective depth and the results current.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int calcInterval = 10;    // ms: results follow the inputs within a tick
    static constexpr int depthInterval = 1000; // ms: d catches up with typed heights and covers

    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // Called with a handler's name each time it runs, so that tests can follow the chains.
    void setHandlerTrace(std::function<void(const char *handler)> trace);

    // Runs when the user asks for the About box; the shell supplies it.
    void setAboutHandler(std::function<void(QWidget *owner)> handler);

    // Runs when the user asks for the section view; the shell supplies it.
    void setSectionHandler(std::function<void(QWidget *owner)> handler);

    // The section as the controls hold it now, read afresh as a tick reads it.
    beam::SectionInputs sectionInputs() const;

Q_SIGNALS:
    // After every tick of CalcTimer, once the results are written; a view that follows the
    // window connects only while it is shown.
    void resultsCalculated();

protected:
    void closeEvent(QCloseEvent *event) override;

private Q_SLOTS:
    // The handlers are slots so that tests and tools can run one by name, as a tick would.
    void FormCreate();
    void FormClose();
    void BRadioGroupClick();
    void FeBRadioGroupClick();
    void PHIhwRadioGroupClick();
    void PHIbgRadioGroupClick();
    void ScrollBar1Change();
    void nEditChange();
    void HScrollBarChange();
    void HNumEditChange();
    void BScrollBarChange();
    void BNumEditChange();
    void cNumEditChange();
    void dTimerTimer();
    void CalcTimerTimer();
    void Exit1Click();
    void About1Click();
    void Section1Click();
    void UpdateDesignValues();
    void UpdateEffectiveDepth();

private:
    void buildLayout();
    void connectHandlers();
    void trace(const char *handler) const;

    QTabWidget *TabbedNotebook1 = nullptr;
    toolkit::RadioGroup *BRadioGroup = nullptr;
    toolkit::RadioGroup *FeBRadioGroup = nullptr;
    QLineEdit *fbDrukEdit = nullptr;
    QLineEdit *fbTrekEdit = nullptr;
    QLineEdit *EbEdit = nullptr;
    QLineEdit *fsEdit = nullptr;
    QLineEdit *EsEdit = nullptr;
    toolkit::RadioGroup *PHIhwRadioGroup = nullptr;
    toolkit::RadioGroup *PHIbgRadioGroup = nullptr;
    QLineEdit *nEdit = nullptr;
    QScrollBar *ScrollBar1 = nullptr;
    TNumberEdit *AsNumEdit = nullptr;
    TNumberEdit *cNumEdit = nullptr;
    TNumberEdit *HNumEdit = nullptr;
    QScrollBar *HScrollBar = nullptr;
    TNumberEdit *BNumEdit = nullptr;
    QScrollBar *BScrollBar = nullptr;
    TNumberEdit *dNumEdit = nullptr;
    // In the order in which each tick writes them.
    std::array<QLineEdit *, 11> results{};
    QTimer *CalcTimer = nullptr;
    QTimer *dTimer = nullptr;

    // Buffers for the design-value texts, kept only so that a tick allocates nothing; every
    // tick reads the fields afresh.
    std::string m_fydText;
    std::string m_fcdText;

    std::function<void(const char *)> m_trace;
    std::function<void(QWidget *)> m_about;
    std::function<void(QWidget *)> m_section;
};
