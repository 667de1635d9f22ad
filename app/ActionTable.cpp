#include "app/ActionTable.h"
#include "app/Unit1.h"

namespace {

// Every named command of the window, once. Menus, tool bars and pop-ups refer
// to these by name.
const ActionRow kActions[] = {
    // name, category, caption, hint, shortcut, icon (in :/icons), command
    {"INI_SAVE", "INI", "Enregistrer la configuration", "Enregistrer la configuration", nullptr, "config-save", &TForm1::INI_SAVE},
    {"INI_GET", "INI", "Restaurer la configuration", "Restaurer la configuration", nullptr, "config-restore", &TForm1::INI_GET},

    {"DICO_EXT_SAVE", "DICO", "Sauver", "Sauver DICO EXT", nullptr, "save", &TForm1::DICO_EXT_SAVE},
    {"DICO_EXT_SAVEAS", "DICO", "Sauver sous...", "Enregistrer le DICO EXT sous ...", "Ctrl+S", "save-as", &TForm1::DICO_EXT_SAVEAS},
    {"DICO_EXT_LOAD", "DICO", "Recharger", "Recharger EXT", nullptr, "reload", &TForm1::DICO_EXT_LOAD},
    {"DICO_EXT_CLEAR", "DICO", "Purger", "Purger", nullptr, "clear", &TForm1::DICO_EXT_CLEAR},
    {"DICO_EXT_EDIT", "DICO", "Editer", "Editer", nullptr, "edit", nullptr},
    {"DICO_EXT_AddClesUNIV", "DICO", "Ajoute les clés universelles vers le dico externe", "AJoute les cless universelles vers le dico externe", nullptr, "add-keys", &TForm1::DICO_EXT_AddClesUNIV},
    {"DICO_INT_SAVE", "DICO", "Sauver", "Sauver", nullptr, "save", &TForm1::DICO_INT_SAVE},
    {"DICO_INT_SAVEAS", "DICO", "Sauver sous ...", "Enregistrer le DICO INT sous ...", nullptr, "save-as", &TForm1::DICO_INT_SAVEAS},
    {"DICO_INT_LOAD", "DICO", "Charger", "Charger", nullptr, "load", &TForm1::DICO_INT_LOAD},
    {"DICO_INT_CLEAR", "DICO", "Purger", "Purger", nullptr, "clear", &TForm1::DICO_INT_CLEAR},
    {"DICO_FUSION_CREATE", "DICO", "Générer", "Générer", nullptr, "generate", &TForm1::DICO_FUSION_CREATE},
    {"DICO_FUSION_SAVE", "DICO", "Sauve", nullptr, nullptr, "save", &TForm1::DICO_FUSION_SAVE},
    {"DICO_FUSION_SAVESA", "DICO", "Sauver sous...", "Enregistrer le DICO de FUSION sous ...", nullptr, "save-as", &TForm1::DICO_FUSION_SAVESA},
    {"DICO_FUSION_LOAD", "DICO", "Recharger", "Recharger", nullptr, "reload", &TForm1::DICO_FUSION_LOAD},
    {"DICO_SAN_LOAD", "DICO", "Charger", "Charger", nullptr, "load", &TForm1::DICO_SAN_LOAD},
    {"DICO_SAN_SAVE", "DICO", "Sauver", "Sauver", nullptr, "save", &TForm1::DICO_SAN_SAVE},
    {"DICO_QUESTIONS_LOAD", "DICO", "Recharger", "Recharger QUESTIONS", nullptr, "reload", &TForm1::DICO_QUESTIONS_LOAD},
    {"DICO_QUESTIONS_SAVE", "DICO", "Sauver", "Sauver Questions", nullptr, "save", &TForm1::DICO_QUESTIONS_SAVE},
    {"DICO_QUESTIONS_REBUILD", "DICO", "Régénérer le dictionnaire Universel", "Reconstituer les Questions Universelles à partir de ce dictionnaire", nullptr, "questions", &TForm1::DICO_QUESTIONS_REBUILD},
    {"DICO_COMPRESS", "DICO", "Compresser les dictionnaires", "Mettre à jour et Compresser les listes", nullptr, "compress", &TForm1::DICO_COMPRESS},
    {"DICO_COMPRESS_CONFIRM", "DICO", "Compresser tous les dictionnaires ?", "Mettre à jour et Compresser les listes", nullptr, "compress", &TForm1::DICO_COMPRESS_CONFIRM},
    {"DICOS_JOIN", "DICO", "Regrouper les dictionnaires", nullptr, nullptr, "join", &TForm1::DICOS_JOIN},
    {"DICO_CHECK", "DICO", "Vérifier les dictionnaires", "Vérifier les dictionnaires", nullptr, "check", &TForm1::DICO_CHECK},
    {"DICO_EXT_SUGGEST", "DICO", "Reconnaître les codes du script...", "Propose une clé universelle pour chaque code du script externe que le dictionnaire externe ne connaît pas", nullptr, "recognise", &TForm1::DICO_EXT_SUGGEST},

    {"SKR_EXT_Open", "SKRIVO", "Ouvrir", "Ouvrir", nullptr, "open", &TForm1::SKR_EXT_Open},
    {"SKR_EXT_LOAD", "SKRIVO", "Recharger", "Recharger", nullptr, "reload", &TForm1::SKR_EXT_LOAD},
    {"SKR_EXT_SAVEAS", "SKRIVO", "Sauver sous ...", "Sauvegarder le SCRIPT Externe sous ...", nullptr, "save-as", &TForm1::SKR_EXT_SAVEAS},
    {"SKR_EXT_CLEAR", "SKRIVO", "Purger", "Purger", nullptr, "clear", &TForm1::SKR_EXT_CLEAR},
    {"SKR_EXT_PASTE", "SKRIVO", "Coller", "Coller", nullptr, "paste", &TForm1::SKR_EXT_PASTE},
    {"SKR_EXT_L1", "SKRIVO", "Ecrire la Ligne 1", "Ecrire la Ligne 1 (EXT)", nullptr, "write-line1", &TForm1::SKR_EXT_L1},
    {"SKR_INT_OPEN", "SKRIVO", "Ouvrir", "Ouvrir SKR INT", nullptr, "open", &TForm1::SKR_INT_OPEN},
    {"SKR_INT_LOAD", "SKRIVO", "Recharger", "Recharger", nullptr, "reload", &TForm1::SKR_INT_LOAD},
    {"SKR_INT_SAVEAS", "SKRIVO", "Sauver sous ...", "Sauvegarder le SCRIPT Interne sous ...", nullptr, "save-as", &TForm1::SKR_INT_SAVEAS},
    {"SKR_INT_CLEAR", "SKRIVO", "Purger", "Purger", nullptr, "clear", &TForm1::SKR_INT_CLEAR},
    {"SKR_INT_COPY", "SKRIVO", "Copier", "Copier", nullptr, "copy", &TForm1::SKR_INT_COPY},
    {"SKR_INT_L1", "SKRIVO", "Ecrire la ligne 1", "INT: Ecrire la ligne 1", nullptr, "write-line1", &TForm1::SKR_INT_L1},
    {"SKR_UNI_OPEN", "SKRIVO", "Ouvrir", "Ouvrir", nullptr, "open", &TForm1::SKR_UNI_OPEN},
    {"SKR_UNI_LOAD", "SKRIVO", "Recharger", nullptr, nullptr, "reload", &TForm1::SKR_UNI_LOAD},
    {"SKR_UNI_SAVEAS", "SKRIVO", "Sauver sous ...", "Enregistrer de Script UNIVERSEL sous ...", nullptr, "save-as", &TForm1::SKR_UNI_SAVEAS},
    {"SKR_UNI_CLEAR", "SKRIVO", "Purger", "Purger", nullptr, "clear", &TForm1::SKR_UNI_CLEAR},
    {"SKR_UNI_L1", "SKRIVO", "Ecrire la ligne 1", "Ecrire la ligne 1 (UNIVERSEL)", nullptr, "write-line1", &TForm1::SKR_UNI_L1},
    {"SKR_COMMENT", "SKRIVO", "Commenter /* ... */", nullptr, nullptr, "comment", &TForm1::SKR_COMMENT},

    {"FUSION_EXT_INT", "FUSION", "Traduction du Script Externe", "Traduction du Script Externe", nullptr, "translate", &TForm1::FUSION_EXT_INT},
    {"FUSION_POLYX", "FUSION", "Traduction en langage universel", "Traduction en langage universel", nullptr, "translate-universal", &TForm1::FUSION_POLYX},
    {"FUSION_BATCH", "FUSION", "Traduire un lot de scripts...", "Traduit tous les scripts choisis avec les dictionnaires actuels", nullptr, "translate-batch", &TForm1::FUSION_BATCH},
    {"FUSION_REPORT", "FUSION", "Rapport de la traduction", "Ce qui a été remplacé, et ce qui ne l'a pas été", "F9", "report", &TForm1::FUSION_REPORT},

    {"BACKUP", "OUTILS", "Créer une sauvegarde de tous les Fichiers", "Sauvegarde de tous les Fichiers", nullptr, "backup", &TForm1::BACKUP},

    {"AIDE", "AIDE", "Aide de Polyx'X", "Le guide de Polyx'X (F1 : la page de ce qui a le focus)", "F1", "help", &TForm1::AIDE},
    {"AIDE_EXEMPLE", "AIDE", "Premiers pas : ouvrir l'exemple", "Crée le dossier Exemple et ouvre ses dictionnaires et sa lettre", nullptr, "open", &TForm1::AIDE_EXEMPLE},
    {"AIDE_APROPOS", "AIDE", "À propos de Polyx'X", "Version, licence et emplacement des fichiers", nullptr, "help", &TForm1::AIDE_APROPOS},

    {"FichierFileExit1", "Fichier", "&Quitter", "Quitter|Quitte l'application", "Ctrl+Q", "quit", &TForm1::FichierFileExit1},
    {"EditionEditCopy1", "Edition", "C&opier", "Copier|Copie la sélection et la place dans le Presse-papiers", "Ctrl+C", "copy", &TForm1::EditionEditCopy1},
    {"EditionEditPaste1", "Edition", "Co&ller", "Coller|Insère le contenu du Presse-papiers", "Ctrl+V", "paste", &TForm1::EditionEditPaste1},
};
} // namespace

std::span<const ActionRow> actionTable() { return kActions; }
