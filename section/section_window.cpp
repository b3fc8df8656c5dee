#include "section_window.h"

#include "calculation_text.h"
#include "file_device_error.h"
#include "main_form.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace section {
namespace {

QString text(const std::string &utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QString latin1(const std::string &ascii)
{
    return QString::fromLatin1(ascii.data(), qsizetype(ascii.size()));
}

const QColor concreteFill(236, 236, 230);
const QColor steelColour(40, 40, 40);
const QColor blockFill(120, 160, 215, 160);
const QColor invalidColour(190, 30, 30);
const QColor forceColour(20, 90, 40);

// The unit vector from `from` towards `to`, and the one across it; none where they coincide.
std::optional<std::pair<QPointF, QPointF>> directions(QPointF from, QPointF to)
{
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    if (!(length > 0))
        return std::nullopt;
    const QPointF unit = along / length;
    return std::pair{unit, QPointF(-unit.y(), unit.x())};
}

// A line with an open arrow head at `to`.
void arrow(QPainter &painter, QPointF from, QPointF to, double head)
{
    painter.drawLine(from, to);
    if (const auto d = directions(to, from)) {
        const auto [back, across] = *d;
        painter.drawLine(to, to + (back + across * 0.5) * head);
        painter.drawLine(to, to + (back - across * 0.5) * head);
    }
}

// A dimension line between two points, with short end strokes across it.
void dimension(QPainter &painter, QPointF from, QPointF to, double tick)
{
    painter.drawLine(from, to);
    if (const auto d = directions(from, to)) {
        const QPointF across = d->second * tick;
        painter.drawLine(from - across, from + across);
        painter.drawLine(to - across, to + across);
    }
}

// The model's result texts below its column, as the main window shows them.
QStringList columnResults(const Picture &picture, int column)
{
    const beam::MomentTexts &t = picture.texts;
    const auto field = [&t](beam::ResultField f) {
        return latin1(t[std::size_t(f)]);
    };
    switch (column) {
    case Approximation:
        return {u"Mu = "_s + field(beam::Mu0) + u" kNm"_s, u"z/d = "_s + field(beam::Z0)};
    case Parabolic:
        return {u"Mu = "_s + field(beam::Mu1) + u" kNm"_s, u"xu = "_s + field(beam::Xu1) + u" mm"_s,
                u"z/d = "_s + field(beam::Z1)};
    case BiLinear:
        return {u"Mu = "_s + field(beam::Mu2) + u" kNm"_s, u"xu = "_s + field(beam::Xu2) + u" mm"_s,
                u"z/d = "_s + field(beam::Z2)};
    default:
        return {u"Mu = "_s + field(beam::Mu3) + u" kNm"_s, u"xu = "_s + field(beam::Xu3) + u" mm"_s,
                u"z/d = "_s + field(beam::Z3)};
    }
}

QString shortReason(beam::ModelState state)
{
    return state == beam::ModelState::ZoneReachesDepth ? u"ongeldig: xu ≥ d"_s
                                                       : u"ongeldig: z ≤ 0"_s;
}

} // namespace

void paintSection(QPainter &painter, const QRectF &target, const Picture &picture)
{
    painter.save();
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::Antialiasing);
    // The labels and the four columns must fit the width beside a section of some size; on
    // a narrow target (a small window, an A4 page at the document's font) the font shrinks,
    // down to two thirds, rather than the columns running off the edge.
    const double needed = [&] {
        const QFontMetricsF m(painter.font(), painter.device());
        return 2 * m.horizontalAdvance(u"h = 0000000"_s) +
               int(ColumnCount) * m.horizontalAdvance(u"parabool rechthoek"_s) + 12 * m.height();
    }();
    if (needed > target.width()) {
        QFont font = painter.font();
        const double factor = std::max(target.width() / needed, 2.0 / 3.0);
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * factor);
        else
            font.setPixelSize(std::max(1, int(font.pixelSize() * factor)));
        painter.setFont(font);
    }
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double line = metrics.height();
    const double hair = std::max(line / 16.0, 0.5);
    const double pad = line * 0.5;
    const SectionGeometry &g = picture.geometry;
    const QRectF area = target.adjusted(pad, pad, -pad, -pad);

    if (g.empty) {
        painter.setPen(invalidColour);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text(g.emptyText));
        painter.restore();
        return;
    }

    // The notes take the bottom of the drawing, word-wrapped over its width.
    QStringList notes;
    for (const std::string &note : g.notes)
        notes << text(note);
    const QString noteText = notes.join(u'\n');
    const double notesHeight =
        notes.isEmpty()
            ? 0
            : metrics.boundingRect(QRectF(0, 0, area.width(), 1e6), Qt::TextWordWrap, noteText)
                      .height() +
                  pad;

    const double top = area.top() + 1.6 * line;
    const double bottom = area.bottom() - notesHeight - 4.4 * line;
    const double leftDimension = metrics.horizontalAdvance(u"h = 0000000"_s) + line;
    const double rightDimension = metrics.horizontalAdvance(u"d = 0000000"_s) + line;
    const double column = std::max(metrics.horizontalAdvance(u"parabool rechthoek"_s) + line,
                                   metrics.horizontalAdvance(u"ongeldig: xu ≥ d"_s) + line);
    const double sectionRoom = std::max(
        area.width() - leftDimension - rightDimension - int(ColumnCount) * column, 2 * line);
    // One scale for both directions, chosen so that the section fits its room and the
    // columns stand at the same vertical scale beside it.
    const double scale = std::min((bottom - top) / g.drawnDepth, sectionRoom / g.b);
    if (!(scale > 0) || !std::isfinite(scale)) {
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap,
                         u"Te weinig ruimte om de doorsnede te tekenen."_s);
        painter.restore();
        return;
    }
    const double left = area.left() + leftDimension;
    const auto X = [&](double mm) {
        return left + mm * scale;
    };
    const auto Y = [&](double mm) {
        return top + mm * scale;
    };
    const QPen thin(Qt::black, hair);

    // The concrete, the stirrup and the bars.
    painter.setPen(QPen(Qt::black, 2 * hair));
    painter.setBrush(concreteFill);
    painter.drawRect(QRectF(X(0), Y(0), g.b * scale, g.h * scale));
    if (g.hasStirrup) {
        painter.setPen(QPen(steelColour, std::max(g.stirrupDiameter * scale, hair)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(X(g.stirrup.left), Y(g.stirrup.top), g.stirrup.width * scale,
                                g.stirrup.height * scale));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(steelColour);
    const double radius = std::max(g.barDiameter * scale / 2, hair);
    for (const Point &bar : g.bars)
        painter.drawEllipse(QPointF(X(bar.x), Y(bar.y)), radius, radius);

    // Dimension lines: h at the left, b below, d and c at the right.
    painter.setPen(thin);
    painter.setBrush(Qt::NoBrush);
    const double tick = line * 0.25;
    const double hx = X(0) - line * 0.6;
    dimension(painter, {hx, Y(0)}, {hx, Y(g.h)}, tick);
    painter.drawText(QRectF(area.left(), Y(g.h / 2) - line / 2, hx - area.left() - tick, line),
                     Qt::AlignRight | Qt::AlignVCenter, u"h = "_s + QString::number(g.h));
    const double by = Y(g.h) + line * 0.6;
    dimension(painter, {X(0), by}, {X(g.b), by}, tick);
    painter.drawText(QRectF(X(0) - line * 4, by + tick, g.b * scale + line * 8, line),
                     Qt::AlignHCenter | Qt::AlignTop, u"b = "_s + QString::number(g.b));
    const double dx = X(g.b) + line * 0.6;
    dimension(painter, {dx, Y(0)}, {dx, Y(g.d)}, tick);
    painter.drawText(QRectF(dx + tick, Y(g.d / 2) - line / 2, rightDimension, line),
                     Qt::AlignLeft | Qt::AlignVCenter, u"d = "_s + QString::number(g.d));
    const double cx = X(g.b) + line * 0.25;
    dimension(painter, {cx, Y(g.h - g.cover)}, {cx, Y(g.h)}, tick * 0.6);
    painter.drawText(QRectF(dx + tick, Y(g.h) - line, rightDimension, line),
                     Qt::AlignLeft | Qt::AlignBottom, u"c = "_s + QString::number(g.cover));

    // The four models beside the section, at its vertical scale.
    const double columnsLeft = X(g.b) + rightDimension;
    const double depth = g.drawnDepth;
    for (int i = 0; i < ColumnCount; ++i) {
        const ModelColumn &m = g.columns[std::size_t(i)];
        const double x0 = columnsLeft + i * column;
        const double axis = x0 + column * 0.12;
        const double width = column * 0.45;
        const QColor colour = m.valid ? QColor(Qt::black) : invalidColour;
        painter.setPen(colour);
        painter.drawText(QRectF(x0, area.top(), column, line), Qt::AlignHCenter | Qt::AlignTop,
                         QLatin1StringView(columnNames[std::size_t(i)]));
        // The top face, the reinforcement's level and the zero-stress line.
        painter.setPen(QPen(Qt::gray, hair, Qt::DotLine));
        painter.drawLine(QPointF(x0, Y(0)), QPointF(x0 + column * 0.95, Y(0)));
        painter.drawLine(QPointF(x0, Y(g.d)), QPointF(x0 + column * 0.95, Y(g.d)));
        painter.setPen(QPen(Qt::gray, hair));
        painter.drawLine(QPointF(axis, Y(0)), QPointF(axis, Y(depth)));

        if (m.hasBlock) {
            QPolygonF block;
            for (const Point &p : m.block)
                block << QPointF(axis + p.x * width, Y(p.y));
            painter.setPen(QPen(colour, hair * 1.5));
            painter.setBrush(m.valid ? QBrush(blockFill) : QBrush(invalidColour, Qt::BDiagPattern));
            painter.drawPolygon(block);
            painter.setBrush(Qt::NoBrush);
            if (m.neutralAxis <= depth) {
                painter.setPen(QPen(colour, hair, Qt::DashLine));
                painter.drawLine(QPointF(x0, Y(m.neutralAxis)),
                                 QPointF(x0 + column * 0.95, Y(m.neutralAxis)));
                painter.drawText(QRectF(axis + width, Y(m.neutralAxis) - line, column * 0.4, line),
                                 Qt::AlignLeft | Qt::AlignBottom, u"xu"_s);
            }
        }
        if (!m.valid)
            continue;
        // The forces and the lever arm between them.
        painter.setPen(QPen(forceColour, hair * 1.5));
        const double head = line * 0.35;
        const double forceLength = width * 1.1; // past the block, so C stands clear of it
        if (m.compression >= 0 && m.compression <= depth) {
            arrow(painter, {axis + forceLength, Y(m.compression)}, {axis, Y(m.compression)}, head);
            painter.drawText(
                QRectF(axis + forceLength + hair * 2, Y(m.compression) - line / 2, line, line),
                Qt::AlignLeft | Qt::AlignVCenter, u"C"_s);
        }
        arrow(painter, {axis, Y(m.tension)}, {axis + forceLength, Y(m.tension)}, head);
        painter.drawText(QRectF(axis + forceLength + hair * 2, Y(m.tension) - line / 2, line, line),
                         Qt::AlignLeft | Qt::AlignVCenter, u"T"_s);
        const double zx = x0 + column * 0.8;
        const double zTop = std::clamp(m.compression, 0.0, depth);
        dimension(painter, {zx, Y(zTop)}, {zx, Y(m.tension)}, tick);
        painter.drawText(QRectF(zx + hair * 2, Y((zTop + m.tension) / 2) - line / 2, line, line),
                         Qt::AlignLeft | Qt::AlignVCenter, u"z"_s);
    }

    // Below each column what the main window shows for it.
    const double resultsTop = Y(depth) + line * 0.4;
    for (int i = 0; i < ColumnCount; ++i) {
        const ModelColumn &m = g.columns[std::size_t(i)];
        QStringList lines = columnResults(picture, i);
        if (!m.valid)
            lines << shortReason(m.state);
        painter.setPen(m.valid ? QColor(Qt::black) : invalidColour);
        painter.drawText(QRectF(columnsLeft + i * column, resultsTop, column, line * 4.2),
                         Qt::AlignHCenter | Qt::AlignTop, lines.join(u'\n'));
    }

    if (!notes.isEmpty()) {
        painter.setPen(invalidColour);
        painter.drawText(
            QRectF(area.left(), area.bottom() - notesHeight + pad, area.width(), notesHeight),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, noteText);
    }
    painter.restore();
}

QString describe(const Picture &picture)
{
    const SectionGeometry &g = picture.geometry;
    if (g.empty)
        return text(g.emptyText);
    QString description =
        u"Doorsnede van %1 bij %2 mm met %3 staven van %4 mm onderin, %5, dekking %6 mm en "
        "nuttige hoogte %7 mm."_s.arg(g.b)
            .arg(g.h)
            .arg(g.bars.size())
            .arg(g.barDiameter)
            .arg(g.stirrupDiameter > 0 ? u"beugels van %1 mm"_s.arg(g.stirrupDiameter)
                                       : u"zonder beugels"_s)
            .arg(g.cover)
            .arg(g.d);
    for (int i = 0; i < ColumnCount; ++i) {
        const ModelColumn &m = g.columns[std::size_t(i)];
        description += u' ' + QLatin1StringView(columnNames[std::size_t(i)]) + u": "_s +
                       columnResults(picture, i).join(u", "_s);
        if (!m.valid)
            description += u", "_s + shortReason(m.state);
        description += u'.';
    }
    for (const std::string &note : g.notes)
        description += u' ' + text(note);
    return description;
}

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

SectionWindow::SectionWindow(TMainForm *form)
    : QWidget(form, Qt::Window)
    , m_form(form)
    , m_watched(form)
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
    // The view closes with the main window, by whichever path that closes.
    form->installEventFilter(this);
}

// The main window destroys its children one by one and tells its event filters of each;
// the view must not be asked once it is gone.
SectionWindow::~SectionWindow()
{
    if (!m_watched.isNull())
        m_watched->removeEventFilter(this);
}

bool SectionWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A minimised main window is hidden spontaneously, by the platform; a closed one is not.
    if (event->type() == QEvent::Hide && !event->spontaneous() && watched == m_watched.data())
        close();
    return QWidget::eventFilter(watched, event);
}

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

// Connected only while shown and not minimised, so a hidden view adds nothing to a tick.
void SectionWindow::follow(bool on)
{
    if (on == m_following || m_form.isNull())
        return;
    m_following = on;
    if (on) {
        m_follower = connect(m_form, &TMainForm::resultsCalculated, this, &SectionWindow::refresh);
        refresh();
    } else {
        // By the connection alone: the main window may be half destroyed by now.
        disconnect(m_follower);
    }
}

void SectionWindow::refresh()
{
    if (m_form.isNull())
        return;
    beam::SectionInputs inputs = m_form->sectionInputs();
    if (m_current && inputs == m_inputs)
        return;
    m_inputs = std::move(inputs);
    m_current = true;
    const beam::MomentSteps steps = beam::computeMomentSteps(m_inputs.momentInputs());
    m_picture.geometry = sectionGeometry(m_inputs, steps);
    m_picture.texts = steps.texts;
    const QString calculation = text(section::calculationText(m_inputs, steps, m_picture.geometry));
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

QImage SectionWindow::image(QSize size) const
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font = m_drawing->font();
    font.setPixelSize(14);
    painter.setFont(font);
    paintSection(painter, QRectF(QPointF(0, 0), QSizeF(size)), m_picture);
    return image;
}

void SectionWindow::paintDocument(QPainter &painter, QPagedPaintDevice &device) const
{
    const QRectF page(QPointF(0, 0),
                      device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    QFont font = m_drawing->font();
    font.setPointSizeF(9);
    QFont heading = font;
    heading.setBold(true);
    heading.setPointSizeF(12);
    painter.setFont(heading);
    const double headingLine = QFontMetricsF(heading, &device).height();
    painter.drawText(QRectF(0, 0, page.width(), headingLine), Qt::AlignLeft,
                     windowTitle().simplified());
    painter.setFont(font);
    const double line = QFontMetricsF(font, &device).height();
    const QString version = QCoreApplication::applicationVersion();
    painter.drawText(QRectF(0, headingLine, page.width(), line), Qt::AlignLeft,
                     u"%1 %2, %3"_s.arg(QCoreApplication::applicationName(), version,
                                        QDate::currentDate().toString(Qt::ISODate)));
    double y = headingLine + line * 1.5;
    const double drawingHeight = page.height() * 0.3;
    paintSection(painter, QRectF(0, y, page.width(), drawingHeight), m_picture);
    y += drawingHeight + line;

    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(7.5);
    painter.setFont(fixed);
    const double fixedLine = QFontMetricsF(fixed, &device).height();
    for (const QString &row : m_calculation.split(u'\n')) {
        if (y + fixedLine > page.height()) {
            device.newPage();
            y = 0;
        }
        painter.drawText(QPointF(0, y + QFontMetricsF(fixed, &device).ascent()), row);
        y += fixedLine;
    }
}

QString SectionWindow::exportTo(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString shown = QDir::toNativeSeparators(path);
    if (suffix != u"pdf"_s && suffix != u"svg"_s && suffix != u"png"_s)
        return u"\"%1\" is niet opgeslagen: kies een naam die eindigt op .pdf, .svg of .png."_s.arg(
            shown);
    // Written to a temporary file beside it, which replaces the file only once it is whole.
    QSaveFile file(path);
    const auto failed = [&shown](const QString &reason) {
        return u"\"%1\" kan niet worden geschreven: %2."_s.arg(shown, reason);
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed(toolkit::writeFailureReason(file));
    // Drawn in memory and written in one piece, whose length is checked: the SVG and PDF
    // writers take a write that stops short (a full disk) for done, and would leave the file
    // cut off, reported as saved.
    QByteArray data;
    QBuffer memory(&data);
    memory.open(QIODevice::WriteOnly);
    bool written = false;
    if (suffix == u"pdf"_s) {
        QPdfWriter writer(&memory);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(windowTitle());
        writer.setCreator(QCoreApplication::applicationName());
        QPainter painter;
        written = painter.begin(&writer);
        if (written) {
            paintDocument(painter, writer);
            written = painter.end();
        }
    } else if (suffix == u"svg"_s) {
        QSvgGenerator generator;
        generator.setOutputDevice(&memory);
        const QSize size(1000, 620);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(windowTitle());
        generator.setDescription(describe(m_picture));
        QPainter painter;
        written = painter.begin(&generator);
        if (written) {
            QFont font = m_drawing->font();
            font.setPixelSize(14);
            painter.setFont(font);
            paintSection(painter, QRectF(QPointF(0, 0), QSizeF(size)), m_picture);
            written = painter.end();
        }
    } else {
        written = image(QSize(1200, 744)).save(&memory, "PNG");
    }
    // Flushed while open, so that a write that fails only at the end shows its cause too;
    // read before cancelling, which puts "canceled by application" in place of the cause.
    if (!written || file.write(data) != data.size() || !file.flush()) {
        const QString reason = toolkit::writeFailureReason(file);
        file.cancelWriting();
        file.commit();
        return failed(reason);
    }
    if (!file.commit())
        return failed(toolkit::writeFailureReason(file));
    return {};
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
        QMessageBox::warning(this, windowTitle(), u"Afdrukken is niet gelukt."_s);
        return;
    }
    paintDocument(painter, printer);
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
        QMessageBox::warning(this, windowTitle(), error);
}

void SectionWindow::copy()
{
    auto *data = new QMimeData;
    data->setText(m_calculation);
    data->setImageData(image(QSize(1200, 744)));
    QApplication::clipboard()->setMimeData(data);
}

void showSectionWindow(QWidget *owner)
{
    auto *form = qobject_cast<TMainForm *>(owner);
    if (!form)
        return;
    auto *window = form->findChild<SectionWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) {
        window = new SectionWindow(form);
        // Scaled screens at 150 or 200 % leave fewer logical pixels; the view takes at most
        // most of the screen, and its drawing scales to whatever it gets.
        if (const QScreen *screen = form->screen())
            window->resize(window->size().boundedTo(screen->availableGeometry().size() * 0.9));
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace section
