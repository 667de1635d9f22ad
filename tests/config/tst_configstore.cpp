#include "config/ConfigStore.h"
#include "platform/Error.h"
#include "platform/ProgramPath.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <memory>

namespace {

QByteArray utf16(const QString& text, bool littleEndian)
{
    QByteArray out = littleEndian ? QByteArray("\xFF\xFE", 2) : QByteArray("\xFE\xFF", 2);
    for (const QChar c : text) {
        const char low = char(c.unicode() & 0xFF), high = char(c.unicode() >> 8);
        if (littleEndian)
            out.append(low).append(high);
        else
            out.append(high).append(low);
    }
    return out;
}

} // namespace

class ConfigStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;

    void store(const QByteArray& bytes, const QString& path = {})
    {
        QFile out(path.isEmpty() ? m_file : path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(bytes), bytes.size());
    }
    QByteArray stored(const QString& path = {}) const
    {
        QFile in(path.isEmpty() ? m_file : path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        platform::setProgramPath(m_dir->filePath(QStringLiteral("Polyx.Prog.bin")));
        m_file = m_dir->filePath(QStringLiteral("store.ini"));
    }
    void cleanup() { platform::setProgramPath(QString()); }

    void namesFromProgramPath_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("configFile");
        QTest::addColumn<QString>("programName");
        QTest::newRow("extension") << "/opt/Polyx/PolyxX.exe" << "/opt/Polyx/PolyxX.INI" << "PolyxX";
        QTest::newRow("no extension") << "/opt/Polyx/PolyxX" << "/opt/Polyx/PolyxX.INI" << "PolyxX";
        QTest::newRow("last extension only") << "/opt/a/Prog.v2.bin" << "/opt/a/Prog.v2.INI" << "Prog.v2";
        QTest::newRow("dot in folder") << "/opt/poly.x/PolyxX" << "/opt/poly.x/PolyxX.INI" << "PolyxX";
    }
    void namesFromProgramPath()
    {
        QFETCH(QString, program);
        platform::setProgramPath(program);
        QTEST(ConfigFileName(), "configFile");
        QTEST(platform::programName(), "programName");
    }

    void readString_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("names in lower case") << QByteArray("[options]\nautotrad=1\n") << "OPTIONS" << "AUTOTRAD" << "1";
        QTest::newRow("names in upper case") << QByteArray("[DICO]\nEXTERNE=/a/b\n") << "dico" << "Externe" << "/a/b";
        QTest::newRow("blanks dropped") << QByteArray("[S]\n  K =  \t a  b \t\n") << "S" << "K" << "a  b";
        QTest::newRow("double quotes") << QByteArray("[S]\nK= \"  in quotes \" \n") << "S" << "K" << "  in quotes ";
        QTest::newRow("single quotes") << QByteArray("[S]\nK='x'\n") << "S" << "K" << "x";
        QTest::newRow("unpaired quote kept") << QByteArray("[S]\nK=\"abc\n") << "S" << "K" << "\"abc";
        QTest::newRow("empty value, not default") << QByteArray("[DICO]\nEXTERNE=\n") << "DICO" << "EXTERNE" << "";
        QTest::newRow("missing key") << QByteArray("[S]\nOTHER=1\n") << "S" << "K" << "<default>";
        QTest::newRow("missing section") << QByteArray("[T]\nK=1\n") << "S" << "K" << "<default>";
        QTest::newRow("key of another section") << QByteArray("[A]\nK=1\n[B]\nX=2\n") << "B" << "K" << "<default>";
        QTest::newRow("key before any section") << QByteArray("K=1\n[S]\n") << "S" << "K" << "<default>";
        QTest::newRow("equals in value") << QByteArray("[S]\nK=a=b\n") << "S" << "K" << "a=b";
        QTest::newRow("CR LF lines") << QByteArray("[S]\r\nK=v\r\n") << "S" << "K" << "v";
        QTest::newRow("first of two keys") << QByteArray("[S]\nK=1\nk=2\n") << "S" << "K" << "1";
        QTest::newRow("commented out") << QByteArray("[S]\n;K=1\n") << "S" << "K" << "<default>";
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF[S]\nK=\xC3\xA9t\xC3\xA9\n") << "S" << "K" << "été";
        QTest::newRow("UTF-16LE") << utf16("[S]\r\nK=été\r\n", true) << "S" << "K" << "été";
        QTest::newRow("UTF-16BE") << utf16("[S]\r\nK=été\r\n", false) << "S" << "K" << "été";
    }
    void readString()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        store(content);
        QTEST(ReadString(section, key, QStringLiteral("<default>"), m_file), "expected");
    }

    void readStringCutsLongValues()
    {
        store("[S]\nK=" + QByteArray(3000, 'x') + "\n");
        QCOMPARE(ReadString(QStringLiteral("S"), QStringLiteral("K"), QString(), m_file), QString(2047, u'x'));
    }

    void readNeverCreatesTheFile()
    {
        QCOMPARE(ReadString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d"), m_file), QStringLiteral("d"));
        QCOMPARE(ReadInteger(QStringLiteral("S"), QStringLiteral("K"), 5), 5);
        QVERIFY(!QFile::exists(m_file));
        QVERIFY(!QFile::exists(ConfigFileName()));
    }

    void readsSeeChangesMadeByHand()
    {
        WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("1"));
        QCOMPARE(ReadString(QStringLiteral("S"), QStringLiteral("K"), QString()), QStringLiteral("1"));
        store("[S]\nK=2\n", ConfigFileName());
        QCOMPARE(ReadString(QStringLiteral("S"), QStringLiteral("K"), QString()), QStringLiteral("2"));
    }

    void readInteger_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << QByteArray("296") << 296;
        QTest::newRow("negative") << QByteArray("-12") << -12;
        QTest::newRow("plus sign") << QByteArray("+3") << 3;
        QTest::newRow("blanks around") << QByteArray("  42 ") << 42;
        QTest::newRow("hexadecimal") << QByteArray("0x1A") << 26;
        QTest::newRow("hexadecimal upper X") << QByteArray("0X1a") << 26;
        QTest::newRow("smallest int") << QByteArray("-2147483648") << std::numeric_limits<int>::min();
        QTest::newRow("largest hexadecimal") << QByteArray("0x7FFFFFFF") << std::numeric_limits<int>::max();
        QTest::newRow("0x alone") << QByteArray("0x") << -7;
        QTest::newRow("trailing text") << QByteArray("12abc") << -7;
        QTest::newRow("word") << QByteArray("oui") << -7;
        QTest::newRow("empty") << QByteArray("") << -7;
        QTest::newRow("bad hexadecimal digit") << QByteArray("0x1G") << -7;
        QTest::newRow("sign after 0x") << QByteArray("0x-1") << -7;
        QTest::newRow("too big") << QByteArray("2147483648") << -7;
        QTest::newRow("hexadecimal too big") << QByteArray("0x80000000") << -7;
        QTest::newRow("sign alone") << QByteArray("-") << -7;
    }
    void readInteger()
    {
        QFETCH(QByteArray, value);
        store("[S]\nK=" + value + "\n");
        QTEST(ReadInteger(QStringLiteral("S"), QStringLiteral("K"), -7, m_file), "expected");
    }

    void readBool_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << QByteArray("[S]\nK=1\n") << false << true;
        QTest::newRow("0") << QByteArray("[S]\nK=0\n") << true << false;
        QTest::newRow("2 is yes") << QByteArray("[S]\nK=2\n") << false << true;
        QTest::newRow("-1 is yes") << QByteArray("[S]\nK=-1\n") << false << true;
        QTest::newRow("word, default yes") << QByteArray("[S]\nK=oui\n") << true << true;
        QTest::newRow("word, default no") << QByteArray("[S]\nK=oui\n") << false << false;
        QTest::newRow("missing, default yes") << QByteArray("[S]\n") << true << true;
        QTest::newRow("missing, default no") << QByteArray("[S]\n") << false << false;
    }
    void readBool()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, defaultValue);
        store(content);
        QTEST(ReadBool(QStringLiteral("S"), QStringLiteral("K"), defaultValue, m_file), "expected");
    }

    void writesCreateTheFile()
    {
        WriteString(QStringLiteral("DICO"), QStringLiteral("EXTERNE"), QStringLiteral("/w/été.DICO"));
        WriteInteger(QStringLiteral("AFFICHAGE"), QStringLiteral("TEXTE"), -296);
        WriteBool(QStringLiteral("OPTIONS"), QStringLiteral("AUTOTRAD"), false);
        WriteBool(QStringLiteral("OPTIONS"), QStringLiteral("AUTOSAVE"), true);
        QCOMPARE(stored(ConfigFileName()),
                 QByteArray("[DICO]\nEXTERNE=/w/\xC3\xA9t\xC3\xA9.DICO\n"
                            "[AFFICHAGE]\nTEXTE=-296\n"
                            "[OPTIONS]\nAUTOTRAD=0\nAUTOSAVE=1\n"));
        QCOMPARE(ReadInteger(QStringLiteral("affichage"), QStringLiteral("texte"), 0), -296);
        QCOMPARE(ReadBool(QStringLiteral("OPTIONS"), QStringLiteral("AUTOSAVE"), false), true);
    }

    void writeKeepsOtherLines_data()
    {
        const QByteArray sample("; hand note\r\n[A]\r\nx = 1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("existing key, other case")
            << sample << "a" << "X" << "9"
            << QByteArray("; hand note\r\n[A]\r\nx=9\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
        QTest::newRow("new key at end of section")
            << sample << "A" << "w" << "5"
            << QByteArray("; hand note\r\n[A]\r\nx = 1\r\ny=2\r\nw=5\r\n\r\n[B]\r\nz=3\r\n");
        QTest::newRow("new key in last section")
            << sample << "B" << "w" << "5"
            << QByteArray("; hand note\r\n[A]\r\nx = 1\r\ny=2\r\n\r\n[B]\r\nz=3\r\nw=5\r\n");
        QTest::newRow("new section at end")
            << sample << "C" << "k" << "v"
            << QByteArray("; hand note\r\n[A]\r\nx = 1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n[C]\r\nk=v\r\n");
        QTest::newRow("unended last line, new key")
            << QByteArray("[A]\nx=1") << "A" << "y" << "2" << QByteArray("[A]\nx=1\ny=2\n");
        QTest::newRow("unended last line, same key")
            << QByteArray("[A]\nx=1") << "A" << "x" << "2" << QByteArray("[A]\nx=2");
        QTest::newRow("empty value")
            << QByteArray("[A]\nx=1\n") << "A" << "x" << "" << QByteArray("[A]\nx=\n");
        QTest::newRow("undecodable lines untouched")
            << QByteArray("[A]\nbad \xC3\x28 bytes\n\x00\x01\x02\nx=1\n", 25) << "A" << "x" << "2"
            << QByteArray("[A]\nbad \xC3\x28 bytes\n\x00\x01\x02\nx=2\n", 25);
        QTest::newRow("line break in value flattened")
            << QByteArray("[A]\n") << "A" << "x" << "a\r\nb" << QByteArray("[A]\nx=a  b\n");
        QTest::newRow("UTF-8 mark kept")
            << QByteArray("\xEF\xBB\xBF[A]\nx=1\n") << "A" << "x" << "é"
            << QByteArray("\xEF\xBB\xBF[A]\nx=\xC3\xA9\n");
        QTest::newRow("UTF-16LE kept")
            << utf16("[A]\r\nx=1\r\n", true) << "A" << "y" << "é" << utf16("[A]\r\nx=1\r\ny=é\r\n", true);
        QTest::newRow("UTF-16BE kept")
            << utf16("[A]\r\nx=1\r\n", false) << "B" << "y" << "é"
            << utf16("[A]\r\nx=1\r\n[B]\r\ny=é\r\n", false);
    }
    void writeKeepsOtherLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        store(before);
        WriteString(section, key, value, m_file);
        QTEST(stored(), "after");
    }

    void unwritableFileRaisesError_data()
    {
        // Paths below the test's own folder.
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("failingPath");
        QTest::addColumn<QString>("reason"); // the system's, when the write itself failed
        const QString missing = QStringLiteral(". Le chemin d'accès spécifié est introuvable");
        QTest::newRow("missing folder") << "" << "missing/PolyxX.INI" << "missing/PolyxX.INI" << missing;
        QTest::newRow("a folder") << "" << "." << "." << "";
        QTest::newRow("default file") << "missing/PolyxX" << "" << "missing/PolyxX.INI" << missing;
    }
    void unwritableFileRaisesError()
    {
        QFETCH(QString, program);
        QFETCH(QString, file);
        QFETCH(QString, failingPath);
        QFETCH(QString, reason);
        const auto inDir = [&](const QString& path) { return m_dir->path() + u'/' + path; };
        if (!program.isEmpty())
            platform::setProgramPath(inDir(program));
        try {
            WriteInteger(QStringLiteral("S"), QStringLiteral("K"), 1, file.isEmpty() ? file : inDir(file));
            QFAIL("the write did not fail");
        } catch (const polyx::Error& error) {
            QCOMPARE(error.message(), QStringLiteral("Impossible d'écrire dans ") + inDir(failingPath) + reason);
        }
    }

    void oversizedFileIsLeftAlone()
    {
        QFile big(m_file);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.write("[S]\nK=1\n") > 0);
        QVERIFY(big.resize(9 * 1024 * 1024));
        big.close();
        QCOMPARE(ReadInteger(QStringLiteral("S"), QStringLiteral("K"), 7, m_file), 7);
        QVERIFY_THROWS_EXCEPTION(polyx::Error, WriteInteger(QStringLiteral("S"), QStringLiteral("K"), 2, m_file));
        QCOMPARE(QFileInfo(m_file).size(), 9 * 1024 * 1024);
    }

    void utf16OddByteCount()
    {
        store(utf16("[S]\r\nK=v\r\n", true) + 'x');
        QCOMPARE(ReadString(QStringLiteral("S"), QStringLiteral("K"), QString(), m_file), QStringLiteral("v"));
        WriteString(QStringLiteral("S"), QStringLiteral("N"), QStringLiteral("w"), m_file);
        QCOMPARE(stored(), utf16("[S]\r\nK=v\r\nN=w\r\n", true));
    }

    void garbageDoesNotBreakTheStore_data()
    {
        QTest::addColumn<QByteArray>("content");
        QRandomGenerator random(20240611);
        QByteArray noise(64 * 1024, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        QTest::newRow("random bytes") << noise;
        QTest::newRow("UTF-16 mark then noise") << QByteArray("\xFF\xFE", 2) + noise.left(1001);
        QTest::newRow("UTF-16BE mark alone") << QByteArray("\xFE\xFF", 2);
        QTest::newRow("UTF-16 mark and one byte") << QByteArray("\xFF\xFE\n", 3);
        QTest::newRow("zeros") << QByteArray(1024 * 1024, '\0');
        QTest::newRow("line ends only") << QByteArray(10000, '\r');
        QTest::newRow("brackets") << QByteArray(10000, '[');
        QTest::newRow("unclosed section") << QByteArray("[ZZ\nK=1\n");
        QTest::newRow("one long line") << QByteArray(4 * 1024 * 1024, 'a');
    }
    void garbageDoesNotBreakTheStore()
    {
        QFETCH(QByteArray, content);
        store(content);
        const QString section = QStringLiteral("ZZ");
        QCOMPARE(ReadString(section, QStringLiteral("K"), QStringLiteral("d"), m_file), QStringLiteral("d"));
        WriteString(section, QStringLiteral("K"), QStringLiteral("value"), m_file);
        QCOMPARE(ReadString(section, QStringLiteral("K"), QString(), m_file), QStringLiteral("value"));
    }

    void splitText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("placement") << "10:20:300:200" << ":" << QStringList{"10", "20", "300", "200"};
        QTest::newRow("two in a row") << "a::b" << ":" << QStringList{"a", "", "b"};
        QTest::newRow("at the end") << "a:b:" << ":" << QStringList{"a", "b"};
        QTest::newRow("at the start") << ":a" << ":" << QStringList{"", "a"};
        QTest::newRow("separator only") << ":" << ":" << QStringList{""};
        QTest::newRow("empty text") << "" << ":" << QStringList{};
        QTest::newRow("no separator") << "abc" << ":" << QStringList{"abc"};
        QTest::newRow("longer separator") << "a--b-c--" << "--" << QStringList{"a", "b-c"};
        QTest::newRow("empty separator") << "abc" << "" << QStringList{"abc"};
    }
    void splitText()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QTEST(SplitText(text, separator), "pieces");
    }
};

QTEST_GUILESS_MAIN(ConfigStoreTest)
#include "tst_configstore.moc"
