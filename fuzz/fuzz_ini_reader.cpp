// Any bytes read as the configuration file: no crash, and a value written
// into them reads back.
#include "config/IniDocument.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    config::IniDocument document(bytes);
    (void)document.value(QStringLiteral("DICO"), QStringLiteral("EXTERNE"));
    document.setValue(QStringLiteral("DICO"), QStringLiteral("EXTERNE"), QStringLiteral("/tmp/a b.DICO"));
    const config::IniDocument again(document.bytes());
    if (again.value(QStringLiteral("DICO"), QStringLiteral("EXTERNE")) != QStringLiteral("/tmp/a b.DICO"))
        std::abort();
    return 0;
}
