#include "find_control.h"
#include "main_form.h"
#include "number_edit.h"
#include "radio_group.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <memory>

using namespace Qt::StringLiterals;

// The main window as the user sees it: every control by its name, where it stands and what it
// shows, the hints, the tab order, the names screen readers read, and that every text fits
// its place at the scale factor the test runs with.
class tst_Layout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void window();
    void controls_data();
    void controls();
    void radioGroups_data();
    void radioGroups();
    void scrollBars_data();
    void scrollBars();
    void numberEdits_data();
    void numberEdits();
    void verticalBarGrowsDownwards();
    void scrollBarShowsItsFocus_data();
    void scrollBarShowsItsFocus();
    void hints_data();
    void hints();
    void tabOrder_data();
    void tabOrder();
    void tabStopFollowsTheSelection();
    void inputsHaveAccessibleNames();
    void textsFitUncut_data();
    void textsFitUncut();

private:
    template <typename T = QWidget> T *find(const QString &name) const
    {
        return findControl<T>(form.get(), name);
    }
    QTabWidget *notebook() const { return find<QTabWidget>(u"TabbedNotebook1"_s); }
    void showPageOf(QWidget *widget) const;
    QString focusName() const;
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QTest::keyClick(form->windowHandle(), key, modifiers);
    }

    std::unique_ptr<TMainForm> form;
};

void tst_Layout::init()
{
    // Except one: the headless platform cannot raise a window, which a shown hint asks it to.
    QTest::failOnWarning(QRegularExpression(u"^(?!This plugin does not support raise\\(\\)$)"_s));
    form = std::make_unique<TMainForm>();
    // The ticks would rewrite the result fields whose start texts the tests read.
    for (auto *timer : form->findChildren<QTimer *>())
        timer->stop();
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void tst_Layout::cleanup()
{
    form.reset();
}

void tst_Layout::showPageOf(QWidget *widget) const
{
    for (int i = 0; i < notebook()->count(); ++i)
        if (notebook()->widget(i)->isAncestorOf(widget))
            notebook()->setCurrentIndex(i);
}

// A radio button is named by its group and its caption.
QString tst_Layout::focusName() const
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return u"(none)"_s;
    if (auto *radio = qobject_cast<QRadioButton *>(focus))
        return radio->parentWidget()->objectName() + u':' + radio->text();
    return focus->objectName();
}

void tst_Layout::window()
{
    QCOMPARE(form->windowTitle(), u"Tralvik  : Uiterste Moment"_s);
    QCOMPARE(form->centralWidget()->size(), QSize(346, 332));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QCOMPARE(form->pos(), QPoint(26, 79));

    QStringList menus;
    for (QAction *menu : form->menuBar()->actions()) {
        QStringList items;
        for (QAction *item : menu->menu()->actions())
            items << item->objectName() + u'=' + item->text();
        menus << menu->menu()->objectName() + u'=' + menu->text() + u" ["_s + items.join(u", "_s) +
                     u']';
    }
    QCOMPARE(menus, (QStringList{u"File1=File [Exit1=Exit]"_s, u"View1=View [Section1=Section]"_s,
                                 u"Help1=Help [About1=About]"_s}));

    QCOMPARE(notebook()->count(), 2);
    QCOMPARE(notebook()->tabText(0), u"Materialen"_s);
    QCOMPARE(notebook()->tabText(1), u"Geometrie"_s);
}

void tst_Layout::controls_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    struct Row {
        const char *name;
        const char *className;
        const char *parent;
        QRect geometry; // a label sizes itself: only its position counts
        const char *text;
    };
    const Row rows[] = {
        {"TabbedNotebook1", "QTabWidget", "ClientArea", {0, 0, 345, 212}, ""},
        {"BRadioGroup", "toolkit::RadioGroup", "Materialen", {7, -1, 78, 178}, "Beton"},
        {"FeBRadioGroup", "toolkit::RadioGroup", "Materialen", {91, -1, 85, 91}, "Betonstaal"},
        {"GroupBox1", "QGroupBox", "Materialen", {182, -1, 150, 170}, "Rekenwaarden"},
        {"fbDrukEdit", "QLineEdit", "GroupBox1", {33, 20, 59, 21}, "8"},
        {"fbTrekEdit", "QLineEdit", "GroupBox1", {33, 46, 59, 21}, "0.73"},
        {"EbEdit", "QLineEdit", "GroupBox1", {33, 72, 59, 21}, "27000"},
        {"fsEdit", "QLineEdit", "GroupBox1", {33, 98, 59, 21}, "435"},
        {"EsEdit", "QLineEdit", "GroupBox1", {33, 124, 59, 21}, "2.0e5"},
        {"Label1", "QLabel", "GroupBox1", {7, 23, 0, 0}, "fcd"},
        {"Label2", "QLabel", "GroupBox1", {7, 49, 0, 0}, "fctd"},
        {"Label3", "QLabel", "GroupBox1", {7, 75, 0, 0}, "Ecm"},
        {"Label4", "QLabel", "GroupBox1", {7, 101, 0, 0}, "fyd"},
        {"Label9", "QLabel", "GroupBox1", {7, 127, 0, 0}, "Es"},
        {"Label1Unit", "QLabel", "GroupBox1", {104, 23, 0, 0}, "N/mm2"},
        {"Label9Unit", "QLabel", "GroupBox1", {104, 127, 0, 0}, "N/mm2"},
        {"GroupBox2", "QGroupBox", "Geometrie", {0, 0, 228, 175}, "Wapening"},
        {"PHIhwRadioGroup", "toolkit::RadioGroup", "GroupBox2", {3, 13, 105, 79}, "Hoofdwapening"},
        {"PHIbgRadioGroup", "toolkit::RadioGroup", "GroupBox2", {3, 98, 105, 71}, "Beugels"},
        {"aantalStavenLabel", "QLabel", "GroupBox2", {111, 35, 0, 0}, "aantal staven"},
        {"nEdit", "QLineEdit", "GroupBox2", {180, 33, 40, 21}, "4"},
        {"ScrollBar1", "toolkit::ScrollBar", "GroupBox2", {113, 59, 106, 16}, ""},
        {"AsLabel", "QLabel", "GroupBox2", {111, 78, 0, 0}, "As-aanw"},
        {"AsNumEdit", "TNumberEdit", "GroupBox2", {111, 99, 72, 21}, "452"},
        {"AsUnitLabel", "QLabel", "GroupBox2", {188, 103, 0, 0}, "mm2"},
        {"cLabel", "QLabel", "GroupBox2", {111, 127, 0, 0}, "c"},
        {"cNumEdit", "TNumberEdit", "GroupBox2", {142, 124, 40, 21}, "15"},
        {"cUnitLabel", "QLabel", "GroupBox2", {188, 127, 0, 0}, "mm"},
        {"Afmeting", "QGroupBox", "Geometrie", {234, 0, 98, 175}, "Constructie"},
        {"hoogteLabel", "QLabel", "Afmeting", {7, 15, 0, 0}, "hoogte"},
        {"HNumEdit", "TNumberEdit", "Afmeting", {7, 33, 65, 21}, "500"},
        {"HScrollBar", "toolkit::ScrollBar", "Afmeting", {78, 33, 16, 78}, ""},
        {"breedteLabel", "QLabel", "Afmeting", {7, 75, 0, 0}, "breedte"},
        {"BNumEdit", "TNumberEdit", "Afmeting", {7, 91, 65, 21}, "200"},
        {"BScrollBar", "toolkit::ScrollBar", "Afmeting", {7, 117, 65, 20}, ""},
        {"dLabel", "QLabel", "Afmeting", {7, 151, 0, 0}, "d"},
        {"dNumEdit", "TNumberEdit", "Afmeting", {26, 148, 66, 21}, "471"},
        {"GroupBox3", "QGroupBox", "ClientArea", {0, 212, 345, 118}, "Rekenresultaten"},
        {"benaderingLabel", "QLabel", "GroupBox3", {39, 16, 0, 0}, "benadering"},
        {"parabolischLabel", "QLabel", "GroupBox3", {104, 16, 0, 0}, "parabolisch"},
        {"bi_lineair", "QLabel", "GroupBox3", {169, 16, 0, 0}, "bi_lineair"},
        {"parabool_rh", "QLabel", "GroupBox3", {234, 16, 0, 0}, "parabool rechthoek"},
        {"MuLabel", "QLabel", "GroupBox3", {7, 42, 0, 0}, "Mu"},
        {"xuLabel", "QLabel", "GroupBox3", {7, 68, 0, 0}, "xu"},
        {"zdLabel", "QLabel", "GroupBox3", {7, 94, 0, 0}, "z/d"},
        {"kNmLabel", "QLabel", "GroupBox3", {293, 42, 0, 0}, "kNm"},
        {"mmLabel", "QLabel", "GroupBox3", {293, 68, 0, 0}, "mm"},
        {"mu0Edit", "QLineEdit", "GroupBox3", {39, 39, 53, 21}, "0"},
        {"mu1Edit", "QLineEdit", "GroupBox3", {104, 39, 53, 21}, "0"},
        {"mu2Edit", "QLineEdit", "GroupBox3", {169, 39, 53, 21}, "0"},
        {"mu3Edit", "QLineEdit", "GroupBox3", {234, 39, 53, 21}, "0"},
        {"xu1Edit", "QLineEdit", "GroupBox3", {104, 65, 53, 21}, "0"},
        {"xu2Edit", "QLineEdit", "GroupBox3", {169, 65, 53, 21}, "0"},
        {"xu3Edit", "QLineEdit", "GroupBox3", {234, 65, 53, 21}, "0"},
        {"z0Edit", "QLineEdit", "GroupBox3", {39, 91, 53, 21}, "0"},
        {"z1Edit", "QLineEdit", "GroupBox3", {104, 91, 53, 21}, "0"},
        {"z2Edit", "QLineEdit", "GroupBox3", {169, 91, 53, 21}, "0"},
        {"z3Edit", "QLineEdit", "GroupBox3", {234, 91, 53, 21}, "0"},
    };
    for (const Row &row : rows)
        QTest::addRow("%s", row.name)
            << QString::fromLatin1(row.className) << QString::fromLatin1(row.parent) << row.geometry
            << QString::fromLatin1(row.text);
}

void tst_Layout::controls()
{
    QFETCH(QString, className);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    QWidget *control = find(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
    // The notebook's pages have no names; they are known by their tabs.
    QWidget *expectedParent = nullptr;
    for (int i = 0; i < notebook()->count(); ++i)
        if (notebook()->tabText(i) == parent)
            expectedParent = notebook()->widget(i);
    if (!expectedParent)
        expectedParent = find(parent);
    QCOMPARE(control->parentWidget(), expectedParent);
    if (geometry.isEmpty())
        QCOMPARE(control->pos(), geometry.topLeft());
    else
        QCOMPARE(control->geometry(), geometry);

    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(label->text(), text);
    else if (auto *edit = qobject_cast<QLineEdit *>(control))
        QCOMPARE(edit->text(), text);
    else if (auto *group = qobject_cast<QGroupBox *>(control))
        QCOMPARE(group->title(), text);
}

void tst_Layout::radioGroups_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("selected");

    QTest::addRow("BRadioGroup") << QStringList{u"C12/15"_s, u"C20/25"_s, u"C28/35"_s, u"C35/45"_s,
                                                u"C45/55"_s, u"C53/65"_s, u"C60/75"_s, u"C70/85"_s}
                                 << 1 << 0;
    QTest::addRow("FeBRadioGroup") << QStringList{u"FeB220"_s, u"FeB400"_s, u"FeB500"_s} << 1 << 2;
    QTest::addRow("PHIhwRadioGroup") << QStringList{u"6"_s,  u"8"_s,  u"10"_s, u"12"_s, u"16"_s,
                                                    u"20"_s, u"25"_s, u"32"_s, u"40"_s}
                                     << 3 << 3;
    QTest::addRow("PHIbgRadioGroup")
        << QStringList{u"6"_s, u"8"_s, u"10"_s, u"12"_s, u"none"_s} << 2 << 1;
}

void tst_Layout::radioGroups()
{
    QFETCH(QStringList, items);
    QFETCH(int, columns);
    QFETCH(int, selected);

    auto *group = find<toolkit::RadioGroup>(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(group->items(), items);
    QCOMPARE(group->itemIndex(), selected);
    // Filled column by column, top to bottom: item i stands in column i / rows, row i % rows.
    const int rows = (int(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        const QRadioButton *button = group->button(i);
        QCOMPARE(button->text(), items[i]);
        QCOMPARE(button->isChecked(), i == selected);
        const QRadioButton *columnTop = group->button(i / rows * rows);
        const QRadioButton *rowStart = group->button(i % rows);
        QCOMPARE(button->x(), columnTop->x());
        QCOMPARE(button->y(), rowStart->y());
        if (i % rows > 0)
            QVERIFY(button->y() > group->button(i - 1)->y());
        if (i >= rows)
            QVERIFY(button->x() > group->button(i - rows)->x());
    }
}

void tst_Layout::scrollBars_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("smallStep");
    QTest::addColumn<int>("largeStep");
    QTest::addColumn<int>("position");

    QTest::addRow("ScrollBar1") << Qt::Horizontal << 50 << 1 << 10 << 4;
    QTest::addRow("HScrollBar") << Qt::Vertical << 3000 << 5 << 100 << 500;
    QTest::addRow("BScrollBar") << Qt::Horizontal << 2000 << 5 << 100 << 200;
}

void tst_Layout::scrollBars()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(int, maximum);
    QFETCH(int, smallStep);
    QFETCH(int, largeStep);
    QFETCH(int, position);

    const auto *bar = find<QScrollBar>(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(bar->orientation(), orientation);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), maximum);
    QCOMPARE(bar->singleStep(), smallStep);
    QCOMPARE(bar->pageStep(), largeStep);
    QCOMPARE(bar->value(), position);
    QVERIFY(bar->hasTracking());
}

void tst_Layout::numberEdits_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<bool>("defaultHint");
    QTest::addColumn<bool>("readOnly");

    QTest::addRow("AsNumEdit") << 0.0 << 50000.0 << true << false;
    QTest::addRow("cNumEdit") << 15.0 << 50.0 << false << false;
    QTest::addRow("HNumEdit") << 0.0 << 3000.0 << false << false;
    QTest::addRow("BNumEdit") << 0.0 << 2000.0 << false << false;
    QTest::addRow("dNumEdit") << 0.0 << 3000.0 << false << true;
}

void tst_Layout::numberEdits()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(bool, defaultHint);
    QFETCH(bool, readOnly);

    const auto *edit = find<TNumberEdit>(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(edit->NumType(), TNumberEdit::IntType);
    QCOMPARE(edit->Min(), min);
    QCOMPARE(edit->Max(), max);
    QCOMPARE(edit->DefaultHint(), defaultHint);
    QCOMPARE(edit->isReadOnly(), readOnly);
}

void tst_Layout::verticalBarGrowsDownwards()
{
    auto *bar = find<QScrollBar>(u"HScrollBar"_s);
    QVERIFY(!bar->invertedAppearance());
    showPageOf(bar);
    bar->setFocus();
    pressKey(Qt::Key_Down);
    QCOMPARE(bar->value(), 505);
    pressKey(Qt::Key_PageDown);
    QCOMPARE(bar->value(), 605);
    pressKey(Qt::Key_Home);
    QCOMPARE(bar->value(), 0);
}

void tst_Layout::scrollBarShowsItsFocus_data()
{
    QTest::addColumn<QString>("bar");

    QTest::addRow("the bar for the number of bars") << u"ScrollBar1"_s;
    QTest::addRow("the bar for the height") << u"HScrollBar"_s;
    QTest::addRow("the bar for the width") << u"BScrollBar"_s;
}

// The bars take the focus with Tab, and the focus must show on them: on the bar alone, with
// nothing moved or resized.
void tst_Layout::scrollBarShowsItsFocus()
{
    QFETCH(QString, bar);

    auto *control = find<QScrollBar>(bar);
    showPageOf(control);
    const auto places = [this] {
        QList<QRect> all;
        for (const QWidget *widget : form->findChildren<QWidget *>())
            all << widget->geometry();
        return all;
    };
    control->setFocus(Qt::TabFocusReason);
    QVERIFY(control->hasFocus());
    const QImage focused = form->grab().toImage();
    const QList<QRect> before = places();
    // No focus anywhere, so that no blinking cursor differs between the two pictures.
    control->clearFocus();
    QVERIFY(!QApplication::focusWidget());
    const QImage unfocused = form->grab().toImage();
    QCOMPARE(places(), before);
    QCOMPARE(focused.size(), unfocused.size());

    QRect changed;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x)
            if (focused.pixel(x, y) != unfocused.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    const qreal ratio = focused.devicePixelRatio();
    const QRectF place(QPointF(control->mapTo(form.get(), QPoint())) * ratio,
                       QSizeF(control->size()) * ratio);
    QVERIFY2(!changed.isEmpty(), "the bar looks the same with and without the focus");
    QVERIFY2(place.toAlignedRect().contains(changed),
             qPrintable(u"changed at %1,%2 %3x%4, outside the bar"_s.arg(changed.x())
                            .arg(changed.y())
                            .arg(changed.width())
                            .arg(changed.height())));
}

void tst_Layout::hints_data()
{
    QTest::addColumn<QString>("shown");

    const QString results = u"geen controle op minimum en maximum wapeningspercentage"_s;
    QTest::addRow("z1Edit") << results;
    QTest::addRow("kNmLabel") << results;
    QTest::addRow("parabool_rh") << results;
    QTest::addRow("mu0Edit") << u"(As*fyd)*(0,9d)"_s;
    QTest::addRow("fbDrukEdit") << QString();
    QTest::addRow("Label1") << u"rekenwaarde druksterkte"_s;
    QTest::addRow("Label3") << u"rekenwaarde elasticiteitsmodulus beton (kortdurende belasting)"_s;
    QTest::addRow("Label1Unit") << QString();
    QTest::addRow("BRadioGroup") << u"sterkteklasse  volgens NEN-EN 1992-1-1 Eurocode 2"_s;
    QTest::addRow("FeBRadioGroup") << u"betonstaalsoort volgens NEN-EN 1992-1-1 Eurocode 2"_s;
    QTest::addRow("PHIhwRadioGroup") << QString();
    QTest::addRow("AsNumEdit") << u"0 50000"_s;
    QTest::addRow("cNumEdit") << u"Dekking op de hoofdwapening in mm"_s;
    QTest::addRow("dNumEdit") << u"Nuttige hoogte"_s;
    QTest::addRow("HNumEdit") << QString();
    QTest::addRow("nEdit") << QString();
}

void tst_Layout::hints()
{
    QFETCH(QString, shown);

    QWidget *control = find(QString::fromLatin1(QTest::currentDataTag()));
    // Hover over a radio group's item, not over its frame.
    if (auto *group = qobject_cast<toolkit::RadioGroup *>(control))
        control = group->button(0);
    showPageOf(control);
    const QPoint at(2, 2);
    QHelpEvent hover(QEvent::ToolTip, at, control->mapToGlobal(at));
    // Sent through the application, as a hover is: a control without a hint passes it on.
    QApplication::sendEvent(control, &hover);
    QCOMPARE(hover.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString(), shown);
}

void tst_Layout::tabOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");

    const QStringList results{u"mu0Edit"_s, u"mu1Edit"_s, u"xu1Edit"_s, u"mu2Edit"_s,
                              u"xu2Edit"_s, u"mu3Edit"_s, u"xu3Edit"_s, u"z1Edit"_s,
                              u"z2Edit"_s,  u"z3Edit"_s,  u"z0Edit"_s};
    const QString tabs = u"qt_tabwidget_tabbar"_s;
    QTest::addRow("Materialen, then the results, back to the tabs")
        << 0
        << QStringList{u"BRadioGroup:C12/15"_s,
                       u"FeBRadioGroup:FeB500"_s,
                       u"fbDrukEdit"_s,
                       u"fbTrekEdit"_s,
                       u"EbEdit"_s,
                       u"fsEdit"_s,
                       u"EsEdit"_s} +
               results + QStringList{tabs};
    QTest::addRow("Geometrie, then the results, back to the tabs")
        << 1
        << QStringList{u"PHIhwRadioGroup:12"_s, u"PHIbgRadioGroup:8"_s, u"cNumEdit"_s,
                       u"AsNumEdit"_s,          u"ScrollBar1"_s,        u"nEdit"_s,
                       u"BScrollBar"_s,         u"HScrollBar"_s,        u"HNumEdit"_s,
                       u"BNumEdit"_s,           u"dNumEdit"_s} +
               results + QStringList{tabs};
}

void tst_Layout::tabOrder()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);

    notebook()->setCurrentIndex(page);
    find(u"qt_tabwidget_tabbar"_s)->setFocus();
    QStringList visited;
    for (qsizetype i = 0; i < order.size(); ++i) {
        pressKey(Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, order);
}

void tst_Layout::tabStopFollowsTheSelection()
{
    auto *group = find<toolkit::RadioGroup>(u"BRadioGroup"_s);
    group->button(0)->setFocus();
    pressKey(Qt::Key_Down);
    QCOMPARE(group->itemIndex(), 1);
    pressKey(Qt::Key_Tab);
    QCOMPARE(focusName(), u"FeBRadioGroup:FeB500"_s);
    pressKey(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focusName(), u"BRadioGroup:C20/25"_s);
}

void tst_Layout::inputsHaveAccessibleNames()
{
    const QWidget *client = form->centralWidget();
    QStringList unnamed;
    for (QWidget *control : client->findChildren<QWidget *>()) {
        if (!qobject_cast<QLineEdit *>(control) && !qobject_cast<QAbstractButton *>(control) &&
            !qobject_cast<QScrollBar *>(control) && !qobject_cast<QGroupBox *>(control))
            continue;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        if (!accessible || accessible->text(QAccessible::Name).isEmpty())
            unnamed << control->objectName();
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", "_s)));

    // The name is that of the field's label, with the column's for a result.
    const auto name = [this](const QString &control) {
        return QAccessible::queryAccessibleInterface(find(control))->text(QAccessible::Name);
    };
    QCOMPARE(name(u"HNumEdit"_s), u"hoogte"_s);
    QCOMPARE(name(u"HScrollBar"_s), u"hoogte"_s);
    QCOMPARE(name(u"ScrollBar1"_s), u"aantal staven"_s);
    QCOMPARE(name(u"fbDrukEdit"_s), u"fcd"_s);
    QCOMPARE(name(u"xu2Edit"_s), u"xu bi_lineair (mm)"_s);
    QCOMPARE(name(u"PHIbgRadioGroup"_s), u"Beugels"_s);
}

void tst_Layout::textsFitUncut_data()
{
    QTest::addColumn<int>("page");

    QTest::addRow("Materialen showing") << 0;
    QTest::addRow("Geometrie showing") << 1;
}

// Every visible control lies inside its parent and clear of its siblings, and shows its whole
// text: a font too wide for the layout's places fails here, not on a user's screen.
void tst_Layout::textsFitUncut()
{
    QFETCH(int, page);

    notebook()->setCurrentIndex(page);
    // The first results, so that the fields hold the texts they will show.
    QVERIFY(QMetaObject::invokeMethod(form.get(), "CalcTimerTimer"));
    QStringList faults;
    for (QWidget *control : form->centralWidget()->findChildren<QWidget *>()) {
        if (!control->isVisible())
            continue;
        const QString name = control->objectName().isEmpty()
                                 ? QString::fromLatin1(control->metaObject()->className())
                                 : control->objectName();
        const QRect place = control->geometry();
        // Two groups stand at -1 on their page, hiding the page's top edge under their caption.
        if (!control->parentWidget()->rect().adjusted(0, -1, 0, 0).contains(place))
            faults << name + u" sticks out of its parent"_s;
        for (QObject *sibling : control->parent()->children()) {
            auto *other = qobject_cast<QWidget *>(sibling);
            if (other && other != control && other->isVisible() &&
                other->geometry().intersects(place))
                faults << name + u" overlaps "_s + other->objectName();
        }
        QSize needed;
        if (qobject_cast<QLabel *>(control) || qobject_cast<QRadioButton *>(control)) {
            needed = control->sizeHint();
        } else if (auto *group = qobject_cast<QGroupBox *>(control)) {
            needed = QSize(group->minimumSizeHint().width(), 0);
        } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
            const int frame =
                edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
            const QMargins margins = edit->textMargins();
            // QLineEdit keeps two more pixels clear on either side of the text.
            needed = QSize(edit->fontMetrics().horizontalAdvance(edit->text()) + 2 * frame +
                               margins.left() + margins.right() + 4,
                           edit->fontMetrics().height() + 2 * frame);
        }
        if (needed.width() > place.width() || needed.height() > place.height())
            faults << u"%1 needs %2 x %3 and has %4 x %5"_s.arg(name)
                          .arg(needed.width())
                          .arg(needed.height())
                          .arg(place.width())
                          .arg(place.height());
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; "_s)));
}

QTEST_MAIN(tst_Layout)
#include "tst_layout.moc"
