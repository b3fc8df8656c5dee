#include "main_form.h"
#include "number_edit.h"

#include <QLineEdit>
#include <QMap>
#include <QStyleHints>
#include <QTabWidget>
#include <QTest>

#include <memory>

// An idle window is not redrawn, although its results timer runs a hundred times a second and
// its depth timer once a second: a tick that rewrote an unchanged text, or a focus timer that
// gave the focus again to the control that holds it, would repaint a control at every tick
// and cost CPU for nothing.
class tst_IdlePaint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void noRepaintWhileIdle_data();
    void noRepaintWhileIdle();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void depthThenResultsTick();

    std::unique_ptr<TMainForm> form;
    QMap<QString, int> paints;
    int depthTicks = 0;
    int calcTicks = 0;
};

void tst_IdlePaint::initTestCase()
{
    // The text cursor's blinking is the toolkit's own repaint of the focused edit; with it
    // off, every paint counted below comes from the program.
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    qApp->installEventFilter(this);
}

void tst_IdlePaint::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    form = std::make_unique<TMainForm>();
    depthTicks = calcTicks = 0;
    form->setHandlerTrace([this](const char *handler) {
        const QLatin1StringView name(handler);
        depthTicks += name == QLatin1StringView("dTimerTimer");
        calcTicks += name == QLatin1StringView("CalcTimerTimer");
    });
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void tst_IdlePaint::cleanup()
{
    form.reset();
}

// Waits, however long a loaded machine takes, for a tick of the depth timer and then one of the
// results timer, and lets the repaints they asked for happen: whatever is left for the timers
// to write has then been written and drawn.
void tst_IdlePaint::depthThenResultsTick()
{
    const int depth = depthTicks;
    QVERIFY2(QTest::qWaitFor([&] { return depthTicks > depth; }, 30000), "no depth tick came");
    const int calc = calcTicks;
    QVERIFY2(QTest::qWaitFor([&] { return calcTicks > calc; }, 30000),
             "no results tick came after the depth tick");
    QCoreApplication::sendPostedEvents();
}

bool tst_IdlePaint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        const QString name = watched->objectName();
        ++paints[name.isEmpty() ? QString::fromLatin1(watched->metaObject()->className()) : name];
    }
    return false;
}

void tst_IdlePaint::noRepaintWhileIdle_data()
{
    QTest::addColumn<QString>("focus"); // the number edit to work in first; empty: none
    QTest::addColumn<QString>("keys");  // typed there, each pressed and released

    QTest::addRow("the window as it starts") << QString() << QString();
    QTest::addRow("the focus in a number edit after a key release, its timer running")
        << QStringLiteral("HNumEdit") << QStringLiteral("0");
    QTest::addRow("the focus held by a cover below its range")
        << QStringLiteral("cNumEdit") << QStringLiteral("\b\b6");
    QTest::addRow("a typed area standing in for the bars' area")
        << QStringLiteral("AsNumEdit") << QStringLiteral("\b7");
}

void tst_IdlePaint::noRepaintWhileIdle()
{
    QFETCH(QString, focus);
    QFETCH(QString, keys);

    if (!focus.isEmpty()) {
        form->findChild<QTabWidget *>(QStringLiteral("TabbedNotebook1"))->setCurrentIndex(1);
        auto *edit = form->findChild<TNumberEdit *>(focus);
        QVERIFY(edit);
        edit->setFocus(Qt::OtherFocusReason);
        edit->end(false);
        for (const QChar c : keys) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(form->windowHandle(), Qt::Key_Backspace);
            else
                QTest::keyClick(form->windowHandle(), c.toLatin1());
        }
        QCOMPARE(QApplication::focusWidget(), edit);
    }
    depthThenResultsTick();
    if (QTest::currentTestFailed())
        return;
    // Idle from here: a whole period of each timer must repaint nothing.
    paints.clear();
    depthThenResultsTick();
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(paints.isEmpty(), qPrintable(QStringLiteral("repainted while idle: ") + [this] {
                 QStringList list;
                 for (auto it = paints.cbegin(); it != paints.cend(); ++it)
                     list << QStringLiteral("%1 x%2").arg(it.key()).arg(it.value());
                 return list.join(QStringLiteral(", "));
             }()));
}

QTEST_MAIN(tst_IdlePaint)
#include "tst_idle_paint.moc"
