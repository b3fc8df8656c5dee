#include "main_form.h"
#include "ui_main_form.h"

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
#include <QMenu>
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
    , ui(std::make_unique<Ui::MainForm>())
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
    // A view opened before the first tick shows the section the window starts with. Computed
    // quietly: the fields are still the first tick's to write.
    readSection(m_result.inputs);
    m_result.steps = beam::computeMomentSteps(m_result.inputs.momentInputs());
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

void TMainForm::readSection(beam::SectionInputs &section) const
{
    section.concreteClass = ui->BRadioGroup->itemIndex();
    section.steelGrade = ui->FeBRadioGroup->itemIndex();
    toolkit::toLatin1(ui->fsEdit->text(), section.fydText);
    toolkit::toLatin1(ui->fbDrukEdit->text(), section.fcdText);
    section.barItem = ui->PHIhwRadioGroup->itemIndex();
    section.stirrupItem = ui->PHIbgRadioGroup->itemIndex();
    section.barCount = ui->ScrollBar1->value();
    section.As = ui->AsNumEdit->IntValue();
    section.d = ui->dNumEdit->IntValue();
    section.b = ui->BNumEdit->IntValue();
    section.H = ui->HNumEdit->IntValue();
    section.c = ui->cNumEdit->IntValue();
    section.decimalSeparator = toolkit::decimalSeparator();
}

bool TMainForm::calculate()
{
    if (m_reading == m_result.inputs)
        return false;
    m_result.inputs = m_reading;
    m_result.steps = beam::computeMomentSteps(m_result.inputs.momentInputs());
    return true;
}

void TMainForm::trace(const char *handler) const
{
    if (m_trace)
        m_trace(handler);
}

void TMainForm::setUpForm()
{
    ui->setupUi(this);
    toolkit::applyLayoutFonts(ui->ClientArea);
    for (toolkit::RadioGroup *group :
         {ui->BRadioGroup, ui->FeBRadioGroup, ui->PHIhwRadioGroup, ui->PHIbgRadioGroup})
        group->placeTabStopOnSelection();
    m_results = {ui->mu0Edit, ui->mu1Edit, ui->xu1Edit, ui->mu2Edit, ui->xu2Edit, ui->mu3Edit,
                 ui->xu3Edit, ui->z0Edit,  ui->z1Edit,  ui->z2Edit,  ui->z3Edit};

    // The layout places a group's contents as if its caption stood on the frame's top line, and
    // its radio columns need the smaller spacing; the style gives both, to every control that
    // exists by now.
    toolkit::applyClassicStyle(ui->ClientArea);

    // The menus' captions have no mnemonic to reach them by; F10 opens them from the keyboard,
    // as on the desktops.
    auto *menuKey = new QAction(this);
    menuKey->setObjectName(QStringLiteral("MenuKey"));
    menuKey->setShortcut(Qt::Key_F10);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, &TMainForm::openMenuBar);

    // The client area is as large as the form makes it; the menu bar keeps the desktop's font.
    setFixedSize(ui->ClientArea->minimumSize() + QSize(0, menuBar()->sizeHint().height()));
    move(startPosition);
}

// Opens the first menu with its first command chosen, as the arrow keys open the next one:
// Enter runs it, the arrows move on, Escape closes.
void TMainForm::openMenuBar()
{
    const QList<QAction *> menus = menuBar()->actions();
    if (menus.isEmpty())
        return;
    menuBar()->setActiveAction(menus.first());
    if (QMenu *menu = menus.first()->menu(); menu && !menu->actions().isEmpty())
        menu->setActiveAction(menu->actions().first());
}

void TMainForm::connectHandlers()
{
    connect(ui->Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    for (QLineEdit *field : m_results)
        connect(field, &QLineEdit::textChanged, this, [this] { m_resultFieldsChanged = true; });
    connect(ui->Section1, &QAction::triggered, this, &TMainForm::Section1Click);
    connect(ui->About1, &QAction::triggered, this, &TMainForm::About1Click);
    connect(ui->BRadioGroup, &toolkit::RadioGroup::clicked, this, &TMainForm::BRadioGroupClick);
    connect(ui->FeBRadioGroup, &toolkit::RadioGroup::clicked, this, &TMainForm::FeBRadioGroupClick);
    connect(ui->PHIhwRadioGroup, &toolkit::RadioGroup::clicked, this,
            &TMainForm::PHIhwRadioGroupClick);
    connect(ui->PHIbgRadioGroup, &toolkit::RadioGroup::clicked, this,
            &TMainForm::PHIbgRadioGroupClick);
    connect(ui->ScrollBar1, &QScrollBar::valueChanged, this, &TMainForm::ScrollBar1Change);
    connect(ui->nEdit, &QLineEdit::textChanged, this, &TMainForm::nEditChange);
    connect(ui->HScrollBar, &QScrollBar::valueChanged, this, &TMainForm::HScrollBarChange);
    connect(ui->HNumEdit, &QLineEdit::textChanged, this, &TMainForm::HNumEditChange);
    connect(ui->BScrollBar, &QScrollBar::valueChanged, this, &TMainForm::BScrollBarChange);
    connect(ui->BNumEdit, &QLineEdit::textChanged, this, &TMainForm::BNumEditChange);
    connect(ui->cNumEdit, &QLineEdit::textChanged, this, &TMainForm::cNumEditChange);
}

void TMainForm::FormCreate()
{
    trace("FormCreate");
    SavedDecimalSeparator = toolkit::decimalSeparator();
    toolkit::setDecimalSeparator('.');
    // The positions equal the layout's, so these writes set nothing off; the direct calls
    // after each of them are what fill the fields.
    ui->HScrollBar->setValue(500);
    HScrollBarChange();
    ui->BScrollBar->setValue(200);
    BScrollBarChange();
    ui->ScrollBar1->setValue(4);
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
    toolkit::setTextIfChanged(ui->nEdit, QString::number(ui->ScrollBar1->value()));
}

void TMainForm::nEditChange()
{
    trace("nEditChange");
    // The count comes from the scroll bar; nEdit only shows it.
    ui->AsNumEdit->setIntValue(
        beam::steelArea(ui->PHIhwRadioGroup->itemIndex(), ui->ScrollBar1->value()));
}

void TMainForm::HScrollBarChange()
{
    trace("HScrollBarChange");
    ui->HNumEdit->setIntValue(ui->HScrollBar->value());
    UpdateEffectiveDepth();
}

void TMainForm::HNumEditChange()
{
    trace("HNumEditChange");
    // While the user types this sees the value as of the previous key release.
    if (ui->HNumEdit->IntValue() != ui->HScrollBar->value())
        ui->HScrollBar->setValue(ui->HNumEdit->IntValue());
    UpdateEffectiveDepth();
}

void TMainForm::BScrollBarChange()
{
    trace("BScrollBarChange");
    ui->BNumEdit->setIntValue(ui->BScrollBar->value());
    UpdateEffectiveDepth();
}

void TMainForm::BNumEditChange()
{
    trace("BNumEditChange");
    if (ui->BNumEdit->IntValue() != ui->BScrollBar->value())
        ui->BScrollBar->setValue(ui->BNumEdit->IntValue());
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
    readSection(m_reading);
    const bool changed = calculate();
    if (changed || m_resultFieldsChanged) {
        const beam::MomentTexts &texts = m_result.steps.texts;
        // Only a changed text is written: an idle window is neither repainted nor disturbed
        // while the user edits a result field.
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const QLatin1StringView text(texts[i].data(), qsizetype(texts[i].size()));
            if (m_results[i]->text() != text)
                m_results[i]->setText(text);
        }
        // The writes above raised it again; every field now holds its text.
        m_resultFieldsChanged = false;
    }
    if (changed)
        Q_EMIT resultsCalculated(m_result);
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
    if (const auto concrete = beam::concreteClass(ui->BRadioGroup->itemIndex())) {
        toolkit::setTextIfChanged(ui->fbDrukEdit, toolkit::fromLatin1(concrete->fcd));
        toolkit::setTextIfChanged(ui->fbTrekEdit, toolkit::fromLatin1(concrete->fctd));
        toolkit::setTextIfChanged(ui->EbEdit, toolkit::fromLatin1(concrete->Ecm));
    }
    if (const auto steel = beam::steelGrade(ui->FeBRadioGroup->itemIndex())) {
        toolkit::setTextIfChanged(ui->fsEdit, toolkit::fromLatin1(steel->fyd));
        toolkit::setTextIfChanged(ui->EsEdit, toolkit::fromLatin1(steel->Es));
    }
}

void TMainForm::UpdateEffectiveDepth()
{
    trace("UpdateEffectiveDepth");
    ui->dNumEdit->setIntValue(
        beam::effectiveDepth(ui->PHIhwRadioGroup->itemIndex(), ui->PHIbgRadioGroup->itemIndex(),
                             ui->HNumEdit->IntValue(), ui->cNumEdit->IntValue()));
}
