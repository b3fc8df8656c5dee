#include "latin1_text.h"

namespace toolkit {

void toLatin1(QStringView text, std::string &out)
{
    out.clear();
    for (const QChar c : text)
        out.push_back(c.unicode() < 0x100 ? char(c.unicode()) : '?');
}

std::string toLatin1(QStringView text)
{
    std::string out;
    toLatin1(text, out);
    return out;
}

QString fromLatin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace toolkit
