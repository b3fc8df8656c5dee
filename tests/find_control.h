#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

// The control of that objectName below root. A test that asks for a control the window lacks
// stops at once with its name, instead of crashing on a null pointer somewhere later.
template <typename T = QWidget> T *findControl(const QObject *root, const QString &name)
{
    auto *control = root->findChild<T *>(name);
    if (!control)
        qFatal("no control %s", qPrintable(name));
    return control;
}
