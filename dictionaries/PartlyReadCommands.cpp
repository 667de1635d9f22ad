// Files read only in part: what their loads tell, and the question before
// a save replaces one.
#include "app/Unit1.h"

#include "dictionaries/PartlyReadFile.h"
#include "platform/Error.h"
#include "platform/Services.h"

#include <QDir>

void TForm1::warnPartlyRead(const polyx::PartlyReadFile& file)
{
    if (!file.Warning().isEmpty())
        platform::dialogs().message(platform::BoxKind::Warning, file.Warning());
}

bool TForm1::mayReplacePartlyRead(polyx::PartlyReadFile& file, const QString& path)
{
    if (!file.IsReplacedBy(path))
        return true;
    switch (m_saveRun) {
    case SaveRun::Session:
        throw polyx::Error(file.SkipMessage());
    case SaveRun::Automatic:
        if (file.FirstSkip())
            platform::dialogs().message(platform::BoxKind::Warning, file.SkipMessage());
        return false;
    case SaveRun::Command:
        break;
    }
    const QString question =
        QStringLiteral("Le fichier \"%1\" n'a été lu qu'en partie : l'enregistrer remplacera tout son contenu "
                       "par ce qui est affiché.\r\n\r\nRemplacer quand même ?")
            .arg(QDir::toNativeSeparators(path));
    if (!platform::dialogs().confirmWarning(question))
        return false;
    file.Release();
    return true;
}
