#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace polyx {

// The whole content of a regular file. Throws "Impossible d'ouvrir le
// fichier ..." when it cannot be read or holds more than `maxBytes`.
QByteArray ReadFileBytes(const QString& path, qint64 maxBytes);

// The one writer of a user's file. The bytes go unbuffered into a temporary
// file of a short name in the file's folder, so a name at the file system's
// limit can still be saved; every write and the close are checked, and only
// then is the temporary file renamed over the file. On any failure the
// temporary file is removed, the previous file stays as it was, and
// "Impossible de créer le fichier ..." names the file and the reason.
class FileWriter {
public:
    explicit FileWriter(const QString& path);
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;
    ~FileWriter(); // a write never committed is cancelled

    void write(QByteArrayView bytes);
    // Replaces the file: the one place where a file of the user's is
    // overwritten, so what must happen before that belongs here.
    void commit();

private:
    [[noreturn]] void fail(int systemError);

    QString m_path;   // as the caller named it, for the message
    QString m_target; // the file replaced: a link's target, not the link
    QByteArray m_temporary;
    int m_descriptor = -1;
};

// One whole file through FileWriter.
void WriteFileBytes(const QString& path, QByteArrayView bytes);

} // namespace polyx
