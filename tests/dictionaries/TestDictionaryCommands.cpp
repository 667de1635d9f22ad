// The dictionary commands driven through the window, with the desktop doubles.
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "dictionaries/DictionaryPane.h"
#include "platform/testing/FakeServices.h"

#include <QAction>
#include <QFile>
#include <QTabWidget>
#include <QtTest>

class DictionaryCommandsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;
    TForm1* m_form = nullptr;

    void trigger(const char* name) { m_form->action(name)->trigger(); }
    QStringList lines(DictionaryPane* pane) { return pane->lines().Lines(); }

private slots:
    void init()
    {
        m_window = std::make_unique<WindowFixture>();
        m_form = &m_window->open();
    }
    void cleanup()
    {
        m_window.reset();
    }

    void saveWithEmptyLabelThenReload()
    {
        DictionaryPane* ext = m_form->ValueListEditor_EXT;
        ext->SetPageLabel(QString());
        ext->lines().AddLine(" <NOM> =DUPONT : nom");
        trigger("DICO_EXT_SAVE");
        QVERIFY(m_window->fakes.dialogs.errors.empty());
        const QString path = WorkDir() + "~EXTERNE.DICO";
        QCOMPARE(ext->PageLabel(), QString("~EXTERNE"));
        QCOMPARE(m_form->PageControl_DICOS->tabText(0), QString("~EXTERNE"));
        QCOMPARE(ReadString("DICO", "EXTERNE", QString()), path);
        // Compressed before writing: header keys sorted in, blanks and comment cut.
        QCOMPARE(readBytes(path), QByteArray("<_AUTEUR>=\r\n<_CODE>=\r\n<_TITRE>=\r\n<NOM>=DUPONT \r\n"));

        ext->lines().ClearLines();
        trigger("DICO_EXT_LOAD");
        QCOMPARE(lines(ext).size(), 4);
        QCOMPARE(m_form->PageControl_SCRIPTS->tabText(0), QString("~EXTERNE"));

        // Reloading after the file was deleted leaves the pane and says nothing.
        QVERIFY(QFile::remove(path));
        ext->lines().AddLine("<AGE>=a");
        trigger("DICO_EXT_LOAD");
        QCOMPARE(lines(ext).size(), 5);
        QVERIFY(m_window->fakes.dialogs.errors.empty());
    }

    void saveAsAsksAndRelabels()
    {
        const QString chosen = m_window->folder.filePath("Dupont.dico");
        m_window->fakes.dialogs.saveAnswers.push_back(chosen);
        trigger("DICO_EXT_SAVEAS");
        QCOMPARE(m_window->fakes.dialogs.saveRequests.size(), size_t(1));
        const platform::FileDialogRequest& asked = m_window->fakes.dialogs.saveRequests[0];
        QCOMPARE(asked.title, QString("Sauvegarder le dictionnaire EXTERNE"));
        QCOMPARE(asked.fileName, QString("Externe"));
        QCOMPARE(asked.initialDir, WorkDir());
        QCOMPARE(asked.filter, QString("DICO|*.DICO|Tous|*.*"));
        QCOMPARE(asked.defaultExt, QString("DICO"));
        QVERIFY(asked.confirmReplace);
        QVERIFY(asked.existingFolderOnly);
        // The start lines, not compressed: three lines, CR LF, no mark.
        QCOMPARE(readBytes(chosen), QByteArray("<_AUTEUR>=\r\n<_TITRE>=\r\n<_CODE>=\r\n"));
        QCOMPARE(m_form->ValueListEditor_EXT->PageLabel(), QString("DUPONT"));
        QCOMPARE(m_form->PageControl_SCRIPTS->tabText(0), QString("DUPONT"));
        QCOMPARE(ReadString("DICO", "EXTERNE", QString()), chosen);

        // Cancelled: nothing written, nothing relabelled.
        trigger("DICO_INT_SAVEAS");
        const platform::FileDialogRequest& internal = m_window->fakes.dialogs.saveRequests[1];
        QCOMPARE(internal.title, QString("Sauvegarder le dictionnaire INTERNE "));
        QCOMPARE(internal.fileName, QString("Interne.DICO"));
        QCOMPARE(internal.filter, QString("DICO|*.dico|TOUS|*.*"));
        QVERIFY(internal.existingFolderOnly);
        QCOMPARE(m_form->ValueListEditor_INT->PageLabel(), QString("Interne"));
        QCOMPARE(ReadString("DICO", "INTERNE", "absent"), QString("absent"));
    }

    void sanvorSaveAlwaysGoesToItsStateFile()
    {
        WriteString("DICO", "SANVOR", m_window->folder.filePath("ailleurs.DICO"));
        trigger("DICO_SAN_SAVE");
        const QString path = WorkDir() + "~SANVOR.DICO";
        QCOMPARE(ReadString("DICO", "SANVOR", QString()), path);
        QVERIFY(readBytes(path).startsWith("<_AUTEUR>=SANVOR\r\n<_CODE>=0\r\n"));
        QVERIFY(!QFile::exists(m_window->folder.filePath("ailleurs.DICO")));
        QCOMPARE(m_form->PageControl_DICOS->tabText(3), QString("Sanvor"));
    }

    void duplicateKeyLoadLeavesThePaneAsItWas()
    {
        const QString path = m_window->folder.filePath("double.DICO");
        writeBytes(path, "A=1\r\na=2\r\n");
        WriteString("DICO", "INTERNE", path);
        const QStringList before = lines(m_form->ValueListEditor_INT);
        trigger("DICO_INT_LOAD");
        QCOMPARE(m_window->fakes.dialogs.errors, std::vector<QString>{"Fichier \"" + path + "\" :\r\nUne clé nommée \"a\" existe déjà"});
        QCOMPARE(lines(m_form->ValueListEditor_INT), before);
        QCOMPARE(m_form->ValueListEditor_INT->PageLabel(), QString("Interne"));
        QCOMPARE(m_form->PageControl_SCRIPTS->tabText(1), QString("Interne"));
    }

    void failedSaveReportsAndRecordsNothing()
    {
        const QString path = WorkDir() + "Externe.DICO";
        QVERIFY(QDir().mkdir(path)); // a folder where the file should go
        trigger("DICO_EXT_SAVE");
        QCOMPARE(m_window->fakes.dialogs.errors.size(), size_t(1));
        QVERIFY(m_window->fakes.dialogs.errors[0].startsWith(QString("Impossible de créer le fichier \"%1\".").arg(path)));
        QCOMPARE(ReadString("DICO", "EXTERNE", "absent"), QString("absent"));
    }

    void fusionFileFollowsTheLabels()
    {
        m_form->ValueListEditor_EXT->SetPageLabel("DUPONT");
        m_form->ValueListEditor_INT->SetPageLabel("~INTERNE");
        m_form->ValueListEditor_EXT->lines().AddLine("<NOM>=A1");
        m_form->ValueListEditor_INT->lines().AddLine("<nom>=B1");
        trigger("DICO_FUSION_CREATE");
        QCOMPARE(lines(m_form->ValueListEditor_FUSION), QStringList{"A1=B1"});
        trigger("DICO_FUSION_SAVE");
        const QString path = WorkDir() + "DUPONT_~INTERNE.PLX";
        QCOMPARE(readBytes(path), QByteArray("A1=B1\r\n"));
        m_form->ValueListEditor_FUSION->lines().ClearLines();
        trigger("DICO_FUSION_LOAD");
        QCOMPARE(lines(m_form->ValueListEditor_FUSION), QStringList{"A1=B1"});
        QCOMPARE(m_form->PageControl_DICOS->tabText(2), QString("Fusion"));

        trigger("DICO_FUSION_SAVESA");
        QCOMPARE(m_window->fakes.dialogs.saveRequests.size(), size_t(1));
        const platform::FileDialogRequest& asked = m_window->fakes.dialogs.saveRequests[0];
        QCOMPARE(asked.fileName, QString("DUPONT_~INTERNE"));
        QVERIFY(asked.confirmReplace);
        QVERIFY(asked.existingFolderOnly);
    }

    void compressionAsksFirst()
    {
        m_form->ValueListEditor_SANVOR->lines().AddLine(" <X> =a:b ");
        trigger("DICO_COMPRESS_CONFIRM"); // no answer queued: cancelled
        QCOMPARE(m_window->fakes.dialogs.confirms.size(), size_t(1));
        QVERIFY(m_window->fakes.dialogs.confirms[0].endsWith("sur tous les  champs"));
        QVERIFY(lines(m_form->ValueListEditor_SANVOR).contains(" <X> =a:b "));
        m_window->fakes.dialogs.confirmAnswers.push_back(true);
        trigger("DICO_COMPRESS_CONFIRM");
        // Sanvor keeps its colons.
        QVERIFY(lines(m_form->ValueListEditor_SANVOR).contains("<X>=a:b"));
        QVERIFY(!QFile::exists(WorkDir() + "Externe.DICO"));
    }

    void completionAddsMissingKeysToTheInternalDictionary()
    {
        m_form->ValueListEditor_EXT->lines().AddLine("<NOM>=x");
        m_form->ValueListEditor_EXT->lines().AddLine("<AGE>=y");
        m_form->ValueListEditor_INT->lines().AddLine("<NOM>=z");
        trigger("DICO_EXT_AddClesUNIV");
        QCOMPARE(lines(m_form->ValueListEditor_INT).last(), QString("<AGE>="));
        QCOMPARE(lines(m_form->ValueListEditor_INT).count("<NOM>="), 0);
    }
};

QTEST_MAIN(DictionaryCommandsTest)
#include "TestDictionaryCommands.moc"
