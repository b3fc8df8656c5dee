#pragma once

#include <QScrollBar>

namespace toolkit {

// A scroll bar that takes the focus and answers the keys in the usual directions: Right and
// Down add the small step, Left and Up take it away, Page Down and Page Up the large step,
// Home and End go to the ends. QScrollBar inverts its key controls, which shows as soon as a
// bar is a tab stop. Each key press is one position change, so the bar's change handler runs
// once per press, and not at all at an end of the range.
class ScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    explicit ScrollBar(QWidget *parent = nullptr);
    explicit ScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace toolkit
