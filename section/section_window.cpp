#include "section_window.h"

#include "message_box.h"
#include "section_export.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTextOption>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace section {
namespace {

// What a Dutch student types in the view's fields; readDesignMoment reads a point as well. The
// main window keeps the point as its process-wide separator, so it is not the one to pass.
constexpr char typedSeparator = ',';

QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The file dialog asks its icon provider for every entry's icon and type; Qt's own provider
// reads the start of each file to guess its type, and a file under /proc or a FIFO then blocks
// the whole program. This one goes by the name's suffix alone.
class SuffixIconProvider : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;

    QIcon icon(const QFileInfo &info) const override
    {
        if (!info.isFile())
            return icon(info.isDir() ? Folder : File);
        const QMimeType type = mimeType(info);
        return QIcon::fromTheme(type.iconName(),
                                QIcon::fromTheme(type.genericIconName(), icon(File)));
    }

    QString type(const QFileInfo &info) const override
    {
        if (!info.isFile())
            return QFileIconProvider::type(info);
        const QMimeType type = mimeType(info);
        return type.comment().isEmpty() ? type.name() : type.comment();
    }

private:
    QMimeType mimeType(const QFileInfo &info) const
    {
        return m_mimeTypes.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    }

    QMimeDatabase m_mimeTypes;
};

// The first of the platform's keys for `key`, or `fallback` where the platform has none (the
// generic desktop has no key for "save as").
QList<QKeySequence> keysFor(QKeySequence::StandardKey key, const QKeySequence &fallback = {})
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty() && !fallback.isEmpty())
        keys << fallback;
    return keys;
}

} // namespace

std::unique_ptr<QAbstractFileIconProvider> suffixIconProvider()
{
    return std::make_unique<SuffixIconProvider>();
}

SectionWindow::SectionWindow(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName(u"SectionWindow"_s);
    setWindowTitle(u"Tralvik  : Doorsnede"_s);

    m_drawing = new SectionDrawing(this);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"CalculationText"_s);
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Wrapped at words to the view's width, as print wraps it: no line needs a scroll bar
    // sideways.
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setWordWrapMode(QTextOption::WordWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setAccessibleName(u"Berekening stap voor stap"_s);

    auto *designLabel = new QLabel(u"M&Ed (kNm)"_s, this);
    designLabel->setObjectName(u"MEdLabel"_s);
    m_designMoment = new QLineEdit(this);
    m_designMoment->setObjectName(u"MEdEdit"_s);
    m_designMoment->setAccessibleName(u"MEd"_s);
    m_designMoment->setToolTip(u"Rekenwaarde van het moment in kNm: geeft As,nodig per model"_s);
    designLabel->setBuddy(m_designMoment);
    m_designReason = new QLabel(this);
    m_designReason->setObjectName(u"MEdReason"_s);
    m_designReason->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_designReason->setFocusPolicy(Qt::NoFocus); // until it holds a reason
    // Wrapped, or a long reason would widen the view past the screen.
    m_designReason->setWordWrap(true);
    connect(m_designMoment, &QLineEdit::textChanged, this, &SectionWindow::designMomentEdited);
    auto *aggregateLabel = new QLabel(u"D&max (mm)"_s, this);
    aggregateLabel->setObjectName(u"DmaxLabel"_s);
    m_aggregate = new QLineEdit(QString::number(beam::defaultAggregate), this);
    m_aggregate->setObjectName(u"DmaxEdit"_s);
    m_aggregate->setAccessibleName(u"Dmax"_s);
    m_aggregate->setToolTip(
        u"Grootste korrelafmeting in mm (1 tot en met 63): geeft de vrije ruimte tussen de staven"_s);
    aggregateLabel->setBuddy(m_aggregate);
    m_aggregateReason = new QLabel(this);
    m_aggregateReason->setObjectName(u"DmaxReason"_s);
    m_aggregateReason->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_aggregateReason->setFocusPolicy(Qt::NoFocus); // until it holds a reason
    m_aggregateReason->setWordWrap(true);
    connect(m_aggregate, &QLineEdit::textChanged, this, &SectionWindow::designMomentEdited);
    // One row per field, its reason beside it: a reason that shares a row with the other field
    // would be squeezed below its own width.
    auto *design = new QGridLayout;
    design->addWidget(designLabel, 0, 0);
    design->addWidget(m_designMoment, 0, 1);
    design->addWidget(m_designReason, 0, 2);
    design->addWidget(aggregateLabel, 1, 0);
    design->addWidget(m_aggregate, 1, 1);
    design->addWidget(m_aggregateReason, 1, 2);
    design->setColumnStretch(2, 1);

    struct Command {
        const char *name;
        QString label;
        QList<QKeySequence> keys;
        void (SectionWindow::*run)();
    };
    const Command commands[] = {
        {"PrintButton", u"&Afdrukken…"_s, keysFor(QKeySequence::Print), &SectionWindow::print},
        {"SaveButton", u"&Opslaan als…"_s,
         keysFor(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
         &SectionWindow::saveAs},
        {"CopyButton",
         u"&Kopiëren"_s,
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
         &SectionWindow::copy},
        {"CloseButton", u"&Sluiten"_s, keysFor(QKeySequence::Close), nullptr},
    };
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const Command &command : commands) {
        auto *button = new QPushButton(command.label, this);
        button->setObjectName(QLatin1StringView(command.name));
        auto *action = new QAction(this);
        action->setShortcuts(command.keys);
        addAction(action);
        if (!command.keys.isEmpty())
            button->setToolTip(command.keys.first().toString(QKeySequence::NativeText));
        if (command.run) {
            connect(button, &QPushButton::clicked, this, command.run);
            connect(action, &QAction::triggered, this, command.run);
        } else {
            connect(button, &QPushButton::clicked, this, &QWidget::close);
            connect(action, &QAction::triggered, this, &QWidget::close);
        }
        buttons->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitDrawingAndText(design), 1);
    layout->addLayout(buttons);
    resize(defaultSize);
}

// The text yields room: the drawing takes the view's growth, and the reader moves the split,
// which stays where it was put while the view lives, closed and opened again.
QSplitter *SectionWindow::splitDrawingAndText(QLayout *design)
{
    auto *below = new QWidget(this);
    auto *belowLayout = new QVBoxLayout(below);
    belowLayout->setContentsMargins(0, 0, 0, 0);
    belowLayout->addLayout(design);
    belowLayout->addWidget(m_text, 1);
    m_text->setMinimumHeight(m_text->fontMetrics().lineSpacing() * 3);
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(u"SectionSplitter"_s);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(scrollingDrawing(m_drawing, m_splitter));
    m_splitter->addWidget(below);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    return m_splitter;
}

// Split once, when first shown at the size the screen allows: the drawing takes most of it.
void SectionWindow::splitFirstTime()
{
    if (m_split)
        return;
    m_split = true;
    const int total = m_splitter->height();
    const int text =
        std::max(m_splitter->widget(1)->minimumSizeHint().height(), int(total * textShare));
    m_splitter->setSizes({total - text, text});
}

SectionWindow::~SectionWindow() = default;

void SectionWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    splitFirstTime();
    follow(!isMinimized());
}

void SectionWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    follow(false);
}

// Escape closes the view as it closes a tool window or a dialog; as a key press rather than a
// shortcut, so that a control that uses Escape itself keeps it.
void SectionWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void SectionWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        follow(isVisible() && !isMinimized());
}

// Drawn only while shown and not minimised; shown again, the view draws at once the latest
// result it was handed meanwhile.
void SectionWindow::follow(bool on)
{
    m_following = on;
    if (on && !m_drawn)
        redraw();
}

void SectionWindow::setResult(const beam::SectionResult &result)
{
    // Equal inputs mean an equal result, which is reported already.
    if (m_hasResult && result.inputs == m_result.inputs)
        return;
    m_result = result;
    m_hasResult = true;
    m_drawn = false;
    if (m_following)
        redraw();
}

void SectionWindow::redraw()
{
    if (!m_hasResult)
        return;
    m_drawn = true;
    const AggregateEntry aggregate = readAggregate(m_aggregate->text().toStdString());
    if (aggregate.value)
        m_lastAggregate = *aggregate.value;
    const QString aggregateReason = aggregate.value
                                        ? QString()
                                        : fromUtf8(aggregate.reason + " Gerekend met Dmax = ") +
                                              QString::number(m_lastAggregate) + u" mm."_s;
    m_aggregateReason->setText(aggregateReason);
    m_aggregateReason->setFocusPolicy(aggregateReason.isEmpty() ? Qt::NoFocus : Qt::ClickFocus);
    m_aggregate->setAccessibleDescription(aggregateReason);
    // Only here, on a new section, MEd or Dmax: the report's limits take up to some hundred runs.
    m_report =
        makeReport(m_result, m_designMoment->text().toStdString(), typedSeparator, m_lastAggregate);
    m_picture = {m_report.geometry, m_report.texts(), m_report.limits, m_report.chart,
                 m_report.pictureNotes};
    const QString reason = fromUtf8(m_report.designMoment.reason);
    m_designReason->setText(reason);
    // Selectable to be copied, but never a silent stop for a screen reader while it is empty.
    m_designReason->setFocusPolicy(reason.isEmpty() ? Qt::NoFocus : Qt::ClickFocus);
    m_designMoment->setAccessibleDescription(reason);
    showCalculation(fromUtf8(m_report.calculation));
    QString description = fromUtf8(m_report.description);
    for (const std::string &summary : m_report.limitSummaries)
        description += u' ' + fromUtf8(summary);
    m_drawing->setPicture(m_picture, description);
}

void SectionWindow::designMomentEdited()
{
    m_drawn = false;
    if (m_following)
        redraw();
}

// A new text would put the view back at its top; a reader who scrolled to a model keeps it in
// sight, and an unchanged text keeps its selection too.
void SectionWindow::showCalculation(const QString &calculation)
{
    if (calculation == m_calculation)
        return;
    m_calculation = calculation;
    QScrollBar *down = m_text->verticalScrollBar();
    const int top = down->value();
    m_text->setPlainText(m_calculation);
    down->setValue(top);
}

QString SectionWindow::calculationText() const
{
    return m_calculation;
}

Document SectionWindow::document() const
{
    return {m_picture, m_calculation, windowTitle(), m_drawing->font()};
}

QString SectionWindow::exportTo(const QString &path)
{
    return section::exportTo(path, document());
}

void SectionWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(u"Afdrukken"_s);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!printDocument(printer, document()))
        toolkit::showMessage(this, QMessageBox::Warning, windowTitle(),
                             u"Afdrukken is niet gelukt."_s);
}

void SectionWindow::saveAs()
{
    const QString pdf = u"PDF (*.pdf)"_s;
    const QString svg = u"SVG (*.svg)"_s;
    const QString png = u"PNG (*.png)"_s;
    const std::unique_ptr<QAbstractFileIconProvider> icons = suffixIconProvider();
    QFileDialog dialog(this, u"Opslaan als"_s, QDir::homePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({pdf, svg, png});
    dialog.selectNameFilter(pdf);
    dialog.selectFile(proposedFileName());
    dialog.setIconProvider(icons.get());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString path = dialog.selectedFiles().first();
    const QString filter = dialog.selectedNameFilter();
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == svg ? u".svg"_s : filter == png ? u".png"_s : u".pdf"_s;
    const QString error = exportTo(path);
    if (!error.isEmpty())
        toolkit::showMessage(this, QMessageBox::Warning, windowTitle(), error);
}

void SectionWindow::copy()
{
    QApplication::clipboard()->setMimeData(clipboardData(document()));
}

} // namespace section
