#include "file_error.h"

#include <cerrno>
#include <charconv>

namespace toolkit {

std::string writeFailureReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        // Creating a file fails so only where a folder on its path is missing.
        return "de map bestaat niet";
    case ENOTDIR:
        return "een deel van het pad is geen map";
    case EACCES:
    case EPERM:
        return "geen toestemming om daar te schrijven";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "er is geen ruimte meer op de schijf";
    case EROFS:
        return "de schijf is alleen-lezen";
    case EISDIR:
        return "er staat al een map met die naam";
    case ENAMETOOLONG:
        return "de naam is te lang";
    case EFBIG:
        return "het bestand wordt te groot";
    default:
        break;
    }
    std::string reason = "er ging iets mis bij het schrijven";
    if (errorNumber != 0) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, errorNumber).ptr;
        reason += " (foutcode " + std::string(digits, end) + ")";
    }
    return reason;
}

} // namespace toolkit
