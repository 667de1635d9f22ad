#pragma once
#include "dictionaries/DictionaryLines.h"
#include "scripts/translation/CodeShapes.h"
#include "scripts/translation/FindingsTable.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace polyx {

// --- Which codes ---

struct ScriptCode {
    QString code;        // the spelling met most often
    int occurrences = 0;
    qsizetype firstAt = 0;
};

struct ScriptCodes {
    QList<CodeShapes::Token> tokens; // every code-like token, in text order
    QList<int> codeOfToken;          // per token: its index in `codes`, -1 when the external dictionary knows it
    QList<ScriptCode> codes;         // the codes to recognise, in order of first occurrence
};

// The code-like tokens of `script`: of the shapes of `dictionaryCodes`, and of
// shapes the script alone shows (a run of signs, a name of letters, digits,
// blanks and "_ . : - '", at most 60 characters on one line, and the mirror of
// the signs, met at least twice with different names). Ordinary text is left
// out: numbers, units, times, dates, addresses, prose between quotes or
// brackets. The codes to recognise are those whose text, case and blanks at
// either end aside, is no value of `externalValues`.
ScriptCodes FindScriptCodes(const QString& script, const QStringList& dictionaryCodes,
                            const QStringList& externalValues);

// --- The evidence and the proposals ---

enum class Confidence { Sure, Probable, ToCheck };
// "sûre", "probable", "à vérifier".
QString ConfidenceText(Confidence confidence);

enum class Evidence { Memory, Letter, Names };

struct KeyCandidate {
    QString key;
    Confidence confidence = Confidence::ToCheck;
    Evidence evidence = Evidence::Names;
    double weight = 0; // orders candidates: confidence, then evidence, then how near
    QString reason;
};

// A dictionary other than the external one: its file's name and its lines.
struct KeptDictionary {
    QString name;
    QStringList lines;
};

struct RecognitionInput {
    QString script;
    QStringList externalLines;
    QStringList internalLines;
    QList<KeptDictionary> kept;          // the internal and Sanvor ones included
    QStringList questions;
    QHash<QString, QString> definitions; // question name, upper-cased, to its "Définition"
    QString letter;                      // the same letter in the user's codes, or empty
};

struct RecognitionRow {
    QString code;
    int occurrences = 0;
    QString key; // empty: nothing to propose
    Confidence confidence = Confidence::ToCheck;
    QString reason;
    QList<KeyCandidate> candidates; // best first, one per key
    bool ticked = false;
};

// One row per code to recognise, "à vérifier" first, then "probable", then
// "sûre", each in order of the codes' first occurrence. A key goes to one
// code only: the strongest evidence keeps it, the other code gets its next
// best key. Keys the external dictionary already gives a code are not
// proposed. Only "sûre" rows are ticked.
QList<RecognitionRow> RecogniseCodes(const RecognitionInput& input);

// "14 codes à reconnaître : 9 sûrs, 3 probables, 2 à vérifier".
QString RecognitionSummary(const QList<RecognitionRow>& rows);
// "Code", "Occurrences", "Clé proposée", "Confiance", "Raison".
FindingsTable RecognitionTable(const QList<RecognitionRow>& rows);
QStringList RecognitionCells(const RecognitionRow& row);

// A key the user typed, in the form "<" + name + ">": the brackets added
// where they are missing, blanks inside as "_"; nothing for an empty name or
// one holding "=", "<" or ">".
std::optional<QString> TypedKey(const QString& text);

// The row's key becomes `key`: its confidence and reason those of the
// candidate with that key, if any; the user chose it, so it is ticked.
void ChooseKey(RecognitionRow& row, const QString& key);

// Adds key "=" code to the external dictionary, after its lines; a key
// there with an empty value takes the code. A key with another value is left
// alone: that value is given back.
std::optional<QString> AddToExternal(DictionaryLines& external, const QString& key, const QString& code);
// 'Déjà "…" dans le dictionnaire'
QString AlreadyInDictionary(const QString& value);
// "9 lignes ajoutées au dictionnaire externe"
QString AddedSummary(int added);

// The "Définition" of a question's information file (its text after the
// colon), or empty.
QString QuestionDefinition(const QStringList& lines);

} // namespace polyx
