// A Word letter with a logo, a table, notes and a header, through the
// window: opened as an RTF letter, translated in rich mode, saved.
#include "tests/support/DictionaryFilling.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "platform/Error.h"
#include "scripts/ScriptPane.h"
#include "scripts/rtf/RtfReader.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

namespace {

const QString kHiddenParts = QStringLiteral("RTF : en-tête, pied de page et 2 notes conservés, non affichés");

QByteArray fixture(const QString& name)
{
    QFile f(QStringLiteral(":/rtf/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QTextTable* firstTable(const QTextDocument* doc)
{
    for (QTextFrame* child : doc->rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(child))
            return table;
    return nullptr;
}

int pictureCount(const QTextDocument* doc)
{
    return int(doc->toRawText().count(QChar::ObjectReplacementCharacter));
}

} // namespace

class RtfLetterWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;
    QString m_letter;

    platform::FakeServices& fakes() { return m_window->fakes; }

private slots:
    void init()
    {
        m_window = std::make_unique<WindowFixture>();
        m_letter = m_window->path("LETTRE.rtf");
        writeBytes(m_letter, fixture("word_letter.rtf"));
    }
    void cleanup() { m_window.reset(); }

    void openingSaysWhatIsNotShown()
    {
        TForm1& form = m_window->open();
        form.OpenFileByKind(m_letter);
        QCOMPARE(form.StatusPanelSpare->text(), kHiddenParts);
        QVERIFY(!form.SKRIVO_EXT->PlainText());
        // The text for Sanvor has neither the logo nor the header.
        QVERIFY(!form.SKRIVO_EXT->Text().contains(QChar::ObjectReplacementCharacter));
        QVERIFY(form.SKRIVO_EXT->Text().startsWith(QStringLiteral("\r\nCompte rendu de consultation\r\n")));
        QVERIFY(!form.SKRIVO_EXT->Text().contains(QStringLiteral("Cabinet")));

        // A letter without such parts clears the panel.
        const QString plain = m_window->path("SIMPLE.rtf");
        writeBytes(plain, "{\\rtf1\\ansi Bonjour}");
        form.OpenFileByKind(plain);
        QCOMPARE(form.StatusPanelSpare->text(), QString());
    }

    void translationKeepsTableAndLogo()
    {
        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, {"<_AUTEUR>=Dr Ext", "<_TITRE>=Lettre", "<_CODE>=B12",
                                            "<NOM>=<NOM_PATIENT>", "<GLYCEMIE>=<GLY>", "<HBA1C>=<HBA1C>"});
        setLines(form.ValueListEditor_INT, {"<_AUTEUR>=Moi", "<_TITRE>=Courrier", "<_CODE>=C1",
                                            "<NOM>=£[nom]#", "<GLYCEMIE>=£[gly]#", "<HBA1C>=£[hba]#"});
        form.OpenFileByKind(m_letter);
        form.SKRIVO_INT->SetPlainText(false);
        form.action("FUSION_EXT_INT")->trigger();

        const QString text = form.SKRIVO_INT->Text();
        QVERIFY2(text.contains(QStringLiteral("j’ai vu £[nom]# ce jour")), qUtf8Printable(text));
        const QTextTable* table = firstTable(form.SKRIVO_INT->document());
        QVERIFY(table);
        QCOMPARE(table->rows(), 3);
        QCOMPARE(table->columns(), 2);
        QCOMPARE(table->cellAt(1, 1).firstCursorPosition().block().text(), QStringLiteral("£[gly]# g/l"));
        QCOMPARE(table->cellAt(2, 1).firstCursorPosition().block().text(), QStringLiteral("£[hba]# %"));
        QCOMPARE(table->cellAt(2, 0).row(), 1); // still merged down
        QCOMPARE(pictureCount(form.SKRIVO_INT->document()), 1);

        // Saved and opened again, the logo and the table are still there.
        const QString saved = m_window->path("TRADUIT.rtf");
        fakes().dialogs.saveAnswers.push_back(saved);
        form.action("SKR_INT_SAVEAS")->trigger();
        QTextDocument back;
        polyx::RtfReader reader;
        QVERIFY(reader.read(readBytes(saved), &back));
        QCOMPARE(pictureCount(&back), 1);
        QVERIFY(firstTable(&back));
        QVERIFY(fakes().dialogs.confirms.empty());
    }

    // The header and the notes are kept: saving over the letter asks nothing
    // and loses nothing.
    void savingOverTheSourceKeepsItsParts()
    {
        TForm1& form = m_window->open();
        form.OpenFileByKind(m_letter);
        const QByteArray before = readBytes(m_letter);
        fakes().dialogs.saveAnswers.push_back(m_letter);
        form.action("SKR_EXT_SAVEAS")->trigger();
        QVERIFY(fakes().dialogs.confirms.empty());
        const QByteArray after = readBytes(m_letter);
        for (const char* part : {"{\\header ", "{\\footer ", "{\\footnote "}) {
            const qsizetype at = before.indexOf(part);
            QVERIFY(at >= 0);
            QVERIFY2(after.contains(before.mid(at, 60)), part);
        }
    }

    // A code in the letterhead is translated in the window, and the report says where.
    void headerCodeIsTranslated()
    {
        const QString letter = m_window->path("ENTETE.rtf");
        writeBytes(letter, "{\\rtf1\\ansi{\\header \\pard Dr X - <NOM>\\par}Cher <NOM>,\\par}");
        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, {"<_AUTEUR>=Dr Ext", "<_TITRE>=Lettre", "<NOM>=<NOM>"});
        setLines(form.ValueListEditor_INT, {"<_AUTEUR>=Moi", "<_TITRE>=Courrier", "<NOM>=£[nom]#"});
        form.OpenFileByKind(letter);
        form.SKRIVO_INT->SetPlainText(false);
        form.action("FUSION_EXT_INT")->trigger();
        QCOMPARE(form.SKRIVO_INT->Text(), QStringLiteral("Cher £[nom]#,"));
        const QString saved = m_window->path("TRADUIT.rtf");
        fakes().dialogs.saveAnswers.push_back(saved);
        form.action("SKR_INT_SAVEAS")->trigger();
        const QByteArray out = readBytes(saved);
        QVERIFY2(out.contains("{\\header \\pard Dr X - \\u163?[nom]#\\par}"), out.constData());
    }

    void savingElsewhereDoesNotAsk()
    {
        TForm1& form = m_window->open();
        form.OpenFileByKind(m_letter);
        fakes().dialogs.saveAnswers.push_back(m_window->path("AUTRE.rtf"));
        form.action("SKR_EXT_SAVEAS")->trigger();
        QVERIFY(fakes().dialogs.confirms.empty());
        QVERIFY(QFile::exists(m_window->path("AUTRE.rtf")));
    }

    void refusedCodePageIsSaid()
    {
        TForm1& form = m_window->open();
        const QString odd = m_window->path("ODD.rtf");
        writeBytes(odd, "{\\rtf1\\ansi\\ansicpg99999 caf\\'e9}");
        form.SKRIVO_EXT->SetPlainText(false);
        form.SKRIVO_EXT->SetText(QStringLiteral("avant"));
        QString message;
        try {
            form.OpenFileByKind(odd);
        } catch (const polyx::Error& error) {
            message = error.message();
        }
        QCOMPARE(message, QStringLiteral("Le codage 99999 de ce fichier n'est pas pris en charge."));
        QCOMPARE(form.SKRIVO_EXT->Text(), QStringLiteral("avant"));
    }
};

QTEST_MAIN(RtfLetterWindowTest)
#include "tst_rtf_letter_window.moc"
