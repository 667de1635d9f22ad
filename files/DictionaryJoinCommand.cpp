// Joining the dictionaries selected in the file list into one "_" dictionary.
#include "app/Unit1.h"

#include "dictionaries/TextLinesFile.h"
#include "files/DictionaryJoin.h"
#include "files/FileListBox.h"
#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

void TForm1::DICOS_JOIN()
{
    FileListBox* list = fileList();
    int count = int(list->selectedItems().size());
    if (count == 0) {
        list->selectAll();
        count = list->count();
    }
    if (count == 1) {
        platform::dialogs().message(platform::BoxKind::Information,
                                    "Vous devez selectionner au moins 2 dicos pour pouvoir les Fusionner");
        return;
    }
    if (!platform::dialogs().confirm(polyx::JoinQuestion(count)))
        return;

    QList<QStringList> files;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected())
            files.append(polyx::TextLinesFile::Read(list->pathAt(row)).lines);
    const QStringList lines = polyx::JoinDictionaries(files);

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
    const QString target = QDir(FileListFolder()).filePath(polyx::JoinedFileName(*chosen));
    if (QFileInfo::exists(target) && !platform::dialogs().confirm(polyx::ReplaceByJoinQuestion(target)))
        return;
    polyx::TextLinesFile::Write(target, lines, polyx::TextEncoding::Ansi);
    Edit_MASK->setText("_");
    RefreshFileList();
}
