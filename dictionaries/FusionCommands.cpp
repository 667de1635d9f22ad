// The fusion dictionary: its generation and its .PLX file.
#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "dictionaries/FusionDictionary.h"
#include "platform/Error.h"
#include "platform/FileDialog.h"
#include "platform/NameCase.h"
#include "platform/Services.h"

#include <QFile>

QString TForm1::fusionFileName() const
{
    return polyx::FusionFileName(ValueListEditor_EXT->PageLabel(), ValueListEditor_INT->PageLabel());
}

void TForm1::DICO_FUSION_CREATE()
{
    m_generatedFusion.reset();
    polyx::DictionaryLines& fusion = ValueListEditor_FUSION->lines();
    const QList<int> headerRows = polyx::GenerateFusion(ValueListEditor_EXT->lines(), ValueListEditor_INT->lines(), fusion);
    m_generatedFusion = polyx::GeneratedFusion{fusion.Lines(), headerRows};
}

QList<int> TForm1::fusionHeaderRows() const
{
    return polyx::FusionHeaderRows(ValueListEditor_FUSION->lines(), m_generatedFusion);
}

void TForm1::DICO_FUSION_SAVE()
{
    // Two long labels make a name no file system takes: say what to do
    // rather than the system's bare reason.
    constexpr qsizetype kNameMax = 255;
    if (QFile::encodeName(fusionFileName()).size() > kNameMax)
        throw polyx::Error(QStringLiteral("Le nom du fichier de fusion \"%1\" dépasse les %2 octets qu'un nom de fichier "
                                          "peut avoir ici : raccourcissez l'étiquette du dictionnaire externe ou interne "
                                          "(clic droit sur son onglet).")
                               .arg(fusionFileName())
                               .arg(kNameMax));
    const QString path = platform::ResolveNameCase(WorkDir() + fusionFileName());
    if (mayReplacePartlyRead(ValueListEditor_FUSION->lines().PartlyRead(), path))
        ValueListEditor_FUSION->lines().SaveToFile(path);
}

void TForm1::DICO_FUSION_SAVESA()
{
    platform::FileDialogRequest request;
    request.title = "Sauvegarder le dictionnaire de FUSION";
    request.initialDir = WorkDir();
    request.defaultExt = "PLX";
    request.filter = "PLX|*.PLX|Tous|*.*";
    request.fileName = ValueListEditor_EXT->PageLabel() + "_" + ValueListEditor_INT->PageLabel();
    request.confirmReplace = true;
    request.existingFolderOnly = true;
    const auto path = platform::chooseSaveFile(request);
    if (path && mayReplacePartlyRead(ValueListEditor_FUSION->lines().PartlyRead(), *path))
        ValueListEditor_FUSION->lines().SaveToFile(*path);
    RefreshFileList();
}

void TForm1::DICO_FUSION_LOAD()
{
    const QString path = platform::ResolveNameCase(WorkDir() + fusionFileName());
    if (!QFile::exists(path))
        return;
    ValueListEditor_FUSION->lines().LoadFromFile(path);
    warnPartlyRead(ValueListEditor_FUSION->lines().PartlyRead());
}
