#pragma once
#include "platform/Services.h"

#include <QFileDialog>

namespace platform {

// Qt's own (non-native) file dialog with French texts. Replacing an existing
// file is confirmed in French with "&Oui"/"&Non" when the request asks for it.
class FileDialog : public QFileDialog {
    Q_OBJECT
public:
    FileDialog(const FileDialogRequest& request, AcceptMode mode, QWidget* parent);
    // Runs the dialog; the chosen path, or nothing when cancelled.
    std::optional<QString> choose();

    void accept() override;

private:
    bool m_confirmReplace;
};

} // namespace platform
