#include "glyph_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace toolkit {

void GlyphButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QSize glyph = iconSize();
    const QRect glyphRect(QPoint(2, (height() - glyph.height()) / 2), glyph);
    icon().paint(&painter, glyphRect, Qt::AlignCenter,
                 isEnabled() ? QIcon::Normal : QIcon::Disabled);
    painter.drawItemText(rect().adjusted(glyphRect.right() + 1, 0, 0, 0),
                         Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
}

} // namespace toolkit
