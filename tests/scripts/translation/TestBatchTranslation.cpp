// Batch translation without the window: how plain files are written back,
// the letter-case rule of the outputs, which files are taken, the summary.
#include "tests/support/FailingDisk.h"
#include "tests/support/FileBytes.h"

#include "TestEntries.h"

#include "scripts/ScriptPlainText.h"
#include "scripts/translation/BatchTranslation.h"
#include "platform/NameCase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void makeOlder(const QString& path, int days)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-days), QFileDevice::FileModificationTime));
}

} // namespace

class BatchTranslationTest : public QObject {
    Q_OBJECT
private slots:
    // A plain file read, its codes replaced, and written back as it was
    // stored, where its encoding can hold the result.
    void plainFilesKeepTheirLayout_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("1252, CR LF") << QByteArray("\xE9[N]\r\nx\r\n") << "\u00a3" << QByteArray("\xE9\xA3\r\nx\r\n");
        QTest::newRow("1252, LF") << QByteArray("[N]\nx") << "y" << QByteArray("y\nx");
        QTest::newRow("1252, CR") << QByteArray("[N]\rx\r") << "y" << QByteArray("y\rx\r");
        QTest::newRow("1252, LF CR") << QByteArray("[N]\n\rx") << "y" << QByteArray("y\n\rx");
        QTest::newRow("mixed ends become CR LF") << QByteArray("[N]\nx\r\ny") << "y" << QByteArray("y\r\nx\r\ny");
        QTest::newRow("1252 cannot hold it: UTF-8 with mark, ends kept")
            << QByteArray("[N]\n\xE9") << "\u2713" << QByteArray("\xEF\xBB\xBF\xE2\x9C\x93\n\xC3\xA9");
        // A Linux editor's file: UTF-8 it was, UTF-8 without mark it stays.
        QTest::newRow("UTF-8 without mark") << QByteArray("Ch\xC3\xA8re [N]\n") << "\u00e9"
                                            << QByteArray("Ch\xC3\xA8re \xC3\xA9\n");
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF[N]\n") << "\u00e9" << QByteArray("\xEF\xBB\xBF\xC3\xA9\n");
        QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE[\0N\0]\0\r\0\n\0", 12) << "\u00e9"
                                   << QByteArray("\xFF\xFE\xE9\0\r\0\n\0", 8);
        QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF\0[\0N\0]", 8) << "\u2713" << QByteArray("\xFE\xFF\x27\x13", 4);
    }
    void plainFilesKeepTheirLayout()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, replacement);
        QFETCH(QByteArray, expected);
        polyx::PlainScriptLayout layout;
        QString text = polyx::DecodePlainScript(stored, &layout);
        if (!QByteArray(QTest::currentDataTag()).startsWith("mixed"))
            QCOMPARE(polyx::EncodePlainScriptAs(text, layout), stored); // untouched, the same bytes
        text.replace("[N]", replacement);
        QCOMPARE(polyx::EncodePlainScriptAs(text, layout), expected);
    }

    // A full disk: the output is a failure of its own, the earlier output
    // stays, and the report says why.
    void failedOutputIsNotTranslated()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath("in/"), out = dir.filePath("out/");
        QVERIFY(QDir().mkpath(in) && QDir().mkpath(out));
        writeBytes(in + "long.txt", QByteArray("[A] ").repeated(2048));
        writeBytes(out + "long.txt", "ancien");
        polyx::BatchRun batch(polyx::BatchDirection::IntoInternal, Entries({"x=y", "x2=y2", "[A]=<a>"}), out);
        {
            const FileSizeLimit failsAfter(4096);
            batch.Translate(in + "long.txt");
        }
        QCOMPARE(batch.SummaryLine(), QString("0 script traduit, 0 avec des codes non traduits, 1 échec"));
        QCOMPARE(batch.ReportLines().at(1),
                 "long.txt\tÉchec\tImpossible de créer le fichier \"" + out + "long.txt\". Le fichier dépasse la taille "
                 "permise\t\t\t");
        QCOMPARE(readBytes(out + "long.txt"), QByteArray("ancien"));
    }

    void letterCaseOfBuiltPaths()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + "/";
        // None yet: the name as built.
        QCOMPARE(platform::ResolveNameCase(root + "TRADUITS/"), root + "TRADUITS/");
        QVERIFY(QDir().mkpath(root + "traduits"));
        QCOMPARE(platform::ResolveNameCase(root + "TRADUITS/"), root + "traduits/");
        QCOMPARE(platform::ResolveNameCase(root + "Traduits"), root + "traduits");
        // The exact name first, else the newest variant.
        writeBytes(root + "lettre.txt", "old");
        makeOlder(root + "lettre.txt", 2);
        writeBytes(root + "LETTRE.txt", "new");
        writeBytes(root + "Lettre.TXT", "exact");
        makeOlder(root + "Lettre.TXT", 1);
        QCOMPARE(platform::ResolveNameCase(root + "Lettre.TXT"), root + "Lettre.TXT");
        QCOMPARE(platform::ResolveNameCase(root + "lettre.TXT"), root + "LETTRE.txt");
        // Only ASCII letters fold.
        writeBytes(root + "\u00e9t\u00e9.txt", "x");
        QCOMPARE(platform::ResolveNameCase(root + "\u00c9T\u00c9.txt"), root + "\u00c9T\u00c9.txt");
    }

    void scriptsOfTheFolder()
    {
        QTemporaryDir dir;
        for (const char* name : {"b.SKRIVO", "a.skru", "C.rtf", "d.TXT", "e.dico", "f", "g.skrivo.bak"})
            writeBytes(dir.filePath(name), "x");
        QVERIFY(QDir().mkpath(dir.filePath("h.txt"))); // a folder
        const QString root = dir.path() + "/";
        QCOMPARE(polyx::FolderScripts(dir.path(), {}),
                 (QStringList{root + "a.skru", root + "b.SKRIVO", root + "C.rtf", root + "d.TXT"}));
        QCOMPARE(polyx::FolderScripts(dir.path(), {false, true, false}), QStringList{root + "C.rtf"});
        QCOMPARE(polyx::FolderScripts(dir.path(), {true, false, true}),
                 (QStringList{root + "a.skru", root + "b.SKRIVO", root + "d.TXT"}));
        QCOMPARE(polyx::BatchScripts({root + "e.dico", root + "d.TXT", root + "h.txt", root + "missing.txt"}, {}),
                 QStringList{root + "d.TXT"});
    }

    void sameFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("a/b")));
        QVERIFY(QFile::link(dir.filePath("a"), dir.filePath("l")));
        QVERIFY(polyx::IsSameFolder(dir.filePath("a"), dir.filePath("a/")));
        QVERIFY(polyx::IsSameFolder(dir.filePath("a/b/.."), dir.filePath("a")));
        QVERIFY(polyx::IsSameFolder(dir.filePath("l"), dir.filePath("a")));
        QVERIFY(!polyx::IsSameFolder(dir.filePath("a/b"), dir.filePath("a")));
        QVERIFY(!polyx::IsSameFolder(dir.filePath("a/TRADUITS"), dir.filePath("a")));
        QCOMPARE(polyx::BatchOutputFolder("b", dir.filePath("a")), dir.filePath("a/b/"));
    }

    void summaryAndReport()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath("in/"), out = dir.filePath("out/");
        QVERIFY(QDir().mkpath(in) && QDir().mkpath(out));
        writeBytes(in + "un.txt", "[A] [Z]");
        writeBytes(in + "deux.txt", "[a]");
        writeBytes(in + "trois.txt", "rien");
        const QByteArray rtf = "{\\rtf1\\ansi rien {\\b \\'e9t\\'e9}\\par}";
        writeBytes(in + "quatre.rtf", rtf);
        polyx::BatchRun batch(polyx::BatchDirection::IntoInternal, Entries({"x=y", "x2=y2", "[A]=<a>"}), out);
        QCOMPARE(batch.ExistingOutputs({in + "un.txt"}), QStringList{});
        for (const char* name : {"un.txt", "deux.txt", "trois.txt", "quatre.rtf", "absent.txt"})
            batch.Translate(in + name);
        QCOMPARE(batch.SummaryLine(), QString("4 scripts traduits, 1 avec des codes non traduits, 1 échec"));
        QCOMPARE(readBytes(out + "quatre.rtf"), rtf); // nothing replaced: the same bytes, not our writer's
        QCOMPARE(readBytes(out + "un.txt"), QByteArray("<a> [Z]"));
        QCOMPARE(readBytes(out + "deux.txt"), QByteArray("[a]")); // other case: not replaced, copied
        QCOMPARE(batch.ExistingOutputs({in + "un.txt", in + "UN.txt", in + "rapport.txt"}), QStringList{out + "un.txt"});
        const QStringList lines = batch.ReportLines();
        QCOMPARE(lines.mid(0, 4), (QStringList{batch.SummaryLine(), "un.txt\tTraduit\t1 code remplacé\t\t1\t",
                                               "un.txt\tNon traduit\t[Z]\t\t1\t1",
                                               "deux.txt\tTraduit\t0 code remplacé\t\t0\t"}));
        QVERIFY(lines.contains("deux.txt\tCasse différente\t[A]\t<a>\t1\t1"));
        QVERIFY(lines.last().startsWith("absent.txt\tÉchec\tImpossible d'ouvrir le fichier"));
        batch.Stopped(4, 9);
        QCOMPARE(batch.SummaryLine(), QString("4 scripts traduits, 1 avec des codes non traduits, 1 échec, annulé après 4 / 9"));
    }

    // The header, the notes and the field instructions are kept and their
    // codes translated like the text's; nothing is reported as left out.
    void keptPartsAreTranslated_data()
    {
        QTest::addColumn<bool>("intoInternal");
        QTest::newRow("FUSION_EXT_INT") << true;
        QTest::newRow("FUSION_POLYX") << false;
    }
    void keptPartsAreTranslated()
    {
        QFETCH(bool, intoInternal);
        QTemporaryDir dir;
        const QString in = dir.filePath("in/"), out = dir.filePath("out/");
        QVERIFY(QDir().mkpath(in) && QDir().mkpath(out));
        writeBytes(in + "a.rtf", "{\\rtf1\\ansi{\\header Cabinet [A]}[A]{\\footnote n [A]}"
                                 "{\\field{\\*\\fldinst MERGEFIELD [B]}{\\fldrslt x}}\\par}");
        writeBytes(in + "b.rtf", "{\\rtf1\\ansi{\\header Cabinet [B]}rien\\par}");
        const polyx::DictionaryEntries entries = intoInternal ? Entries({"x=y", "x2=y2", "[A]=<a>", "[B]=<b>"})
                                                              : Entries({"<a>=[A]", "<b>=[B]"});
        polyx::BatchRun batch(intoInternal ? polyx::BatchDirection::IntoInternal : polyx::BatchDirection::IntoUniversal,
                              entries, out);
        batch.Translate(in + "a.rtf");
        batch.Translate(in + "b.rtf");
        const QByteArray a = readBytes(out + "a.rtf");
        QVERIFY2(a.contains("{\\header Cabinet <a>}"), a.constData());
        QVERIFY(a.contains("{\\footnote n <a>}"));
        QVERIFY(a.contains("{\\*\\fldinst MERGEFIELD <b>}"));
        // Only in the header, the code is still found and replaced.
        QVERIFY(readBytes(out + "b.rtf").contains("{\\header Cabinet <b>}"));
        const QStringList lines = batch.ReportLines();
        QVERIFY(lines.filter("Non repris").isEmpty());
        QVERIFY2(lines.contains("a.rtf\tTraduit\t2 codes remplacés\t\t4\t"), qUtf8Printable(lines.join(u'|')));
        QVERIFY(lines.contains("b.rtf\tTraduit\t1 code remplacé\t\t1\t"));
    }
};

QTEST_MAIN(BatchTranslationTest)
#include "TestBatchTranslation.moc"
