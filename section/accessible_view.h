#pragma once

namespace section {

// Tells Qt how a screen reader meets the section view: the view as a window with its title,
// the drawing as one graphic with a description. Qt keeps the first interface it makes for a
// widget, and makes one as soon as a widget of the view gets a name or title while
// accessibility is on (from the start under QT_LINUX_ACCESSIBILITY_ALWAYS_ON, or once a
// screen reader asks), so this must run before any widget of the view exists: once, at
// start-up. Calling it again changes nothing.
void installAccessibleInterfaces();

} // namespace section
