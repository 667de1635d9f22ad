// The file panel on the window: masks and tabs, opening by kind, the list's
// pop-up items, drops, the backup and the join of dictionaries.
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "files/FileListBox.h"
#include "platform/testing/FakeServices.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QWindow>
#include <QtTest>

namespace {

const QString kStars80(80, u'*');

} // namespace

class FilePanelTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;
    TForm1* m_form = nullptr;
    QString m_listedAtStart; // the list's folder as the window was created

    platform::FakeDialogs& dialogs() { return m_window->fakes.dialogs; }
    FileListBox* list() const { return static_cast<FileListBox*>(m_form->JvFileListBox1); }
    QString listed(const QString& name) const { return m_window->folder.filePath("liste/" + name); }
    QString dropped(const QString& name) const { return m_window->folder.filePath("drops/" + name); }
    void trigger(const char* item) { m_form->findChild<QAction*>(item)->trigger(); }

    QStringList shown() const
    {
        QStringList names;
        for (int row = 0; row < list()->count(); ++row)
            names.append(list()->item(row)->text());
        return names;
    }
    // Files (and folders, ending in "/") in the listed folder, then a refresh.
    void populate(const QStringList& names, const QByteArray& content = "x")
    {
        for (const QString& name : names) {
            if (name.endsWith(u'/'))
                QVERIFY(QDir().mkpath(listed(name)));
            else
                writeBytes(listed(name), content);
        }
        trigger("RAffraichir1");
    }
    void pick(const QString& name)
    {
        const int row = int(shown().indexOf(name));
        QVERIFY2(row >= 0, qPrintable(name));
        list()->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
    QString labelOf(const QString& pane) const
    {
        if (auto* dictionary = m_form->findChild<DictionaryPane*>(pane))
            return dictionary->PageLabel();
        return m_form->findChild<ScriptPane*>(pane)->PageLabel();
    }

private slots:
    void init()
    {
        m_window = std::make_unique<WindowFixture>();
        QVERIFY(QDir().mkpath(listed("")));
        QVERIFY(QDir().mkpath(dropped("")));
        m_form = &m_window->open();
        m_listedAtStart = m_form->FileListFolder();
        list()->setFolder(listed(""));
    }
    void cleanup()
    {
        m_window.reset();
    }

    void startsInTheWorkFolder()
    {
        QCOMPARE(m_listedAtStart, QDir::cleanPath(WorkDir()));
        QCOMPARE(list()->mask(), QString("*.dic?"));
        QCOMPARE(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(m_form->TabSet2->isVisibleTo(m_form));
        QVERIFY(m_form->acceptDrops());
    }

    // Saving the session writes five files, each asking for a refresh: the
    // folder is read once, and the list is current after.
    void sessionSaveReadsTheFolderOnce()
    {
        QSignalSpy reads(list()->model(), &QAbstractItemModel::modelReset);
        writeBytes(listed("NOUVEAU.DICO"), "<A>=1");
        trigger("INI_SAVE");
        QCOMPARE(reads.count(), 1);
        QVERIFY(shown().contains("NOUVEAU.DICO"));
    }

    void refreshesWaitForTheBatchButNotANewFolder()
    {
        QVERIFY(QDir().mkpath(listed("sous")));
        writeBytes(listed("sous/B.DICO"), "x");
        {
            const FileListBox::RefreshBatch batch(*list());
            writeBytes(listed("A.DICO"), "x");
            list()->refresh();
            QVERIFY(!shown().contains("A.DICO"));
            // A new folder is listed at once, never the old entries under it.
            list()->setFolder(listed("sous"));
            QCOMPARE(shown(), QStringList{"B.DICO"});
            writeBytes(listed("sous/C.DICO"), "x");
            {
                const FileListBox::RefreshBatch inner(*list());
                list()->refresh();
            }
            QCOMPARE(shown(), QStringList{"B.DICO"});
        }
        QCOMPARE(shown(), (QStringList{"B.DICO", "C.DICO"}));
    }

    void maskFollowsTabsAndBox_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("at start") << -1 << "" << "*.dic?" << QStringList{"sub", "a.dico", "a.dicu"};
        QTest::newRow("box before any tab") << -1 << "a" << "a*.dico*" << QStringList{"sub", "a.dico"};
        QTest::newRow("DIC") << 0 << "" << "*.DIC*" << QStringList{"sub", "a.dico", "a.dicu"};
        QTest::newRow("SKR") << 1 << "" << "*.SKR*" << QStringList{"sub", "B.skrivo"};
        QTest::newRow("TXT and box") << 3 << "A" << "A*.TXT*" << QStringList{"sub", "ab.txt"};
        QTest::newRow("every extension") << 4 << "" << "*.**"
                                         << QStringList{"sub", "a.dico", "a.dicu", "ab.txt", "B.skrivo", "c.rtf"};
    }
    void maskFollowsTabsAndBox()
    {
        QFETCH(int, tab);
        QFETCH(QString, box);
        QFETCH(QString, mask);
        QFETCH(QStringList, names);
        populate({"a.dico", "a.dicu", "B.skrivo", "c.rtf", "ab.txt", "noext", "sub/"});
        if (tab == 0)
            m_form->SelectFileKindTab(1);
        if (tab >= 0)
            m_form->SelectFileKindTab(tab);
        if (!box.isEmpty())
            m_form->Edit_MASK->setText(box);
        QCOMPARE(list()->mask(), mask);
        QCOMPARE(shown(), names);
        QCOMPARE(m_form->TabSet2->isVisibleTo(m_form), tab <= 0);
    }

    void maskBoxDoubleClick_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("text");
        QTest::newRow("external") << 0 << "CORRESP";
        QTest::newRow("internal") << 1 << "MOI";
        QTest::newRow("fusion") << 2 << "PLX";
        QTest::newRow("sanvor") << 3 << "avant";
    }
    void maskBoxDoubleClick()
    {
        QFETCH(int, page);
        QFETCH(QString, text);
        m_form->ValueListEditor_EXT->SetPageLabel("CORRESP");
        m_form->ValueListEditor_INT->SetPageLabel("MOI");
        m_form->Edit_MASK->setText("avant");
        TForm1::selectPageQuietly(m_form->PageControl_DICOS, page);
        QTest::mouseDClick(m_form->Edit_MASK, Qt::LeftButton);
        QCOMPARE(m_form->Edit_MASK->text(), text);
        QCOMPARE(list()->mask(), text + "*.dico*");
    }

    void sideTabsChooseTheDictionaryPage()
    {
        m_form->TabSet2->setCurrentIndex(1);
        QCOMPARE(m_form->PageControl_DICOS->currentIndex(), 1);
        m_form->TabSet2->setCurrentIndex(0);
        QCOMPARE(m_form->PageControl_DICOS->currentIndex(), 0);
    }

    void foldersAndOutsidePrograms()
    {
        populate({"sub/", "sub/x.dico"});
        pick("sub");
        m_form->JvFileListBox1DblClick();
        QCOMPARE(m_form->FileListFolder(), QDir::cleanPath(listed("sub")));
        QCOMPARE(shown(), QStringList{"x.dico"});
        pick("x.dico");
        m_form->JvFileListBox1DblClick();
        trigger("mnu_FICHIER_Read");
        trigger("Explorer1");
        QCOMPARE(m_window->fakes.desktop.edited, (std::vector<QString>{listed("sub/x.dico"), listed("sub/x.dico")}));
        QCOMPARE(m_window->fakes.desktop.folders, std::vector<QString>{QDir::cleanPath(listed("sub"))});
        m_form->Button1->click();
        QCOMPARE(m_form->FileListFolder(), QDir::cleanPath(listed("")));
        QCOMPARE(shown(), QStringList{"sub"});
    }

    void clickOpensByKind()
    {
        populate({"corresp.dico"}, "<A>=1\r\n");
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(0)).center());
        QCOMPARE(labelOf("ValueListEditor_EXT"), QString("CORRESP"));
        QCOMPARE(m_form->ValueListEditor_EXT->lines().Lines(), QStringList{"<A>=1"});
    }

    void keysOfTheList()
    {
        populate({"a.dico", "b.dico"}, "<A>=1\r\n");
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        list()->setFocus();
        pick("a.dico");
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(labelOf("ValueListEditor_EXT"), QString("B"));
        writeBytes(listed("c.dico"), "x");
        QTest::keyClick(list(), Qt::Key_F5);
        QCOMPARE(shown(), (QStringList{"a.dico", "b.dico", "c.dico"}));
        pick("b.dico");
        QTest::keyClick(list(), Qt::Key_F2);
        QCOMPARE(dialogs().inputs.size(), size_t(1));
        QTest::keyClick(list(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(m_window->fakes.desktop.folders, std::vector<QString>{m_form->FileListFolder()});
        QTest::keyClick(list(), Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(dialogs().messages.size(), size_t(1));
        QCOMPARE(dialogs().messages[0].text, QString("Vous devez selectionner au moins 2 dicos pour pouvoir les Fusionner"));
        QVERIFY(dialogs().errors.empty());
    }

    void openingDictionaries_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("page");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("pageAfter");
        QTest::addColumn<QString>("extLabel");
        QTest::addColumn<QString>("intLabel");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("sanvorLines");
        QTest::addColumn<QString>("question");
        const QByteArray dico = "<A>=1\r\n";
        const QByteArray dicu = "<A>\r\n<B>\r\n";
        const QString universal = "Le Dictionnaire Universel actuel contient 3 entrées\r\n\r\n"
                                  "Le fichier chargé \"AUTRE\" en contient 2\r\n";
        const QString sanvor = "Le Dictionnaire Sanvor actuel contient 8 entrées\r\n\r\n"
                               "Le fichier chargé \"~SANVOR\" en contient 1\r\n";
        QTest::newRow("fusion page: external grid") << "corresp.dico" << dico << 2 << QList<bool>{} << 0 << "CORRESP"
                                                    << "Interne" << 3 << 8 << "";
        QTest::newRow("internal page: internal grid") << "corresp.dico" << dico << 1 << QList<bool>{} << 1 << "Externe"
                                                      << "CORRESP" << 3 << 8 << "";
        QTest::newRow("sanvor page: nothing") << "corresp.dico" << dico << 3 << QList<bool>{} << 3 << "Externe"
                                              << "Interne" << 3 << 8 << "";
        QTest::newRow("externe in the name") << "~externe.dico" << dico << 1 << QList<bool>{} << 0 << "~EXTERNE"
                                             << "Interne" << 3 << 8 << "";
        QTest::newRow("question list, cancel") << "autre.dicu" << dicu << 1 << QList<bool>{false} << 1 << "Externe"
                                               << "Interne" << 3 << 8 << universal;
        QTest::newRow("question list, ok") << "autre.dicu" << dicu << 1 << QList<bool>{true} << 0 << "Externe"
                                           << "Interne" << 2 << 8 << universal;
        QTest::newRow("sanvor, cancel") << "~sanvor.dico" << dico << 1 << QList<bool>{false} << 1 << "Externe"
                                        << "Interne" << 3 << 8 << sanvor;
        QTest::newRow("sanvor, ok") << "~sanvor.dico" << dico << 1 << QList<bool>{true} << 3 << "Externe"
                                    << "Interne" << 3 << 1 << sanvor;
    }
    void openingDictionaries()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(int, page);
        QFETCH(QList<bool>, answers);
        QFETCH(int, pageAfter);
        QFETCH(QString, extLabel);
        QFETCH(QString, intLabel);
        QFETCH(int, questions);
        QFETCH(int, sanvorLines);
        QFETCH(QString, question);
        populate({file}, content);
        dialogs().confirmAnswers.assign(answers.begin(), answers.end());
        TForm1::selectPageQuietly(m_form->PageControl_DICOS, page);
        pick(file);
        trigger("Chargerledictionnaire1");
        QCOMPARE(m_form->PageControl_DICOS->currentIndex(), pageAfter);
        QCOMPARE(labelOf("ValueListEditor_EXT"), extLabel);
        QCOMPARE(labelOf("ValueListEditor_INT"), intLabel);
        QCOMPARE(m_form->JvCheckListBox_QUESTION->Count(), questions);
        QCOMPARE(m_form->ValueListEditor_SANVOR->lines().Count(), sanvorLines);
        QCOMPARE(labelOf("ValueListEditor_SANVOR"), QString("Sanvor"));
        QCOMPARE(dialogs().confirms.size(), size_t(question.isEmpty() ? 0 : 1));
        QCOMPARE(dialogs().warningConfirms, dialogs().confirms); // replacing a pane warns
        if (!question.isEmpty())
            QVERIFY2(dialogs().confirms[0].startsWith(question), qPrintable(dialogs().confirms[0]));
        QVERIFY(dialogs().errors.empty());
    }

    void openingScripts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("startPage");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("pane");
        QTest::addColumn<bool>("rich");
        QTest::newRow("skrivo") << "lettre.skrivo" << QByteArray("Bonjour") << 2 << 0 << "SKRIVO_EXT" << false;
        QTest::newRow("interne in the name") << "~Interne.skrivo" << QByteArray("Bonjour") << 0 << 1 << "SKRIVO_INT" << false;
        QTest::newRow("txt") << "note.txt" << QByteArray("Bonjour") << 1 << 0 << "SKRIVO_EXT" << false;
        QTest::newRow("universal") << "u.skru" << QByteArray("Bonjour") << 0 << 2 << "SKRIVO_POLYX" << false;
        QTest::newRow("rich text") << "lettre.rtf" << QByteArray("{\\rtf1\\ansi Bonjour}") << 1 << 0 << "SKRIVO_EXT" << true;
        QTest::newRow("folder: nothing changes") << "sub.skrivo/" << QByteArray() << 1 << 1 << "" << false;
    }
    void openingScripts()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(int, startPage);
        QFETCH(int, page);
        QFETCH(QString, pane);
        QFETCH(bool, rich);
        m_form->SelectFileKindTab(4);
        populate({file}, content);
        for (ScriptPane* script : {m_form->SKRIVO_EXT, m_form->SKRIVO_INT, m_form->SKRIVO_POLYX})
            script->SetPlainText(false);
        TForm1::selectPageQuietly(m_form->PageControl_SCRIPTS, startPage);
        pick(file.chopped(file.endsWith(u'/') ? 1 : 0));
        m_form->JvFileListBox1Click();
        QCOMPARE(m_form->PageControl_SCRIPTS->currentIndex(), page);
        // Only the pane the script went into may change its mode.
        for (ScriptPane* script : {m_form->SKRIVO_EXT, m_form->SKRIVO_INT, m_form->SKRIVO_POLYX})
            QVERIFY2(script->PlainText() == (script->objectName() == pane && !rich), qPrintable(script->objectName()));
        if (!pane.isEmpty()) {
            auto* script = m_form->findChild<ScriptPane*>(pane);
            QCOMPARE(script->Text(), QString("Bonjour"));
            QCOMPARE(script->PageLabel(), FileLabel(file));
        }
    }

    // A click on a dictionary or a folder leaves a rich letter rich, and
    // its next save still writes its title's colour and its table.
    void clicksKeepARichLetterRich()
    {
        const QString letter = listed("Lettre.rtf");
        writeBytes(letter, "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}{\\cf1\\b Compte rendu}\\par"
                           "\\trowd\\cellx2000\\cellx4000 Glyc\\'e9mie\\cell 1,2\\cell\\row Fin\\par}");
        populate({"Dupont.Dico", "sous/"}, "<NOM>=\xa3[SG : nom]#\r\n");
        m_form->OpenFileByKind(letter);
        QVERIFY(!m_form->SKRIVO_EXT->PlainText());
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
        for (const QString& entry : {QString("Dupont.Dico"), QString("sous")}) {
            const int row = int(shown().indexOf(entry));
            QVERIFY2(row >= 0, qPrintable(entry));
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(row)).center());
            QCOMPARE(list()->currentRow(), row);
            QVERIFY2(!m_form->SKRIVO_EXT->PlainText(), qPrintable(entry));
        }
        QCOMPARE(labelOf("ValueListEditor_EXT"), QString("DUPONT"));
        QVERIFY2(m_form->SKRIVO_EXT->toHtml().contains("color:#ff0000"), qPrintable(m_form->SKRIVO_EXT->toHtml()));
        QVERIFY(m_form->SKRIVO_EXT->toHtml().contains("<table"));

        const QString copy = listed("COPIE.rtf");
        dialogs().saveAnswers.push_back(copy);
        trigger("SKR_EXT_SAVEAS");
        const QByteArray saved = readBytes(copy);
        QVERIFY2(saved.startsWith("{\\rtf1"), saved.constData());
        QVERIFY(saved.contains("\\red255\\green0\\blue0"));
        QVERIFY(saved.contains("\\trowd"));
        QVERIFY(dialogs().errors.empty());
    }

    void renaming_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("failure");
        QTest::newRow("proposal unchanged") << QStringList{"abc.dico"} << std::optional<QString>("ABC")
                                            << QStringList{"ABC.dico"} << "";
        QTest::newRow("existing target") << QStringList{"abc.dico", "XYZ.dico"} << std::optional<QString>("XYZ")
                                         << QStringList{"abc.dico", "XYZ.dico"} << "XYZ.dico";
        QTest::newRow("its own name") << QStringList{"abc.dico"} << std::optional<QString>("abc")
                                      << QStringList{"abc.dico"} << "";
        QTest::newRow("cancelled") << QStringList{"abc.dico"} << std::optional<QString>() << QStringList{"abc.dico"} << "";
        // No twin differing only in capitals, no nameless or foldered name.
        QTest::newRow("another file in other capitals") << QStringList{"abc.dico", "Xyz.dico"} << std::optional<QString>("XYZ")
                                                        << QStringList{"abc.dico", "Xyz.dico"} << "XYZ.dico";
        QTest::newRow("empty name") << QStringList{"abc.dico"} << std::optional<QString>("") << QStringList{"abc.dico"}
                                    << ".dico";
        QTest::newRow("a slash") << QStringList{"abc.dico"} << std::optional<QString>("x/abc") << QStringList{"abc.dico"}
                                 << "x/abc.dico";
    }
    void renaming()
    {
        QFETCH(QStringList, files);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QStringList, after);
        QFETCH(QString, failure);
        populate(files);
        pick("abc.dico");
        dialogs().inputAnswers.push_back(answer);
        trigger("Renommer1");
        QCOMPARE(dialogs().inputs.size(), size_t(1));
        QCOMPARE(dialogs().inputs[0].title, QString("Renommer le Fichier"));
        QCOMPARE(dialogs().inputs[0].prompt, QString("Nouveau Nom"));
        QCOMPARE(dialogs().inputs[0].value, QString("ABC"));
        QCOMPARE(shown(), after);
        QCOMPARE(QDir(listed("")).entryList({"*.dico"}, QDir::Files, QDir::Name | QDir::IgnoreCase), after);
        if (failure.isEmpty()) {
            QVERIFY(dialogs().messages.empty());
        } else {
            QCOMPARE(dialogs().messages.size(), size_t(1));
            QCOMPARE(dialogs().messages[0].text, "Erreur Ligne 1187 : Renommer le Fichier\r\n" + listed("abc.dico")
                                                     + "\r\nNewN=" + listed(failure));
        }
    }

    void deleteTakesTheFocusedEntryOnly()
    {
        populate({"a.dico", "b.dico", "c.dico"});
        list()->selectAll();
        list()->setCurrentRow(1, QItemSelectionModel::Select);
        trigger("Supprimer1");
        QCOMPARE(m_window->fakes.desktop.trashed, std::vector<QString>{listed("b.dico")});
        QCOMPARE(shown(), (QStringList{"a.dico", "c.dico"}));
    }

    // Listed although Qt's own listing passes over it; a click says to
    // rename it, and the rename (by its bytes) makes it a file like others.
    void nameThatIsNotUtf8()
    {
        writeNativeBytes(listed(""), "caf\xe9.dico", "<A>=1\r\n");
        populate({"b.dico"}, "<B>=2\r\n");
        const QString entry = QString::fromUtf8("café.dico (codage non valide)");
        QCOMPARE(shown(), (QStringList{"b.dico", entry}));
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
        const QRect rect = list()->visualItemRect(list()->item(1));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(dialogs().errors,
                 std::vector<QString>{QString::fromUtf8("Le nom du fichier \"café.dico\" n'est pas écrit en UTF-8 (il vient "
                                                        "sans doute d'un autre système) : Polyx'X ne peut pas l'ouvrir sous ce "
                                                        "nom.\r\n\r\nRenommez-le (F2) pour pouvoir l'ouvrir.")});
        QCOMPARE(labelOf("ValueListEditor_EXT"), QString("Externe"));

        dialogs().inputAnswers.push_back(QString("CAFE"));
        trigger("Renommer1");
        QCOMPARE(dialogs().inputs.size(), size_t(1));
        QCOMPARE(dialogs().inputs[0].value, QString::fromUtf8("CAFé"));
        QCOMPARE(shown(), (QStringList{"b.dico", "CAFE.dico"}));
        QCOMPARE(readBytes(listed("CAFE.dico")), QByteArray("<A>=1\r\n"));
        pick("CAFE.dico");
        m_form->JvFileListBox1Click();
        QCOMPARE(labelOf("ValueListEditor_EXT"), QString("CAFE"));
        QCOMPARE(dialogs().errors.size(), size_t(1));
        QVERIFY(dialogs().messages.empty());
    }

    // Renaming such a name onto a file that exists refuses, as for others.
    void nameThatIsNotUtf8NeverReplacesAFile()
    {
        writeNativeBytes(listed(""), "caf\xe9.dico", "latin-1");
        populate({"café.dico"}, "utf-8");
        pick(QString::fromUtf8("café.dico (codage non valide)"));
        dialogs().inputAnswers.push_back(QString::fromUtf8("café"));
        trigger("Renommer1");
        QCOMPARE(dialogs().messages.size(), size_t(1));
        QVERIFY(dialogs().messages[0].text.startsWith("Erreur Ligne 1187 : Renommer le Fichier\r\n"));
        QCOMPARE(readBytes(listed("café.dico")), QByteArray("utf-8"));
        QCOMPARE(readNativeBytes(listed(""), "caf\xe9.dico"), QByteArray("latin-1"));
        removeNative(listed(""), "caf\xe9.dico");
    }

    void refusedDeleteSaysWhy()
    {
        populate({"a.dico"});
        m_window->fakes.desktop.trashSucceeds = false;
        pick("a.dico");
        trigger("Supprimer1");
        QCOMPARE(dialogs().errors, std::vector<QString>{"Impossible de mettre \"" + listed("a.dico") + "\" à la corbeille."});
        QVERIFY(QFile::exists(listed("a.dico")));
        QCOMPARE(shown(), QStringList{"a.dico"});
    }

    void drops_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("tabBefore");
        QTest::addColumn<int>("tabAfter");
        QTest::addColumn<int>("confirms");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("copied");
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("label");
        const QByteArray dico = "<A>=1\r\n";
        const QString loading = "Vous êtes sur le point de charger un nouveau ";
        QTest::newRow("dictionary") << "corresp.dico" << dico << QList<bool>{true} << 1 << 0 << 1
                                    << loading + "DICTIONNAIRE...\r\n\r\nCORRESP.DICO" << true << "ValueListEditor_EXT"
                                    << "CORRESP";
        QTest::newRow("script") << "lettre.skrivo" << QByteArray("Bonjour") << QList<bool>{true} << 0 << 1 << 1
                                << loading + "SCRIPT/INCIDENCE...\r\n\r\nLETTRE.SKRIVO" << true << "SKRIVO_EXT" << "LETTRE";
        QTest::newRow("letter keeps the tab") << "note.txt" << QByteArray("Bonjour") << QList<bool>{true} << 1 << 1 << 1
                                              << loading + "COURRIER/DOCUMENT...\r\n\r\nNOTE.TXT" << true << "SKRIVO_EXT"
                                              << "NOTE";
        QTest::newRow("question list, second cancel") << "liste.dicu" << QByteArray("<A>\r\n") << QList<bool>{true, false}
                                                      << 1 << 0 << 2 << loading + "DICTIONNAIRE...\r\n\r\nLISTE.DICU"
                                                      << true << "" << "";
        QTest::newRow("cancelled") << "corresp.dico" << dico << QList<bool>{false} << 1 << 0 << 1
                                   << loading + "DICTIONNAIRE...\r\n\r\nCORRESP.DICO" << false << "" << "";
    }
    void drops()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QList<bool>, answers);
        QFETCH(int, tabBefore);
        QFETCH(int, tabAfter);
        QFETCH(int, confirms);
        QFETCH(QString, question);
        QFETCH(bool, copied);
        QFETCH(QString, pane);
        QFETCH(QString, label);
        writeBytes(dropped(file), content);
        m_form->SelectFileKindTab(tabBefore);
        dialogs().confirmAnswers.assign(answers.begin(), answers.end());
        m_form->JvDragDrop1Drop({dropped(file), dropped("ignored.dico")});
        QCOMPARE(m_form->TabSet1->currentIndex(), tabAfter);
        QCOMPARE(dialogs().confirms.size(), size_t(confirms));
        QCOMPARE(dialogs().confirms[0], question);
        const QString copy = listed(file.toUpper());
        QCOMPARE(QFile::exists(copy), copied);
        if (copied)
            QCOMPARE(readBytes(copy), content);
        QVERIFY(!QFile::exists(listed(file)));
        if (pane.isEmpty()) {
            QCOMPARE(m_form->JvCheckListBox_QUESTION->Count(), 3);
            QCOMPARE(labelOf("ValueListEditor_EXT"), QString("Externe"));
        } else {
            QCOMPARE(labelOf(pane), label);
        }
        QVERIFY(dialogs().messages.empty());
        QVERIFY(dialogs().errors.empty());
    }

    void refusedDrop()
    {
        writeBytes(dropped("Compte rendu.pdf"), "%PDF");
        m_form->SelectFileKindTab(1);
        m_form->JvDragDrop1Drop({dropped("Compte rendu.pdf")});
        QCOMPARE(dialogs().messages.size(), size_t(1));
        QCOMPARE(dialogs().messages[0].kind, platform::BoxKind::Warning);
        QVERIFY(dialogs().messages[0].text.startsWith("COMPTE RENDU.PDF\r\n\r\nCE TYPE DE FICHIER N'EST PAS PRIS EN CHARGE: .PDF"));
        QVERIFY(dialogs().confirms.empty());
        QCOMPARE(m_form->TabSet1->currentIndex(), 1);
        QCOMPARE(QDir(listed("")).entryList(QDir::Files), QStringList{});
    }

    void dropAsksBeforeReplacingAnotherFile_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("kept") << false;
        QTest::newRow("replaced") << true;
    }
    void dropAsksBeforeReplacingAnotherFile()
    {
        QFETCH(bool, replace);
        writeBytes(listed("~INTERNE.DICO"), "<MOI>=mien\r\n");
        writeBytes(dropped("~interne.dico"), "<LUI>=sien\r\n");
        dialogs().confirmAnswers = {true, replace};
        m_form->JvDragDrop1Drop({dropped("~interne.dico")});
        QCOMPARE(dialogs().confirms.size(), size_t(2));
        QVERIFY2(dialogs().confirms[1].startsWith("Le fichier \"~INTERNE.DICO\" existe déjà"), qPrintable(dialogs().confirms[1]));
        QCOMPARE(readBytes(listed("~INTERNE.DICO")), QByteArray(replace ? "<LUI>=sien\r\n" : "<MOI>=mien\r\n"));
        // The dropped file is opened either way.
        QCOMPARE(m_form->ValueListEditor_INT->lines().Lines(), QStringList{"<LUI>=sien"});
    }

    void dropFromTheListedFolderItself()
    {
        writeBytes(listed("CORRESP.DICO"), "<A>=1\r\n");
        dialogs().confirmAnswers = {true};
        m_form->JvDragDrop1Drop({listed("CORRESP.DICO")});
        QCOMPARE(dialogs().confirms.size(), size_t(1));
        QCOMPARE(readBytes(listed("CORRESP.DICO")), QByteArray("<A>=1\r\n"));
        QCOMPARE(labelOf("ValueListEditor_EXT"), QString("CORRESP"));
    }

    void failedDropCopyIsShownAndTheFileStillOpens()
    {
        writeBytes(dropped("corresp.dico"), "<A>=1\r\n");
        QVERIFY(QDir().mkpath(listed("CORRESP.DICO")));
        dialogs().confirmAnswers = {true, true};
        m_form->JvDragDrop1Drop({dropped("corresp.dico")});
        QCOMPARE(dialogs().messages.size(), size_t(1));
        const QString text = dialogs().messages[0].text;
        QVERIFY2(text.startsWith("Impossible de créer le fichier"), qPrintable(text));
        QVERIFY(text.endsWith("\r\n\r\nJvDragDrop1Drop#1732\r\n" + dropped("corresp.dico") + "\r\n" + listed("CORRESP.DICO")));
        QCOMPARE(labelOf("ValueListEditor_EXT"), QString("CORRESP"));
    }

    void droppedFilesReachTheWindowFromAnyWidget()
    {
        writeBytes(dropped("corresp.dico"), "<A>=1\r\n");
        writeBytes(dropped("autre.dico"), "<B>=2\r\n");
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
        QWidget* target = m_form->SKRIVO_EXT->viewport();
        const QString before = m_form->SKRIVO_EXT->Text();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(dropped("corresp.dico")), QUrl::fromLocalFile(dropped("autre.dico"))});
        mime.setText(QUrl::fromLocalFile(dropped("corresp.dico")).toString());
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
        enter.setDropAction(Qt::MoveAction);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(enter.dropAction(), Qt::CopyAction);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
        drop.setDropAction(Qt::MoveAction);
        dialogs().confirmAnswers = {true};
        QApplication::sendEvent(target, &drop);
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QTRY_COMPARE(dialogs().confirms.size(), size_t(1));
        QVERIFY(dialogs().confirms[0].endsWith("CORRESP.DICO"));
        QCOMPARE(m_form->SKRIVO_EXT->Text(), before);
        QCOMPARE(labelOf("ValueListEditor_EXT"), QString("CORRESP"));
        QVERIFY(QFile::exists(listed("CORRESP.DICO")));
        QVERIFY(!QFile::exists(listed("AUTRE.DICO")));
    }

    // As the desktop delivers them: enter, moves and drop on the native
    // window, which picks the widget under the pointer.
    void dropsOverAnyWidgetReachTheWindow_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::newRow("script editor") << "SKRIVO_EXT";
        QTest::newRow("mask box") << "Edit_MASK";
        QTest::newRow("dictionary grid") << "ValueListEditor_EXT";
        QTest::newRow("file list") << "JvFileListBox1";
        QTest::newRow("cell editor opened later") << "";
    }
    void dropsOverAnyWidgetReachTheWindow()
    {
        QFETCH(QString, widget);
        writeBytes(dropped("corresp.dico"), "<A>=1\r\n");
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
        QWidget* over = nullptr;
        if (widget.isEmpty()) {
            DictionaryPane* grid = m_form->ValueListEditor_EXT;
            grid->edit(grid->model().index(0, 1));
            over = grid->findChild<QLineEdit*>();
        } else {
            over = m_form->findChild<QWidget*>(widget);
        }
        QVERIFY(over);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(over))
            over = area->viewport();
        const QString scriptBefore = m_form->SKRIVO_EXT->Text();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(dropped("corresp.dico"))});
        mime.setText(QUrl::fromLocalFile(dropped("corresp.dico")).toString());
        QWindow* window = m_form->windowHandle();
        const QPoint at = window->mapFromGlobal(over->mapToGlobal(over->rect().center()));
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(window, &enter);
        QVERIFY(enter.isAccepted());
        // The desktop's move comes accepted with the action the enter chose.
        QDragMoveEvent move(at + QPoint(1, 1), actions, &mime, Qt::LeftButton, {});
        move.setDropAction(enter.dropAction());
        move.accept();
        QApplication::sendEvent(window, &move);
        QVERIFY(move.isAccepted());
        QCOMPARE(move.dropAction(), Qt::CopyAction);
        QDropEvent drop(at + QPoint(1, 1), actions, &mime, Qt::LeftButton, {});
        drop.setDropAction(move.dropAction());
        dialogs().confirmAnswers = {true};
        QApplication::sendEvent(window, &drop);
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QTRY_COMPARE(dialogs().confirms.size(), size_t(1));
        QCOMPARE(labelOf("ValueListEditor_EXT"), QString("CORRESP"));
        QCOMPARE(m_form->SKRIVO_EXT->Text(), scriptBefore);
        QCOMPARE(m_form->Edit_MASK->text(), QString());
    }

    void backup_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("blocked");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("tail");
        QTest::newRow("only sub-folders") << QStringList{} << QStringList{} << 0 << "";
        QTest::newRow("hidden files too") << QStringList{"a.dico", ".b"} << QStringList{} << 2 << "";
        QTest::newRow("a failing copy is named") << QStringList{"a.dico", "b.txt"} << QStringList{"b.txt"} << 1
                                                 << "\r\n\r\n1 Fichier(s) NON sauvegardé(s) :\r\nb.txt : Impossible de "
                                                    "créer le fichier \"%SAUVE%b.txt\". Accès refusé";
    }
    void backup()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, blocked);
        QFETCH(int, count);
        QFETCH(QString, tail);
        for (const QString& name : files)
            writeBytes(WorkDir() + name, name.toUtf8());
        for (const QString& name : blocked)
            QVERIFY(QDir().mkpath(BackupDir() + name));
        dialogs().confirmAnswers = {true};
        m_form->action("BACKUP")->trigger();
        QCOMPARE(dialogs().confirms,
                 std::vector<QString>{"Sauvegarder l'ensemble des Fichiers de Travail dans un dossier de Sauvegarde ?"});
        QCOMPARE(dialogs().messages.size(), size_t(1));
        QCOMPARE(dialogs().messages[0].text, QString::number(count) + " Fichiers Sauvegardés \r\n\r\nDans : " + DIR.sauve
                                                 + QString(tail).replace("%SAUVE%", BackupDir()));
        QCOMPARE(DIR.sauve, BackupDir());
        for (const QString& name : files)
            if (!blocked.contains(name))
                QCOMPARE(readBytes(BackupDir() + name), name.toUtf8());
        QCOMPARE(m_window->fakes.cursor.pushes, 1);
        QCOMPARE(m_window->fakes.cursor.depth(), 0);
        QVERIFY(dialogs().errors.empty());
    }

    // A name made on another system is backed up under its own bytes.
    void backupTakesNamesThatAreNotUtf8()
    {
        writeNativeBytes(WorkDir(), "caf\xe9.dico", "<NOM>=Caf\xe9\r\n");
        writeBytes(WorkDir() + "a.dico", "a");
        dialogs().confirmAnswers = {true};
        m_form->action("BACKUP")->trigger();
        QCOMPARE(dialogs().messages.size(), size_t(1));
        QCOMPARE(dialogs().messages[0].text, "2 Fichiers Sauvegardés \r\n\r\nDans : " + DIR.sauve);
        QCOMPARE(readNativeBytes(BackupDir(), "caf\xe9.dico"), QByteArray("<NOM>=Caf\xe9\r\n"));
        QCOMPARE(readBytes(BackupDir() + "a.dico"), QByteArray("a"));
        QVERIFY(dialogs().errors.empty());
        removeNative(WorkDir(), "caf\xe9.dico");
        removeNative(BackupDir(), "caf\xe9.dico");
    }

    void backupTwiceKeepsTheNewerCopy()
    {
        writeBytes(WorkDir() + "a.dico", "v1");
        dialogs().confirmAnswers = {true, true};
        m_form->action("BACKUP")->trigger();
        writeBytes(WorkDir() + "a.dico", "v2");
        m_form->action("BACKUP")->trigger();
        QCOMPARE(QDir(BackupDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"a.dico"});
        QCOMPARE(readBytes(BackupDir() + "a.dico"), QByteArray("v2"));
        QCOMPARE(dialogs().messages[1].text, "1 Fichiers Sauvegardés \r\n\r\nDans : " + BackupDir());
    }

    void backupCancelled()
    {
        writeBytes(WorkDir() + "a.dico", "v1");
        m_form->action("BACKUP")->trigger();
        QVERIFY(!QFileInfo::exists(BackupDir()));
        QVERIFY(dialogs().messages.empty());
    }

    void joinWritesIntoTheListedFolder()
    {
        writeBytes(listed("a.dico"), "<_AUTEUR>=DUPONT\r\n<_TITRE>=Lettres\r\n<AGE>=age\r\n<NOM>=nom\r\n");
        writeBytes(listed("b.dico"), "<_AUTEUR>=MARTIN\r\n<NOM>=nom\r\n<PRENOM>=\xE9\r\n");
        trigger("RAffraichir1");
        dialogs().confirmAnswers = {true};
        dialogs().saveAnswers = {m_window->folder.filePath("drops/dupont.dico")};
        trigger("Regrouperlesdictionnaires1");
        QCOMPARE(dialogs().confirms.size(), size_t(1));
        QVERIFY(dialogs().confirms[0].startsWith("Vous allez regrouper : \r\n\r\n2  Dictionnaires ?"));
        QCOMPARE(dialogs().saveRequests.size(), size_t(1));
        const platform::FileDialogRequest& request = dialogs().saveRequests[0];
        QCOMPARE(request.title, QString("DONNEZ UN NOM A CE GROUPEMENT DE DICTIONNAIRES"));
        QCOMPARE(request.fileName, QString("_GLOBAL"));
        QCOMPARE(request.initialDir, m_form->FileListFolder());
        QCOMPARE(request.filter, QString("DICO|*.DICO"));
        QCOMPARE(request.defaultExt, QString("DICO"));
        QVERIFY(!request.confirmReplace);
        // Written into the listed folder whatever the dialog shows.
        QVERIFY(!request.existingFolderOnly);
        QCOMPARE(readBytes(listed("_DUPONT.DICO")), QByteArray("<_AUTEUR>=MARTIN\r\n<_CODE>=0\r\n<_TITRE>=G L O B A L\r\n"
                                                              "<AGE>=age\r\n<NOM>=nom\r\n<PRENOM>=\xE9\r\n"));
        QVERIFY(!QFile::exists(m_window->folder.filePath("drops/_DUPONT.DICO")));
        QCOMPARE(m_form->Edit_MASK->text(), QString("_"));
        QCOMPARE(shown(), QStringList{"_DUPONT.DICO"});
        QVERIFY(dialogs().errors.empty());
    }

    void joinKeepsWhatTheCodePageCannotHold()
    {
        writeBytes(listed("a.dico"), "\xEF\xBB\xBF<OMEGA>=\xCE\xA9\r\n");
        writeBytes(listed("b.dico"), "<AGE>=age\r\n");
        trigger("RAffraichir1");
        dialogs().confirmAnswers = {true};
        dialogs().saveAnswers = {listed("_GREC.DICO")};
        trigger("Regrouperlesdictionnaires1");
        QCOMPARE(readBytes(listed("_GREC.DICO")),
                 QByteArray("\xEF\xBB\xBF\r\n<_CODE>=0\r\n<_TITRE>=G L O B A L\r\n<AGE>=age\r\n<OMEGA>=\xCE\xA9\r\n"));
    }

    void joinAsksBeforeReplacing_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("kept") << false;
        QTest::newRow("replaced") << true;
    }
    void joinAsksBeforeReplacing()
    {
        QFETCH(bool, replace);
        populate({"a.dico", "b.dico", "_GLOBAL.DICO"}, "<A>=1\r\n");
        writeBytes(listed("_GLOBAL.DICO"), "old");
        list()->item(int(shown().indexOf("a.dico")))->setSelected(true);
        list()->item(int(shown().indexOf("b.dico")))->setSelected(true);
        dialogs().confirmAnswers = {true, replace};
        dialogs().saveAnswers = {listed("_global.dico")};
        trigger("Regrouperlesdictionnaires1");
        QCOMPARE(dialogs().confirms.size(), size_t(2));
        QCOMPARE(dialogs().confirms[1], "Le fichier \"" + listed("_GLOBAL.DICO")
                                            + "\" existe déjà.\r\n\r\nLe remplacer par ce regroupement de dictionnaires ?");
        QCOMPARE(readBytes(listed("_GLOBAL.DICO")),
                 replace ? QByteArray("\r\n<_CODE>=0\r\n<_TITRE>=G L O B A L\r\n<A>=1\r\n") : QByteArray("old"));
    }

    void joinNeedsTwoDictionaries()
    {
        populate({"a.dico", "b.dico"});
        pick("a.dico");
        trigger("Regrouperlesdictionnaires1");
        QCOMPARE(dialogs().messages.size(), size_t(1));
        QCOMPARE(dialogs().messages[0].kind, platform::BoxKind::Information);
        QCOMPARE(dialogs().messages[0].text, QString("Vous devez selectionner au moins 2 dicos pour pouvoir les Fusionner"));
        QVERIFY(dialogs().confirms.empty());
    }

    void joinOfAnEmptyList()
    {
        dialogs().confirmAnswers = {true};
        dialogs().saveAnswers = {listed("_GLOBAL.DICO")};
        trigger("Regrouperlesdictionnaires1");
        QCOMPARE(dialogs().confirms.size(), size_t(1));
        QVERIFY(dialogs().confirms[0].startsWith("Vous allez regrouper : \r\n\r\n0  Dictionnaires ?\r\n\r\n" + kStars80));
        QCOMPARE(readBytes(listed("_GLOBAL.DICO")), QByteArray("\r\n<_CODE>=0\r\n<_TITRE>=G L O B A L\r\n"));
    }

    // Folders, the backup folder among them, are never taken into a join.
    void joinLeavesFoldersOut_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::newRow("no selection") << QStringList{};
        QTest::newRow("a folder selected too") << QStringList{"SAUVE", "a.dico", "b.dico"};
    }
    void joinLeavesFoldersOut()
    {
        QFETCH(QStringList, selected);
        populate({"SAUVE/", "a.dico", "b.dico"}, "<A>=1\r\n");
        for (const QString& name : selected)
            list()->item(int(shown().indexOf(name)))->setSelected(true);
        dialogs().confirmAnswers = {true};
        dialogs().saveAnswers = {listed("_GLOBAL.DICO")};
        trigger("Regrouperlesdictionnaires1");
        QVERIFY(dialogs().errors.empty());
        QVERIFY(dialogs().confirms[0].startsWith("Vous allez regrouper : \r\n\r\n2  Dictionnaires ?"));
        QCOMPARE(readBytes(listed("_GLOBAL.DICO")), QByteArray("\r\n<_CODE>=0\r\n<_TITRE>=G L O B A L\r\n<A>=1\r\n"));
    }

    // One key given two values keeps the first; the user is told which keys,
    // and the joined dictionary then opens.
    void joinKeepsOneValuePerKey()
    {
        writeBytes(listed("a.dico"), "<NOM>=[nom]\r\n<AGE>=[age]\r\n");
        writeBytes(listed("b.dico"), "<nom>=[NOM2]\r\n<AGE>=[age]\r\n");
        trigger("RAffraichir1");
        dialogs().confirmAnswers = {true};
        dialogs().saveAnswers = {listed("_GLOBAL.DICO")};
        trigger("Regrouperlesdictionnaires1");
        QCOMPARE(dialogs().messages.size(), size_t(1));
        QCOMPARE(dialogs().messages[0].kind, platform::BoxKind::Information);
        QCOMPARE(dialogs().messages[0].text,
                 QString("Ces clés avaient plusieurs valeurs ; seule la première a été gardée :\r\n<NOM>"));
        QVERIFY(QFile::exists(listed("_GLOBAL.DICO")));
        pick("_GLOBAL.DICO");
        trigger("Chargerledictionnaire1");
        QVERIFY(dialogs().errors.empty());
        QCOMPARE(m_form->ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("[nom]"));
    }

    // Whatever opened it, a refused dictionary file is named.
    void refusedDictionaryIsNamed()
    {
        populate({"double.dico"}, "<A>=1\r\n<a>=2\r\n");
        pick("double.dico");
        trigger("Chargerledictionnaire1");
        QCOMPARE(dialogs().errors,
                 std::vector<QString>{"Fichier \"" + listed("double.dico") + "\" :\r\nUne clé nommée \"<a>\" existe déjà"});
    }

    // Only a script opened into a pane sets that pane's mode; the "Texte
    // Brut" ticks follow.
    void openingByKindMovesTheTicks_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("externalTicked");
        QTest::newRow("a dictionary") << "a.dico" << false;
        QTest::newRow("a folder") << "sub" << false;
        QTest::newRow("a letter in rich text") << "lettre.rtf" << false;
        QTest::newRow("a plain script") << "lettre.skrivo" << true;
    }
    void openingByKindMovesTheTicks()
    {
        QFETCH(QString, file);
        QFETCH(bool, externalTicked);
        writeBytes(listed("a.dico"), "<A>=1\r\n");
        writeBytes(listed("lettre.rtf"), "{\\rtf1 Bonjour}");
        writeBytes(listed("lettre.skrivo"), "Bonjour");
        QVERIFY(QDir().mkpath(listed("sub")));
        QAction* external = m_form->findChild<QAction*>("SKR_EXT_PLAIN");
        QAction* internal = m_form->findChild<QAction*>("check_TexteBrut1");
        external->trigger();
        internal->trigger();
        QVERIFY(!m_form->SKRIVO_EXT->PlainText());
        QVERIFY(!internal->isChecked());
        m_form->OpenFileByKind(listed(file));
        QVERIFY(dialogs().errors.empty());
        QCOMPARE(m_form->SKRIVO_EXT->PlainText(), externalTicked);
        QCOMPARE(external->isChecked(), externalTicked);
        QVERIFY(!m_form->SKRIVO_INT->PlainText());
        QVERIFY(!internal->isChecked());
        // And the switch goes on working from the tick it shows.
        external->trigger();
        QCOMPARE(m_form->SKRIVO_EXT->PlainText(), !externalTicked);
    }
};

QTEST_MAIN(FilePanelTest)
#include "tst_file_panel.moc"
