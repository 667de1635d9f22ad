// The question list on the window: its pop-up commands, the .DICU file of the
// session, the appending to the dictionaries and the information files.
#include "tests/support/DictionaryFilling.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WorkFolder.h"

#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "files/FileListBox.h"
#include "platform/testing/FakeServices.h"
#include "questions/QuestionInfo.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

namespace {

QString questionFile() { return WorkDir() + "~POLYX.DICU"; }

} // namespace

class QuestionWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WorkFolder> m_dir;
    std::unique_ptr<platform::FakeServices> m_fakes;
    std::unique_ptr<TForm1> m_form;

    QuestionList* list() const { return m_form->JvCheckListBox_QUESTION; }
    QString listFolder() const { return m_dir->filePath("liste"); }
    void trigger(const char* item) { m_form->findChild<QAction*>(item)->trigger(); }
    const std::vector<QString>& errors() const { return m_fakes->dialogs.errors; }
    void fill(const QStringList& texts, int selected = -1)
    {
        list()->SetTexts(texts);
        list()->SetItemIndex(selected);
    }
    void showForm()
    {
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    QPoint centreOf(int index) const { return list()->visualItemRect(list()->item(index)).center(); }

private slots:
    void init()
    {
        m_dir = std::make_unique<WorkFolder>();
        QVERIFY(QDir().mkpath(listFolder()));
        m_fakes = std::make_unique<platform::FakeServices>();
        m_form = std::make_unique<TForm1>();
        // Information files are looked for in the listed folder, not the work folder.
        static_cast<FileListBox*>(m_form->JvFileListBox1)->setFolder(listFolder());
    }
    void cleanup()
    {
        m_form.reset();
        m_fakes.reset();
        m_dir.reset();
    }

    void startsWithTheHeaderKeys()
    {
        QCOMPARE(list()->Texts(), QStringList({"<_AUTEUR>", "<_TITRE>", "<_CODE>"}));
        QVERIFY(list()->CheckedTexts().isEmpty());
        QCOMPARE(list()->ItemIndex(), -1);
        QCOMPARE(list()->objectName(), QString("JvCheckListBox_QUESTION"));
        QCOMPARE(list()->toolTip(), QString("Gestion des Questions Universelles"));
    }

    void sessionReadsAndWritesTheList()
    {
        m_form.reset();
        writeBytes(questionFile(), "\xEF\xBB\xBF<NOM>\r\n<\xC3\x89>\r\n");
        m_form = std::make_unique<TForm1>();
        QCOMPARE(list()->Texts(), QStringList({"<NOM>", "<É>"}));
        list()->Add("<AGE>");
        QVERIFY(m_form->close());
        QCOMPARE(readBytes(questionFile()), QByteArray("\xEF\xBB\xBF<NOM>\r\n<\xC3\x89>\r\n<AGE>\r\n"));
        QVERIFY(errors().empty());
    }

    void add_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("normalised") << std::optional<QString>(" nom du patient ")
                                    << QStringList{"<A>", "<B>", "<NOM_DU_PATIENT>"};
        QTest::newRow("blank") << std::optional<QString>("  ") << QStringList{"<A>", "<B>", "<>"};
        QTest::newRow("already there") << std::optional<QString>("a") << QStringList{"<A>", "<B>", "<A>"};
        QTest::newRow("cancelled") << std::optional<QString>() << QStringList{"<A>", "<B>"};
    }
    void add()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QStringList, texts);
        fill({"<A>", "<B>"}, 1);
        m_fakes->dialogs.inputAnswers.push_back(answer);
        trigger("mnu_QUESTION_ADD");
        QCOMPARE(m_fakes->dialogs.inputs.size(), size_t(1));
        QCOMPARE(m_fakes->dialogs.inputs[0].title, QString("Ajouter une Question Universelle"));
        QCOMPARE(m_fakes->dialogs.inputs[0].prompt, QString("QUESTION"));
        QCOMPARE(m_fakes->dialogs.inputs[0].value, QString());
        QCOMPARE(list()->Texts(), texts);
        QCOMPARE(list()->ItemIndex(), 1);
        QVERIFY(list()->CheckedTexts().isEmpty());
    }

    void modifyKeepsTickSelectionAndPlace()
    {
        fill({"<A>", "<B>", "<C>"}, 1);
        list()->SetChecked(1, true);
        m_fakes->dialogs.inputAnswers.push_back("< nouveau nom>");
        trigger("mnu_QUESTIOn_edit");
        QCOMPARE(m_fakes->dialogs.inputs[0].title, QString("Modification"));
        QCOMPARE(m_fakes->dialogs.inputs[0].prompt, QString("QUESTION"));
        QCOMPARE(m_fakes->dialogs.inputs[0].value, QString("<B>"));
        QCOMPARE(list()->Texts(), QStringList({"<A>", "<_NOUVEAU_NOM>", "<C>"}));
        QCOMPARE(list()->ItemIndex(), 1);
        QCOMPARE(list()->CheckedTexts(), QStringList({"<_NOUVEAU_NOM>"}));
    }

    void commandsNeedASelection_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Modifier") << "mnu_QUESTIOn_edit";
        QTest::newRow("copy into the universal script") << "PlacerdanslescritpUniversel1";
        QTest::newRow("double-click") << "double-click";
    }
    void commandsNeedASelection()
    {
        QFETCH(QString, how);
        showForm();
        fill({"<A>"});
        TForm1::selectPageQuietly(m_form->PageControl_SCRIPTS, 2);
        const QString externalBefore = m_form->ValueListEditor_EXT->lines().AllText();
        if (how == "double-click")
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, QPoint(5, list()->viewport()->height() - 5));
        else
            trigger(qPrintable(how));
        QCOMPARE(errors(), std::vector<QString>{"Index de liste hors limites (-1)"});
        QVERIFY(m_fakes->dialogs.inputs.empty());
        QCOMPARE(list()->Texts(), QStringList({"<A>"}));
        QCOMPARE(m_form->SKRIVO_POLYX->toPlainText(), QString());
        QCOMPARE(m_form->ValueListEditor_EXT->lines().AllText(), externalBefore);
    }

    void deleteSelectsTheEntryAbove_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<int>("selectedAfter");
        const QStringList three{"<A>", "<B>", "<C>"};
        QTest::newRow("first") << three << 0 << QStringList{"<B>", "<C>"} << 0;
        QTest::newRow("middle") << three << 1 << QStringList{"<A>", "<C>"} << 0;
        QTest::newRow("last") << three << 2 << QStringList{"<A>", "<B>"} << 1;
        QTest::newRow("only one") << QStringList{"<A>"} << 0 << QStringList() << -1;
        QTest::newRow("none selected") << three << -1 << three << -1;
    }
    void deleteSelectsTheEntryAbove()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, selected);
        QFETCH(QStringList, left);
        QFETCH(int, selectedAfter);
        fill(texts, selected);
        trigger("mnu_QUESTION_DEL");
        QCOMPARE(list()->Texts(), left);
        QCOMPARE(list()->ItemIndex(), selectedAfter);
        QVERIFY(errors().empty());
    }

    void spaceTogglesTheSelectedEntry()
    {
        showForm();
        fill({"<A>", "<B>"}, 1);
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Space);
        QCOMPARE(list()->CheckedTexts(), QStringList({"<B>"}));
        QTest::keyClick(list(), Qt::Key_Space);
        QVERIFY(list()->CheckedTexts().isEmpty());
        QCOMPARE(list()->ItemIndex(), 1);
    }

    void purgeKeepsTheMemo()
    {
        m_form->Memo_QUESTIONS->setPlainText("information");
        trigger("Purger1");
        QCOMPARE(list()->Count(), 0);
        QCOMPARE(m_form->Memo_QUESTIONS->toPlainText(), QString("information"));
    }

    void sortKeepsTicksAndTheSelectedPlace()
    {
        fill({"<é>", "<b>", "<C>", "<A>"}, 1);
        list()->SetChecked(3, true);
        trigger("Rier2");
        QCOMPARE(list()->Texts(), QStringList({"<A>", "<b>", "<C>", "<é>"}));
        QCOMPARE(list()->CheckedTexts(), QStringList({"<A>"}));
        QVERIFY(list()->Checked(0));
        QCOMPARE(list()->ItemIndex(), 1);
        list()->Add("<0>");
        QCOMPARE(list()->Text(4), QString("<0>"));
    }

    void selectAllTicksEveryEntry()
    {
        fill({"<A>", "", "<A>"});
        list()->SetChecked(1, true);
        trigger("Ajoutertout1");
        QCOMPARE(list()->CheckedTexts(), QStringList({"<A>", "", "<A>"}));
    }

    void shortcutsActWhileTheListHasFocus_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("item");
        QTest::newRow("F2") << QKeySequence(Qt::Key_F2) << "mnu_QUESTIOn_edit";
        QTest::newRow("Ctrl+Shift+A") << QKeySequence("Ctrl+Shift+A") << "Complterleslistes1";
        QTest::newRow("Ctrl+A") << QKeySequence("Ctrl+A") << "Ajoutertout1";
        QTest::newRow("Ctrl+U") << QKeySequence("Ctrl+U") << "DICOQUESTIONSREBUILD1";
        QTest::newRow("F12") << QKeySequence(Qt::Key_F12) << "mnuQuestions_PROP";
    }
    void shortcutsActWhileTheListHasFocus()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, item);
        showForm();
        QApplication::setActiveWindow(m_form.get());
        list()->setFocus();
        QTRY_VERIFY(list()->hasFocus());
        QSignalSpy triggered(m_form->findChild<QAction*>(item), &QAction::triggered);
        QTest::keySequence(list(), keys);
        QCOMPARE(triggered.count(), 1);
    }

    void load_data()
    {
        QTest::addColumn<QString>("file"); // "missing", "folder" or the bytes
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("error");
        const QStringList before{"<OLD>", "<OLD2>"};
        QTest::newRow("missing file") << "missing" << before << "";
        QTest::newRow("empty file") << "" << QStringList() << "";
        QTest::newRow("lone LF, empty line") << "<A>\n\n<B>\n" << QStringList{"<A>", "", "<B>"} << "";
        QTest::newRow("unreadable") << "folder" << before << "Impossible d'ouvrir le fichier \"%1\". Accès refusé";
    }
    void load()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, texts);
        QFETCH(QString, error);
        fill({"<OLD>", "<OLD2>"}, 1);
        list()->SetChecked(0, true);
        if (file == "folder")
            QVERIFY(QDir().mkpath(questionFile()));
        else if (file != "missing")
            writeBytes(questionFile(), file.toUtf8());
        trigger("Recharger4");
        QCOMPARE(list()->Texts(), texts);
        if (error.isEmpty())
            QVERIFY(errors().empty());
        else
            QCOMPARE(errors(), std::vector<QString>{error.arg(questionFile())});
        if (file == "missing" || file == "folder")
            return;
        QCOMPARE(list()->ItemIndex(), -1);
        QVERIFY(list()->CheckedTexts().isEmpty());
    }

    void saveWritesTheSessionFile()
    {
        fill({"<NOM>", "", "<PRÉNOM>"});
        list()->SetChecked(0, true);
        trigger("Sauver3");
        QCOMPARE(readBytes(questionFile()), QByteArray("<NOM>\r\n\r\n<PR\xC9NOM>\r\n"));
        // The name stays the same whatever file was read last.
        writeBytes(WorkDir() + "other.DICU", "<X>\r\n");
        list()->LoadFromFile(WorkDir() + "other.DICU");
        m_form->action("DICO_QUESTIONS_SAVE")->trigger();
        QCOMPARE(readBytes(questionFile()), QByteArray("<X>\r\n"));
        QCOMPARE(readBytes(WorkDir() + "other.DICU"), QByteArray("<X>\r\n"));

        QVERIFY(QFile::remove(questionFile()));
        QVERIFY(QDir().mkpath(questionFile()));
        trigger("Sauver3");
        QCOMPARE(errors(), std::vector<QString>{
                               QString("Impossible de créer le fichier \"%1\". Accès refusé").arg(questionFile())});
    }

    void saveRefreshesTheFileList()
    {
        m_form->Button1Click(); // the file list shows the work folder
        m_form->TabSet1->setCurrentIndex(0); // "DIC"
        const auto listed = [this] {
            QStringList names;
            for (int row = 0; row < m_form->JvFileListBox1->count(); ++row)
                names << m_form->JvFileListBox1->item(row)->text();
            return names;
        };
        QVERIFY(!listed().contains("~POLYX.DICU"));
        trigger("Sauver3");
        QVERIFY(listed().contains("~POLYX.DICU"));
    }

    void rebuild_data()
    {
        QTest::addColumn<QStringList>("external");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("announced");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("header keys and one question")
            << QStringList{"<_AUTEUR>=", "<_TITRE>=", "<_CODE>=", "<NOM>=£[SG : nom]#"} << true << 4
            << QStringList{"<_AUTEUR>", "<_TITRE>", "<_CODE>", "<NOM>"};
        QTest::newRow("line without key") << QStringList{"<A>=1", "sans clé", " <b> =2"} << true << 3
                                          << QStringList{"<A>", "", " <b> "};
        QTest::newRow("empty dictionary") << QStringList() << true << 0 << QStringList();
        QTest::newRow("cancelled") << QStringList{"<A>="} << false << 1 << QStringList{"<OLD>"};
    }
    void rebuild()
    {
        QFETCH(QStringList, external);
        QFETCH(bool, confirmed);
        QFETCH(int, announced);
        QFETCH(QStringList, texts);
        fill({"<OLD>"}, 0);
        list()->SetChecked(0, true);
        setLines(m_form->ValueListEditor_EXT, external);
        m_fakes->dialogs.confirmAnswers.push_back(confirmed);
        trigger("DICOQUESTIONSREBUILD1");
        QCOMPARE(m_fakes->dialogs.confirms, std::vector<QString>{
            QString("Vous allez reconstituer le Dictionnaire des QUESTIONS UNIVERSELLES\r\nA partir des Clés du "
                    "dictionnaire externe\r\n\r\n%1 clés disponibles\r\n\r\nVoulez-vous écraser le Questionnaire "
                    "Universel ?").arg(announced)});
        QCOMPARE(m_fakes->dialogs.warningConfirms, m_fakes->dialogs.confirms);
        QCOMPARE(list()->Texts(), texts);
        QCOMPARE(list()->CheckedTexts().isEmpty(), confirmed);
        QCOMPARE(list()->ItemIndex(), confirmed ? -1 : 0);
        QVERIFY(!QFile::exists(questionFile()));
    }

    void appendToTheExternalDictionary_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("error");
        const QString all = "Complterleslistes1", ticked = "Ajouterlaslection1";
        QTest::newRow("every question once") << all << QStringList{"<A>", "<B>", "<A>"} << QList<int>{}
                                             << QStringList() << QStringList{"<A>=", "<B>="} << "";
        QTest::newRow("found inside a value") << all << QStringList{"<NOM>", "<AGE>"} << QList<int>{}
                                              << QStringList{"<X>=voir <NOM>"}
                                              << QStringList{"<X>=voir <NOM>", "<AGE>="} << "";
        QTest::newRow("empty entries every time") << all << QStringList{"", ""} << QList<int>{} << QStringList()
                                                  << QStringList{"=", "="} << "";
        QTest::newRow("other capitals stop it")
            << all << QStringList{"<A>", "<nom>", "<B>"} << QList<int>{} << QStringList{"<NOM>=x"}
            << QStringList{"<NOM>=x", "<A>="} << "Une clé nommée \"<nom>\" existe déjà";
        QTest::newRow("empty list") << all << QStringList() << QList<int>{} << QStringList{"<A>="}
                                    << QStringList{"<A>="} << "";
        QTest::newRow("ticked only, in list order") << ticked << QStringList{"<A>", "<B>", "<C>"} << QList<int>{2, 0}
                                                    << QStringList() << QStringList{"<A>=", "<C>="} << "";
        QTest::newRow("nothing ticked") << ticked << QStringList{"<A>"} << QList<int>{} << QStringList()
                                        << QStringList() << "";
    }
    void appendToTheExternalDictionary()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, questions);
        QFETCH(QList<int>, ticked);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(QString, error);
        fill(questions, questions.isEmpty() ? -1 : 0);
        for (int index : ticked)
            list()->SetChecked(index, true);
        setLines(m_form->ValueListEditor_EXT, before);
        setLines(m_form->ValueListEditor_INT, {});
        trigger(qPrintable(item));
        QCOMPARE(m_form->ValueListEditor_EXT->lines().Lines(), after);
        QCOMPARE(m_form->ValueListEditor_INT->lines().Count(), 0);
        QCOMPARE(errors(), error.isEmpty() ? std::vector<QString>{} : std::vector<QString>{error});
    }

    void doubleClickAppendsToBothDictionaries_data()
    {
        QTest::addColumn<QStringList>("internal");
        QTest::addColumn<QStringList>("external");
        QTest::addColumn<QStringList>("internalAfter");
        QTest::addColumn<QStringList>("externalAfter");
        QTest::addColumn<QString>("error");
        QTest::newRow("in neither") << QStringList{"<A>="} << QStringList() << QStringList{"<A>=", "<AGE>="}
                                    << QStringList{"<AGE>="} << "";
        QTest::newRow("in a value of the external one")
            << QStringList() << QStringList{"<X>=<AGE>"} << QStringList{"<AGE>="} << QStringList{"<X>=<AGE>"} << "";
        QTest::newRow("internal refuses: external left alone")
            << QStringList{"<age>=1"} << QStringList() << QStringList{"<age>=1"} << QStringList()
            << "Une clé nommée \"<AGE>\" existe déjà";
    }
    void doubleClickAppendsToBothDictionaries()
    {
        QFETCH(QStringList, internal);
        QFETCH(QStringList, external);
        QFETCH(QStringList, internalAfter);
        QFETCH(QStringList, externalAfter);
        QFETCH(QString, error);
        showForm();
        fill({"<NOM>", "<AGE>"});
        setLines(m_form->ValueListEditor_INT, internal);
        setLines(m_form->ValueListEditor_EXT, external);
        TForm1::selectPageQuietly(m_form->PageControl_DICOS, 2);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centreOf(1));
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, centreOf(1));
        QCOMPARE(list()->ItemIndex(), 1);
        QCOMPARE(m_form->PageControl_DICOS->currentWidget(), m_form->TabSheet_DIC_EXT);
        QCOMPARE(m_form->ValueListEditor_INT->lines().Lines(), internalAfter);
        QCOMPARE(m_form->ValueListEditor_EXT->lines().Lines(), externalAfter);
        QCOMPARE(errors(), error.isEmpty() ? std::vector<QString>{} : std::vector<QString>{error});
    }

    void copyIntoTheUniversalScript()
    {
        fill({"<NOM>", "<AGE>"}, 1);
        m_form->SKRIVO_POLYX->setPlainText("Né le X.");
        TForm1::selectPageQuietly(m_form->PageControl_SCRIPTS, 0);
        trigger("PlacerdanslescritpUniversel1");
        QCOMPARE(m_fakes->dialogs.messages.size(), size_t(1));
        QCOMPARE(m_fakes->dialogs.messages[0].kind, platform::BoxKind::Plain);
        QCOMPARE(m_fakes->dialogs.messages[0].text,
                 QString("Vous devez placer le curseur sur une sélection du TEXTE UNIVERSEL à compléter"));
        QCOMPARE(m_form->PageControl_SCRIPTS->currentWidget(), m_form->TabSheet_SKR_UNI);
        QCOMPARE(m_form->SKRIVO_POLYX->toPlainText(), QString("Né le X."));

        QTextCursor cursor = m_form->SKRIVO_POLYX->textCursor();
        cursor.setPosition(6);
        cursor.setPosition(7, QTextCursor::KeepAnchor);
        m_form->SKRIVO_POLYX->setTextCursor(cursor);
        trigger("PlacerdanslescritpUniversel1");
        QCOMPARE(m_form->SKRIVO_POLYX->toPlainText(), QString("Né le <AGE>."));
        trigger("PlacerdanslescritpUniversel1"); // at the caret, after the insertion
        QCOMPARE(m_form->SKRIVO_POLYX->toPlainText(), QString("Né le <AGE><AGE>."));
        QCOMPARE(m_fakes->dialogs.messages.size(), size_t(1));
        QVERIFY(errors().empty());
    }

    void informationFollowsTheSelection()
    {
        showForm();
        writeBytes(listFolder() + "/@NOM.TXT", "*** <NOM> ***\r\nD\xE9" "finition : nom\r\n");
        writeBytes(listFolder() + "/@_CODE.TXT", "\xEF\xBB\xBF" "code\n");
        QVERIFY(QDir().mkpath(listFolder() + "/@BAD.TXT"));
        fill({"<NOM>", "<AGE>", "<_CODE>", "<BAD>"});

        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centreOf(0));
        QCOMPARE(m_form->Memo_QUESTIONS->toPlainText(), QString("*** <NOM> ***\nDéfinition : nom"));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centreOf(1));
        QCOMPARE(m_form->Memo_QUESTIONS->toPlainText(), QString("*** <NOM> ***\nDéfinition : nom"));
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(list()->ItemIndex(), 2);
        QCOMPARE(m_form->Memo_QUESTIONS->toPlainText(), QString("code"));
        QVERIFY(errors().empty());
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(errors(), std::vector<QString>{
                               QString("Impossible d'ouvrir le fichier \"%1\". Accès refusé").arg(listFolder() + "/@BAD.TXT")});
        QCOMPARE(m_form->Memo_QUESTIONS->toPlainText(), QString("code"));
    }

    void informationFollowsTheFileListFolder()
    {
        showForm();
        const QString parent = QDir(m_dir->path()).absolutePath();
        writeBytes(parent + "/@NOM.TXT", "en haut\r\n");
        writeBytes(listFolder() + "/@NOM.TXT", "en bas\r\n");
        m_form->Button1Click(); // the file list goes up one folder
        QCOMPARE(QDir(m_form->FileListFolder()).absolutePath(), parent);
        fill({"<NOM>", "<AGE>"});

        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centreOf(0));
        QCOMPARE(m_form->Memo_QUESTIONS->toPlainText(), QString("en haut"));
        list()->SetItemIndex(1);
        trigger("mnuQuestions_PROP");
        QVERIFY(QFile::exists(parent + "/@AGE.TXT"));
        QVERIFY(!QFile::exists(listFolder() + "/@AGE.TXT"));
        QCOMPARE(m_fakes->desktop.edited.size(), size_t(1));
        QCOMPARE(QFileInfo(m_fakes->desktop.edited[0]).absoluteFilePath(), parent + "/@AGE.TXT");
        QVERIFY(errors().empty());
    }

    void rightPressShowsTheEntryItSelects()
    {
        showForm();
        writeBytes(listFolder() + "/@AGE.TXT", "age\r\n");
        fill({"<NOM>", "<AGE>"}, 0);
        QTest::mousePress(list()->viewport(), Qt::RightButton, {}, centreOf(1));
        QTest::mouseRelease(list()->viewport(), Qt::RightButton, {}, centreOf(1));
        QCOMPARE(list()->ItemIndex(), 1);
        QCOMPARE(m_form->Memo_QUESTIONS->toPlainText(), QString("age"));
    }

    void propertiesCreateTheTemplateOnce_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("Propriétés") << "mnuQuestions_PROP";
        QTest::newRow("memo's Ouvrir") << "Ouvrir1";
    }
    void propertiesCreateTheTemplateOnce()
    {
        QFETCH(QString, item);
        fill({"<AGE>", "<NOM>"}, 1);
        m_form->Memo_QUESTIONS->setPlainText("avant");
        const QString path = listFolder() + "/@NOM.TXT";
        trigger(qPrintable(item));
        const QByteArray created = readBytes(path);
        QVERIFY(created.startsWith("*** <NOM> ***\r\nD\xE9" "finition : \r\n"));
        QCOMPARE(created, polyx::TextLinesFile::Encode(polyx::QuestionInfoTemplate("NOM"),
                                                       polyx::TextEncoding::Ansi).bytes);
        QCOMPARE(m_fakes->desktop.edited, std::vector<QString>{path});
        QCOMPARE(m_form->Memo_QUESTIONS->toPlainText(), QString("avant"));

        writeBytes(path, "mes notes\r\n");
        trigger(qPrintable(item));
        QCOMPARE(readBytes(path), QByteArray("mes notes\r\n"));
        QCOMPARE(m_fakes->desktop.edited, (std::vector<QString>{path, path}));
        QVERIFY(errors().empty());
    }

    void propertiesOfOddEntries()
    {
        fill({"<NOM"}, 0);
        trigger("mnuQuestions_PROP");
        QVERIFY(readBytes(listFolder() + "/@.TXT").startsWith("*** <> ***\r\n"));

        list()->SetItemIndex(-1);
        trigger("mnuQuestions_PROP");
        QCOMPARE(errors().size(), size_t(1));
        QVERIFY2(errors()[0].startsWith("Impossible de créer le fichier \"\". "), qPrintable(errors()[0]));
        QCOMPARE(m_fakes->desktop.edited.size(), size_t(1));
    }

    void memoDoubleClickOpensAnExistingFile()
    {
        showForm();
        writeBytes(listFolder() + "/@NOM.TXT", "notes\r\n");
        fill({"<NOM>", "<AGE>"}, 1);
        QWidget* memo = m_form->Memo_QUESTIONS->viewport();
        QTest::mouseDClick(memo, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(m_fakes->desktop.edited.empty());
        QVERIFY(!QFile::exists(listFolder() + "/@AGE.TXT"));
        list()->SetItemIndex(0);
        QTest::mouseDClick(memo, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(m_fakes->desktop.edited, std::vector<QString>{listFolder() + "/@NOM.TXT"});
        QVERIFY(errors().empty());
    }
};

QTEST_MAIN(QuestionWindowTest)
#include "tst_question_window.moc"
