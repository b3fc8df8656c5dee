#include "accessible_view.h"

#include "section_window.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace section {
namespace {

bool is(const QString &className, const QMetaObject &type)
{
    return className == QLatin1StringView(type.className());
}

// Without it the view would be a bare filler to a screen reader, which then does not say that
// a window opened, and the drawing a group of nothing.
QAccessibleInterface *viewAccessible(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (is(className, SectionWindow::staticMetaObject))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (is(className, SectionDrawing::staticMetaObject))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(viewAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace section
