#pragma once
#include "platform/Services.h"

namespace platform {

// The desktop shell of a freedesktop system: programs started detached,
// Windows programs through Wine, documents and folders handed to xdg-open,
// text files to the desktop's default editor. A missing editor or a missing
// Wine throws polyx::Error; other failures to start are not reported.
// Deleted files go to the freedesktop trash (platform/Trash.h).
class SystemDesktop : public Desktop {
public:
    void startProgram(const QString& program, const QStringList& arguments) override;
    void open(const QString& path) override;
    void openInTextEditor(const QString& path) override;
    void openFolder(const QString& folder) override;
    void moveToTrash(const QString& path) override;
};

} // namespace platform
