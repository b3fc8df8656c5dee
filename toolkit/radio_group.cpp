#include "radio_group.h"

#include <QButtonGroup>
#include <QEvent>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace toolkit {

RadioGroup::RadioGroup(QWidget *parent)
    : QGroupBox(parent)
    , m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
    // idToggled(id, true) fires only for a real change of selection; idClicked would also
    // fire for a click on the button that is already checked.
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked || id == m_itemIndex)
            return;
        m_itemIndex = id;
        Q_EMIT clicked();
    });
}

void RadioGroup::setItems(const QStringList &items)
{
    m_items = items;
    rebuild();
}

void RadioGroup::setColumns(int columns)
{
    m_columns = qMax(1, columns);
    arrange();
}

void RadioGroup::setItemIndex(int index)
{
    if (index == m_itemIndex)
        return;
    if (QRadioButton *target = button(index)) {
        target->setChecked(true);
        return;
    }
    // No item selected: an exclusive group cannot uncheck its last button by itself.
    m_group->setExclusive(false);
    if (QAbstractButton *checked = m_group->checkedButton())
        checked->setChecked(false);
    m_group->setExclusive(true);
    m_itemIndex = -1;
    Q_EMIT clicked();
}

QRadioButton *RadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton *>(m_group->button(index));
}

void RadioGroup::placeTabStopOnSelection()
{
    for (int i = 0; i < m_items.size(); ++i)
        button(i)->setFocusPolicy(i == m_itemIndex ? Qt::StrongFocus : Qt::ClickFocus);
}

void RadioGroup::rebuild()
{
    const QList<QAbstractButton *> old = m_group->buttons();
    for (QAbstractButton *b : old) {
        m_group->removeButton(b);
        delete b;
    }
    m_itemIndex = -1;
    for (int i = 0; i < m_items.size(); ++i) {
        auto *b = new QRadioButton(m_items.at(i), this);
        m_group->addButton(b, i);
        b->show();
    }
    arrange();
}

void RadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    arrange();
}

void RadioGroup::changeEvent(QEvent *event)
{
    QGroupBox::changeEvent(event);
    // A style or font that the window sets after the items were placed moves the caption and
    // the frame.
    switch (event->type()) {
    case QEvent::ContentsRectChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
        arrange();
        break;
    default:
        break;
    }
}

void RadioGroup::arrange()
{
    const int count = int(m_items.size());
    if (count == 0)
        return;
    const int rows = (count + m_columns - 1) / m_columns;
    // The items share the room inside the frame and below the caption evenly, column by
    // column; a style may stand the caption on the frame's top line, inside the contents.
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect caption =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    QRect area = contentsRect().adjusted(3, 0, -1, 0);
    area.setTop(qMax(area.top(), caption.bottom() + 1));
    const int columnWidth = area.width() / m_columns;
    const int rowHeight = qMax(1, area.height() / rows);
    const int top = area.top() + (area.height() - rows * rowHeight) / 2;
    for (int i = 0; i < count; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        m_group->button(i)->setGeometry(area.left() + column * columnWidth, top + row * rowHeight,
                                        columnWidth, rowHeight);
    }
}

} // namespace toolkit
