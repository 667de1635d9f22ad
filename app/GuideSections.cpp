#include "app/GuideSections.h"

namespace polyx {
namespace {

const char* const kPages[] = {
    "index.html",       "premiers-pas.html", "installation.html", "traduire.html",
    "fenetre.html",     "rapport.html",      "verification.html", "reconnaissance.html",
    "lot.html",         "sauvegardes.html",  "configuration.html", "menus.html",
    "messages.html",
};

struct Section {
    const char* objectName;
    const char* section;
};

// The first name met going out from the focused widget decides.
const Section kSections[] = {
    {"RapportTraduction", "rapport.html"},
    {"VerificationDictionnaires", "verification.html"},
    {"TraductionParLot", "lot.html"},
    {"JvFileListBox1", "fenetre.html#fichiers"},
    {"Edit_MASK", "fenetre.html#fichiers"},
    {"TabSet1", "fenetre.html#fichiers"},
    {"TabSet2", "fenetre.html#fichiers"},
    {"panel_Fichiers", "fenetre.html#fichiers"},
    {"JvCheckListBox_QUESTION", "fenetre.html#questions"},
    {"Memo_QUESTIONS", "fenetre.html#questions"},
    {"JvCaptionPanel3", "fenetre.html#questions"},
    {"ValueListEditor_EXT", "fenetre.html#dictionnaires"},
    {"ValueListEditor_INT", "fenetre.html#dictionnaires"},
    {"ValueListEditor_FUSION", "fenetre.html#dictionnaires"},
    {"ValueListEditor_SANVOR", "fenetre.html#dictionnaires"},
    {"PageControl_DICOS", "fenetre.html#dictionnaires"},
    {"SKRIVO_EXT", "fenetre.html#scripts"},
    {"SKRIVO_INT", "fenetre.html#scripts"},
    {"SKRIVO_POLYX", "fenetre.html#scripts"},
    {"PageControl_SCRIPTS", "fenetre.html#scripts"},
    {"PANEL_TEXTE", "fenetre.html#scripts"},
};

} // namespace

std::span<const char* const> GuidePages() { return kPages; }

QString GuideSectionFor(const QStringList& objectNames, bool batchReport)
{
    for (const QString& name : objectNames) {
        for (const Section& known : kSections) {
            if (name != QLatin1String(known.objectName))
                continue;
            if (batchReport && name == u"RapportTraduction")
                return QStringLiteral("lot.html#rapport");
            return QString::fromLatin1(known.section);
        }
    }
    return QString::fromLatin1(kPages[0]);
}

} // namespace polyx
