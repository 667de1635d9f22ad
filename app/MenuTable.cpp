#include "app/MenuTable.h"
#include "app/Unit1.h"

namespace {
using E = MenuEntry;
constexpr E sep{};
constexpr E act(const char* name) { return E{nullptr, name}; }
constexpr E sub(const char* name) { return E{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, name}; }

const E kFichier[] = {act("FichierFileExit1")};
const E kAfficher[] = {
    {"chk_StayOnTop", nullptr, "Toujours en avant", nullptr, nullptr, &TForm1::chk_StayOnTopClick, nullptr, E::Checkable},
};
const E kDico[] = {act("DICO_COMPRESS_CONFIRM"), act("DICO_CHECK"), act("DICO_EXT_SUGGEST"), sep, sub("mnu_DICO_Questions"), sub("mnu_DICO_Externe"),
                   sub("mnu_DICO_Interne"), sub("mnu_DICO_Fusion"), sub("mnu_DICO_Sanvor")};
const E kDicoQuestions[] = {act("DICO_QUESTIONS_SAVE"), act("DICO_QUESTIONS_LOAD"), sep, act("DICO_QUESTIONS_REBUILD")};
const E kDicoExterne[] = {act("DICO_EXT_SAVE"), act("DICO_EXT_SAVEAS"), act("DICO_EXT_LOAD"), act("DICO_EXT_EDIT"),
                          act("DICO_EXT_CLEAR"), sep, act("DICO_EXT_AddClesUNIV")};
const E kDicoInterne[] = {act("DICO_INT_SAVE"), act("DICO_INT_SAVEAS"), act("DICO_INT_LOAD"), act("DICO_INT_CLEAR")};
const E kDicoFusion[] = {act("DICO_FUSION_SAVE"), act("DICO_FUSION_SAVESA"), act("DICO_FUSION_LOAD")};
const E kDicoSanvor[] = {act("DICO_SAN_LOAD"), act("DICO_SAN_SAVE")};
const E kSkrivo[] = {
    {"OuvrirSkrivo1", nullptr, "Ouvrir Skrivo", nullptr, "Ctrl+D", &TForm1::OuvrirSkrivo1Click},
    sep, sub("mnu_SKRIVO_Externe"), sub("mnu_SKRIVO_Interne"), sub("mnu_SKRIVO_Universel")};
const E kSkrivoExterne[] = {act("SKR_EXT_SAVEAS"), act("SKR_EXT_LOAD"), act("SKR_EXT_Open"), act("SKR_EXT_CLEAR"), act("SKR_EXT_L1")};
const E kSkrivoInterne[] = {act("SKR_INT_SAVEAS"), act("SKR_INT_LOAD"), act("SKR_INT_OPEN"), act("SKR_INT_CLEAR"), sep, act("SKR_INT_L1")};
const E kSkrivoUniversel[] = {act("SKR_UNI_SAVEAS"), act("SKR_UNI_LOAD"), act("SKR_UNI_OPEN"), act("SKR_UNI_CLEAR"), sep, act("SKR_UNI_L1")};
const E kTraductions[] = {
    act("FUSION_EXT_INT"), act("FUSION_POLYX"), act("FUSION_BATCH"), sep, act("FUSION_REPORT"),
    {"mnu_SURLIGNER", nullptr, "Surligner les codes", nullptr, nullptr, &TForm1::mnu_SURLIGNERClick, nullptr,
     E::Checkable | E::Checked},
};
const E kOutils[] = {act("INI_GET"), act("INI_SAVE"), sep, act("BACKUP"), sep, sub("mnu_OUTILS_DEBUG")};
const E kOutilsDebug[] = {
    {"Editerlaconfiguration1", nullptr, "Editer la configuration", nullptr, nullptr, &TForm1::Editerlaconfiguration1Click},
};
const E kAide[] = {
    act("AIDE"),
    act("AIDE_EXEMPLE"),
    sep,
    {"Rvisions1", nullptr, "Révisions", nullptr, nullptr, &TForm1::Rvisions1Click},
    act("AIDE_APROPOS"),
};

const MenuRow kMainMenus[] = {
    {"mnu_Fichier", "Fichier", kFichier},
    {"mnu_Afficher", "Afficher", kAfficher},
    {"mnu_DICO", "DICO", kDico},
    {"mnu_SKRIVO", "SKRIVO", kSkrivo},
    {"mnu_Traductions", "Traductions", kTraductions},
    {"mnu_Outils", "Outils", kOutils},
    {"mnu_Aide", "?", kAide},
};

const MenuRow kSubMenus[] = {
    {"mnu_DICO_Questions", "Questions", kDicoQuestions},
    {"mnu_DICO_Externe", "Externe", kDicoExterne},
    {"mnu_DICO_Interne", "Interne", kDicoInterne},
    {"mnu_DICO_Fusion", "Fusion", kDicoFusion},
    {"mnu_DICO_Sanvor", "Sanvor", kDicoSanvor},
    {"mnu_SKRIVO_Externe", "Externe", kSkrivoExterne},
    {"mnu_SKRIVO_Interne", "Interne", kSkrivoInterne},
    {"mnu_SKRIVO_Universel", "Universel", kSkrivoUniversel},
    {"mnu_OUTILS_DEBUG", "DEBUG", kOutilsDebug},
};

// Pop-up menus. An item with a name of its own and no action carries its own
// command.
const E kPopQuestions[] = {
    {"mnu_QUESTION_ADD", nullptr, "Ajouter", nullptr, nullptr, &TForm1::mnu_QUESTION_ADDClick},
    {"mnu_QUESTIOn_edit", nullptr, "Modifier", nullptr, "F2", &TForm1::mnu_QUESTIOn_editClick},
    {"mnu_QUESTION_DEL", nullptr, "Supprimer", nullptr, nullptr, &TForm1::mnu_QUESTION_DELClick},
    {"Purger1", nullptr, "Purger la liste", "Purger", nullptr, &TForm1::Purger1Click},
    sep,
    {"Rier2", nullptr, "Trier", nullptr, nullptr, &TForm1::Rier2Click},
    {"Recharger4", "DICO_QUESTIONS_LOAD", "Recharger"},
    {"Sauver3", "DICO_QUESTIONS_SAVE"},
    sep,
    {"Complterleslistes1", nullptr, "Ajouter toute les clés", "Compléter les DICOS avec les Questions manquantes", "Ctrl+Shift+A", &TForm1::Complterleslistes1Click},
    {"Ajouterlaslection1", nullptr, "Ajouter uniquement  la sélection (double clic)", nullptr, nullptr, &TForm1::Ajouterlaslection1Click},
    {"Ajoutertout1", nullptr, "Séléctionner tout", nullptr, "Ctrl+A", &TForm1::Ajoutertout1Click},
    sep,
    {"DICOQUESTIONSREBUILD1", "DICO_QUESTIONS_REBUILD", nullptr, "Reconstituer les Questions Universelles à partir du DICO EXTERNE (gauche)", "Ctrl+U"},
    sep,
    {"PlacerdanslescritpUniversel1", nullptr, "Copie le code séléctionné dans le SCRIPT Universel", nullptr, nullptr, &TForm1::PlacerdanslescritpUniversel1Click},
    sep,
    {"mnuQuestions_PROP", nullptr, "Propriétés", nullptr, "F12", &TForm1::mnuQuestions_PROPClick},
};
const E kPopMemoQuestions[] = {{"Ouvrir1", nullptr, "Ouvrir (Double Clic)", nullptr, nullptr, &TForm1::mnuQuestions_PROPClick}};
const E kPopDicExt[] = {
    {"MenuItem1", nullptr, "Ajouter", nullptr, nullptr, &TForm1::MenuItem1Click},
    {"MenuItem2", nullptr, "Supprimer", nullptr, nullptr, &TForm1::MenuItem2Click},
    {"Purgerlaliste1", nullptr, "Purger la liste", nullptr, nullptr, &TForm1::Purgerlaliste1Click},
    act("INI_GET"),
    sep,
    {"Rier1", nullptr, "Trier par Clé", nullptr, nullptr, &TForm1::Rier1Click},
    {"rierparValeur1", nullptr, "Trier par Valeur", nullptr, nullptr, &TForm1::rierparValeur1Click},
    sep,
    {nullptr, "DICO_EXT_SAVEAS", nullptr, nullptr, nullptr, nullptr, nullptr, E::Default},
    act("DICO_EXT_LOAD"),
    sep,
    act("DICO_EXT_SUGGEST"),
    act("DICO_QUESTIONS_REBUILD"),
    act("DICO_COMPRESS_CONFIRM"),
};
const E kPopDicInt[] = {
    {"mnu_IN_ADD", nullptr, "Ajouter", nullptr, nullptr, &TForm1::mnu_IN_ADDClick},
    {"mnu_IN_DEL", nullptr, "Supprimer", nullptr, nullptr, &TForm1::mnu_IN_DELClick},
    {"Purgerlaliste2", "DICO_INT_CLEAR"},
    act("INI_GET"),
    sep,
    {"RierparCl1", nullptr, "Trier par Clé", nullptr, nullptr, &TForm1::RierparCl1Click},
    {"RierparValeur2", nullptr, "Trier par Valeur", nullptr, nullptr, &TForm1::RierparValeur2Click},
    sep,
    act("DICO_INT_SAVEAS"),
    sep,
    act("DICO_COMPRESS_CONFIRM"),
};
const E kPopFusion[] = {
    {"MenuItem8", nullptr, "Trier par Clé", nullptr, nullptr, &TForm1::MenuItem8Click},
    {"MenuItem9", nullptr, "Trier par Valeur", nullptr, nullptr, &TForm1::MenuItem9Click},
    sep,
    act("DICO_FUSION_LOAD"),
    act("DICO_FUSION_CREATE"),
    act("DICO_FUSION_SAVESA"),
    sep,
    act("DICO_COMPRESS_CONFIRM"),
};
const E kPopSanvor[] = {
    {"Ajouter1", nullptr, "Ajouter", nullptr, nullptr, &TForm1::Ajouter1Click},
    sep,
    act("DICO_SAN_LOAD"),
    act("DICO_SAN_SAVE"),
    sep,
    {"rierparcl2", nullptr, "Trier par clé", nullptr, nullptr, &TForm1::rierparcl2Click},
    {"rierparvaleur3", nullptr, "Trier par valeur", nullptr, nullptr, &TForm1::rierparvaleur3Click},
};
const E kPopMemoExt[] = {
    {"Commenter1", "SKR_COMMENT", nullptr, nullptr, "Alt+C"},
    {"Baliser1", nullptr, "Baliser { ... }", nullptr, "Alt+B", &TForm1::Baliser1Click},
    {"Insrer1", nullptr, "Insérer @@_ := ", nullptr, "Alt+A", &TForm1::Insrer1Click},
    sep,
    {"Copier1", nullptr, "Copier", nullptr, nullptr, &TForm1::Copier1Click},
    {"Coller3", nullptr, "Coller", nullptr, nullptr, &TForm1::Coller3Click},
    act("SKR_EXT_CLEAR"),
    sep,
    act("FUSION_EXT_INT"),
    sep,
    act("SKR_EXT_Open"),
    act("SKR_EXT_LOAD"),
    {nullptr, "SKR_EXT_SAVEAS", nullptr, nullptr, nullptr, nullptr, nullptr, E::Default},
    sep,
    {"EcrireleTampondeScript1", "SKR_EXT_L1", "Ecrire le Tampon de Script", "Ecrire les Commentaires de Bas de Script", "Ctrl+T"},
    sep,
    {"SKR_EXT_PLAIN", nullptr, "Texte Brut", nullptr, nullptr, nullptr, nullptr, E::Checkable | E::Checked},
};
const E kPopMemoInt[] = {
    {"Coller4", nullptr, "Coller", nullptr, nullptr, &TForm1::Coller4Click},
    act("SKR_INT_CLEAR"),
    sep,
    act("FUSION_EXT_INT"),
    sep,
    {"MenuItem3", "SKR_INT_OPEN", "Ouvrir", "Ouvrir"},
    act("SKR_INT_LOAD"),
    act("SKR_INT_SAVEAS"),
    sep,
    act("SKR_INT_L1"),
    {"check_TexteBrut1", nullptr, "Texte Brut", nullptr, nullptr, nullptr, nullptr, E::Checkable | E::Checked},
    {"Commenter2", "SKR_COMMENT"},
};
const E kPopUniversel[] = {
    {"Coller5", nullptr, "Coller", nullptr, nullptr, &TForm1::Coller5Click},
    sep,
    act("FUSION_POLYX"),
    act("SKR_UNI_L1"),
    act("SKR_UNI_LOAD"),
    {"Commenter3", "SKR_COMMENT"},
};
const E kPopupListe[] = {
    {"RAffraichir1", nullptr, "Raffraichir", nullptr, "F5", &TForm1::RefreshFileList},
    {"Chargerledictionnaire1", nullptr, "Charger le dictionnaire", "Charger le dictionnaire", "Ctrl+O", &TForm1::Chargerledictionnaire1Click},
    sep,
    {"mnu_FICHIER_Read", nullptr, "Ouvrir", nullptr, nullptr, &TForm1::mnu_FICHIER_ReadClick, nullptr, E::Default},
    {"Renommer1", nullptr, "Renommer", nullptr, "F2", &TForm1::Renommer1Click},
    {"Supprimer1", nullptr, "Supprimer", nullptr, nullptr, &TForm1::Supprimer1Click},
    sep,
    {"Explorer1", nullptr, "Explorer", nullptr, "Ctrl+E", &TForm1::Explorer1Click},
    sep,
    {"Regrouperlesdictionnaires1", "DICOS_JOIN", nullptr, nullptr, "Ctrl+G"},
    // Shown only while scripts are selected in the list.
    {"Traduirelelot1", "FUSION_BATCH"},
};

const PopupRow kPopups[] = {
    {{"Pop_QUESTIONS", "", kPopQuestions}, "JvCheckListBox_QUESTION"},
    {{"Pop_MemoQuestions", "", kPopMemoQuestions}, "Memo_QUESTIONS"},
    {{"Pop_DICext", "", kPopDicExt}, "ValueListEditor_EXT"},
    {{"Pop_DIint", "", kPopDicInt}, "ValueListEditor_INT"},
    {{"Pop_FUSION", "", kPopFusion}, "ValueListEditor_FUSION"},
    {{"Pop_SANVOR", "", kPopSanvor}, "ValueListEditor_SANVOR"},
    {{"Pop_MemoExt", "", kPopMemoExt}, "SKRIVO_EXT"},
    {{"Pop_MemoInt", "", kPopMemoInt}, "SKRIVO_INT"},
    {{"Pop_UNIVERSEL", "", kPopUniversel}, "SKRIVO_POLYX"},
    {{"Popup_LISTE", "", kPopupListe}, "JvFileListBox1"},
};
} // namespace

std::span<const MenuRow> mainMenus() { return kMainMenus; }
std::span<const MenuRow> subMenus() { return kSubMenus; }
std::span<const PopupRow> popupMenus() { return kPopups; }

namespace {
const char* const kBarDicExt[] = {"DICO_EXT_SAVE", "DICO_EXT_SAVEAS", "DICO_EXT_CLEAR"};
const char* const kBarDicInt[] = {"DICO_INT_SAVE", "DICO_INT_SAVEAS", "DICO_INT_CLEAR"};
const char* const kBarDicFusion[] = {"DICO_FUSION_SAVESA", "DICO_FUSION_CREATE"};
const char* const kBarSkrExt[] = {"FUSION_EXT_INT", "SKR_EXT_SAVEAS", "SKR_EXT_CLEAR", "SKR_EXT_PASTE"};
const char* const kBarSkrInt[] = {"FUSION_EXT_INT", "FUSION_POLYX", "SKR_INT_SAVEAS", "SKR_INT_CLEAR", "SKR_INT_COPY"};
const char* const kBarSkrUni[] = {"FUSION_POLYX", "SKR_UNI_SAVEAS", "SKR_UNI_OPEN", "SKR_UNI_CLEAR"};

const ToolBarRow kToolBars[] = {
    {"ToolBar_DIC_EXT", kBarDicExt},
    {"ToolBar_DIC_INT", kBarDicInt},
    {"ToolBar_DIC_FUSION", kBarDicFusion},
    {"ToolBar_SKR_EXT", kBarSkrExt},
    {"ToolBar_SKR_INT", kBarSkrInt},
    {"ToolBar_SKR_UNI", kBarSkrUni},
};
} // namespace

std::span<const ToolBarRow> toolBars() { return kToolBars; }
