#pragma once

#include "moment.h"
#include "section_inputs.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QLineEdit;
class QTimer;

namespace Ui {
class MainForm;
}

// The calculator window. It keeps no data model apart from its controls: every input,
// derived value and result lives in a control, the handlers copy values from control to
// control, and two timers keep the effective depth and the results current. The one thing it
// holds besides is the result of its last computation, which a tick that computes hands on to
// the views of the section (resultsCalculated). The controls and where they stand come from the
// form (main_form.ui), whose names the handlers use as they are.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int calcInterval = 10;    // ms: results follow the inputs within a tick
    static constexpr int depthInterval = 1000; // ms: d catches up with typed heights and covers
    // Where the window's frame first stands on the screen.
    static constexpr QPoint startPosition{26, 79};

    explicit TMainForm(QWidget *parent = nullptr);
    // With the handler trace below in place from the start, so that the chain FormCreate runs
    // during construction is seen as well.
    explicit TMainForm(std::function<void(const char *handler)> trace, QWidget *parent = nullptr);
    ~TMainForm() override;

    // Called with a handler's name each time it runs, so that tests can follow the chains. When
    // nobody listens a handler pays one test of an empty function.
    void setHandlerTrace(std::function<void(const char *handler)> trace);

    // Runs when the user asks for the About box; the shell supplies it.
    void setAboutHandler(std::function<void(QWidget *owner)> handler);

    // Runs when the user asks for the section view; the shell supplies it.
    void setSectionHandler(std::function<void(QWidget *owner)> handler);

    // The section as the last tick read it, and the run of the models on it; from the window's
    // creation on, before its first tick, the section it starts with.
    const beam::SectionResult &result() const { return m_result; }

Q_SIGNALS:
    // After a tick of CalcTimer that read other inputs than the tick before, once the results
    // are written: those inputs and the one run that gave the fields their texts, for every
    // view of the section. An idle tick hands nothing on, so no view compares it again.
    void resultsCalculated(const beam::SectionResult &result);

protected:
    void closeEvent(QCloseEvent *event) override;

private Q_SLOTS:
    // Slots, so that a test can run a tick's handler on its own (QMetaObject::invokeMethod)
    // without waiting for the timer.
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
    void setUpForm();
    void openMenuBar();
    void connectHandlers();
    void trace(const char *handler) const;
    // Reads the section from the controls into `section`, whose texts' buffers are reused, so
    // that a tick allocates nothing.
    void readSection(beam::SectionInputs &section) const;
    // Runs the models on the section just read, unless the last run was on equal inputs;
    // whether it ran.
    bool calculate();

    std::unique_ptr<Ui::MainForm> ui;
    // In the order in which each tick writes them.
    std::array<QLineEdit *, beam::ResultFieldCount> m_results{};
    QTimer *CalcTimer = nullptr;
    QTimer *dTimer = nullptr;

    // The results are a function of the inputs alone, so an idle tick, whose inputs are those
    // of the last computation, takes that computation's result instead of making it again. It
    // compares its texts with the fields only when one of them changed since the last tick
    // wrote them: the user may have typed into it.
    beam::SectionInputs m_reading;
    beam::SectionResult m_result;
    bool m_resultFieldsChanged = true; // the first tick fills them

    std::function<void(const char *)> m_trace;
    std::function<void(QWidget *)> m_about;
    std::function<void(QWidget *)> m_section;
};
