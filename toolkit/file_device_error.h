#pragma once

#include <QString>

class QFileDevice;

namespace toolkit {

// The system's error number behind a write to `file` that failed, or stopped short; 0 when
// neither the device's error text nor the open file tells it. Ask while the file is open, and
// before QSaveFile::cancelWriting, which puts a text of its own in place of the cause.
int errorNumber(const QFileDevice &file);

// The Dutch reason (writeFailureReason) for that error.
QString writeFailureReason(const QFileDevice &file);

} // namespace toolkit
