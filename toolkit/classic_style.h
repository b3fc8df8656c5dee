#pragma once

#include <QProxyStyle>

namespace toolkit {

// The layout's group boxes stand their caption on the frame's top line, 6 pixels in from the
// left, and place their contents right below that line; the radio buttons keep their label 3
// pixels from the indicator, so that "10" fits a column of a 105 pixels wide, three-column
// group. Everything else is the base style's. A checkable group box keeps the base style's
// look: the layout has none. A scroll bar with the keyboard focus shows it as a dotted
// rectangle on its thumb, and a read-only line edit stands on the window's colour.
class ClassicStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit ClassicStyle(QStyle *base = nullptr);

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contents,
                           const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl subControl, const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;

private:
    void drawScrollBarFocus(const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const;
};

// One style for the whole process, owned by the application object so that it outlives every
// window that uses it. A style does not pass itself on to child widgets: this sets it on
// `root` and on every widget below it, which must exist by then.
void applyClassicStyle(QWidget *root);

} // namespace toolkit
