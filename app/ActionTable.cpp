#include "app/ActionTable.h"
#include "app/Unit1.h"

namespace {
using SP = QStyle::StandardPixmap;

// Every named command of the window, once. Menus, tool bars and pop-ups refer
// to these by name.
const ActionSpec kActions[] = {
    // name, category, caption, hint, shortcut, icon, command
    {"INI_SAVE", "INI", "Enregistrer la configuration", "Enregistrer la configuration", nullptr, SP::SP_DialogApplyButton, &TForm1::INI_SAVE},
    {"INI_GET", "INI", "Restaurer la configuration", "Restaurer la configuration", nullptr, SP::SP_DialogResetButton, &TForm1::INI_GET},

    {"DICO_EXT_SAVE", "DICO", "Sauver", "Sauver DICO EXT", nullptr, SP::SP_DialogSaveButton, &TForm1::DICO_EXT_SAVE},
    {"DICO_EXT_SAVEAS", "DICO", "Sauver sous...", "Enregistrer le DICO EXT sous ...", "Ctrl+S", SP::SP_DriveFDIcon, &TForm1::DICO_EXT_SAVEAS},
    {"DICO_EXT_LOAD", "DICO", "Recharger", "Recharger EXT", nullptr, SP::SP_BrowserReload, &TForm1::DICO_EXT_LOAD},
    {"DICO_EXT_CLEAR", "DICO", "Purger", "Purger", nullptr, SP::SP_TrashIcon, &TForm1::DICO_EXT_CLEAR},
    {"DICO_EXT_EDIT", "DICO", "Editer", "Editer", nullptr, SP::SP_FileDialogDetailedView, nullptr},
    {"DICO_EXT_AddClesUNIV", "DICO", "Ajoute les clés universelles vers le dico externe", "AJoute les cless universelles vers le dico externe", nullptr, SP::SP_ArrowForward, &TForm1::DICO_EXT_AddClesUNIV},
    {"DICO_INT_SAVE", "DICO", "Sauver", "Sauver", nullptr, SP::SP_DialogSaveButton, &TForm1::DICO_INT_SAVE},
    {"DICO_INT_SAVEAS", "DICO", "Sauver sous ...", "Enregistrer le DICO INT sous ...", nullptr, SP::SP_DriveFDIcon, &TForm1::DICO_INT_SAVEAS},
    {"DICO_INT_LOAD", "DICO", "Charger", "Charger", nullptr, SP::SP_DialogOpenButton, &TForm1::DICO_INT_LOAD},
    {"DICO_INT_CLEAR", "DICO", "Purger", "Purger", nullptr, SP::SP_TrashIcon, &TForm1::DICO_INT_CLEAR},
    {"DICO_FUSION_CREATE", "DICO", "Générer", "Générer", nullptr, SP::SP_CommandLink, &TForm1::DICO_FUSION_CREATE},
    {"DICO_FUSION_SAVE", "DICO", "Sauve", nullptr, nullptr, SP::SP_DialogSaveButton, &TForm1::DICO_FUSION_SAVE},
    {"DICO_FUSION_SAVESA", "DICO", "Sauver sous...", "Enregistrer le DICO de FUSION sous ...", nullptr, SP::SP_DriveFDIcon, &TForm1::DICO_FUSION_SAVESA},
    {"DICO_FUSION_LOAD", "DICO", "Recharger", "Recharger", nullptr, SP::SP_BrowserReload, &TForm1::DICO_FUSION_LOAD},
    {"DICO_SAN_LOAD", "DICO", "Charger", "Charger", nullptr, SP::SP_DialogOpenButton, &TForm1::DICO_SAN_LOAD},
    {"DICO_SAN_SAVE", "DICO", "Sauver", "Sauver", nullptr, SP::SP_DialogSaveButton, &TForm1::DICO_SAN_SAVE},
    {"DICO_QUESTIONS_LOAD", "DICO", "Recharger", "Recharger QUESTIONS", nullptr, SP::SP_BrowserReload, nullptr},
    {"DICO_QUESTIONS_SAVE", "DICO", "Sauver", "Sauver Questions", nullptr, SP::SP_DialogSaveButton, nullptr},
    {"DICO_QUESTIONS_REBUILD", "DICO", "Régénérer le dictionnaire Universel", "Reconstituer les Questions Universelles à partir de ce dictionnaire", nullptr, SP::SP_FileDialogListView, nullptr},
    {"DICO_COMPRESS", "DICO", "Compresser les dictionnaires", "Mettre à jour et Compresser les listes", nullptr, SP::SP_FileDialogContentsView, &TForm1::DICO_COMPRESS},
    {"DICO_COMPRESS_CONFIRM", "DICO", "Compresser tous les dictionnaires ?", "Mettre à jour et Compresser les listes", nullptr, SP::SP_FileDialogContentsView, &TForm1::DICO_COMPRESS_CONFIRM},
    {"DICOS_JOIN", "DICO", "Regrouper les dictionnaires", nullptr, nullptr, SP::SP_FileDialogNewFolder, nullptr},

    {"SKR_EXT_Open", "SKRIVO", "Ouvrir", "Ouvrir", nullptr, SP::SP_DialogOpenButton, nullptr},
    {"SKR_EXT_LOAD", "SKRIVO", "Recharger", "Recharger", nullptr, SP::SP_BrowserReload, nullptr},
    {"SKR_EXT_SAVEAS", "SKRIVO", "Sauver sous ...", "Sauvegarder le SCRIPT Externe sous ...", nullptr, SP::SP_DialogSaveButton, nullptr},
    {"SKR_EXT_CLEAR", "SKRIVO", "Purger", "Purger", nullptr, SP::SP_TrashIcon, nullptr},
    {"SKR_EXT_PASTE", "SKRIVO", "Coller", "Coller", nullptr, SP::SP_ArrowDown, nullptr},
    {"SKR_EXT_L1", "SKRIVO", "Ecrire la Ligne 1", "Ecrire la Ligne 1 (EXT)", nullptr, SP::SP_FileDialogInfoView, nullptr},
    {"SKR_INT_OPEN", "SKRIVO", "Ouvrir", "Ouvrir SKR INT", nullptr, SP::SP_DialogOpenButton, nullptr},
    {"SKR_INT_LOAD", "SKRIVO", "Recharger", "Recharger", nullptr, SP::SP_BrowserReload, nullptr},
    {"SKR_INT_SAVEAS", "SKRIVO", "Sauver sous ...", "Sauvegarder le SCRIPT Interne sous ...", nullptr, SP::SP_DialogSaveButton, nullptr},
    {"SKR_INT_CLEAR", "SKRIVO", "Purger", "Purger", nullptr, SP::SP_TrashIcon, nullptr},
    {"SKR_INT_COPY", "SKRIVO", "Copier", "Copier", nullptr, SP::SP_ArrowUp, nullptr},
    {"SKR_INT_L1", "SKRIVO", "Ecrire la ligne 1", "INT: Ecrire la ligne 1", nullptr, SP::SP_FileDialogInfoView, nullptr},
    {"SKR_UNI_OPEN", "SKRIVO", "Ouvrir", "Ouvrir", nullptr, SP::SP_DialogOpenButton, nullptr},
    {"SKR_UNI_LOAD", "SKRIVO", "Recharger", nullptr, nullptr, SP::SP_BrowserReload, nullptr},
    {"SKR_UNI_SAVEAS", "SKRIVO", "Sauver sous ...", "Enregistrer de Script UNIVERSEL sous ...", nullptr, SP::SP_DialogSaveButton, nullptr},
    {"SKR_UNI_CLEAR", "SKRIVO", "Purger", "Purger", nullptr, SP::SP_TrashIcon, nullptr},
    {"SKR_UNI_L1", "SKRIVO", "Ecrire la ligne 1", "Ecrire la ligne 1 (UNIVERSEL)", nullptr, SP::SP_FileDialogInfoView, nullptr},
    {"SKR_COMMENT", "SKRIVO", "Commenter /* ... */", nullptr, nullptr, SP::SP_FileDialogDetailedView, nullptr},

    {"FUSION_EXT_INT", "FUSION", "Traduction du Script Externe", "Traduction du Script Externe", nullptr, SP::SP_MediaPlay, nullptr},
    {"FUSION_POLYX", "FUSION", "Traduction en langage universel", "Traduction en langage universel", nullptr, SP::SP_MediaSeekForward, nullptr},

    {"BACKUP", "OUTILS", "Créer une sauvegarde de tous les Fichiers", "Sauvegarde de tous les Fichiers", nullptr, SP::SP_DriveHDIcon, nullptr},

    {"FichierFileExit1", "Fichier", "&Quitter", "Quitter|Quitte l'application", "Ctrl+Q", SP::SP_DialogCloseButton, &TForm1::FichierFileExit1},
    {"EditionEditCopy1", "Edition", "C&opier", "Copier|Copie la sélection et la place dans le Presse-papiers", "Ctrl+C", SP::SP_ArrowUp, &TForm1::EditionEditCopy1},
    {"EditionEditPaste1", "Edition", "Co&ller", "Coller|Insère le contenu du Presse-papiers", "Ctrl+V", SP::SP_ArrowDown, &TForm1::EditionEditPaste1},
};
} // namespace

std::span<const ActionSpec> actionTable() { return kActions; }
