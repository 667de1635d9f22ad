// Joining the dictionaries selected in the file list into one "_" dictionary.
#include "app/Unit1.h"

#include "dictionaries/DictionaryJoin.h"
#include "dictionaries/TextLinesFile.h"
#include "files/FileListBox.h"
#include "platform/NameCase.h"
#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

void TForm1::DICOS_JOIN()
{
    // Folders (the backup folder among them) are no dictionaries.
    FileListBox* list = fileList();
    const auto selectedFiles = [list] {
        QList<int> rows;
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->isSelected() && !list->isFolderAt(row))
                rows.append(row);
        return rows;
    };
    QList<int> rows = selectedFiles();
    if (rows.isEmpty()) {
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setSelected(!list->isFolderAt(row));
        rows = selectedFiles();
    }
    const int count = int(rows.size());
    if (count == 1) {
        platform::dialogs().message(platform::BoxKind::Information,
                                    "Vous devez selectionner au moins 2 dicos pour pouvoir les Fusionner");
        return;
    }
    if (!platform::dialogs().confirm(polyx::JoinQuestion(count)))
        return;

    QList<QStringList> files;
    for (int row : std::as_const(rows))
        files.append(polyx::TextLinesFile::Read(list->pathAt(row)).lines);
    const polyx::JoinedDictionary joined = polyx::JoinDictionaries(files);

    platform::FileDialogRequest request;
    request.title = "DONNEZ UN NOM A CE GROUPEMENT DE DICTIONNAIRES";
    request.filter = "DICO|*.DICO";
    request.defaultExt = "DICO";
    request.initialDir = FileListFolder();
    request.fileName = "_GLOBAL";
    const std::optional<QString> chosen = platform::dialogs().saveFile(request);
    if (!chosen)
        return;
    // Written into the listed folder whatever folder the dialog showed, so
    // the question about replacing a file is asked here, about that path.
    const QString target = platform::ResolveNameCase(QDir(FileListFolder()).filePath(polyx::JoinedFileName(*chosen)));
    if (QFileInfo::exists(target) && !platform::dialogs().confirm(polyx::ReplaceByJoinQuestion(target)))
        return;
    polyx::TextLinesFile::Write(target, joined.lines, polyx::TextEncoding::Ansi);
    Edit_MASK->setText("_");
    RefreshFileList();
    if (!joined.repeatedKeys.isEmpty())
        platform::dialogs().message(platform::BoxKind::Information, polyx::RepeatedKeysText(joined.repeatedKeys));
}
