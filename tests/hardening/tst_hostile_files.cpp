// Every reader of user files fed the same hostile files: each gives a sound
// result or its French error, never a crash, and no file on disk changes.
#include "config/ConfigStore.h"
#include "dictionaries/DictionaryLines.h"
#include "dictionaries/TextLinesFile.h"
#include "platform/Error.h"
#include "questions/QuestionFile.h"
#include "scripts/ScriptFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QRegularExpression>
#include <QtTest>

#include <functional>
#include <unistd.h>

namespace {

using Reader = std::function<void(const QString& path)>;

struct Named {
    const char* name;
    const char* extension;
    Reader read;
};

const std::vector<Named>& allReaders()
{
    static const std::vector<Named> all{
        {"dictionary", ".DICO", [](const QString& path) { polyx::DictionaryLines().LoadFromFile(path); }},
        {"fusion", ".PLX", [](const QString& path) { polyx::DictionaryLines().LoadFromFile(path); }},
        {"question list", ".DICU", [](const QString& path) { polyx::QuestionFile().Load(path); }},
        {"information file", ".TXT", [](const QString& path) { polyx::TextLinesFile::Read(path); }},
        {"plain script", ".SKRIVO", [](const QString& path) {
             QTextDocument document;
             polyx::ScriptFile::Load(document, path, true);
         }},
        {"rich script", ".SKRIVO", [](const QString& path) {
             QTextDocument document;
             polyx::ScriptFile::Load(document, path, false);
         }},
        {"RTF", ".RTF", [](const QString& path) {
             QTextDocument document;
             polyx::ScriptFile::Load(document, path, false);
         }},
        {"configuration", ".INI", [](const QString& path) {
             ReadString("PolyxX", "Form1", "absent", path);
             ReadInteger("AFFICHAGE", "TEXTE", 296, path);
         }},
    };
    return all;
}

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(20261210);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

// What a reader may answer instead of a result.
// A dictionary's load error first names the file on a line of its own.
QString withoutFileLine(const QString& message)
{
    static const QRegularExpression fileLine(QStringLiteral("^Fichier \"[^\r]*\" :\r\n"));
    return QString(message).remove(fileLine);
}

bool isFrenchError(const QString& fullMessage)
{
    const QString message = withoutFileLine(fullMessage);
    for (const char* start : {"Impossible d'ouvrir le fichier", "Erreur au chargement du flux", "Une clé nommée",
                              "Le fichier est trop volumineux"})
        if (message.startsWith(QString::fromUtf8(start)))
            return true;
    return false;
}

QByteArray fingerprint(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return "folder:" + QByteArray::number(QDir(path).count());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "unreadable:" + QByteArray::number(info.size());
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class HostileFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void readers_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("kind");
        const std::vector<const char*> kinds{"empty", "binary", "truncated UTF-8 mark", "truncated UTF-16 mark",
                                             "odd UTF-16", "50 MB", "deep RTF nesting", "NUL in the middle",
                                             "unreadable", "folder"};
        for (int reader = 0; reader < int(allReaders().size()); ++reader)
            for (const char* kind : kinds)
                QTest::addRow("%s: %s", allReaders()[reader].name, kind) << reader << QString(kind);
    }

    void readers()
    {
        QFETCH(int, reader);
        QFETCH(QString, kind);
        const Named& named = allReaders()[reader];
        const QString path = m_dir.filePath(QString("hostile%1%2").arg(QTest::currentDataTag()).remove(':').remove(' ')
                                            + named.extension);
        if (kind == "folder") {
            QVERIFY(QDir().mkpath(path));
        } else {
            QByteArray content;
            if (kind == "binary")
                content = randomBytes(64 * 1024);
            else if (kind == "truncated UTF-8 mark")
                content = "\xEF\xBB";
            else if (kind == "truncated UTF-16 mark")
                content = "\xFF";
            else if (kind == "odd UTF-16")
                content = QByteArray("\xFF\xFE<\0A\0>\0=\0x", 9);
            else if (kind == "50 MB") // one line: a document of millions of paragraphs only costs time
                content = QByteArray("<CLE>=valeur ").repeated(50 * 1024 * 1024 / 13);
            else if (kind == "deep RTF nesting")
                content = "{\\rtf1" + QByteArray(200000, '{') + "texte";
            else if (kind == "NUL in the middle" || kind == "unreadable")
                content = QByteArray("<A>=1\r\n\0<B>=2\r\n", 16);
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
            file.close();
            if (kind == "unreadable")
                QVERIFY(file.setPermissions(QFileDevice::Permissions()));
        }
        const QByteArray before = fingerprint(path);

        std::optional<QString> failure;
        try {
            named.read(path);
        } catch (const polyx::Error& error) {
            failure = error.message();
        }
        if (failure)
            QVERIFY2(isFrenchError(*failure), qPrintable(*failure));

        const bool configuration = QString(named.extension) == ".INI";
        // The configuration reads as its defaults whatever the file holds.
        if (configuration || kind == "empty")
            QVERIFY2(!failure, qPrintable(failure.value_or(QString())));
        if (!configuration && (kind == "folder" || (kind == "unreadable" && geteuid() != 0)))
            QVERIFY(failure && withoutFileLine(*failure).startsWith("Impossible d'ouvrir le fichier"));

        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(fingerprint(path), before);
    }

    void nulEndsTheText()
    {
        const QString path = m_dir.filePath("nul.DICO");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("<A>=1\r\n\0<B>=2\r\n", 16));
        file.close();
        polyx::DictionaryLines lines;
        lines.LoadFromFile(path);
        QCOMPARE(lines.Lines(), QStringList{"<A>=1"});
    }
};

QTEST_MAIN(HostileFilesTest)
#include "tst_hostile_files.moc"
