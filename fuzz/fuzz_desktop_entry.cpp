// Any bytes read as a desktop entry (the editor the desktop names comes from
// one): no crash, and a command line, when there is one, carries the file.
#include "platform/DesktopEntry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto entry = platform::parseDesktopEntry(bytes, QStringLiteral("/a/e.desktop"));
    if (!entry)
        return 0;
    const QString file = QStringLiteral("/travail/notes \"1\".txt");
    const QStringList command = platform::execArguments(*entry, file);
    if (!command.isEmpty() && !command.join(QChar(0)).contains(file))
        std::abort();
    return 0;
}
