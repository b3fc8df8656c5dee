#pragma once

#include <QFont>

class QWidget;

namespace toolkit {

// The layouts' own fonts do not exist on Linux. Liberation Sans has Arial's metrics, close to
// theirs, and at the layouts' pixel sizes every text fits its place uncut; sizes in pixels keep
// the texts in proportion to the pixel positions at any scale factor.
QFont layoutFont(int pixels, bool bold = false);

// A form gives a control the layout font by a "fontPixels" property, which its children inherit;
// a control that the form makes bold stays bold. Every label with a text then takes the size of
// that text at the place the form gives it; an image keeps the size the form gives it.
void applyLayoutFonts(QWidget *root);

} // namespace toolkit
