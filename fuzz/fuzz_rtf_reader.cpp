// Any bytes given to the RTF reader: no crash, no hang, and what it reads
// writes back as RTF that reads again.
#include "FuzzApplication.h"

#include "scripts/rtf/RtfReader.h"
#include "scripts/rtf/RtfWriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startApplication<QGuiApplication>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    polyx::RtfReader reader;
    if (!reader.read(bytes, &document))
        return 0;
    QTextDocument again;
    if (!polyx::RtfReader().read(polyx::RtfWriter::write(document), &again))
        std::abort();
    return 0;
}
