// The process-wide decimal separator that every number text of the program reads and writes.
// It starts as the separator of the system's regional settings; the main window forces a
// point while it is open and puts the old one back when it closes.
#pragma once

namespace toolkit {

char decimalSeparator();
void setDecimalSeparator(char separator);

} // namespace toolkit
