// Any file loaded as a dictionary: no crash; either refused with a message
// or loaded, and then saved and loaded again to the same lines.
#include "FuzzApplication.h"

#include "dictionaries/DictionaryLines.h"
#include "platform/Error.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {
QTemporaryDir* folder = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startApplication<QCoreApplication>();
    folder = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = folder->filePath("fuzz.DICO");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    polyx::DictionaryLines lines;
    try {
        lines.LoadFromFile(path);
    } catch (const polyx::Error& error) {
        if (error.message().isEmpty())
            std::abort();
        return 0;
    }
    lines.SaveToFile(path);
    polyx::DictionaryLines again;
    again.LoadFromFile(path);
    if (again.Lines() != lines.Lines())
        std::abort();
    return 0;
}
