// Any bytes as an external script, a kept dictionary and an information
// file: no crash, every code found lies inside the script on one line, and
// no key goes to two codes.
#include "dictionaries/TextLinesFile.h"
#include "scripts/translation/CodeRecognition.h"

#include <QSet>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = polyx::TextLinesFile::Decode(bytes).lines;
    const QString script = lines.join(u'\n');
    const polyx::ScriptCodes found = polyx::FindScriptCodes(script, lines, {});
    for (const auto& token : found.tokens) {
        if (token.start < 0 || token.length <= 0 || token.start + token.length > script.size()
            || script.sliced(token.start, token.length).contains(u'\n'))
            std::abort();
    }
    polyx::RecognitionInput input;
    input.script = script;
    input.kept = {{"fuzz.DICO", lines}};
    input.questions = lines;
    input.definitions.insert("X", polyx::QuestionDefinition(lines));
    input.letter = script;
    QSet<QString> keys;
    for (const polyx::RecognitionRow& row : polyx::RecogniseCodes(input)) {
        if (row.key.isEmpty())
            continue;
        if (keys.contains(row.key.toCaseFolded()))
            std::abort();
        keys.insert(row.key.toCaseFolded());
    }
    return 0;
}
