#include "decimal_separator.h"

#include <QLocale>

namespace toolkit {
namespace {

char systemSeparator()
{
    // Only a one-byte separator can stand in the number texts; every locale Qt knows uses
    // '.' or ',' or a non-ASCII mark, for which the point is the safe reading.
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 0x80)
        return static_cast<char>(point.at(0).unicode());
    return '.';
}

char &separatorStore()
{
    static char separator = systemSeparator();
    return separator;
}

} // namespace

char decimalSeparator()
{
    return separatorStore();
}

void setDecimalSeparator(char separator)
{
    separatorStore() = separator;
}

} // namespace toolkit
