#pragma once

#include <QtGlobal>

// The virtual-key code of a released key (a Qt::Key). The codes the control acts on come first;
// the rest lets a key handler tell the keys of a number apart. Any other key carries 0, never
// one of the codes acted on (the mouse-button codes 1, 2 and 4 do not come from the keyboard).
quint16 virtualKey(int key);
