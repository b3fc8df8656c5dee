#include "main_form.h"

#include "classic_style.h"
#include "decimal_separator.h"
#include "line_edit_text.h"
#include "materials.h"
#include "moment.h"
#include "number_edit.h"
#include "radio_group.h"
#include "reinforcement.h"
#include "scroll_bar.h"

#include <QCloseEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <stdexcept>
#include <string>

namespace {

// The separator that was in force when the window was created; the window puts it back when
// it closes.
char SavedDecimalSeparator = '.';

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// The design-value texts are short ASCII; copying them into a std::string keeps each tick
// free of heap allocation (the small-string buffer holds them). A character outside ASCII
// cannot belong to a number and is kept as one that fails the parse.
void readAscii(const QLineEdit *edit, std::string &out)
{
    const QString text = edit->text();
    out.clear();
    for (const QChar c : text)
        out.push_back(c.unicode() < 0x80 ? char(c.unicode()) : '\x7f');
}

// The layout's own fonts do not exist on Linux. Liberation Sans has Arial's metrics, close to
// theirs, and at these pixel sizes every text fits its place uncut; sizes in pixels keep the
// texts in proportion to the layout's pixel positions at any scale factor. The client area's
// font reaches every control in it; the menu bar keeps the desktop's font, as its menus do.
QFont layoutFont(int pixels)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(pixels);
    return font;
}

template <typename Widget> Widget *place(Widget *widget, const char *name, QRect geometry)
{
    widget->setObjectName(QLatin1StringView(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, QPoint at,
                 const QString &hint = {})
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1StringView(name));
    label->adjustSize();
    label->move(at);
    label->setToolTip(hint);
    return label;
}

QLineEdit *addEdit(QWidget *parent, const char *name, QRect geometry, const QString &text,
                   bool readOnly, const QString &accessibleName)
{
    auto *edit = place(new QLineEdit(parent), name, geometry);
    edit->setText(text);
    edit->setReadOnly(readOnly);
    edit->setAccessibleName(accessibleName);
    return edit;
}

toolkit::RadioGroup *addRadioGroup(QWidget *parent, const char *name, QRect geometry,
                                   const QString &caption, const QStringList &items, int columns,
                                   int selected, const QString &hint = {})
{
    auto *group = place(new toolkit::RadioGroup(parent), name, geometry);
    group->setTitle(caption);
    group->setColumns(columns);
    group->setItems(items);
    group->setItemIndex(selected);
    group->setToolTip(hint);
    group->setAccessibleName(caption);
    // One tab stop per group, on the selected item. Qt moves the stop to whichever button
    // takes the focus (arrow keys select as they move), but until one first does, every
    // button would be a stop of its own.
    for (int i = 0; i < items.size(); ++i)
        group->button(i)->setFocusPolicy(i == selected ? Qt::StrongFocus : Qt::ClickFocus);
    return group;
}

QScrollBar *addScrollBar(QWidget *parent, const char *name, QRect geometry,
                         Qt::Orientation orientation, int maximum, int smallStep, int largeStep,
                         int position, const QString &accessibleName)
{
    // The bars are tab stops that the arrow, page, Home and End keys move. A vertical bar
    // keeps its minimum at the top, so Down and dragging the thumb down increase the height.
    auto *bar = place(new toolkit::ScrollBar(orientation, parent), name, geometry);
    bar->setAccessibleName(accessibleName);
    bar->setRange(0, maximum);
    bar->setSingleStep(smallStep);
    bar->setPageStep(largeStep);
    bar->setTracking(true);
    bar->setValue(position);
    return bar;
}

struct NumberEditSettings {
    const char *text;
    double min;
    double max;
    qint32 value;
    bool defaultHint = false;
    bool readOnly = false;
    QString hint = {};
    QString accessibleName = {};
};

TNumberEdit *addNumberEdit(QWidget *parent, const char *name, QRect geometry,
                           const NumberEditSettings &settings)
{
    auto *edit = place(new TNumberEdit(parent), name, geometry);
    // In the order a stored control description applies them: inherited settings, the text,
    // then the control's own properties.
    edit->setReadOnly(settings.readOnly);
    if (!settings.hint.isEmpty()) {
        edit->setHint(settings.hint);
        edit->setShowHint(true);
    }
    edit->setText(QLatin1StringView(settings.text));
    edit->setDefaultHint(settings.defaultHint);
    edit->setNumType(TNumberEdit::IntType);
    edit->setMin(settings.min);
    edit->setMax(settings.max);
    edit->setIntValue(settings.value);
    edit->setAccessibleName(settings.accessibleName);
    return edit;
}

} // namespace

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tralvik  : Uiterste Moment"));
    buildLayout();
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
    readAscii(fsEdit, section.fydText);
    readAscii(fbDrukEdit, section.fcdText);
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

void TMainForm::buildLayout()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFont(layoutFont(11));
    client->setFixedSize(346, 332);
    setCentralWidget(client);

    auto *menu = new QMenuBar(this);
    menu->setObjectName(QStringLiteral("MainMenu1"));
    QMenu *file = menu->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    QAction *exit = file->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &TMainForm::Exit1Click);
    QMenu *view = menu->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("View1"));
    QAction *sectionView = view->addAction(QStringLiteral("Section"));
    sectionView->setObjectName(QStringLiteral("Section1"));
    sectionView->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(sectionView, &QAction::triggered, this, &TMainForm::Section1Click);
    QMenu *help = menu->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction *about = help->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, &TMainForm::About1Click);
    setMenuBar(menu);

    TabbedNotebook1 = place(new QTabWidget(client), "TabbedNotebook1", {0, 0, 345, 212});
    auto *tabs = TabbedNotebook1->findChild<QTabBar *>();
    tabs->setFont(layoutFont(13));
    auto *materials = new QWidget;
    auto *geometry = new QWidget;
    TabbedNotebook1->addTab(materials, QStringLiteral("Materialen"));
    TabbedNotebook1->addTab(geometry, QStringLiteral("Geometrie"));

    // Page "Materialen". Children are created in tab order: Enter in a number edit moves on
    // to the next child of the same parent, so creation order is behaviour here.
    QStringList classes;
    for (const auto &c : beam::concreteClasses)
        classes << latin1(c.name);
    BRadioGroup =
        addRadioGroup(materials, "BRadioGroup", {7, -1, 78, 178}, QStringLiteral("Beton"), classes,
                      1, 0, QStringLiteral("sterkteklasse  volgens NEN-EN 1992-1-1 Eurocode 2"));
    QStringList grades;
    for (const auto &g : beam::steelGrades)
        grades << latin1(g.name);
    FeBRadioGroup = addRadioGroup(
        materials, "FeBRadioGroup", {91, -1, 85, 91}, QStringLiteral("Betonstaal"), grades, 1, 2,
        QStringLiteral("betonstaalsoort volgens NEN-EN 1992-1-1 Eurocode 2"));
    auto *designValues = place(new QGroupBox(QStringLiteral("Rekenwaarden"), materials),
                               "GroupBox1", {182, -1, 150, 170});
    struct DesignRow {
        QLineEdit **edit;
        const char *editName;
        const char *labelName;
        const char *label;
        const char *hint;
        int top;
    };
    const DesignRow designRows[] = {
        {&fbDrukEdit, "fbDrukEdit", "Label1", "fcd", "rekenwaarde druksterkte", 20},
        {&fbTrekEdit, "fbTrekEdit", "Label2", "fctd", "rekenwaarde treksterkte", 46},
        {&EbEdit, "EbEdit", "Label3", "Ecm",
         "rekenwaarde elasticiteitsmodulus beton (kortdurende belasting)", 72},
        {&fsEdit, "fsEdit", "Label4", "fyd", "rekenwaarde van de vloeigrens staal", 98},
        {&EsEdit, "EsEdit", "Label9", "Es", "rekenwaarde elasticiteitsmodulus staal", 124},
    };
    for (const DesignRow &row : designRows) {
        *row.edit = addEdit(designValues, row.editName, {33, row.top, 59, 21},
                            QLatin1StringView(row.editName), true, QLatin1StringView(row.label));
        (*row.edit)->setAccessibleDescription(QString::fromUtf8(row.hint));
    }
    for (const DesignRow &row : designRows) {
        addLabel(designValues, row.labelName, QString::fromUtf8(row.label), {7, row.top + 3},
                 QString::fromUtf8(row.hint));
        addLabel(designValues, (std::string(row.labelName) + "Unit").c_str(),
                 QStringLiteral("N/mm2"), {104, row.top + 3});
    }

    // Page "Geometrie".
    auto *bars =
        place(new QGroupBox(QStringLiteral("Wapening"), geometry), "GroupBox2", {0, 0, 228, 175});
    QStringList barItems;
    for (int phi : beam::barDiameters)
        barItems << QString::number(phi);
    PHIhwRadioGroup = addRadioGroup(bars, "PHIhwRadioGroup", {3, 13, 105, 79},
                                    QStringLiteral("Hoofdwapening"), barItems, 3, 3);
    PHIbgRadioGroup =
        addRadioGroup(bars, "PHIbgRadioGroup", {3, 98, 105, 71}, QStringLiteral("Beugels"),
                      {QStringLiteral("6"), QStringLiteral("8"), QStringLiteral("10"),
                       QStringLiteral("12"), QStringLiteral("none")},
                      2, 1);
    cNumEdit =
        addNumberEdit(bars, "cNumEdit", {142, 124, 40, 21},
                      {"15", 15, 50, 15, false, false,
                       QStringLiteral("Dekking op de hoofdwapening in mm"), QStringLiteral("c")});
    AsNumEdit = addNumberEdit(bars, "AsNumEdit", {111, 99, 72, 21},
                              {"0", 0, 50000, 0, true, false, {}, QStringLiteral("As-aanw")});
    ScrollBar1 = addScrollBar(bars, "ScrollBar1", {113, 59, 106, 16}, Qt::Horizontal, 50, 1, 10, 4,
                              QStringLiteral("aantal staven"));
    nEdit = addEdit(bars, "nEdit", {180, 33, 40, 21}, QStringLiteral("0"), true,
                    QStringLiteral("aantal staven"));
    addLabel(bars, "aantalStavenLabel", QStringLiteral("aantal staven"), {111, 35});
    addLabel(bars, "AsLabel", QStringLiteral("As-aanw"), {111, 78});
    addLabel(bars, "AsUnitLabel", QStringLiteral("mm2"), {188, 103});
    addLabel(bars, "cLabel", QStringLiteral("c"), {111, 127});
    addLabel(bars, "cUnitLabel", QStringLiteral("mm"), {188, 127});

    auto *section = place(new QGroupBox(QStringLiteral("Constructie"), geometry), "Afmeting",
                          {234, 0, 98, 175});
    BScrollBar = addScrollBar(section, "BScrollBar", {7, 117, 65, 20}, Qt::Horizontal, 2000, 5, 100,
                              200, QStringLiteral("breedte"));
    HScrollBar = addScrollBar(section, "HScrollBar", {78, 33, 16, 78}, Qt::Vertical, 3000, 5, 100,
                              500, QStringLiteral("hoogte"));
    HNumEdit = addNumberEdit(section, "HNumEdit", {7, 33, 65, 21},
                             {"0", 0, 3000, 0, false, false, {}, QStringLiteral("hoogte")});
    BNumEdit = addNumberEdit(section, "BNumEdit", {7, 91, 65, 21},
                             {"0", 0, 2000, 0, false, false, {}, QStringLiteral("breedte")});
    dNumEdit = addNumberEdit(
        section, "dNumEdit", {26, 148, 66, 21},
        {"0", 0, 3000, 0, false, true, QStringLiteral("Nuttige hoogte"), QStringLiteral("d")});
    addLabel(section, "hoogteLabel", QStringLiteral("hoogte"), {7, 15});
    addLabel(section, "breedteLabel", QStringLiteral("breedte"), {7, 75});
    addLabel(section, "dLabel", QStringLiteral("d"), {7, 151});

    // The results group, below the notebook. Its fields and labels have no hint of their own
    // (except mu0Edit), so the group's shows over them.
    auto *resultGroup = place(new QGroupBox(QStringLiteral("Rekenresultaten"), client), "GroupBox3",
                              {0, 212, 345, 118});
    resultGroup->setToolTip(
        QStringLiteral("geen controle op minimum en maximum wapeningspercentage"));
    struct ResultCell {
        beam::ResultField field;
        const char *name;
        const char *accessibleName;
        int left;
        int top;
    };
    // Tab order; the ticks write them in the order of beam::ResultField.
    const ResultCell cells[] = {
        {beam::Mu0, "mu0Edit", "Mu benadering (kNm)", 39, 39},
        {beam::Mu1, "mu1Edit", "Mu parabolisch (kNm)", 104, 39},
        {beam::Xu1, "xu1Edit", "xu parabolisch (mm)", 104, 65},
        {beam::Mu2, "mu2Edit", "Mu bi_lineair (kNm)", 169, 39},
        {beam::Xu2, "xu2Edit", "xu bi_lineair (mm)", 169, 65},
        {beam::Mu3, "mu3Edit", "Mu parabool rechthoek (kNm)", 234, 39},
        {beam::Xu3, "xu3Edit", "xu parabool rechthoek (mm)", 234, 65},
        {beam::Z1, "z1Edit", "z/d parabolisch", 104, 91},
        {beam::Z2, "z2Edit", "z/d bi_lineair", 169, 91},
        {beam::Z3, "z3Edit", "z/d parabool rechthoek", 234, 91},
        {beam::Z0, "z0Edit", "z/d benadering", 39, 91},
    };
    for (const ResultCell &cell : cells)
        results[std::size_t(cell.field)] =
            addEdit(resultGroup, cell.name, {cell.left, cell.top, 53, 21}, QStringLiteral("0"),
                    false, QString::fromUtf8(cell.accessibleName));
    results[beam::Mu0]->setToolTip(QStringLiteral("(As*fyd)*(0,9d)"));
    addLabel(resultGroup, "benaderingLabel", QStringLiteral("benadering"), {39, 16});
    addLabel(resultGroup, "parabolischLabel", QStringLiteral("parabolisch"), {104, 16});
    addLabel(resultGroup, "bi_lineair", QStringLiteral("bi_lineair"), {169, 16});
    addLabel(resultGroup, "parabool_rh", QStringLiteral("parabool rechthoek"), {234, 16});
    addLabel(resultGroup, "MuLabel", QStringLiteral("Mu"), {7, 42});
    addLabel(resultGroup, "xuLabel", QStringLiteral("xu"), {7, 68});
    addLabel(resultGroup, "zdLabel", QStringLiteral("z/d"), {7, 94});
    addLabel(resultGroup, "kNmLabel", QStringLiteral("kNm"), {293, 42});
    addLabel(resultGroup, "mmLabel", QStringLiteral("mm"), {293, 68});

    // Tab order runs across the groups, which creation order alone cannot give: the notebook's
    // tabs, the page that is showing (a hidden page's controls are skipped), then the results.
    QList<QWidget *> order{tabs};
    const auto addGroup = [&order](const toolkit::RadioGroup *group) {
        for (int i = 0; i < group->items().size(); ++i)
            order << group->button(i);
    };
    addGroup(BRadioGroup);
    addGroup(FeBRadioGroup);
    order << fbDrukEdit << fbTrekEdit << EbEdit << fsEdit << EsEdit;
    addGroup(PHIhwRadioGroup);
    addGroup(PHIbgRadioGroup);
    order << cNumEdit << AsNumEdit << ScrollBar1 << nEdit << BScrollBar << HScrollBar << HNumEdit
          << BNumEdit << dNumEdit;
    for (const ResultCell &cell : cells)
        order << results[std::size_t(cell.field)];
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The layout places a group's contents as if its caption stood on the frame's top line, and
    // its radio columns need the smaller spacing; the style gives both, to every control that
    // exists by now.
    toolkit::applyClassicStyle(client);

    setFixedSize(346, 332 + menu->sizeHint().height());
    move(26, 79);
}

void TMainForm::connectHandlers()
{
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
    readAscii(fsEdit, m_fydText);
    readAscii(fbDrukEdit, m_fcdText);
    beam::MomentInputs inputs;
    inputs.fydText = m_fydText;
    inputs.fcdText = m_fcdText;
    inputs.As = AsNumEdit->IntValue();
    inputs.d = dNumEdit->IntValue();
    inputs.b = BNumEdit->IntValue();
    inputs.concreteClass = BRadioGroup->itemIndex();
    inputs.decimalSeparator = toolkit::decimalSeparator();
    const beam::MomentTexts texts = beam::computeMoments(inputs);
    // Only a changed text is written: an idle window is neither repainted nor disturbed
    // while the user edits a result field.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QLatin1StringView text(texts[i].data(), qsizetype(texts[i].size()));
        if (results[i]->text() != text)
            results[i]->setText(text);
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
        toolkit::setTextIfChanged(fbDrukEdit, latin1(concrete->fcd));
        toolkit::setTextIfChanged(fbTrekEdit, latin1(concrete->fctd));
        toolkit::setTextIfChanged(EbEdit, latin1(concrete->Ecm));
    }
    if (const auto steel = beam::steelGrade(FeBRadioGroup->itemIndex())) {
        toolkit::setTextIfChanged(fsEdit, latin1(steel->fyd));
        toolkit::setTextIfChanged(EsEdit, latin1(steel->Es));
    }
}

void TMainForm::UpdateEffectiveDepth()
{
    trace("UpdateEffectiveDepth");
    dNumEdit->setIntValue(beam::effectiveDepth(PHIhwRadioGroup->itemIndex(),
                                               PHIbgRadioGroup->itemIndex(), HNumEdit->IntValue(),
                                               cNumEdit->IntValue()));
}
