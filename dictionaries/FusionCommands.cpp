// The fusion dictionary: its generation and its .PLX file.
#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "dictionaries/FusionDictionary.h"
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
    ValueListEditor_FUSION->lines().SaveToFile(platform::ResolveNameCase(WorkDir() + fusionFileName()));
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
    if (const auto path = platform::chooseSaveFile(request))
        ValueListEditor_FUSION->lines().SaveToFile(*path);
    RefreshFileList();
}

void TForm1::DICO_FUSION_LOAD()
{
    const QString path = platform::ResolveNameCase(WorkDir() + fusionFileName());
    if (QFile::exists(path))
        ValueListEditor_FUSION->lines().LoadFromFile(path);
}
