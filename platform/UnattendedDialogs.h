#pragma once
#include "platform/Services.h"

namespace platform {

// While it lives, no dialog waits for the user: questions are answered
// "no" (nothing is replaced or chosen), messages go to the log. For the end
// of a desktop session, when nobody is there to answer.
class UnattendedDialogs : public Dialogs {
public:
    UnattendedDialogs();
    ~UnattendedDialogs() override;
    UnattendedDialogs(const UnattendedDialogs&) = delete;
    UnattendedDialogs& operator=(const UnattendedDialogs&) = delete;

    void message(BoxKind kind, const QString& text, bool centred = false) override;
    bool confirm(const QString& text) override;
    bool confirmWarning(const QString& text) override;
    void errorBox(const QString& message) override;
    std::optional<QString> input(const QString& title, const QString& prompt, const QString& value) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<BatchChoice> batchTranslation(const BatchRequest& request) override;

private:
    Services m_previous;
};

} // namespace platform
