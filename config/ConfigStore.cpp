#include "config/ConfigStore.h"

#include "config/IniDocument.h"
#include "config/IntegerText.h"
#include "dictionaries/FileBytes.h"
#include "dictionaries/FileErrors.h"
#include "platform/Error.h"
#include "platform/FileLocations.h"

#include <QFile>
#include <QFileInfo>

namespace {

// A configuration file holds a few dozen short lines; anything far bigger is
// not one, and is neither read nor rewritten.
constexpr qint64 MaxFileSize = 8 * 1024 * 1024;

QString resolved(const QString& file)
{
    return file.isEmpty() ? ConfigFileName() : file;
}

// The whole file, or nothing when it is missing, unreadable or too big.
std::optional<QByteArray> fileBytes(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = in.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize)
        return std::nullopt;
    return bytes;
}

std::optional<QString> readValue(const QString& section, const QString& key, const QString& file)
{
    const auto bytes = fileBytes(resolved(file));
    if (!bytes)
        return std::nullopt;
    return config::IniDocument(*bytes).value(section, key);
}

void writeValue(const QString& section, const QString& key, const QString& value,
                const QString& file)
{
    const QString path = resolved(file);
    const auto failed = [&] {
        return polyx::Error(QStringLiteral("Impossible d'écrire dans %1").arg(path));
    };

    const QFileInfo info(path);
    QByteArray existing;
    if (info.exists()) {
        // Replacing a file we cannot read or may not write would lose it.
        const auto bytes = fileBytes(path);
        if (!bytes || !info.isWritable())
            throw failed();
        existing = *bytes;
    }

    config::IniDocument document(existing);
    document.setValue(section, key, value);
    const QByteArray out = document.bytes();

    try {
        polyx::WriteFileBytes(path, out);
    } catch (const polyx::CreateFileFailure& failure) {
        throw polyx::Error(QStringLiteral("Impossible d'écrire dans %1. %2").arg(path, failure.reason()));
    }
}

} // namespace

QString ConfigFileName()
{
    return platform::configFile();
}

QString ReadString(const QString& section, const QString& key, const QString& defaultValue,
                   const QString& file)
{
    return readValue(section, key, file).value_or(defaultValue);
}

void WriteString(const QString& section, const QString& key, const QString& value,
                 const QString& file)
{
    writeValue(section, key, value, file);
}

int ReadInteger(const QString& section, const QString& key, int defaultValue, const QString& file)
{
    const auto text = readValue(section, key, file);
    if (!text)
        return defaultValue;
    return config::IntegerFromText(*text).value_or(defaultValue);
}

void WriteInteger(const QString& section, const QString& key, int value, const QString& file)
{
    writeValue(section, key, QString::number(value), file);
}

bool ReadBool(const QString& section, const QString& key, bool defaultValue, const QString& file)
{
    return ReadInteger(section, key, defaultValue ? 1 : 0, file) != 0;
}

void WriteBool(const QString& section, const QString& key, bool value, const QString& file)
{
    writeValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"), file);
}

QStringList SplitText(const QString& text, const QString& separator)
{
    QStringList pieces;
    qsizetype from = 0;
    // An empty separator would occur everywhere: the text stays whole.
    if (!separator.isEmpty()) {
        for (qsizetype at; (at = text.indexOf(separator, from)) >= 0; from = at + separator.size())
            pieces.append(text.mid(from, at - from));
    }
    if (from < text.size())
        pieces.append(text.mid(from));
    return pieces;
}
