// The script commands, pop-up items and pane reactions driven through the
// window, with the desktop doubles.
#include "tests/support/FileBytes.h"
#include "tests/support/WorkFolder.h"

#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "dictionaries/DictionaryPane.h"
#include "platform/testing/FakeServices.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QFile>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {
// Notes what the state file held when the editor was asked to open it.
class SnapshotDesktop : public platform::FakeDesktop {
public:
    QByteArray seen;
    void openInTextEditor(const QString& path) override
    {
        seen = readBytes(path);
        FakeDesktop::openInTextEditor(path);
    }
};
} // namespace

class ScriptCommandsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WorkFolder> m_dir;
    std::unique_ptr<platform::FakeServices> m_fakes;
    std::unique_ptr<TForm1> m_form;

    void trigger(const char* name)
    {
        QAction* action = m_form->findChild<QAction*>(name);
        QVERIFY2(action, name);
        action->trigger();
    }
    ScriptPane* pane(int page) const
    {
        ScriptPane* panes[] = {m_form->SKRIVO_EXT, m_form->SKRIVO_INT, m_form->SKRIVO_POLYX};
        return panes[page];
    }
    void noErrors() { QCOMPARE(m_fakes->dialogs.errors, std::vector<QString>{}); }

private slots:
    void init()
    {
        m_dir = std::make_unique<WorkFolder>();
        m_fakes = std::make_unique<platform::FakeServices>();
        m_form = std::make_unique<TForm1>();
    }
    void cleanup()
    {
        m_form.reset();
        m_fakes.reset();
        m_dir.reset();
    }

    void panesAtStart()
    {
        for (int page = 0; page < 3; ++page) {
            QVERIFY(pane(page)->IsEmpty());
            QVERIFY(pane(page)->PlainText());
        }
        QCOMPARE(m_form->SKRIVO_EXT->PageLabel(), QString("Externe"));
        QCOMPARE(m_form->SKRIVO_INT->PageLabel(), QString("Interne"));
        QCOMPARE(m_form->SKRIVO_POLYX->PageLabel(), QString("Universel"));
        QVERIFY(m_form->findChild<QAction*>("SKR_EXT_PLAIN")->isChecked());
        QVERIFY(m_form->findChild<QAction*>("check_TexteBrut1")->isChecked());
        for (const char* name : {"SKR_EXT_Open", "SKR_EXT_LOAD", "SKR_EXT_SAVEAS", "SKR_EXT_CLEAR", "SKR_EXT_PASTE",
                                 "SKR_INT_OPEN", "SKR_INT_LOAD", "SKR_INT_SAVEAS", "SKR_INT_CLEAR", "SKR_INT_COPY",
                                 "SKR_UNI_OPEN", "SKR_UNI_LOAD", "SKR_UNI_SAVEAS", "SKR_UNI_CLEAR", "Copier1",
                                 "Coller3", "Coller4", "Coller5", "MenuItem3"})
            QVERIFY2(m_form->findChild<QAction*>(name)->isEnabled(), name);
    }

    void saveAsOfEmptyExternalPaneRefuses()
    {
        trigger("SKR_EXT_SAVEAS");
        QCOMPARE(m_fakes->dialogs.messages.size(), size_t(1));
        QCOMPARE(m_fakes->dialogs.messages[0].kind, platform::BoxKind::Plain);
        QCOMPARE(m_fakes->dialogs.messages[0].text, QString("Le script externe est vide !"));
        QVERIFY(m_fakes->dialogs.saveRequests.empty());
    }

    void externalSaveAsIsReloadedFromThen()
    {
        m_form->SKRIVO_EXT->SetText("Bonjour\r\n<NOM>");
        const QString chosen = m_dir->filePath("Dupont.skrivo");
        m_fakes->dialogs.saveAnswers.push_back(chosen);
        trigger("SKR_EXT_SAVEAS");
        noErrors();
        const platform::FileDialogRequest& asked = m_fakes->dialogs.saveRequests.at(0);
        QCOMPARE(asked.title, QString("Sauvegarder le SCRIPT EXTERNE"));
        QCOMPARE(asked.fileName, QString("Externe"));
        QCOMPARE(asked.initialDir, WorkDir());
        QCOMPARE(asked.defaultExt, QString("SKRIVO"));
        QVERIFY(asked.existingFolderOnly);
        QCOMPARE(asked.filter, QString("SKRIVO|*.skrivo|TEXTE|*.txt|Courrier|*.rtf|Tous|*.*"));
        QCOMPARE(asked.filterIndex, 1);
        QVERIFY(asked.confirmReplace);
        QCOMPARE(readBytes(chosen), QByteArray("Bonjour\r\n<NOM>"));
        QCOMPARE(m_form->SKRIVO_EXT->PageLabel(), QString("DUPONT"));
        QCOMPARE(ReadString("SKRIVO", "EXTERNE", QString()), chosen);
        QCOMPARE(ReadString("SKRIVO", "ETIQUETTE_EXT", QString()), QString("DUPONT"));

        writeBytes(WorkDir() + "~EXTERNE.SKRIVO", "etat");
        writeBytes(chosen, "relu");
        trigger("SKR_EXT_LOAD");
        QCOMPARE(m_form->SKRIVO_EXT->Text(), QString("relu"));
    }

    void cancelledSaveAsWritesNothing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("page");
        QTest::newRow("external") << "SKR_EXT_SAVEAS" << 0;
        QTest::newRow("internal") << "SKR_INT_SAVEAS" << 1;
        QTest::newRow("universal") << "SKR_UNI_SAVEAS" << 2;
    }
    void cancelledSaveAsWritesNothing()
    {
        QFETCH(QString, command);
        QFETCH(int, page);
        pane(page)->SetText("texte");
        const QString label = pane(page)->PageLabel();
        trigger(command.toLatin1());
        QCOMPARE(m_fakes->dialogs.saveRequests.size(), size_t(1));
        QCOMPARE(pane(page)->PageLabel(), label);
        QCOMPARE(QDir(WorkDir()).entryList(QDir::Files), QStringList());
    }

    void internalSaveAsWritesEvenAnEmptyPane()
    {
        const QString chosen = m_dir->filePath("Martin.skrivo");
        m_fakes->dialogs.saveAnswers.push_back(chosen);
        trigger("SKR_INT_SAVEAS");
        noErrors();
        const platform::FileDialogRequest& asked = m_fakes->dialogs.saveRequests.at(0);
        QCOMPARE(asked.title, QString("SKRIVO : Sauvegarder le SCRIPT INTERNE"));
        QCOMPARE(asked.fileName, QString("Interne"));
        QCOMPARE(asked.initialDir, WorkDir());
        QCOMPARE(asked.defaultExt, QString("SKRIVO"));
        QVERIFY(asked.existingFolderOnly);
        QCOMPARE(asked.filter, QString("SKRIVO|*.skrivo|TEXTE|*.txt|Courrier|*.rtf|Tous|*.*"));
        QVERIFY(asked.confirmReplace);
        QCOMPARE(readBytes(chosen), QByteArray());
        QCOMPARE(m_form->SKRIVO_INT->PageLabel(), QString("MARTIN"));
        QCOMPARE(ReadString("SKRIVO", "INTERNE", "absent"), QString("absent"));
    }

    void universalSaveAs()
    {
        m_form->SKRIVO_POLYX->SetText("<NOM>");
        const QString chosen = m_dir->filePath("lettre.SKRU");
        m_fakes->dialogs.saveAnswers.push_back(chosen);
        trigger("SKR_UNI_SAVEAS");
        const platform::FileDialogRequest& asked = m_fakes->dialogs.saveRequests.at(0);
        QCOMPARE(asked.title, QString("Sauvegarder le SCRIPT UNIVERSEL"));
        QCOMPARE(asked.fileName, QString("Universel"));
        QCOMPARE(asked.defaultExt, QString("SKRU"));
        QVERIFY(asked.existingFolderOnly);
        QCOMPARE(asked.filter, QString("SKRIVO UNIVERSEL|*.SKRU|Tous|*.*"));
        QCOMPARE(readBytes(chosen), QByteArray("<NOM>"));
        QCOMPARE(m_form->SKRIVO_POLYX->PageLabel(), QString("LETTRE"));
        QCOMPARE(ReadString("SKRIVO", "UNIVERSEL", "absent"), QString("absent"));
    }

    void failedInternalSaveAsHasRelabelled()
    {
        m_fakes->dialogs.saveAnswers.push_back(m_dir->filePath("absent/Martin.skrivo"));
        trigger("SKR_INT_SAVEAS");
        QCOMPARE(m_fakes->dialogs.errors.size(), size_t(1));
        QVERIFY(m_fakes->dialogs.errors[0].startsWith("Impossible de créer le fichier \""));
        QCOMPARE(m_form->SKRIVO_INT->PageLabel(), QString("MARTIN"));
    }

    void reloadTakesTheFirstLineLabel_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("stateFile");
        QTest::addColumn<QByteArray>("firstLine");
        QTest::addColumn<QString>("label");
        QTest::newRow("external") << "SKR_EXT_LOAD" << 0 << "~EXTERNE.SKRIVO" << QByteArray("/* |DUPONT^ lettre") << "DUPONT";
        QTest::newRow("external, no ^") << "SKR_EXT_LOAD" << 0 << "~EXTERNE.SKRIVO" << QByteArray("/* |DUPONT") << "";
        QTest::newRow("external, no blank") << "SKR_EXT_LOAD" << 0 << "~EXTERNE.SKRIVO" << QByteArray("/*|DUPONT^") << "AVANT";
        QTest::newRow("internal") << "SKR_INT_LOAD" << 1 << "~INTERNE.SKRIVO" << QByteArray("/* |MARTIN - courrier") << "MARTIN";
        QTest::newRow("internal, no ' - '") << "SKR_INT_LOAD" << 1 << "~INTERNE.SKRIVO" << QByteArray("/* |MARTIN^x") << "";
        QTest::newRow("universal never") << "SKR_UNI_LOAD" << 2 << "~POLYX.SKRU" << QByteArray("/* |X^ - y") << "AVANT";
    }
    void reloadTakesTheFirstLineLabel()
    {
        QFETCH(QString, command);
        QFETCH(int, page);
        QFETCH(QString, stateFile);
        QFETCH(QByteArray, firstLine);
        QFETCH(QString, label);
        pane(page)->SetPageLabel("AVANT");
        writeBytes(WorkDir() + stateFile, firstLine + "\r\nsuite\n");
        trigger(command.toLatin1());
        noErrors();
        QCOMPARE(pane(page)->Text(), QString::fromLatin1(firstLine + "\r\nsuite\r\n"));
        QCOMPARE(pane(page)->PageLabel(), label);
    }

    void reloadWithoutFileChangesNothing()
    {
        WriteString("SKRIVO", "EXTERNE", m_dir->filePath("disparu.skrivo"));
        for (int page = 0; page < 3; ++page)
            pane(page)->SetText("reste");
        for (const char* command : {"SKR_EXT_LOAD", "SKR_INT_LOAD", "SKR_UNI_LOAD"})
            trigger(command);
        noErrors();
        for (int page = 0; page < 3; ++page)
            QCOMPARE(pane(page)->Text(), QString("reste"));
    }

    void reloadFollowsTheConfiguredFile()
    {
        writeBytes(m_dir->filePath("autre.skrivo"), "/* |AUTRE - x");
        WriteString("SKRIVO", "INTERNE", m_dir->filePath("autre.skrivo"));
        writeBytes(WorkDir() + "~INTERNE.SKRIVO", "etat");
        trigger("SKR_INT_LOAD");
        QCOMPARE(m_form->SKRIVO_INT->Text(), QString("/* |AUTRE - x"));
        QCOMPARE(m_form->SKRIVO_INT->PageLabel(), QString("AUTRE"));
    }

    void emptyReloadKeepsTheLabel()
    {
        writeBytes(WorkDir() + "~EXTERNE.SKRIVO", "");
        m_form->SKRIVO_EXT->SetText("avant");
        trigger("SKR_EXT_LOAD");
        QVERIFY(m_form->SKRIVO_EXT->IsEmpty());
        QCOMPARE(m_form->SKRIVO_EXT->PageLabel(), QString("Externe"));
    }

    void pasteAsksFirst()
    {
        m_form->SKRIVO_EXT->SetText("garde");
        m_fakes->clipboard.contents = "nouveau";
        trigger("SKR_EXT_PASTE");
        QCOMPARE(m_fakes->dialogs.warningConfirms, std::vector<QString>{"Remplacer le texte par le contenu du presse papier ?"});
        QCOMPARE(m_form->SKRIVO_EXT->Text(), QString("garde"));

        m_fakes->dialogs.confirmAnswers.push_back(true);
        trigger("SKR_EXT_PASTE");
        QCOMPARE(m_form->SKRIVO_EXT->Text(), QString("nouveau"));

        m_fakes->clipboard.contents.clear();
        m_fakes->dialogs.confirmAnswers.push_back(true);
        trigger("SKR_EXT_PASTE");
        QVERIFY(m_form->SKRIVO_EXT->IsEmpty());
    }

    void popupPasteReplacesWithoutAsking_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("page");
        QTest::newRow("Coller3") << "Coller3" << 0;
        QTest::newRow("Coller4") << "Coller4" << 1;
        QTest::newRow("Coller5") << "Coller5" << 2;
    }
    void popupPasteReplacesWithoutAsking()
    {
        QFETCH(QString, item);
        QFETCH(int, page);
        pane(page)->SetText("ancien");
        m_fakes->clipboard.contents = "un\r\ndeux";
        trigger(item.toLatin1());
        QCOMPARE(pane(page)->Text(), QString("un\r\ndeux"));
        QVERIFY(m_fakes->dialogs.confirms.empty());
    }

    void copyTakesTheExternalSelection()
    {
        m_form->SKRIVO_EXT->SetText("Bonjour <NOM>");
        trigger("Copier1");
        QTextCursor cursor(m_form->SKRIVO_EXT->document());
        cursor.setPosition(8);
        cursor.setPosition(13, QTextCursor::KeepAnchor);
        m_form->SKRIVO_EXT->setTextCursor(cursor);
        trigger("Copier1");
        QCOMPARE(m_fakes->clipboard.written, (std::vector<QString>{QString(), "<NOM>"}));
    }

    // A table pasted from a web page reaches Sanvor as lines of text.
    void copiesOfATableHoldNoFrameMarks()
    {
        const QString html = "<p>Avant</p><table><tr><td>NOM</td><td>AGE</td></tr></table><p>Apres</p>";
        const QString text = "Avant\r\nNOM\r\nAGE\r\nApres";
        for (ScriptPane* rich : {m_form->SKRIVO_EXT, m_form->SKRIVO_INT}) {
            rich->SetPlainText(false);
            rich->document()->setHtml(html);
        }
        m_form->SKRIVO_EXT->SelectAll();
        trigger("Copier1");
        trigger("SKR_INT_COPY");
        QCOMPARE(m_fakes->clipboard.written, (std::vector<QString>{text, text}));
        QVERIFY(m_fakes->dialogs.messages.at(0).text.endsWith("\r\n" + text));
        noErrors();
    }

    void copyForSanvorShowsTheFirst500Characters()
    {
        QString text;
        for (int i = 0; i < 120; ++i)
            text += QString("%1").arg(i % 10).repeated(10);
        QCOMPARE(text.size(), 1200);
        m_form->SKRIVO_INT->SetText(text);
        trigger("SKR_INT_COPY");
        QCOMPARE(m_fakes->clipboard.written, std::vector<QString>{text});
        QCOMPARE(m_form->SKRIVO_INT->SelText(), text);
        QCOMPARE(m_fakes->dialogs.messages.size(), size_t(1));
        QCOMPARE(m_fakes->dialogs.messages[0].kind, platform::BoxKind::Information);
        QCOMPARE(m_fakes->dialogs.messages[0].text,
                 "SKRIVO \"Utilisateur\" est dans le  presse papier\r\n"
                 "Vous pouvez le collez dans l'incidence correspondante de Sanvor\r\n\r\n"
                     + QString(70, '-') + "\r\n\r\n" + text.left(500));
    }

    void openWritesTheStateFileFirst_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("stateFile");
        QTest::newRow("external") << "SKR_EXT_Open" << 0 << "~EXTERNE.SKRIVO";
        QTest::newRow("internal") << "SKR_INT_OPEN" << 1 << "~INTERNE.SKRIVO";
        QTest::newRow("internal pop-up") << "MenuItem3" << 1 << "~INTERNE.SKRIVO";
        QTest::newRow("universal") << "SKR_UNI_OPEN" << 2 << "~POLYX.SKRU";
    }
    void openWritesTheStateFileFirst()
    {
        QFETCH(QString, command);
        QFETCH(int, page);
        QFETCH(QString, stateFile);
        SnapshotDesktop desktop;
        platform::Services services = platform::services();
        services.desktop = &desktop;
        platform::setServices(services);
        const QString path = WorkDir() + stateFile;
        writeBytes(path, "ancien contenu plus long");
        pane(page)->SetText(QString::fromUtf8("<NOM>\r\nété"));
        trigger(command.toLatin1());
        platform::setServices({&m_fakes->dialogs, &m_fakes->clipboard, &m_fakes->desktop, &m_fakes->balloon,
                               &m_fakes->screen, &m_fakes->cursor, &m_fakes->progress});
        noErrors();
        QCOMPARE(desktop.edited, std::vector<QString>{path});
        QCOMPARE(desktop.seen, QByteArray("<NOM>\r\n\xE9t\xE9"));
    }

    void openDoesNotStartTheEditorWhenTheFileFails()
    {
        QVERIFY(QDir().mkdir(WorkDir() + "~POLYX.SKRU"));
        trigger("SKR_UNI_OPEN");
        QCOMPARE(m_fakes->dialogs.errors.size(), size_t(1));
        QVERIFY(m_fakes->dialogs.errors[0].startsWith("Impossible de créer le fichier \""));
        QVERIFY(m_fakes->desktop.edited.empty());
    }

    void externalTextEmptiesTheInternalPane()
    {
        m_form->ValueListEditor_INT->SetPageLabel("MARTIN");
        m_form->SKRIVO_INT->SetText("traduit");
        m_form->SKRIVO_INT->SetPageLabel("AUTRE");
        QTest::keyClick(m_form->SKRIVO_EXT, Qt::Key_X);
        QCOMPARE(m_form->SKRIVO_EXT->Text(), QString("x"));
        QVERIFY(m_form->SKRIVO_INT->IsEmpty());
        QCOMPARE(m_form->SKRIVO_INT->PageLabel(), QString("MARTIN"));

        m_form->SKRIVO_INT->SetText("traduit");
        trigger("SKR_EXT_CLEAR");
        QVERIFY(m_form->SKRIVO_EXT->IsEmpty());
        QCOMPARE(m_form->SKRIVO_INT->Text(), QString("traduit"));
    }

    void escapePurgesEachPane_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("external") << 0;
        QTest::newRow("internal") << 1;
        QTest::newRow("universal") << 2;
    }
    void escapePurgesEachPane()
    {
        QFETCH(int, page);
        pane(page)->SetText("a\r\nb");
        pane(page)->SetPageLabel("GARDE");
        QTest::keyClick(pane(page), Qt::Key_Escape);
        QVERIFY(pane(page)->IsEmpty());
        QCOMPARE(pane(page)->PageLabel(), QString("GARDE"));
        QVERIFY(m_fakes->dialogs.confirms.empty());
    }

    void plainTextSwitches_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("page");
        QTest::newRow("external") << "SKR_EXT_PLAIN" << 0;
        QTest::newRow("internal") << "check_TexteBrut1" << 1;
    }
    void plainTextSwitches()
    {
        QFETCH(QString, item);
        QFETCH(int, page);
        QAction* tick = m_form->findChild<QAction*>(item);
        ScriptPane* target = pane(page);
        target->SetText("texte");
        tick->trigger();
        QVERIFY(!tick->isChecked());
        QVERIFY(!target->PlainText());
        QCOMPARE(target->Text(), QString("texte"));

        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        QTextCursor(target->document()).insertText("Gras ", bold);
        tick->trigger();
        QVERIFY(tick->isChecked());
        QVERIFY(target->PlainText());
        QCOMPARE(target->Text(), QString("Gras texte"));
        QTextCursor first(target->document());
        first.setPosition(1);
        QVERIFY(first.charFormat().fontWeight() < QFont::Bold);
        QVERIFY(pane(2)->PlainText());
    }

    void richModeStateFileKeepsFormatting()
    {
        m_form->findChild<QAction*>("SKR_EXT_PLAIN")->trigger();
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        QTextCursor(m_form->SKRIVO_EXT->document()).insertText("Gras", bold);
        trigger("SKR_EXT_Open");
        QVERIFY(readBytes(WorkDir() + "~EXTERNE.SKRIVO").startsWith("{\\rtf"));
        m_form->SKRIVO_EXT->Clear();
        trigger("SKR_EXT_LOAD");
        QCOMPARE(m_form->SKRIVO_EXT->Text(), QString("Gras"));
        QTextCursor first(m_form->SKRIVO_EXT->document());
        first.setPosition(1);
        QVERIFY(first.charFormat().fontWeight() >= QFont::Bold);
    }

    void clickInTheExternalPaneShowsScriptFiles()
    {
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QCOMPARE(m_form->TabSet1->currentIndex(), 0);
        QTest::mouseClick(m_form->SKRIVO_EXT->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(m_form->TabSet1->currentIndex(), 1);
        QCOMPARE(m_form->TabSet1->tabText(1), QString("SKR"));
    }

    void sessionSavesTheThreeStateFiles()
    {
        m_form->SKRIVO_EXT->SetText("/* |DUPONT^\r\nexterne");
        m_form->SKRIVO_INT->SetText("interne");
        m_form->SKRIVO_POLYX->SetText("<NOM>");
        trigger("INI_SAVE");
        noErrors();
        QCOMPARE(readBytes(WorkDir() + "~EXTERNE.SKRIVO"), QByteArray("/* |DUPONT^\r\nexterne"));
        QCOMPARE(readBytes(WorkDir() + "~INTERNE.SKRIVO"), QByteArray("interne"));
        QCOMPARE(readBytes(WorkDir() + "~POLYX.SKRU"), QByteArray("<NOM>"));

        m_form.reset();
        m_form = std::make_unique<TForm1>();
        QCOMPARE(m_form->SKRIVO_EXT->Text(), QString("/* |DUPONT^\r\nexterne"));
        QCOMPARE(m_form->SKRIVO_EXT->PageLabel(), QString("DUPONT"));
        QCOMPARE(m_form->SKRIVO_INT->Text(), QString("interne"));
        QCOMPARE(m_form->SKRIVO_POLYX->Text(), QString("<NOM>"));
    }

    void sessionSaveGoesOnPastALockedStateFile()
    {
        QVERIFY(QDir().mkdir(WorkDir() + "~EXTERNE.SKRIVO"));
        m_form->SKRIVO_INT->SetText("interne");
        trigger("INI_SAVE");
        QCOMPARE(m_fakes->dialogs.errors.size(), size_t(1));
        QVERIFY(m_fakes->dialogs.errors[0].startsWith("Impossible de créer le fichier \""));
        QCOMPARE(readBytes(WorkDir() + "~INTERNE.SKRIVO"), QByteArray("interne"));
        QCOMPARE(readBytes(WorkDir() + "~POLYX.SKRU"), QByteArray());
    }
};

QTEST_MAIN(ScriptCommandsTest)
#include "tst_script_commands.moc"
