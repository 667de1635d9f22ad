#include "tests/support/ErrorMessage.h"
#include "tests/support/FileBytes.h"

#include "dictionaries/TextLinesFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>


using polyx::TextEncoding;
using polyx::TextLines;
namespace TextLinesFile = polyx::TextLinesFile;

Q_DECLARE_METATYPE(polyx::TextEncoding)
Q_DECLARE_METATYPE(polyx::ReadStop)

namespace {

QByteArray bytes(const char* data, int size) { return QByteArray(data, size); }

} // namespace

class TestTextLinesFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void roundTripIsByteExact_data();
    void roundTripIsByteExact();
    void binaryFileLoadsUpToNul();
    void partialReads_data();
    void partialReads();
    void partialReadWarnings();
    void malformedUtf8AfterMarkIsRefused();
    void largeFileLoads();
    void writeReplacesFileAndReadsBack();
    void readFailures_data();
    void readFailures();
    void unreadableFileIsRefused();
    void oversizedFileIsRefused();
    void readOnlyFileIsNotReplaced();
    void writeFailures_data();
    void writeFailures();
    void nameAtTheLimitSaves();
};

void TestTextLinesFile::decode_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<TextEncoding>("encoding");

    const auto ansi = TextEncoding::Ansi;
    QTest::newRow("empty") << QByteArray() << QStringList() << ansi;
    QTest::newRow("crlf") << QByteArray("a=1\r\nb=2\r\n") << QStringList{"a=1", "b=2"} << ansi;
    QTest::newRow("lf, no last break") << QByteArray("a=1\nb=2") << QStringList{"a=1", "b=2"} << ansi;
    QTest::newRow("lone cr") << QByteArray("a\rb\r") << QStringList{"a", "b"} << ansi;
    QTest::newRow("lf then cr is two breaks") << QByteArray("a\n\rb") << QStringList{"a", "", "b"} << ansi;
    QTest::newRow("empty line inside") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"} << ansi;
    QTest::newRow("only a break") << QByteArray("\r\n") << QStringList{""} << ansi;
    QTest::newRow("nul ends the text") << bytes("a=1\r\nb\0c\r\nd", 11) << QStringList{"a=1", "b"} << ansi;
    QTest::newRow("windows-1252") << QByteArray("\x80\xE9\x9C\x81=\xFF")
                                  << QStringList{QString::fromUtf8("€éœ\u0081=ÿ")} << ansi;
    QTest::newRow("utf-8 mark only") << QByteArray("\xEF\xBB\xBF") << QStringList() << TextEncoding::Utf8;
    QTest::newRow("utf-8") << QByteArray("\xEF\xBB\xBF<ÉTAT>=\xE2\x82\xAC\r\nb")
                           << QStringList{QString::fromUtf8("<ÉTAT>=€"), "b"} << TextEncoding::Utf8;
    QTest::newRow("utf-8 second mark is text")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "a") << QStringList{QChar(0xFEFF) + QString("a")}
        << TextEncoding::Utf8;
    QTest::newRow("utf-8 malformed and truncated")
        << QByteArray("\xEF\xBB\xBF" "a\xFF" "b\xC3") << QStringList{QString::fromUtf8("a\uFFFDb\uFFFD")}
        << TextEncoding::Utf8;
    QTest::newRow("utf-16 le") << bytes("\xFF\xFE" "a\0=\0\xAC\x20\r\0\n\0", 12)
                               << QStringList{QString::fromUtf8("a=€")} << TextEncoding::Utf16LE;
    QTest::newRow("utf-16 be") << bytes("\xFE\xFF\0a\0=\x20\xAC\0\n", 10)
                               << QStringList{QString::fromUtf8("a=€")} << TextEncoding::Utf16BE;
    QTest::newRow("utf-16 odd byte count") << bytes("\xFF\xFE" "a\0b", 5)
                                           << QStringList{QString::fromUtf8("a\uFFFD")} << TextEncoding::Utf16LE;
    QTest::newRow("utf-16 nul") << bytes("\xFF\xFE" "a\0\0\0b\0", 8) << QStringList{"a"}
                                << TextEncoding::Utf16LE;
    // What Linux editors write: read as UTF-8, kept without mark.
    QTest::newRow("utf-8 without mark") << QByteArray("<NOM>=\xC2\xA3[SG : pr\xC3\xA9nom]#\r\n")
                                        << QStringList{QString::fromUtf8("<NOM>=£[SG : prénom]#")}
                                        << TextEncoding::Utf8NoMark;
    QTest::newRow("utf-8 without mark, nul after") << bytes("\xC3\xA9\r\n\0\xFF", 6)
                                                   << QStringList{QString::fromUtf8("é")} << TextEncoding::Utf8NoMark;
    QTest::newRow("ascii stays code page") << QByteArray("a=1\r\n") << QStringList{"a=1"} << ansi;
    QTest::newRow("not utf-8 stays code page") << QByteArray("\xC3\xA9\xE9") << QStringList{QString::fromUtf8("Ã©é")}
                                               << ansi;
    QTest::newRow("overlong form is not utf-8") << QByteArray("\xC0\xAF") << QStringList{QString::fromUtf8("À¯")}
                                                << ansi;
    QTest::newRow("surrogate is not utf-8") << QByteArray("\xED\xA0\x80") << QStringList{QString::fromUtf8("í\u00A0€")}
                                            << ansi;
    QTest::newRow("utf-16 le without mark") << bytes("a\0=\0\xE9\0\r\0\n\0b\0", 12)
                                            << QStringList{QString::fromUtf8("a=é"), "b"} << TextEncoding::Utf16LENoMark;
    QTest::newRow("utf-16 be without mark") << bytes("\0a\0=\0\xE9\0\r\0\n", 10)
                                            << QStringList{QString::fromUtf8("a=é")} << TextEncoding::Utf16BENoMark;
    QTest::newRow("odd size is not utf-16") << bytes("a\0b\0c", 5) << QStringList{"a"} << ansi;
    QTest::newRow("one nul pair is not utf-16") << bytes("ab\0\0cd", 6) << QStringList{"ab"} << ansi;
    QTest::newRow("utf-16 be mark after le mark is text")
        << bytes("\xFF\xFE\xFE\xFF" "a\0", 6) << QStringList{QString::fromUtf8("\uFFFEa")}
        << TextEncoding::Utf16LE;
}

void TestTextLinesFile::decode()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, lines);
    QFETCH(TextEncoding, encoding);

    const TextLines result = TextLinesFile::Decode(data);
    QCOMPARE(result.lines, lines);
    QCOMPARE(result.encoding, encoding);
}

void TestTextLinesFile::encode_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<TextEncoding>("used");

    const auto ansi = TextEncoding::Ansi;
    const auto utf8 = TextEncoding::Utf8;
    QTest::newRow("no lines, ansi") << QStringList() << ansi << QByteArray() << ansi;
    QTest::newRow("no lines, utf-8") << QStringList() << utf8 << QByteArray("\xEF\xBB\xBF") << utf8;
    QTest::newRow("no lines, utf-16 le") << QStringList() << TextEncoding::Utf16LE
                                         << QByteArray("\xFF\xFE") << TextEncoding::Utf16LE;
    QTest::newRow("start lines") << QStringList{"<_AUTEUR>=", "<_TITRE>=", "<_CODE>="} << ansi
                                 << QByteArray("<_AUTEUR>=\r\n<_TITRE>=\r\n<_CODE>=\r\n") << ansi;
    QTest::newRow("empty line") << QStringList{""} << ansi << QByteArray("\r\n") << ansi;
    QTest::newRow("code page characters")
        << QStringList{QString::fromUtf8("é=€\u0081")} << ansi << QByteArray("\xE9=\x80\x81\r\n") << ansi;
    QTest::newRow("beyond the code page falls back to utf-8")
        << QStringList{"a", QString::fromUtf8("Ω=1")} << ansi
        << QByteArray("\xEF\xBB\xBF" "a\r\n\xCE\xA9=1\r\n") << utf8;
    // No look-alike stands in for a character the page lacks.
    QTest::newRow("fullwidth sign falls back to utf-8")
        << QStringList{QString::fromUtf8("a=\uFF01")} << ansi << QByteArray("\xEF\xBB\xBF" "a=\xEF\xBC\x81\r\n")
        << utf8;
    QTest::newRow("c1 control outside the page falls back to utf-8")
        << QStringList{QString(QChar(0x80))} << ansi << QByteArray("\xEF\xBB\xBF\xC2\x80\r\n") << utf8;
    QTest::newRow("lone surrogate falls back to utf-8")
        << QStringList{QString(QChar(0xD800))} << ansi << QByteArray("\xEF\xBB\xBF\xEF\xBF\xBD\r\n")
        << utf8;
    QTest::newRow("utf-8 keeps its mark")
        << QStringList{QString::fromUtf8("é")} << utf8 << QByteArray("\xEF\xBB\xBF\xC3\xA9\r\n") << utf8;
    QTest::newRow("utf-16 be") << QStringList{"a"} << TextEncoding::Utf16BE
                               << bytes("\xFE\xFF\0a\0\r\0\n", 8) << TextEncoding::Utf16BE;
}

void TestTextLinesFile::encode()
{
    QFETCH(QStringList, lines);
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, data);
    QFETCH(TextEncoding, used);

    const polyx::EncodedText result = TextLinesFile::Encode(lines, encoding);
    QCOMPARE(result.bytes.toHex(' '), data.toHex(' '));
    QCOMPARE(result.encoding, used);
}

void TestTextLinesFile::roundTripIsByteExact_data()
{
    QTest::addColumn<QByteArray>("data");

    QByteArray everyByte;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            everyByte.append(char(b));
    }
    QTest::newRow("every code page byte") << everyByte + "\r\n" + everyByte + "\r\n";
    QTest::newRow("utf-8") << QByteArray("\xEF\xBB\xBF<NOM>=\xC2\xA3[SG : nom]#\r\n\r\n=x\r\n");
    QTest::newRow("utf-16 le") << bytes("\xFF\xFE" "a\0=\0\x3D\xD8\x00\xDE\r\0\n\0", 14);
    QTest::newRow("utf-16 be") << bytes("\xFE\xFF\0a\0=\0\r\0\n", 10);
    QTest::newRow("utf-8 without mark") << QByteArray("<NOM>=\xC2\xA3[SG : pr\xC3\xA9nom]#\r\n\xE2\x82\xAC=1\r\n");
    QTest::newRow("utf-16 le without mark") << bytes("a\0=\0\xE9\0\r\0\n\0", 10);
    QTest::newRow("utf-16 be without mark") << bytes("\0a\0=\0\xE9\0\r\0\n", 10);
    QTest::newRow("windows-1252 stays byte for byte") << QByteArray("<NOM>=\xA3[SG : pr\xE9nom]#\r\n");
}

void TestTextLinesFile::roundTripIsByteExact()
{
    QFETCH(QByteArray, data);
    const TextLines decoded = TextLinesFile::Decode(data);
    const polyx::EncodedText encoded = TextLinesFile::Encode(decoded.lines, decoded.encoding);
    QCOMPARE(encoded.bytes.toHex(' '), data.toHex(' '));
    QCOMPARE(encoded.encoding, decoded.encoding);
}

void TestTextLinesFile::binaryFileLoadsUpToNul()
{
    QByteArray cycle;
    for (int b = 1; b < 256; ++b)
        cycle.append(char(b));
    QByteArray data = cycle.repeated(100);
    data.append('\0');
    data.append(cycle);
    writeBytes(path("binary.DICO"), data);

    const TextLines result = TextLinesFile::Read(path("binary.DICO"));
    // Each cycle holds one LF (byte 10) and one CR (byte 13).
    QCOMPARE(result.lines.size(), 201);
    QCOMPARE(result.encoding, TextEncoding::Ansi);
    const QString fromCr = TextLinesFile::Decode(cycle.mid(13)).lines.first();
    const QString toLf = TextLinesFile::Decode(cycle.left(9)).lines.first();
    QCOMPARE(result.lines[2], fromCr + toLf);
    QCOMPARE(result.lines.last(), fromCr);
}

// What was read, and whether the file may be replaced by it.
void TestTextLinesFile::partialReads_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<polyx::ReadStop>("stop");

    QByteArray thousand;
    for (int i = 1; i <= 1000; ++i)
        thousand += "<CLE" + QByteArray::number(i) + ">=valeur\r\n";
    QByteArray nulBeforeTen = thousand;
    nulBeforeTen.insert(nulBeforeTen.indexOf("<CLE10>"), '\0');

    QTest::newRow("read whole") << thousand << 1000 << polyx::ReadStop::None;
    QTest::newRow("nul before line 10") << nulBeforeTen << 9 << polyx::ReadStop::Nul;
    QTest::newRow("nul in a line") << bytes("a=1\r\nb\0c\r\n", 10) << 2 << polyx::ReadStop::Nul;
    QTest::newRow("nuls that pad the end") << bytes("a=1\r\n\0\0\0", 8) << 1 << polyx::ReadStop::None;
    QTest::newRow("program file") << bytes("\x7F" "ELF\x02\x01\x01\0\0\0\x03\0>\0\x01\0", 16) << 1
                                  << polyx::ReadStop::NotText;
    QTest::newRow("control bytes, no nul") << QByteArray("a=\x01\x02\x03\r\nb=2\r\n") << 2 << polyx::ReadStop::NotText;
    QTest::newRow("tab, form feed, end-of-file mark are text") << QByteArray("a=\t1\f\r\n\x1A") << 2
                                                               << polyx::ReadStop::None;
    QTest::newRow("utf-16 without mark is read whole") << bytes("a\0=\0\x31\0\r\0\n\0b\0=\0\x32\0", 16) << 2
                                                       << polyx::ReadStop::None;
    QTest::newRow("utf-16 with mark, nul") << bytes("\xFF\xFE" "a\0\0\0b\0", 8) << 1 << polyx::ReadStop::Nul;
}

void TestTextLinesFile::partialReads()
{
    QFETCH(QByteArray, data);
    QFETCH(int, lineCount);
    QFETCH(polyx::ReadStop, stop);
    const TextLines read = TextLinesFile::Decode(data);
    QCOMPARE(read.lines.size(), lineCount);
    QCOMPARE(read.stop, stop);
}

void TestTextLinesFile::partialReadWarnings()
{
    TextLines read = TextLinesFile::Decode(bytes("a=1\r\nb\0c\r\n", 10));
    QCOMPARE(TextLinesFile::PartialReadWarning("/w/DUPONT.DICO", read),
             QString("Le fichier \"/w/DUPONT.DICO\" contient des octets nuls : seules les 2 premières lignes ont été lues. "
                     "Il ne sera pas remplacé sans votre accord."));
    read = TextLinesFile::Decode(QByteArray("a\x01\r\n"));
    QCOMPARE(TextLinesFile::PartialReadWarning("/w/DUPONT.DICO", read),
             QString("Le fichier \"/w/DUPONT.DICO\" n'est pas un fichier texte : seules les 1 premières lignes ont été lues. "
                     "Il ne sera pas remplacé sans votre accord."));
    QCOMPARE(TextLinesFile::PartialReadWarning("/w/DUPONT.DICO", TextLinesFile::Decode("a=1\r\n")), QString());
}

// Saved back, the bad bytes would become U+FFFD for good.
void TestTextLinesFile::malformedUtf8AfterMarkIsRefused()
{
    const QString target = path("marked.DICO");
    writeBytes(target, QByteArray("\xEF\xBB\xBF" "a=\xC3\xA9\r\nb=\xE9t\xE9\r\n"));
    QCOMPARE(errorOf([&] { TextLinesFile::Read(target); }),
             QString("Impossible d'ouvrir le fichier \"%1\". Le fichier porte la marque UTF-8, mais sa ligne 2 "
                     "n'est pas de l'UTF-8 valide")
                 .arg(QDir::toNativeSeparators(target)));
}

void TestTextLinesFile::largeFileLoads()
{
    const QByteArray line = QByteArray("<CLE>=") + QByteArray(1016, 'x') + "\r\n";
    QFile file(path("large.DICO"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < 50 * 1024; ++i)
        file.write(line);
    file.close();
    QCOMPARE(file.size(), qint64(50) * 1024 * 1024);

    const TextLines result = TextLinesFile::Read(path("large.DICO"));
    QCOMPARE(result.lines.size(), 50 * 1024);
    QCOMPARE(result.lines.last(), QString::fromLatin1(line.chopped(2)));
}

void TestTextLinesFile::writeReplacesFileAndReadsBack()
{
    const QString target = path("replace.DICO");
    writeBytes(target, QByteArray("old content that is longer\r\n"));
    const QStringList lines{"<NOM>=A1", "", "X=1=2"};

    QCOMPARE(TextLinesFile::Write(target, lines, TextEncoding::Utf16BE), TextEncoding::Utf16BE);
    const TextLines back = TextLinesFile::Read(target);
    QCOMPARE(back.lines, lines);
    QCOMPARE(back.encoding, TextEncoding::Utf16BE);
    QVERIFY(readBytes(target).startsWith("\xFE\xFF"));
}

void TestTextLinesFile::readFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");

    QTest::newRow("folder") << "folder" << "Accès refusé";
    QTest::newRow("missing file") << "missing.DICO" << "Le fichier spécifié est introuvable";
    QTest::newRow("missing folder") << "nowhere/missing.DICO" << "Le chemin d'accès spécifié est introuvable";
}

void TestTextLinesFile::readFailures()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QDir(m_dir.path()).mkpath("folder");
    const QString target = path(name);

    QCOMPARE(errorOf([&] { TextLinesFile::Read(target); }),
             QString("Impossible d'ouvrir le fichier \"%1\". %2").arg(QDir::toNativeSeparators(target), reason));
}

void TestTextLinesFile::unreadableFileIsRefused()
{
    const QString target = path("locked.DICO");
    writeBytes(target, QByteArray("a=1\r\n"));
    QVERIFY(QFile::setPermissions(target, QFileDevice::WriteOwner));
    if (QFileInfo(target).isReadable())
        QSKIP("permission bits do not stop this user from reading");

    QCOMPARE(errorOf([&] { TextLinesFile::Read(target); }),
             QString("Impossible d'ouvrir le fichier \"%1\". Accès refusé").arg(QDir::toNativeSeparators(target)));
}

void TestTextLinesFile::oversizedFileIsRefused()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("huge.DICO"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(qint64(512) * 1024 * 1024 + 1)); // sparse: no disk used
    file.close();

    QCOMPARE(errorOf([&] { TextLinesFile::Read(file.fileName()); }),
             QString("Impossible d'ouvrir le fichier \"%1\". Le fichier est trop volumineux")
                 .arg(QDir::toNativeSeparators(file.fileName())));
}

void TestTextLinesFile::readOnlyFileIsNotReplaced()
{
    const QString target = path("readonly.DICO");
    const QByteArray old("a=1\r\n");
    writeBytes(target, old);
    QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner));
    if (QFileInfo(target).isWritable())
        QSKIP("permission bits do not stop this user from writing");

    QCOMPARE(errorOf([&] { TextLinesFile::Write(target, {"b=2"}, TextEncoding::Ansi); }),
             QString("Impossible de créer le fichier \"%1\". Accès refusé").arg(QDir::toNativeSeparators(target)));
    QCOMPARE(readBytes(target), old);
}

void TestTextLinesFile::writeFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");

    QTest::newRow("folder") << "folder" << "Accès refusé";
    QTest::newRow("missing folder") << "nowhere/new.DICO" << "Le chemin d'accès spécifié est introuvable";
}

void TestTextLinesFile::writeFailures()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QDir(m_dir.path()).mkpath("folder");
    const QString target = path(name);

    QCOMPARE(errorOf([&] { TextLinesFile::Write(target, {"a=1"}, TextEncoding::Ansi); }),
             QString("Impossible de créer le fichier \"%1\". %2").arg(QDir::toNativeSeparators(target), reason));
    QVERIFY(QFileInfo(target).isDir() || !QFileInfo::exists(target));
}

// Once refused, as the temporary file beside it took a longer name.
void TestTextLinesFile::nameAtTheLimitSaves()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QString(255 - 5, u'D') + ".DICO");
    writeBytes(target, "<NOM>=ancien\r\n");

    QCOMPARE(TextLinesFile::Write(target, {"<NOM>=nouveau"}, TextEncoding::Ansi), TextEncoding::Ansi);
    QCOMPARE(readBytes(target), QByteArray("<NOM>=nouveau\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

QTEST_GUILESS_MAIN(TestTextLinesFile)
#include "TestTextLinesFile.moc"
