#pragma once
#include "platform/Services.h"

#include <QFileDialog>

namespace platform {

// Qt's own (non-native) file dialog with French texts. Replacing an existing
// file is confirmed in French with "&Oui"/"&Non" when the request asks for it;
// a save into a folder that does not exist is refused with a warning, the
// typed name kept, when the request asks for an existing folder. A name
// typed without extension gets the chosen file type's (extensionForType).
class FileDialog : public QFileDialog {
    Q_OBJECT
public:
    FileDialog(const FileDialogRequest& request, AcceptMode mode, QWidget* parent);
    // Runs the dialog; the chosen path, or nothing when cancelled.
    std::optional<QString> choose();

    void accept() override;

private:
    // The extension of the file type chosen, for a name typed without one.
    void followChosenType();

    FileDialogRequest m_request;
};

// What the save dialogs ask before replacing an existing file.
QString replaceQuestion(const QString& fileName);

// The save dialog of the services in force, then the file that is really
// written: where the folder holds the chosen name in other capitals, that
// file, after the dialog's own question about replacing it when the request
// asks for one (a "no" counts as Cancel).
std::optional<QString> chooseSaveFile(const FileDialogRequest& request);

} // namespace platform
