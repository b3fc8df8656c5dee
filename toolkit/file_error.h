#pragma once

#include <string>

namespace toolkit {

// Why a file could not be written, in Dutch (UTF-8), as the end of a sentence such as
// "... kan niet worden geschreven: <reden>.": system error number -> reason. The causes a user
// can mend have words of their own; any other gives a general reason with the number, never
// the system's own text, which is English and would land in the middle of a Dutch sentence.
// 0 stands for "no system error known".
std::string writeFailureReason(int errorNumber);

} // namespace toolkit
