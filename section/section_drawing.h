// The section's drawing on screen, and the frame that scrolls it where the view is too small for
// all it shows.
#pragma once

#include "section_painter.h"

#include <QWidget>

class QScrollArea;

namespace section {

// The drawing on screen: paints the picture it is given, and only when it changes. A screen
// reader meets it as one graphic with a description; it takes the focus so that one can reach
// it, and shows a focus frame then.
class SectionDrawing : public QWidget
{
    Q_OBJECT

public:
    explicit SectionDrawing(QWidget *parent = nullptr);
    // `description`: what a screen reader says the picture shows.
    void setPicture(const Picture &picture, const QString &description);
    const Picture &picture() const { return m_painter.picture(); }
    const SectionPainter &painter() const { return m_painter; }
    QSize sizeHint() const override;

Q_SIGNALS:
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SectionPainter m_painter;
};

// The drawing in a frame that scrolls: where the room the view gives it would leave out the
// chart or the strain diagrams, the drawing grows, and the reader scrolls to the rest.
QScrollArea *scrollingDrawing(SectionDrawing *drawing, QWidget *parent);

} // namespace section
