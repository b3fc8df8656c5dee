#pragma once

#include <QPushButton>

namespace toolkit {

// A push button that draws its glyph 2 pixels from the left edge and centres its caption in
// the room right of the glyph; QPushButton would centre glyph and caption together.
class GlyphButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace toolkit
