#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace toolkit {

// Between a control's text and the number rules, which read and write ASCII: each character
// becomes its Latin-1 byte and anything beyond Latin-1 a '?', as QString::toLatin1 does. No
// such byte belongs to a number, so it fails every parse, and a message that shows a text back
// shows what the user typed wherever Latin-1 can.
std::string toLatin1(QStringView text);
// The same into a buffer the caller keeps: a short text then allocates nothing.
void toLatin1(QStringView text, std::string &out);
QString fromLatin1(std::string_view text);

} // namespace toolkit
