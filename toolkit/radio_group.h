#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace toolkit {

// A captioned group of radio buttons that is read as one item index, laid out in columns
// from top to bottom. It reports `clicked` only when the selection really moves to another
// item: a click on the item that is already selected changes nothing and says nothing.
class RadioGroup : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int columns READ columns WRITE setColumns)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex NOTIFY clicked)

public:
    explicit RadioGroup(QWidget *parent = nullptr);

    void setItems(const QStringList &items);
    QStringList items() const { return m_items; }

    void setColumns(int columns);
    int columns() const { return m_columns; }

    int itemIndex() const { return m_itemIndex; }
    // Selecting another item from code behaves like the user's click on it.
    void setItemIndex(int index);

    QRadioButton *button(int index) const;

    // One tab stop for the group, on the selected item. Qt moves the stop to whichever button
    // takes the focus (arrow keys select as they move), but until one first does, every button
    // would be a stop of its own.
    void placeTabStopOnSelection();

Q_SIGNALS:
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void rebuild();
    void arrange();

    QButtonGroup *m_group;
    QStringList m_items;
    int m_columns = 1;
    int m_itemIndex = -1;
};

} // namespace toolkit
