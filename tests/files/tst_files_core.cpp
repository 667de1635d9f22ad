// The file panel's rules without a window: where a file opens, masks and
// listings, the texts of the drops, the join and the folder copy.
#include "tests/support/FileBytes.h"

#include "dictionaries/DictionaryJoin.h"
#include "dictionaries/DictionaryLines.h"
#include "files/DropKind.h"
#include "files/FileCopy.h"
#include "files/FolderListing.h"
#include "files/OpenRoute.h"
#include "platform/Error.h"
#include "platform/NativeNames.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

using polyx::OpenRoute;
using polyx::OpenTarget;

Q_DECLARE_METATYPE(OpenTarget)

class FilesCoreTest : public QObject {
    Q_OBJECT

private slots:
    void routing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("page");
        QTest::addColumn<OpenTarget>("target");
        QTest::addColumn<bool>("pageFirst");
        const int ext = polyx::ExternalPage, in = polyx::InternalPage, fus = polyx::FusionPage, san = polyx::SanvorPage;
        QTest::newRow("dico, external page") << "/w/corresp.dico" << ext << OpenTarget::ExternalDictionary << false;
        QTest::newRow("dico, fusion page") << "/w/corresp.DICO" << fus << OpenTarget::ExternalDictionary << false;
        QTest::newRow("dico, internal page") << "/w/corresp.dico" << in << OpenTarget::InternalDictionary << false;
        QTest::newRow("dico, sanvor page") << "/w/corresp.dico" << san << OpenTarget::Nothing << true;
        QTest::newRow("interne folder, any case") << "/w/Mes Internes/a.dico" << san << OpenTarget::InternalDictionary << true;
        QTest::newRow("interne before sanvor") << "/w/interne/~SANVOR.DICO" << ext << OpenTarget::InternalDictionary << true;
        QTest::newRow("sanvor") << "/w/~sanvor.dico" << in << OpenTarget::SanvorDictionary << true;
        QTest::newRow("externe") << "/w/~EXTERNE.dico" << in << OpenTarget::ExternalDictionary << true;
        QTest::newRow("question list") << "/w/~polyx.dicu" << in << OpenTarget::QuestionList << true;
        QTest::newRow("skrivo") << "/w/lettre.skrivo" << in << OpenTarget::ExternalScript << true;
        QTest::newRow("interne skrivo") << "/w/~interne.SKRIVO" << ext << OpenTarget::InternalScript << true;
        QTest::newRow("interne txt") << "/w/internes/note.txt" << ext << OpenTarget::InternalScript << true;
        QTest::newRow("universal script") << "/w/interne.skru" << ext << OpenTarget::UniversalScript << true;
        QTest::newRow("rich text") << "/w/lettre.rtf" << ext << OpenTarget::RichTextLetter << true;
        QTest::newRow("other kind") << "/w/doc.pdf" << ext << OpenTarget::Nothing << true;
        QTest::newRow("no extension") << "/w/dico" << ext << OpenTarget::Nothing << true;
        QTest::newRow("dot in the folder only") << "/w/x.dico/lettre" << ext << OpenTarget::Nothing << true;
        QTest::newRow("longer extension") << "/w/a.dicox" << ext << OpenTarget::Nothing << true;
        QTest::newRow("empty path") << "" << ext << OpenTarget::Nothing << true;
    }
    void routing()
    {
        QFETCH(QString, path);
        QFETCH(int, page);
        QFETCH(OpenTarget, target);
        QFETCH(bool, pageFirst);
        QCOMPARE(polyx::RouteFile(path, page), (OpenRoute{target, pageFirst}));
    }

    void replaceQuestions()
    {
        const QString stars(60, u'*');
        QCOMPARE(polyx::ReplaceQuestion(OpenTarget::QuestionList, 3, "LISTE", 12),
                 "Le Dictionnaire Universel actuel contient 3 entrées\r\n\r\nLe fichier chargé \"LISTE\" en contient 12"
                 "\r\n\r\n\r\n\r\n" + stars + "\r\n\r\nRemplacer le  dictionnaire universel par celui-ci ? ");
        QCOMPARE(polyx::ReplaceQuestion(OpenTarget::SanvorDictionary, 8, "~SANVOR", 0),
                 "Le Dictionnaire Sanvor actuel contient 8 entrées\r\n\r\nLe fichier chargé \"~SANVOR\" en contient 0"
                 "\r\n\r\n\r\n\r\n" + stars + "\r\n\r\nRemplacer le  dictionnaire Sanvor par celui-ci ? ");
    }

    void masks_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("listExt");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("listExtAfter");
        QTest::newRow("empty extension falls back") << "" << "" << "*.dico*" << "dico";
        QTest::newRow("box text first") << "DUP" << "DIC" << "DUP*.DIC*" << "DIC";
        QTest::newRow("every extension") << "" << "*" << "*.**" << "*";
    }
    void masks()
    {
        QFETCH(QString, box);
        QFETCH(QString, listExt);
        QFETCH(QString, mask);
        QFETCH(QString, listExtAfter);
        QCOMPARE(polyx::BuildMask(box, listExt), mask);
        QCOMPARE(listExt, listExtAfter);
    }

    void matching_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("matches");
        QTest::newRow("case ignored") << "Corresp.DICO" << "corr*.dic*" << true;
        QTest::newRow("question mark is one character") << "a.dicu" << "*.dic?" << true;
        QTest::newRow("question mark needs one") << "a.dic" << "*.dic?" << false;
        QTest::newRow("dico mask leaves dicu out") << "a.dicu" << "*.dico*" << false;
        QTest::newRow("star star needs a dot") << "noext" << "*.**" << false;
        QTest::newRow("regex characters are plain") << "a+b.dico" << "a+b*.dico*" << true;
        QTest::newRow("dot is not any character") << "axdico" << "a*.dico*" << false;
        QTest::newRow("accented letters") << "éTÉ.dico" << "ÉTÉ*.dico*" << true;
    }
    void matching()
    {
        QFETCH(QString, name);
        QFETCH(QString, mask);
        QFETCH(bool, matches);
        QCOMPARE(polyx::MatchesMask(name, mask), matches);
    }

    void listingPutsFoldersFirst()
    {
        QTemporaryDir dir;
        for (const char* name : {"b.dico", "A.dico", "c.txt", ".hidden.dico"})
            writeBytes(dir.filePath(name), "x");
        for (const char* name : {"zeta", "Alpha", ".cache"})
            QVERIFY(QDir(dir.path()).mkdir(name));
        const QList<polyx::FolderEntry> expected{{"Alpha", true}, {"zeta", true}, {"A.dico", false}, {"b.dico", false}};
        QCOMPARE(polyx::ListFolder(dir.path(), "*.dic?"), expected);
    }

    // Qt's own listing passes over names that are not UTF-8: they are
    // listed, shown with their odd bytes read as Latin-1.
    void listingShowsNamesThatAreNotUtf8()
    {
        QTemporaryDir dir;
        writeNativeBytes(dir.path(), "caf\xe9.dico", "x");
        writeNativeBytes(dir.path(), "x\x85.dico", "x");
        writeNativeBytes(dir.path(), "caf\xe9.txt", "x");
        writeBytes(dir.filePath("ok.dico"), "x");
        QCOMPARE(::mkdir((QFile::encodeName(dir.path()) + "/r\xe9sum\xe9").constData(), 0755), 0);
        const QList<polyx::FolderEntry> expected{{"résumé", true, "r\xe9sum\xe9"},
                                                 {"café.dico", false, "caf\xe9.dico"},
                                                 {"ok.dico", false, {}},
                                                 {QString("x") + QChar(QChar::ReplacementCharacter) + ".dico", false, "x\x85.dico"}};
        QCOMPARE(polyx::ListFolder(dir.path(), "*.dic?"), expected);
        for (const char* name : {"caf\xe9.dico", "x\x85.dico", "caf\xe9.txt", "r\xe9sum\xe9"})
            removeNative(dir.path(), name);
    }

    // Accented initials among the others, as a French reader expects them,
    // also where the system locale is C.
    void listingFollowsTheLocaleCollation()
    {
        const QLocale before;
        QLocale::setDefault(QLocale::c());
        QTemporaryDir dir;
        for (const char* name : {"Zoo.dico", "Été.dico", "Ami.dico", "école.dico", "ami.dico"})
            writeBytes(dir.filePath(QString::fromUtf8(name)), "x");
        for (const char* name : {"zèbre", "Élan", "abri", "étang"})
            QVERIFY(QDir(dir.path()).mkdir(QString::fromUtf8(name)));
        const QList<polyx::FolderEntry> listed = polyx::ListFolder(dir.path(), "*.dic?");
        QLocale::setDefault(before);

        const QList<polyx::FolderEntry> expected{
            {"abri", true}, {"Élan", true}, {"étang", true}, {"zèbre", true},
            {"Ami.dico", false}, {"ami.dico", false}, {"école.dico", false}, {"Été.dico", false}, {"Zoo.dico", false}};
        QCOMPARE(listed, expected);
    }

    void dropKinds_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("tab");
        QTest::newRow("dico") << "/d/a.dico" << "DICTIONNAIRE" << 0;
        QTest::newRow("dicu") << "/d/a.DicU" << "DICTIONNAIRE" << 0;
        QTest::newRow("skrivo") << "/d/a.skrivo" << "SCRIPT/INCIDENCE" << 1;
        QTest::newRow("skru") << "/d/a.SKRU" << "SCRIPT/INCIDENCE" << 1;
        QTest::newRow("txt") << "/d/a.txt" << "COURRIER/DOCUMENT" << -1;
        QTest::newRow("rtf") << "/d/a.rtf" << "COURRIER/DOCUMENT" << -1;
        QTest::newRow("pdf") << "/d/a.pdf" << "" << -2;
        QTest::newRow("none") << "/d.dico/a" << "" << -2;
    }
    void dropKinds()
    {
        QFETCH(QString, path);
        QFETCH(QString, word);
        QFETCH(int, tab);
        const auto kind = polyx::DropKindOf(path);
        QCOMPARE(kind.has_value(), tab != -2);
        if (kind) {
            QCOMPARE(kind->word, word);
            QCOMPARE(kind->kindTab, tab);
        }
    }

    void dropTexts()
    {
        QCOMPARE(polyx::RefusedDropText("/d/Compte rendu.pdf"),
                 "COMPTE RENDU.PDF\r\n\r\nCE TYPE DE FICHIER N'EST PAS PRIS EN CHARGE: .PDF\r\n\r\n"
                 "Uniquement: \"DICO\" \"DICU\" \"SKRIVO\" \"SKRU\" \"RTF\" et \"TXT\"");
        QCOMPARE(polyx::DropQuestion(*polyx::DropKindOf("/d/lettre.skrivo"), "/d/lettre.skrivo"),
                 "Vous êtes sur le point de charger un nouveau SCRIPT/INCIDENCE...\r\n\r\nLETTRE.SKRIVO");
    }

    void joinTakesTheLastAuthor()
    {
        const QList<QStringList> files{{"<_AUTEUR>=DUPONT", "<_TITRE>=Lettres", "<AGE>=age"},
                                       {"<_AUTEUR>=MARTIN", "<_CODE>=4", "<NOM>=nom"},
                                       {"<PRENOM>=p", "<_AUTEUR>=LEGRAND"}};
        QCOMPARE(polyx::JoinDictionaries(files).lines, (QStringList{"<_AUTEUR>=MARTIN", "<_CODE>=0", "<_TITRE>=G L O B A L",
                                                                    "<AGE>=age", "<NOM>=nom", "<PRENOM>=p"}));
    }

    // The joined file must load: one line per key as the dictionary compares
    // keys, the first in the sorted order; keyless lines may repeat.
    void joinKeepsOneLinePerKey_data()
    {
        QTest::addColumn<QList<QStringList>>("files");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("repeated");
        const QStringList header{"", "<_CODE>=0", "<_TITRE>=G L O B A L"};
        QTest::newRow("same line in other capitals")
            << QList<QStringList>{{"<NOM>=nom", "<AGE>=a"}, {"<nom>=NOM", "<AGE>=a", "x <_y> z"}}
            << header + QStringList{"<AGE>=a", "<NOM>=nom"} << QStringList{};
        QTest::newRow("two values of one key")
            << QList<QStringList>{{"<AGE>=b", "<NOM>=nom"}, {"<AGE>=a"}}
            << header + QStringList{"<AGE>=a", "<NOM>=nom"} << QStringList{"<AGE>"};
        QTest::newRow("the key in other capitals")
            << QList<QStringList>{{"<Age>=2"}, {"<AGE>=1", "<age>=3"}}
            << header + QStringList{"<AGE>=1"} << QStringList{"<AGE>"};
        QTest::newRow("accents compare as the dictionary does")
            << QList<QStringList>{{"<CIVILITÉ>=x"}, {"<civilité>=y"}}
            << header + QStringList{"<CIVILITÉ>=x"} << QStringList{"<CIVILITÉ>"};
        QTest::newRow("keyless lines repeat")
            << QList<QStringList>{{"sans clé", "autre"}, {"autre", "plus"}}
            << header + QStringList{"autre", "plus", "sans clé"} << QStringList{};
    }
    void joinKeepsOneLinePerKey()
    {
        QFETCH(QList<QStringList>, files);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, repeated);
        const polyx::JoinedDictionary joined = polyx::JoinDictionaries(files);
        QCOMPARE(joined.lines, lines);
        QCOMPARE(joined.repeatedKeys, repeated);
        polyx::DictionaryLines loaded;
        for (const QString& line : joined.lines)
            loaded.AddLine(line);
    }

    void repeatedKeysAreListedUpToTwenty()
    {
        const QString head = "Ces clés avaient plusieurs valeurs ; seule la première a été gardée :";
        QCOMPARE(polyx::RepeatedKeysText({"<AGE>", "<NOM>"}), head + "\r\n<AGE>\r\n<NOM>");
        QStringList many;
        for (int i = 1; i <= 21; ++i)
            many << QString("<K%1>").arg(i);
        const QString text = polyx::RepeatedKeysText(many);
        QVERIFY(text.endsWith("\r\n<K20>\r\n…"));
        QCOMPARE(text.count("\r\n"), 21);
    }

    void joinOfNothing()
    {
        QCOMPARE(polyx::JoinDictionaries({}).lines, (QStringList{"", "<_CODE>=0", "<_TITRE>=G L O B A L"}));
    }

    void joinedNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("name");
        QTest::newRow("prefix added, other folder dropped") << "/ailleurs/dupont.dico" << "_DUPONT.DICO";
        QTest::newRow("prefix kept") << "/w/_Global.DICO" << "_GLOBAL.DICO";
        QTest::newRow("accents unchanged") << "/w/été.dico" << "_éTé.DICO";
        QTest::newRow("no name") << "/w/" << "";
    }
    void joinedNames()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, name);
        QCOMPARE(polyx::JoinedFileName(chosen), name);
    }

    void joinQuestionText()
    {
        const QString stars(80, u'*');
        QCOMPARE(polyx::JoinQuestion(0),
                 "Vous allez regrouper : \r\n\r\n0  Dictionnaires ?\r\n\r\n" + stars + "\r\n\r\n"
                 "Il est fortement recommandé de ne regrouper que les dictionnaires du \"MEME AUTEUR\"\r\n"
                 "Regrouper les dictionnaires d'auteurs différents n'a pas de sens !\r\n\r\n"
                 "Le Regroupement des Dictionnaires, permettra ensuite de n'utiliser qu'un seul _DICO\r\n"
                 "pour tous les scripts/skrivo du même auteur\r\n\r\n" + stars + "\r\n\r\n"
                 "Utilisez le Filtre ou pointez les fichiers (CTRL+CLIC) pour modifier la sélection");
    }

    void folderCopy()
    {
        QTemporaryDir source;
        QTemporaryDir target;
        writeBytes(source.filePath("a.dico"), "new");
        writeBytes(source.filePath(".cache"), "hidden");
        writeBytes(source.filePath("b.txt"), "b");
        QVERIFY(QDir(source.path()).mkpath("SAUVE/deep"));
        writeBytes(target.filePath("a.dico"), "old");
        QVERIFY(QDir(target.path()).mkdir("b.txt")); // a folder in the way
        const polyx::FolderCopy copy = polyx::CopyFolderFiles(source.path(), target.path());
        QCOMPARE(copy.copied, 2);
        const QString refused = "b.txt : Impossible de créer le fichier \"" + target.filePath("b.txt") + "\". Accès refusé";
        QCOMPARE(copy.failed, QStringList{refused});
        QCOMPARE(readBytes(target.filePath("a.dico")), QByteArray("new"));
        QCOMPARE(readBytes(target.filePath(".cache")), QByteArray("hidden"));
        QVERIFY(!QFileInfo::exists(target.filePath("SAUVE")));
        QCOMPARE(polyx::BackupMessage(copy, "/w/SAUVE/"),
                 "2 Fichiers Sauvegardés \r\n\r\nDans : /w/SAUVE/\r\n\r\n1 Fichier(s) NON sauvegardé(s) :\r\n" + refused);
    }

    // A name made on another system (Latin-1 "é") is copied under its very
    // bytes, beside a UTF-8 "café.DICO" that shows the same, with its date;
    // a second backup replaces it and leaves nothing else behind.
    void folderCopyKeepsNamesThatAreNotUtf8()
    {
        QTemporaryDir source;
        QTemporaryDir target;
        const QByteArray latin1 = "caf\xe9.DICO";
        const QDateTime changed = QDateTime::currentDateTime().addDays(-3).addMSecs(-250);
        for (int round = 0; round < 2; ++round) {
            const QByteArray content = "<NOM>=" + QByteArray::number(round) + "\r\n";
            writeNativeBytes(source.path(), latin1, content);
            writeBytes(source.filePath("café.DICO"), "utf-8");
            const QByteArray path = QFile::encodeName(source.path()) + '/' + latin1;
            const timespec times[2] = {{changed.toSecsSinceEpoch(), 0}, {changed.toSecsSinceEpoch(), 0}};
            QCOMPARE(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);

            const polyx::FolderCopy copy = polyx::CopyFolderFiles(source.path(), target.path());
            QCOMPARE(copy.failed, QStringList{});
            QCOMPARE(copy.copied, 2);
            QCOMPARE(readNativeBytes(target.path(), latin1), content);
            QCOMPARE(readBytes(target.filePath("café.DICO")), QByteArray("utf-8"));
            QStringList names;
            for (const platform::NativeEntry& entry : platform::ListNativeEntries(target.path()))
                names.append(QString::fromLatin1(entry.name.toHex()));
            names.sort();
            QStringList expected{QString::fromLatin1(latin1.toHex()), QString::fromLatin1(QByteArray("café.DICO").toHex())};
            expected.sort();
            QCOMPARE(names, expected);
            struct stat info {};
            QCOMPARE(::stat((QFile::encodeName(target.path()) + '/' + latin1).constData(), &info), 0);
            QCOMPARE(qint64(info.st_mtim.tv_sec), changed.toSecsSinceEpoch());
        }
        removeNative(source.path(), latin1);
        removeNative(target.path(), latin1);
    }

    // As a file manager's copy: the date of the last change and the
    // permissions stay, even over an earlier read-only backup.
    void folderCopyKeepsDatesAndPermissions()
    {
        QTemporaryDir source;
        QTemporaryDir target;
        const QDateTime changed = QDateTime::currentDateTime().addDays(-30).addMSecs(-123);
        const std::pair<const char*, QFileDevice::Permissions> files[] = {
            {"outil.sh", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                             | QFileDevice::ExeGroup},
            {"lecture.dico", QFileDevice::ReadOwner | QFileDevice::ReadOther}};
        // The mode's bits; the "User" flags tell what this process may do.
        const QFileDevice::Permissions mode = ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
        for (int round = 0; round < 2; ++round) {
            for (const auto& [name, permissions] : files) {
                const QString path = source.filePath(name);
                QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
                writeBytes(path, QByteArray("v") + QByteArray::number(round));
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadWrite));
                QVERIFY(file.setFileTime(changed.addDays(round), QFileDevice::FileModificationTime));
                file.close();
                QVERIFY(QFile::setPermissions(path, permissions));
            }
            const polyx::FolderCopy copy = polyx::CopyFolderFiles(source.path(), target.path());
            QCOMPARE(copy.failed, QStringList{});
            for (const auto& [name, permissions] : files) {
                const QFileInfo backup(target.filePath(name));
                QCOMPARE(backup.lastModified(), changed.addDays(round));
                QCOMPARE(backup.permissions() & mode, permissions);
                QCOMPARE(readBytes(backup.filePath()), QByteArray("v") + QByteArray::number(round));
            }
        }
    }

    void copyFailureNamesTheFile()
    {
        QTemporaryDir dir;
        try {
            polyx::CopyFileReplacing(dir.filePath("absent.dico"), dir.filePath("B.DICO"));
            QFAIL("no error");
        } catch (const polyx::Error& error) {
            QVERIFY2(error.message().startsWith("Impossible d'ouvrir le fichier \"" + dir.filePath("absent.dico")),
                     qPrintable(error.message()));
        }
        QVERIFY(!QFileInfo::exists(dir.filePath("B.DICO")));
    }
};

QTEST_GUILESS_MAIN(FilesCoreTest)
#include "tst_files_core.moc"
