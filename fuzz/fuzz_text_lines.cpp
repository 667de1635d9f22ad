// Any bytes decoded as a text file of lines: no crash, and the lines
// encoded again decode to the same lines.
#include "dictionaries/TextLinesFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const polyx::TextLines decoded = polyx::TextLinesFile::Decode(bytes);
    const polyx::EncodedText encoded = polyx::TextLinesFile::Encode(decoded.lines, decoded.encoding);
    if (polyx::TextLinesFile::Decode(encoded.bytes).lines != decoded.lines)
        std::abort();
    return 0;
}
