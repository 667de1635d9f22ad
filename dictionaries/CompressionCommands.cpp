// Compression of every dictionary and completion of the internal one.
#include "app/Unit1.h"

#include "dictionaries/DictionaryCompression.h"
#include "dictionaries/DictionaryPane.h"
#include "dictionaries/KeyCompletion.h"
#include "platform/Services.h"

void TForm1::DICO_COMPRESS()
{
    polyx::CompressAllDictionaries(ValueListEditor_EXT->lines(), ValueListEditor_INT->lines(),
                                   ValueListEditor_FUSION->lines(), ValueListEditor_SANVOR->lines());
}

void TForm1::DICO_COMPRESS_CONFIRM()
{
    if (platform::dialogs().confirm(
            "Vous aller mettre à jour et compresser tous les dictionnaires, afin des les adapter aux nouveau "
            "formats et de supprimer tous les espaces en trop (TRIM)\r\n\r\nCette action doit être réalisée "
            "régulièrement si la traduction ne s'effectue pas correctement sur tous les  champs"))
        run("DICO_COMPRESS");
}

void TForm1::DICO_EXT_AddClesUNIV()
{
    polyx::AppendMissingKeys(ValueListEditor_INT->lines(), ValueListEditor_EXT->lines().Keys());
}
