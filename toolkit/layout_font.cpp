#include "layout_font.h"

#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace toolkit {

QFont layoutFont(int pixels, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void applyLayoutFonts(QWidget *root)
{
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *widget : std::as_const(widgets)) {
        const QVariant pixels = widget->property("fontPixels");
        if (pixels.isValid())
            widget->setFont(layoutFont(pixels.toInt(), widget->font().bold()));
    }
    // Only now that every font is in force: a label sized earlier would keep the old width.
    for (QWidget *widget : std::as_const(widgets)) {
        auto *label = qobject_cast<QLabel *>(widget);
        if (label && !label->text().isEmpty())
            label->adjustSize();
    }
}

} // namespace toolkit
