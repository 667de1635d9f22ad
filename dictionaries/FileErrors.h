#pragma once
#include "platform/Error.h"

#include <QString>

namespace polyx {

// The two file failures the user meets, with the reason worded as the
// target platform's system words it where the cause can be told from the
// file system or from `systemError` (errno of the failed call, 0 if
// unknown); otherwise the device's own text.
Error OpenFileError(const QString& path, const QString& deviceReason, int systemError = 0);

// "Impossible de créer le fichier ...", with the reason alone for the few
// messages that word the failure their own way.
class CreateFileFailure : public Error {
public:
    CreateFileFailure(const QString& path, const QString& reason);
    const QString& reason() const { return m_reason; }

private:
    QString m_reason;
};
CreateFileFailure CreateFileError(const QString& path, const QString& deviceReason, int systemError = 0);

} // namespace polyx
