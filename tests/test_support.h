#pragma once

// What the window tests share: answering message boxes, typing as the platform delivers keys,
// activating the window again after a box, the warnings a test may expect, and a watchdog for
// the modal windows it does not.

#include "find_control.h"
#include "message_box.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

// Answers every message box shown while it lives, as a user would after `hold` milliseconds,
// with OK where the box has it, and keeps what each box showed. Nothing polls: the box itself
// asks for the answer once it is up, so a test neither hangs on a box nor races one.
class MessageAnswers
{
public:
    struct Shown {
        QString text;
        QString caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        int buttonCount = 0;
        QMessageBox::StandardButton pressed = QMessageBox::NoButton;
        QPoint centre;
        QPoint screenCentre;
    };

    explicit MessageAnswers(int hold = 0)
    {
        toolkit::setMessageAnswer(
            [this](const QMessageBox &box) {
                Shown s;
                s.text = box.text();
                s.caption = box.windowTitle();
                s.icon = box.icon();
                s.buttons = box.standardButtons();
                s.buttonCount = int(box.buttons().size());
                s.pressed = box.button(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::NoButton;
                s.centre = box.frameGeometry().center();
                s.screenCentre = box.screen()->availableGeometry().center();
                shown << s;
                return s.pressed;
            },
            hold);
    }
    ~MessageAnswers() { toolkit::setMessageAnswer({}); }
    MessageAnswers(const MessageAnswers &) = delete;
    MessageAnswers &operator=(const MessageAnswers &) = delete;

    QStringList texts() const
    {
        QStringList all;
        for (const Shown &s : shown)
            all << s.text;
        return all;
    }

    QList<Shown> shown;
};

// The key a name in braces stands for in a typed sequence; a name not known stops the test.
inline Qt::Key namedKey(QStringView name)
{
    static const QHash<QString, Qt::Key> keys{
        {QStringLiteral("Backspace"), Qt::Key_Backspace},
        {QStringLiteral("Tab"), Qt::Key_Tab},
        {QStringLiteral("Backtab"), Qt::Key_Backtab},
        {QStringLiteral("Enter"), Qt::Key_Return},
        {QStringLiteral("Keypad Enter"), Qt::Key_Enter},
        {QStringLiteral("Shift"), Qt::Key_Shift},
        {QStringLiteral("Ctrl"), Qt::Key_Control},
        {QStringLiteral("Alt"), Qt::Key_Alt},
        {QStringLiteral("End"), Qt::Key_End},
        {QStringLiteral("Escape"), Qt::Key_Escape},
        {QStringLiteral("F1"), Qt::Key_F1},
    };
    const auto found = keys.constFind(name.toString());
    if (found == keys.cend())
        qFatal("no key %s", qPrintable(name.toString()));
    return *found;
}

// Types keys one at a time, each pressed and released through the window as the platform
// delivers them: to whichever control has the focus at that moment. Named keys are written in
// braces: "6{Ctrl}{Enter}".
inline void typeKeys(QWindow *window, QStringView keys)
{
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] != QLatin1Char('{')) {
            QTest::keyClick(window, keys[i].toLatin1());
            continue;
        }
        const qsizetype end = keys.indexOf(QLatin1Char('}'), i);
        const Qt::Key key = namedKey(keys.mid(i + 1, end - i - 1));
        i = end;
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            // The press moves the focus and the release goes to the control just entered, with
            // no event loop between them: a focus tick in between would take the focus back
            // first, as it does when a user holds Tab down for a while.
            const Qt::KeyboardModifiers modifiers =
                key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
            QKeyEvent press(QEvent::KeyPress, key, modifiers);
            QCoreApplication::sendEvent(QApplication::focusWidget(), &press);
            QKeyEvent release(QEvent::KeyRelease, key, modifiers);
            QCoreApplication::sendEvent(QApplication::focusWidget(), &release);
            continue;
        }
        QTest::keyClick(window, key);
    }
}

// After a modal box closes, offscreen activates no window again; a desktop's window manager
// would, so a test does. False when the window never becomes active.
[[nodiscard]] inline bool activateAgain(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Fails the test on any warning but the headless platform's notes on the window features it
// lacks (a box it shows asks for its size hints, a hint it shows to be raised).
inline void failOnUnexpectedWarnings()
{
    QTest::failOnWarning(QRegularExpression(
        QStringLiteral("^(?!This plugin does not support (raise|propagateSizeHints)\\(\\)$).*")));
}

// Closes any modal window that stays up for `patience` milliseconds, and keeps what it was: a
// file or print dialog a test did not expect, a message that did not go through
// toolkit::showMessage (which MessageAnswers answers), a box the test forgot to close. Such a
// window would otherwise hold the test in its loop until CTest's limit; closed, it lets the
// test run on, and unexpected() fails it in cleanup(). Boxes a test answers itself close long
// before the patience runs out.
class ModalWatchdog
{
public:
    explicit ModalWatchdog(int patience = 3000)
        : m_patience(patience)
    {
        m_timer.setInterval(50);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { look(); });
        m_timer.start();
    }
    ModalWatchdog(const ModalWatchdog &) = delete;
    ModalWatchdog &operator=(const ModalWatchdog &) = delete;

    // What was closed, one line each: the class, the caption and any message text.
    const QStringList &unexpected() const { return m_unexpected; }

private:
    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal != m_seen) {
            m_seen = modal;
            m_since.start();
            return;
        }
        if (!modal || m_since.elapsed() < m_patience)
            return;
        QString what = QString::fromLatin1(modal->metaObject()->className()) +
                       QStringLiteral(" \"") + modal->windowTitle() + u'"';
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            what += QStringLiteral(": ") + box->text();
        m_unexpected << what;
        m_seen = nullptr;
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }

    const int m_patience;
    QTimer m_timer;
    QPointer<QWidget> m_seen;
    QElapsedTimer m_since;
    QStringList m_unexpected;
};
