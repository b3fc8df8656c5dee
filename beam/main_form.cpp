#include "main_form.h"

#include "classic_style.h"
#include "decimal_separator.h"
#include "latin1_text.h"
#include "layout_font.h"
#include "line_edit_text.h"
#include "materials.h"
#include "moment.h"
#include "number_edit.h"
#include "radio_group.h"
#include "reinforcement.h"
#include "scroll_bar.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QTimer>

#include <stdexcept>
#include <string>

namespace {

// The separator that was in force when the window was created; the window puts it back when
// it closes.
char SavedDecimalSeparator = '.';

} // namespace

TMainForm::TMainForm(QWidget *parent)
    : TMainForm({}, parent)
{}

TMainForm::TMainForm(std::function<void(const char *)> trace, QWidget *parent)
    : QMainWindow(parent)
    , m_trace(std::move(trace))
{
    setUpForm();
    connectHandlers();

    CalcTimer = new QTimer(this);
    CalcTimer->setObjectName(QStringLiteral("CalcTimer"));
    CalcTimer->setInterval(calcInterval);
    connect(CalcTimer, &QTimer::timeout, this, &TMainForm::CalcTimerTimer);
    dTimer = new QTimer(this);
    dTimer->setObjectName(QStringLiteral("dTimer"));
    dTimer->setInterval(depthInterval);
    connect(dTimer, &QTimer::timeout, this, &TMainForm::dTimerTimer);
    CalcTimer->start();
    dTimer->start();
    if (!CalcTimer->isActive() || !dTimer->isActive())
        throw std::runtime_error("Not enough timers available");

    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::setHandlerTrace(std::function<void(const char *)> trace)
{
    m_trace = std::move(trace);
}

void TMainForm::setAboutHandler(std::function<void(QWidget *)> handler)
{
    m_about = std::move(handler);
}

void TMainForm::setSectionHandler(std::function<void(QWidget *)> handler)
{
    m_section = std::move(handler);
}

beam::SectionInputs TMainForm::sectionInputs() const
{
    beam::SectionInputs section;
    section.concreteClass = BRadioGroup->itemIndex();
    section.steelGrade = FeBRadioGroup->itemIndex();
    toolkit::toLatin1(fsEdit->text(), section.fydText);
    toolkit::toLatin1(fbDrukEdit->text(), section.fcdText);
    section.barItem = PHIhwRadioGroup->itemIndex();
    section.stirrupItem = PHIbgRadioGroup->itemIndex();
    section.barCount = ScrollBar1->value();
    section.As = AsNumEdit->IntValue();
    section.d = dNumEdit->IntValue();
    section.b = BNumEdit->IntValue();
    section.H = HNumEdit->IntValue();
    section.c = cNumEdit->IntValue();
    section.decimalSeparator = toolkit::decimalSeparator();
    return section;
}

void TMainForm::trace(const char *handler) const
{
    if (m_trace)
        m_trace(handler);
}

void TMainForm::setUpForm()
{
    setupUi(this);
    toolkit::applyLayoutFonts(ClientArea);
    for (toolkit::RadioGroup *group :
         {BRadioGroup, FeBRadioGroup, PHIhwRadioGroup, PHIbgRadioGroup})
        group->placeTabStopOnSelection();
    m_results = {mu0Edit, mu1Edit, xu1Edit, mu2Edit, xu2Edit, mu3Edit,
                 xu3Edit, z0Edit,  z1Edit,  z2Edit,  z3Edit};

    // The layout places a group's contents as if its caption stood on the frame's top line, and
    // its radio columns need the smaller spacing; the style gives both, to every control that
    // exists by now.
    toolkit::applyClassicStyle(ClientArea);

    // The client area is as large as the form makes it; the menu bar keeps the desktop's font.
    setFixedSize(ClientArea->minimumSize() + QSize(0, menuBar()->sizeHint().height()));
    move(startPosition);
}

void TMainForm::connectHandlers()
{
    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(Section1, &QAction::triggered, this, &TMainForm::Section1Click);
    connect(About1, &QAction::triggered, this, &TMainForm::About1Click);
    connect(BRadioGroup, &toolkit::RadioGroup::clicked, this, &TMainForm::BRadioGroupClick);
    connect(FeBRadioGroup, &toolkit::RadioGroup::clicked, this, &TMainForm::FeBRadioGroupClick);
    connect(PHIhwRadioGroup, &toolkit::RadioGroup::clicked, this, &TMainForm::PHIhwRadioGroupClick);
    connect(PHIbgRadioGroup, &toolkit::RadioGroup::clicked, this, &TMainForm::PHIbgRadioGroupClick);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TMainForm::ScrollBar1Change);
    connect(nEdit, &QLineEdit::textChanged, this, &TMainForm::nEditChange);
    connect(HScrollBar, &QScrollBar::valueChanged, this, &TMainForm::HScrollBarChange);
    connect(HNumEdit, &QLineEdit::textChanged, this, &TMainForm::HNumEditChange);
    connect(BScrollBar, &QScrollBar::valueChanged, this, &TMainForm::BScrollBarChange);
    connect(BNumEdit, &QLineEdit::textChanged, this, &TMainForm::BNumEditChange);
    connect(cNumEdit, &QLineEdit::textChanged, this, &TMainForm::cNumEditChange);
}

void TMainForm::FormCreate()
{
    trace("FormCreate");
    SavedDecimalSeparator = toolkit::decimalSeparator();
    toolkit::setDecimalSeparator('.');
    // The positions equal the layout's, so these writes set nothing off; the direct calls
    // after each of them are what fill the fields.
    HScrollBar->setValue(500);
    HScrollBarChange();
    BScrollBar->setValue(200);
    BScrollBarChange();
    ScrollBar1->setValue(4);
    ScrollBar1Change();
    nEditChange();
    UpdateDesignValues();
    UpdateEffectiveDepth();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

void TMainForm::FormClose()
{
    trace("FormClose");
    toolkit::setDecimalSeparator(SavedDecimalSeparator);
}

void TMainForm::BRadioGroupClick()
{
    trace("BRadioGroupClick");
    UpdateDesignValues();
}

void TMainForm::FeBRadioGroupClick()
{
    trace("FeBRadioGroupClick");
    UpdateDesignValues();
}

void TMainForm::PHIhwRadioGroupClick()
{
    trace("PHIhwRadioGroupClick");
    nEditChange();
    UpdateEffectiveDepth();
}

void TMainForm::PHIbgRadioGroupClick()
{
    trace("PHIbgRadioGroupClick");
    UpdateEffectiveDepth();
}

void TMainForm::ScrollBar1Change()
{
    trace("ScrollBar1Change");
    toolkit::setTextIfChanged(nEdit, QString::number(ScrollBar1->value()));
}

void TMainForm::nEditChange()
{
    trace("nEditChange");
    // The count comes from the scroll bar; nEdit only shows it.
    AsNumEdit->setIntValue(beam::steelArea(PHIhwRadioGroup->itemIndex(), ScrollBar1->value()));
}

void TMainForm::HScrollBarChange()
{
    trace("HScrollBarChange");
    HNumEdit->setIntValue(HScrollBar->value());
    UpdateEffectiveDepth();
}

void TMainForm::HNumEditChange()
{
    trace("HNumEditChange");
    // While the user types this sees the value as of the previous key release.
    if (HNumEdit->IntValue() != HScrollBar->value())
        HScrollBar->setValue(HNumEdit->IntValue());
    UpdateEffectiveDepth();
}

void TMainForm::BScrollBarChange()
{
    trace("BScrollBarChange");
    BNumEdit->setIntValue(BScrollBar->value());
    UpdateEffectiveDepth();
}

void TMainForm::BNumEditChange()
{
    trace("BNumEditChange");
    if (BNumEdit->IntValue() != BScrollBar->value())
        BScrollBar->setValue(BNumEdit->IntValue());
    // d does not depend on the width, but this brings it up to date with a height or cover
    // typed since it was last computed.
    UpdateEffectiveDepth();
}

void TMainForm::cNumEditChange()
{
    trace("cNumEditChange");
    UpdateEffectiveDepth();
}

void TMainForm::dTimerTimer()
{
    trace("dTimerTimer");
    // A typed height or cover reaches the number edit's value at the key release without
    // notifying anyone; this tick is what brings d up to date with it.
    UpdateEffectiveDepth();
}

void TMainForm::CalcTimerTimer()
{
    trace("CalcTimerTimer");
    TickInputs &now = m_tickInputs;
    toolkit::toLatin1(fsEdit->text(), now.fydText);
    toolkit::toLatin1(fbDrukEdit->text(), now.fcdText);
    now.As = AsNumEdit->IntValue();
    now.d = dNumEdit->IntValue();
    now.b = BNumEdit->IntValue();
    now.concreteClass = BRadioGroup->itemIndex();
    now.decimalSeparator = toolkit::decimalSeparator();
    if (now != m_computedFor) {
        beam::MomentInputs inputs;
        inputs.fydText = now.fydText;
        inputs.fcdText = now.fcdText;
        inputs.As = now.As;
        inputs.d = now.d;
        inputs.b = now.b;
        inputs.concreteClass = now.concreteClass;
        inputs.decimalSeparator = now.decimalSeparator;
        m_texts = beam::computeMoments(inputs);
        m_computedFor = now;
    }
    const beam::MomentTexts &texts = m_texts;
    // Only a changed text is written: an idle window is neither repainted nor disturbed
    // while the user edits a result field.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QLatin1StringView text(texts[i].data(), qsizetype(texts[i].size()));
        if (m_results[i]->text() != text)
            m_results[i]->setText(text);
    }
    Q_EMIT resultsCalculated();
}

void TMainForm::Exit1Click()
{
    trace("Exit1Click");
    close();
}

void TMainForm::About1Click()
{
    trace("About1Click");
    if (m_about)
        m_about(this);
}

void TMainForm::Section1Click()
{
    trace("Section1Click");
    if (m_section)
        m_section(this);
}

void TMainForm::UpdateDesignValues()
{
    trace("UpdateDesignValues");
    if (const auto concrete = beam::concreteClass(BRadioGroup->itemIndex())) {
        toolkit::setTextIfChanged(fbDrukEdit, toolkit::fromLatin1(concrete->fcd));
        toolkit::setTextIfChanged(fbTrekEdit, toolkit::fromLatin1(concrete->fctd));
        toolkit::setTextIfChanged(EbEdit, toolkit::fromLatin1(concrete->Ecm));
    }
    if (const auto steel = beam::steelGrade(FeBRadioGroup->itemIndex())) {
        toolkit::setTextIfChanged(fsEdit, toolkit::fromLatin1(steel->fyd));
        toolkit::setTextIfChanged(EsEdit, toolkit::fromLatin1(steel->Es));
    }
}

void TMainForm::UpdateEffectiveDepth()
{
    trace("UpdateEffectiveDepth");
    dNumEdit->setIntValue(beam::effectiveDepth(PHIhwRadioGroup->itemIndex(),
                                               PHIbgRadioGroup->itemIndex(), HNumEdit->IntValue(),
                                               cNumEdit->IntValue()));
}
