// Any bytes read as a plain script the way batch translation reads one: no
// crash, and the text written back in the file's own layout reads the same.
#include "scripts/ScriptPlainText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    polyx::PlainScriptLayout layout;
    const QString text = polyx::DecodePlainScript(bytes, &layout);
    if (polyx::DecodePlainScript(polyx::EncodePlainScriptAs(text, layout)) != text)
        std::abort();
    return 0;
}
