#pragma once
#include "platform/Error.h"

#include <QString>

namespace polyx {

// The two file failures the user meets, with the reason worded as the
// target platform's system words it where the cause can be told from the
// file system or from `systemError` (errno of the failed call, 0 if
// unknown); otherwise the device's own text.
Error OpenFileError(const QString& path, const QString& deviceReason, int systemError = 0);
Error CreateFileError(const QString& path, const QString& deviceReason, int systemError = 0);

} // namespace polyx
