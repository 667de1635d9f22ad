#include "platform/UnattendedDialogs.h"

#include <QDebug>

namespace platform {

UnattendedDialogs::UnattendedDialogs() : m_previous(services())
{
    Services replacement = m_previous;
    replacement.dialogs = this;
    setServices(replacement);
}

UnattendedDialogs::~UnattendedDialogs() { setServices(m_previous); }

void UnattendedDialogs::message(BoxKind, const QString& text, bool) { qWarning().noquote() << text; }
bool UnattendedDialogs::confirm(const QString& text)
{
    qWarning().noquote() << text << "-> non";
    return false;
}
bool UnattendedDialogs::confirmWarning(const QString& text) { return confirm(text); }
void UnattendedDialogs::errorBox(const QString& message) { qWarning().noquote() << message; }
std::optional<QString> UnattendedDialogs::input(const QString&, const QString&, const QString&) { return std::nullopt; }
std::optional<QString> UnattendedDialogs::openFile(const FileDialogRequest&) { return std::nullopt; }
std::optional<QString> UnattendedDialogs::saveFile(const FileDialogRequest&) { return std::nullopt; }
std::optional<BatchChoice> UnattendedDialogs::batchTranslation(const BatchRequest&) { return std::nullopt; }

} // namespace platform
