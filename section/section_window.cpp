#include "section_window.h"

#include "calculation_text.h"
#include "message_box.h"
#include "section_export.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace section {

SectionDrawing::SectionDrawing(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"SectionDrawing"_s);
    setAccessibleName(u"Tekening van de doorsnede"_s);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMinimumSize(480, 260);
}

void SectionDrawing::setPicture(const Picture &picture)
{
    m_picture = picture;
    setAccessibleDescription(describe(m_picture));
    update();
}

QSize SectionDrawing::sizeHint() const
{
    return {900, 430};
}

void SectionDrawing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSection(painter, rect(), m_picture);
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
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setAccessibleName(u"Berekening stap voor stap"_s);

    struct Command {
        const char *name;
        QString label;
        QKeySequence key;
        void (SectionWindow::*run)();
    };
    const Command commands[] = {
        {"PrintButton", u"&Afdrukken…"_s, QKeySequence::Print, &SectionWindow::print},
        {"SaveButton", u"&Opslaan als…"_s, QKeySequence::SaveAs, &SectionWindow::saveAs},
        {"CopyButton", u"&Kopiëren"_s, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
         &SectionWindow::copy},
        {"CloseButton", u"&Sluiten"_s, QKeySequence::Close, nullptr},
    };
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const Command &command : commands) {
        auto *button = new QPushButton(command.label, this);
        button->setObjectName(QLatin1StringView(command.name));
        auto *action = new QAction(this);
        action->setShortcut(command.key);
        addAction(action);
        if (command.run) {
            connect(button, &QPushButton::clicked, this, command.run);
            connect(action, &QAction::triggered, this, command.run);
            button->setToolTip(command.key.toString(QKeySequence::NativeText));
        } else {
            connect(button, &QPushButton::clicked, this, &QWidget::close);
            connect(action, &QAction::triggered, this, &QWidget::close);
        }
        buttons->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_drawing, 3);
    layout->addWidget(m_text, 2);
    layout->addLayout(buttons);
    resize(960, 760);
}

SectionWindow::~SectionWindow() = default;

void SectionWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    follow(!isMinimized());
}

void SectionWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    follow(false);
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
    // Every tick hands a result on; equal inputs mean an equal result, which is drawn already.
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
    m_picture.geometry = sectionGeometry(m_result.inputs, m_result.steps);
    m_picture.texts = m_result.steps.texts;
    const std::string text =
        section::calculationText(m_result.inputs, m_result.steps, m_picture.geometry);
    const QString calculation = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (calculation != m_calculation) {
        m_calculation = calculation;
        m_text->setPlainText(m_calculation);
    }
    m_drawing->setPicture(m_picture);
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
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(u"Afdrukken"_s);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        toolkit::showMessage(this, QMessageBox::Warning, windowTitle(),
                             u"Afdrukken is niet gelukt."_s);
        return;
    }
    paintDocument(painter, printer, document());
    painter.end();
}

void SectionWindow::saveAs()
{
    const QString pdf = u"PDF (*.pdf)"_s;
    const QString svg = u"SVG (*.svg)"_s;
    const QString png = u"PNG (*.png)"_s;
    QString filter = pdf;
    QString path = QFileDialog::getSaveFileName(this, u"Opslaan als"_s,
                                                QDir::home().filePath(u"doorsnede.pdf"_s),
                                                QStringList{pdf, svg, png}.join(u";;"_s), &filter);
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
