#pragma once
#include "platform/Services.h"

namespace platform {

// The toolkit's standard boxes with French titles and button texts, owned by
// mainWindow(). The open dialog accepts a name that does not exist yet.
class QtDialogs : public Dialogs {
public:
    void message(BoxKind kind, const QString& text, bool centred = false) override;
    bool confirm(const QString& text) override;
    bool confirmWarning(const QString& text) override;
    void errorBox(const QString& message) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& value) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<BatchChoice> batchTranslation(const BatchRequest& request) override;
};

} // namespace platform
