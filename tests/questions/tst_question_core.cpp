// Typed questions, the .DICU file, the information files and the sort order.
#include "tests/support/FileBytes.h"

#include "dictionaries/KeyCollation.h"
#include "platform/Error.h"
#include "questions/QuestionFile.h"
#include "questions/QuestionInfo.h"
#include "questions/QuestionText.h"
#include "questions/SanvorQuestion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using polyx::TextEncoding;
Q_DECLARE_METATYPE(polyx::TextEncoding)

class QuestionCoreTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void normalize_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("question");
        QTest::newRow("spaces inside and around") << " nom du patient " << "<NOM_DU_PATIENT>";
        QTest::newRow("brackets typed") << "<age>" << "<AGE>";
        QTest::newRow("spaces inside the brackets") << "< Nom >" << "<_NOM_>";
        QTest::newRow("accent kept") << "prénom" << "<PRéNOM>";
        QTest::newRow("empty") << "" << "<>";
        QTest::newRow("blank") << " \t " << "<>";
        QTest::newRow("control characters at the ends") << "\x01\tnom\r\n" << "<NOM>";
        QTest::newRow("inner tab stays") << "a\tb" << "<A\tB>";
        QTest::newRow("brackets anywhere") << "a<b>c>" << "<ABC>";
        QTest::newRow("other characters stay") << "n°1 (x)" << "<N°1_(X)>";
    }
    void normalize()
    {
        QFETCH(QString, typed);
        QFETCH(QString, question);
        QCOMPARE(polyx::NormalizeQuestion(typed), question);
    }

    void locate_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("question") << "/liste" << "<NOM>" << "NOM" << "/liste/@NOM.TXT";
        QTest::newRow("header key") << "/liste" << "<_AUTEUR>" << "_AUTEUR" << "/liste/@_AUTEUR.TXT";
        QTest::newRow("no closing bracket") << "/liste" << "<NOM" << "" << "/liste/@.TXT";
        QTest::newRow("bracket second") << "/liste" << "<>" << "" << "/liste/@.TXT";
        QTest::newRow("bracket first") << "/liste" << ">NOM>" << "" << "/liste/@.TXT";
        QTest::newRow("first character skipped") << "/liste" << "XAB>C>" << "AB" << "/liste/@AB.TXT";
        QTest::newRow("empty entry") << "/liste" << "" << "" << "/liste/@.TXT";
        QTest::newRow("root folder") << "/" << "<A>" << "A" << "/@A.TXT";
    }
    void locate()
    {
        QFETCH(QString, folder);
        QFETCH(QString, entry);
        QFETCH(QString, name);
        QFETCH(QString, path);
        const polyx::QuestionInfoFile file = polyx::LocateQuestionInfo(folder, entry);
        QCOMPARE(file.name, name);
        QCOMPARE(file.path, path);
        QCOMPARE(polyx::QuestionName(entry), name);
    }

    void locateWithoutEntry()
    {
        const polyx::QuestionInfoFile file = polyx::LocateQuestionInfo("/liste", std::nullopt);
        QVERIFY(file.path.isEmpty() && file.name.isEmpty());
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::newRow("empty file") << QByteArray() << QStringList() << TextEncoding::Ansi;
        QTest::newRow("CR LF, none after the last") << QByteArray("<A>\r\n<B>\r\n") << QStringList{"<A>", "<B>"}
                                                    << TextEncoding::Ansi;
        QTest::newRow("lone LF") << QByteArray("<A>\n<B>\n<C>") << QStringList{"<A>", "<B>", "<C>"}
                                 << TextEncoding::Ansi;
        QTest::newRow("lone CR") << QByteArray("<A>\r<B>") << QStringList{"<A>", "<B>"} << TextEncoding::Ansi;
        QTest::newRow("empty line kept") << QByteArray("<A>\r\n\r\n<B>\r\n") << QStringList{"<A>", "", "<B>"}
                                         << TextEncoding::Ansi;
        QTest::newRow("LF then CR is two breaks") << QByteArray("<A>\n\r<B>") << QStringList{"<A>", "", "<B>"}
                                                  << TextEncoding::Ansi;
        QTest::newRow("kept as they stand") << QByteArray(" <a> \r\n<a>\r\n") << QStringList{" <a> ", "<a>"}
                                            << TextEncoding::Ansi;
        QTest::newRow("code page") << QByteArray("<PR\xC9NOM>\r\n") << QStringList{"<PRÉNOM>"} << TextEncoding::Ansi;
        QTest::newRow("NUL ends the text") << QByteArray("<A>\r\n<B>\0<C>\r\n", 15) << QStringList{"<A>", "<B>"}
                                           << TextEncoding::Ansi;
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF<PR\xC3\x89NOM>\r\n") << QStringList{"<PRÉNOM>"}
                                    << TextEncoding::Utf8;
        QTest::newRow("UTF-16 LE mark") << QByteArray("\xFF\xFE<\0A\0>\0\r\0\n\0", 12) << QStringList{"<A>"}
                                        << TextEncoding::Utf16LE;
        QTest::newRow("UTF-16 BE mark") << QByteArray("\xFE\xFF\0<\0A\0>", 8) << QStringList{"<A>"}
                                        << TextEncoding::Utf16BE;
        QTest::newRow("mark alone") << QByteArray("\xEF\xBB\xBF") << QStringList() << TextEncoding::Utf8;
    }
    void load()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, questions);
        QFETCH(TextEncoding, encoding);
        writeBytes(path("load.DICU"), bytes);
        polyx::QuestionFile file;
        QCOMPARE(file.Load(path("load.DICU")), questions);
        QCOMPARE(file.Encoding(), encoding);
    }

    void save_data()
    {
        QTest::addColumn<QByteArray>("loaded"); // empty: no file read before
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("never read: code page, CR LF after each")
            << QByteArray() << QStringList{"<NOM>", "", "<PRÉNOM>"} << QByteArray("<NOM>\r\n\r\n<PR\xC9NOM>\r\n");
        QTest::newRow("never read, empty list") << QByteArray() << QStringList() << QByteArray();
        QTest::newRow("read without mark") << QByteArray("<X>\n") << QStringList{"<A>"} << QByteArray("<A>\r\n");
        QTest::newRow("read with UTF-8 mark") << QByteArray("\xEF\xBB\xBF<X>") << QStringList{"<É>"}
                                              << QByteArray("\xEF\xBB\xBF<\xC3\x89>\r\n");
        QTest::newRow("UTF-8 mark, empty list") << QByteArray("\xEF\xBB\xBF<X>") << QStringList()
                                                << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("read with UTF-16 BE mark") << QByteArray("\xFE\xFF\0X", 4) << QStringList{"<A>"}
                                                  << QByteArray("\xFE\xFF\0<\0A\0>\0\r\0\n", 12);
        QTest::newRow("beyond the code page: UTF-8 with mark")
            << QByteArray() << QStringList{"<Ω>"} << QByteArray("\xEF\xBB\xBF<\xCE\xA9>\r\n");
    }
    void save()
    {
        QFETCH(QByteArray, loaded);
        QFETCH(QStringList, questions);
        QFETCH(QByteArray, written);
        polyx::QuestionFile file;
        if (!loaded.isEmpty()) {
            writeBytes(path("before.DICU"), loaded);
            file.Load(path("before.DICU"));
        }
        file.Save(path("saved.DICU"), questions);
        QCOMPARE(readBytes(path("saved.DICU")), written);
        QCOMPARE(file.Load(path("saved.DICU")), questions);
    }

    void failedLoadKeepsTheEncoding()
    {
        writeBytes(path("utf8.DICU"), "\xEF\xBB\xBF<A>\r\n");
        polyx::QuestionFile file;
        file.Load(path("utf8.DICU"));
        QVERIFY(QDir().mkpath(path("folder.DICU")));
        QString message;
        try {
            file.Load(path("folder.DICU"));
        } catch (const polyx::Error& error) {
            message = error.message();
        }
        QCOMPARE(message, QString("Impossible d'ouvrir le fichier \"%1\". Accès refusé").arg(path("folder.DICU")));
        QCOMPARE(file.Encoding(), TextEncoding::Utf8);
    }

    void templateIsByteExact()
    {
        const QByteArray rule(80, '-');
        const QByteArray expected = "*** <NOM> ***\r\n"
                                    "D\xE9" "finition : \r\n"
                                    + rule + "\r\n"
                                    "== QUESTION =={NOM} : Valeur/D\xE9" "faut\r\n"
                                    + rule + "\r\n"
                                    "Type           : \r\n"
                                    "Unit\xE9          : \r\n"
                                    "Pr\xE9" "cision      : \r\n"
                                    "Minimum        : \r\n"
                                    "Maximum        : \r\n"
                                    "Obligatoire    : \r\n"
                                    "Lecture seule  : \r\n"
                                    + rule + "\r\n"
                                    "Note           : \r\n"
                                    "\r\n"
                                    "Incidence Sanvor :\r\n";
        const QStringList lines = polyx::QuestionInfoTemplate("NOM");
        QCOMPARE(lines.size(), 16);
        for (int line : {6, 7, 8, 9, 10, 11, 12, 14})
            QCOMPARE(lines[line - 1].size(), 17);
        QCOMPARE(polyx::TextLinesFile::Encode(lines, TextEncoding::Ansi).bytes, expected);
    }

    void sortedOrder_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("case ignored") << QStringList{"<b>", "<A>", "<C>"} << QList<int>{1, 0, 2};
        QTest::newRow("accents by the locale") << QStringList{"<f>", "<É>", "<e>"} << QList<int>{2, 1, 0};
        QTest::newRow("equal texts keep their order") << QStringList{"<b>", "<a>", "<B>", "<A>"}
                                                      << QList<int>{1, 3, 0, 2};
        QTest::newRow("empty first") << QStringList{"<A>", ""} << QList<int>{1, 0};
        QTest::newRow("none") << QStringList() << QList<int>();
    }
    void sortedOrder()
    {
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, order);
        QCOMPARE(polyx::SortedOrder(texts), order);
    }
};

QTEST_MAIN(QuestionCoreTest)
#include "tst_question_core.moc"
