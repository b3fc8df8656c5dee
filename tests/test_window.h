#pragma once

// A window of number edits among other controls, for tests of where the keys take the focus.

#include "number_edit.h"
#include "radio_group.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include <memory>

// A notebook whose first page holds, in this order: a label, low (15 to 50, "20"), a hidden and
// a disabled edit, a radio group with its middle item checked, a plain edit, bad (0 to 100,
// showing "abc" as the program wrote it), readOnly (0 to 3000, holding -1) and a label. The
// second page holds one plain edit, elsewhere.
inline std::unique_ptr<QWidget> makeTestWindow()
{
    auto window = std::make_unique<QWidget>();
    window->setObjectName(QStringLiteral("window"));
    auto *notebook = new QTabWidget(window.get());
    notebook->setObjectName(QStringLiteral("notebook"));
    notebook->setGeometry(0, 0, 400, 300);
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("page"));
    auto *other = new QWidget;
    notebook->addTab(page, QStringLiteral("first"));
    notebook->addTab(other, QStringLiteral("second"));

    const auto place = [](QWidget *w, const char *name, int top) {
        w->setObjectName(QLatin1StringView(name));
        w->setGeometry(10, top, 120, 22);
        return w;
    };
    place(new QLabel(QStringLiteral("caption"), page), "caption", 0);
    auto *low = static_cast<TNumberEdit *>(place(new TNumberEdit(page), "low", 25));
    low->setText(QStringLiteral("20"));
    low->setMin(15);
    low->setMax(50);
    place(new QLineEdit(page), "hidden", 50)->hide();
    place(new QLineEdit(page), "disabled", 50)->setEnabled(false);
    auto *radio = new toolkit::RadioGroup(page);
    radio->setObjectName(QStringLiteral("radio"));
    radio->setGeometry(150, 0, 100, 100);
    radio->setItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    radio->setItemIndex(1);
    // As a group looks after the user has clicked another item: the tab stop is still on the
    // first, and the checked item takes the focus from a click only.
    for (int i = 0; i < 3; ++i) {
        radio->button(i)->setObjectName(QStringLiteral("radio item %1").arg(i));
        radio->button(i)->setFocusPolicy(i == 0 ? Qt::StrongFocus : Qt::ClickFocus);
    }
    place(new QLineEdit(page), "plain", 75);
    auto *bad = static_cast<TNumberEdit *>(place(new TNumberEdit(page), "bad", 100));
    bad->setText(QStringLiteral("abc"));
    bad->setMax(100);
    auto *readOnly = static_cast<TNumberEdit *>(place(new TNumberEdit(page), "readOnly", 125));
    readOnly->setReadOnly(true);
    readOnly->setText(QStringLiteral("0"));
    readOnly->setMax(3000);
    readOnly->setIntValue(-1);
    place(new QLabel(QStringLiteral("unit"), page), "unit", 150);
    place(new QLineEdit(other), "elsewhere", 25);

    window->resize(400, 300);
    return window;
}
