#include "file_device_error.h"

#include "file_error.h"

#include <QCoreApplication>
#include <QFileDevice>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#endif

namespace toolkit {
namespace {

#ifdef Q_OS_UNIX
// Qt does not retry a short write and keeps no cause for it: the system took fewer bytes than
// it was given, which Qt passes on as a shorter count or as an error without a text. For a
// file, that means its disk is full or the file has reached the process's limit on file size;
// the open file shows which. 0 when it shows neither.
int shortWriteCause(const QFileDevice &file)
{
    const int handle = file.handle();
    struct stat status = {};
    if (handle < 0 || fstat(handle, &status) != 0)
        return 0;
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        rlim_t(status.st_size) >= limit.rlim_cur)
        return EFBIG;
    struct statvfs disk = {};
    if (fstatvfs(handle, &disk) == 0 && disk.f_bavail == 0)
        return ENOSPC;
    return 0;
}
#endif

} // namespace

int errorNumber(const QFileDevice &file)
{
    // A file device keeps no number, only a text. QSaveFile refuses a folder and an existing
    // file it may not write before it opens anything, each with a text of its own (translated
    // when Qt's catalogue is loaded, so compared as translated).
    const QString said = file.errorString();
    if (said == QCoreApplication::translate("QSaveFile", "Filename refers to a directory"))
        return EISDIR;
    if (said == QCoreApplication::translate("QSaveFile", "Existing file %1 is not writable")
                    .arg(file.fileName()))
        return EACCES;
#ifdef Q_OS_UNIX
    // Every other text comes from qt_error_string(errno), in this process's language: the same
    // call finds the number again. Elsewhere the texts come from the system's own numbers.
    for (int candidate = 1; candidate < 256; ++candidate)
        if (said == qt_error_string(candidate))
            return candidate;
    // A short write leaves no error, or one without a text of its own.
    if (said == QCoreApplication::translate("QIODevice", "Unknown error"))
        return shortWriteCause(file);
#endif
    return 0;
}

QString writeFailureReason(const QFileDevice &file)
{
    return QString::fromStdString(writeFailureReason(errorNumber(file)));
}

} // namespace toolkit
