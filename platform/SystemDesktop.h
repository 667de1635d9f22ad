#pragma once
#include "platform/Services.h"

namespace platform {

// The desktop shell of a freedesktop system: programs started detached,
// documents and folders handed to xdg-open. Failures to start are not reported.
class SystemDesktop : public Desktop {
public:
    void startProgram(const QString& program, const QStringList& arguments) override;
    void open(const QString& path) override;
    void openInTextEditor(const QString& path) override;
    void openFolder(const QString& folder) override;
    bool moveToTrash(const QString& path) override;
};

} // namespace platform
