// Files dropped on the window: copied into the listed folder, then opened
// by kind.
#include "app/Unit1.h"

#include "files/DropKind.h"
#include "files/FileCopy.h"
#include "files/FileDrops.h"
#include "platform/CommandGuard.h"
#include "platform/Error.h"
#include "platform/FileNames.h"
#include "platform/NameCase.h"
#include "platform/Services.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedFiles(event->mimeData()).isEmpty())
        return;
    // Never a move: the file manager would delete the user's file.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const QStringList paths = DroppedFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Handled once the drop is over, so that the boxes do not hold the
    // file manager the files came from.
    QMetaObject::invokeMethod(
        this, [this, paths] { platform::runGuarded([this, paths] { JvDragDrop1Drop(paths); }); }, Qt::QueuedConnection);
}

void TForm1::JvDragDrop1Drop(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    const QString source = paths.first();
    const std::optional<polyx::DropKind> kind = polyx::DropKindOf(source);
    if (!kind) {
        platform::dialogs().message(platform::BoxKind::Warning, polyx::RefusedDropText(source));
        return;
    }
    if (kind->kindTab >= 0)
        SelectFileKindTab(kind->kindTab);
    if (!platform::dialogs().confirm(polyx::DropQuestion(*kind, source)))
        return;

    // The listed folder may hold the file under other capitals: it is the
    // one the copy replaces, keeping its name.
    const QString target =
        platform::ResolveNameCase(QDir(FileListFolder()).filePath(platform::AsciiUpper(platform::FileNameOf(source))));
    try {
        copyDroppedFile(source, target);
    } catch (const polyx::Error& error) {
        platform::dialogs().message(platform::BoxKind::Plain, error.message() + "\r\n\r\n" + "JvDragDrop1Drop#1732" + "\r\n"
                                                                  + source + "\r\n" + target);
    }
    OpenFileByKind(source);
}

// A file dropped from the listed folder itself is already there; another
// file of the target's name is only replaced when the user says so.
void TForm1::copyDroppedFile(const QString& source, const QString& target)
{
    const QFileInfo to(target);
    if (to.exists()) {
        if (to.canonicalFilePath() == QFileInfo(source).canonicalFilePath())
            return;
        if (!platform::dialogs().confirm(polyx::ReplaceByDropQuestion(target)))
            return;
    }
    polyx::CopyFileReplacing(source, target);
    RefreshFileList();
}
