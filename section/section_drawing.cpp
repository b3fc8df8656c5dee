#include "section_drawing.h"

#include <QPainter>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

using namespace Qt::Literals::StringLiterals;

namespace section {
namespace {

// Whether the picture laid out at `size` keeps its chart and strain diagrams, which the layout
// leaves out, with a note, where they would not be readable.
bool showsEverything(const SectionDrawing &drawing, QSize size)
{
    const DisplayList list =
        layoutSection(drawing.picture(), QSizeF(size), drawing.font(), &drawing);
    return !list.chartLeftOut && !list.strainLeftOut;
}

// The drawing in a frame that scrolls: where the room the view gives it would leave out the
// chart, the drawing grows, taller first, and the reader scrolls to the rest.
class DrawingArea : public QScrollArea
{
public:
    explicit DrawingArea(SectionDrawing *drawing, QWidget *parent)
        : QScrollArea(parent)
        , m_drawing(drawing)
    {
        setObjectName(u"DrawingArea"_s);
        // It takes the focus to scroll a drawing larger than the view by the arrow keys.
        setAccessibleName(u"Schuifvlak van de tekening"_s);
        setFrameShape(QFrame::NoFrame);
        setBackgroundRole(QPalette::Base);
        setWidget(drawing);
        setWidgetResizable(false);
        connect(drawing, &SectionDrawing::pictureChanged, this, &DrawingArea::fit);
    }

    QSize sizeHint() const override { return m_drawing->sizeHint(); }
    QSize minimumSizeHint() const override { return {120, 120}; }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QScrollArea::resizeEvent(event);
        fit();
    }

private:
    void fit()
    {
        const QSize room = maximumViewportSize().expandedTo(m_drawing->minimumSize());
        m_drawing->resize(grown(room));
    }

    QSize grown(QSize room) const
    {
        if (showsEverything(*m_drawing, room))
            return room;
        // A few steps, each a quarter more, is as far as growing helps: beyond it the chart
        // is left out for another reason than room.
        constexpr int steps = 5;
        constexpr double step = 1.25;
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const QSize narrower(std::max(room.width() - bar, m_drawing->minimumWidth()),
                             room.height());
        double factor = 1;
        for (int i = 0; i < steps; ++i) {
            factor *= step;
            const QSize taller(narrower.width(), int(narrower.height() * factor));
            if (showsEverything(*m_drawing, taller))
                return taller;
        }
        factor = 1;
        for (int i = 0; i < steps; ++i) {
            factor *= step;
            const QSize larger = (QSizeF(room) * factor).toSize();
            if (showsEverything(*m_drawing, larger))
                return larger;
        }
        return room;
    }

    SectionDrawing *m_drawing;
};

} // namespace

SectionDrawing::SectionDrawing(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"SectionDrawing"_s);
    setAccessibleName(u"Tekening van de doorsnede"_s);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMinimumSize(480, 260);
    setFocusPolicy(Qt::StrongFocus);
}

void SectionDrawing::setPicture(const Picture &picture, const QString &description)
{
    m_painter.setPicture(picture);
    setAccessibleDescription(description);
    update();
    Q_EMIT pictureChanged();
}

QSize SectionDrawing::sizeHint() const
{
    return {900, 640};
}

void SectionDrawing::paintEvent(QPaintEvent *)
{
    {
        QPainter painter(this);
        m_painter.paint(painter, rect());
    }
    if (hasFocus()) {
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        option.backgroundColor = palette().color(QPalette::Base);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

QScrollArea *scrollingDrawing(SectionDrawing *drawing, QWidget *parent)
{
    return new DrawingArea(drawing, parent);
}

} // namespace section
