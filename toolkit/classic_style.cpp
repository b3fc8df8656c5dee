#include "classic_style.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QWidget>

namespace toolkit {

namespace {

// The frame's top line runs through the middle of an 11 pixels caption.
constexpr int frameTop = 6;
constexpr int frameWidth = 1;
constexpr int frameRadius = 3;
constexpr int captionLeft = 6;
// The gap in the frame's top line on either side of the caption.
constexpr int captionPadding = 2;
constexpr int radioLabelSpacing = 3;

// A focused scroll bar shows a dotted rectangle on its thumb, this far inside the thumb's
// edge, as a focused push button shows one inside its bevel.
constexpr int focusInset = 3;

const QStyleOptionGroupBox *plainGroupBox(const QStyleOptionComplex *option)
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    return box && !(box->subControls & QStyle::SC_GroupBoxCheckBox) ? box : nullptr;
}

} // namespace

ClassicStyle::ClassicStyle(QStyle *base)
    : QProxyStyle(base)
{}

int ClassicStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                              const QWidget *widget) const
{
    if (metric == PM_RadioButtonLabelSpacing)
        return radioLabelSpacing;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize ClassicStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                     const QSize &contents, const QWidget *widget) const
{
    switch (type) {
    case CT_GroupBox:
        if (plainGroupBox(qstyleoption_cast<const QStyleOptionComplex *>(option)))
            return contents + QSize(2 * frameWidth, frameTop + 2 * frameWidth);
        break;
    case CT_RadioButton:
        // The indicator, the spacing and the text, with no margins around them: the layout's
        // radio columns have room for no more.
        return {contents.width() + pixelMetric(PM_ExclusiveIndicatorWidth, option, widget) +
                    radioLabelSpacing,
                qMax(contents.height(), pixelMetric(PM_ExclusiveIndicatorHeight, option, widget))};
    default:
        break;
    }
    return QProxyStyle::sizeFromContents(type, option, contents, widget);
}

QRect ClassicStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                   SubControl subControl, const QWidget *widget) const
{
    const QStyleOptionGroupBox *box = control == CC_GroupBox ? plainGroupBox(option) : nullptr;
    if (!box)
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    const QRect frame = box->rect.adjusted(0, frameTop, 0, 0);
    switch (subControl) {
    case SC_GroupBoxFrame:
        return frame;
    case SC_GroupBoxContents:
        return frame.adjusted(frameWidth, frameWidth, -frameWidth, -frameWidth);
    case SC_GroupBoxLabel: {
        // The caption's room is one space wider than its text, which stands centred in it;
        // the gap in the frame's line lies outside the room.
        const int width = box->fontMetrics.size(Qt::TextShowMnemonic, box->text + u' ').width();
        const QRect label(box->rect.left() + captionLeft + captionPadding, box->rect.top(), width,
                          box->fontMetrics.height());
        return visualRect(box->direction, box->rect, label);
    }
    default:
        return {};
    }
}

void ClassicStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                 QPainter *painter, const QWidget *widget) const
{
    // A field the user cannot type into stands on the window's colour, as the classic desktop
    // draws one, so that nobody takes it for an input; the base styles draw it as an input.
    if (element == PE_PanelLineEdit && (option->state & State_ReadOnly)) {
        if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
            QStyleOptionFrame readOnly = *frame;
            readOnly.palette.setBrush(QPalette::Base, frame->palette.brush(QPalette::Window));
            QProxyStyle::drawPrimitive(element, &readOnly, painter, widget);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ClassicStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                      QPainter *painter, const QWidget *widget) const
{
    if (control == CC_ScrollBar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (option->state & State_HasFocus)
            drawScrollBarFocus(option, painter, widget);
        return;
    }
    const QStyleOptionGroupBox *box = control == CC_GroupBox ? plainGroupBox(option) : nullptr;
    if (!box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect label = subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
    painter->save();
    if (!box->text.isEmpty())
        painter->setClipRegion(QRegion(box->rect) -
                               label.adjusted(-captionPadding, 0, captionPadding, 0));
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(box->palette.color(QPalette::Mid), frameWidth));
    painter->setBrush(Qt::NoBrush);
    const qreal inset = frameWidth / 2.0;
    painter->drawRoundedRect(QRectF(subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget))
                                 .adjusted(inset, inset, -inset, -inset),
                             frameRadius - inset, frameRadius - inset);
    painter->restore();
    if (box->text.isEmpty())
        return;
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (!styleHint(SH_UnderlineShortcut, box, widget))
        flags |= Qt::TextHideMnemonic;
    QPalette palette = box->palette;
    if (box->textColor.isValid())
        palette.setColor(QPalette::WindowText, box->textColor);
    drawItemText(painter, label, flags, palette, box->state & State_Enabled, box->text,
                 QPalette::WindowText);
}

// Drawn over the bar only, so that nothing moves when the focus comes or goes; on the groove
// when there is no thumb to draw it on.
void ClassicStyle::drawScrollBarFocus(const QStyleOptionComplex *option, QPainter *painter,
                                      const QWidget *widget) const
{
    QRect place = subControlRect(CC_ScrollBar, option, SC_ScrollBarSlider, widget);
    if (place.isEmpty())
        place = subControlRect(CC_ScrollBar, option, SC_ScrollBarGroove, widget);
    place.adjust(focusInset, focusInset, -focusInset, -focusInset);
    if (place.width() < 2 || place.height() < 2)
        return;
    // Every other logical pixel of the outline, in a checkerboard as the classic focus
    // rectangle has it, each a square: dots that grow with the scale factor as every other
    // line of the layout does. (A dashed pen draws a solid line at 200 %.)
    const QColor colour = option->palette.color(QPalette::ButtonText);
    const auto dot = [&](int x, int y) {
        if ((x - place.left() + y - place.top()) % 2 == 0)
            painter->fillRect(QRect(x, y, 1, 1), colour);
    };
    for (int x = place.left(); x <= place.right(); ++x) {
        dot(x, place.top());
        dot(x, place.bottom());
    }
    for (int y = place.top() + 1; y < place.bottom(); ++y) {
        dot(place.left(), y);
        dot(place.right(), y);
    }
}

void applyClassicStyle(QWidget *root)
{
    static QPointer<ClassicStyle> style;
    if (!style) {
        // Over the style the rest of the application uses, which the menus and boxes show.
        style = new ClassicStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(qApp);
    }
    root->setStyle(style);
    const QList<QWidget *> children = root->findChildren<QWidget *>();
    for (QWidget *child : children)
        child->setStyle(style);
}

} // namespace toolkit
