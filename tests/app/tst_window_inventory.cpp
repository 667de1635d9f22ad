// The built window against the inventory of its commands, menus, pop-ups and
// tool bars, written out here independently of the tables that build it.
#include "tests/support/WorkFolder.h"

#include "app/Unit1.h"
#include "platform/testing/FakeServices.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

// name \t category \t caption \t tool tip \t shortcut
const char* const kActions = R"(INI_SAVE	INI	Enregistrer la configuration	Enregistrer la configuration	
INI_GET	INI	Restaurer la configuration	Restaurer la configuration	
DICO_EXT_SAVE	DICO	Sauver	Sauver DICO EXT	
DICO_EXT_SAVEAS	DICO	Sauver sous...	Enregistrer le DICO EXT sous ...	Ctrl+S
DICO_EXT_LOAD	DICO	Recharger	Recharger EXT	
DICO_EXT_CLEAR	DICO	Purger	Purger	
DICO_EXT_EDIT	DICO	Editer	Editer	
DICO_EXT_AddClesUNIV	DICO	Ajoute les clés universelles vers le dico externe	AJoute les cless universelles vers le dico externe	
DICO_INT_SAVE	DICO	Sauver	Sauver	
DICO_INT_SAVEAS	DICO	Sauver sous ...	Enregistrer le DICO INT sous ...	
DICO_INT_LOAD	DICO	Charger	Charger	
DICO_INT_CLEAR	DICO	Purger	Purger	
DICO_FUSION_CREATE	DICO	Générer	Générer	
DICO_FUSION_SAVE	DICO	Sauve		
DICO_FUSION_SAVESA	DICO	Sauver sous...	Enregistrer le DICO de FUSION sous ...	
DICO_FUSION_LOAD	DICO	Recharger	Recharger	
DICO_SAN_LOAD	DICO	Charger	Charger	
DICO_SAN_SAVE	DICO	Sauver	Sauver	
DICO_QUESTIONS_LOAD	DICO	Recharger	Recharger QUESTIONS	
DICO_QUESTIONS_SAVE	DICO	Sauver	Sauver Questions	
DICO_QUESTIONS_REBUILD	DICO	Régénérer le dictionnaire Universel	Reconstituer les Questions Universelles à partir de ce dictionnaire	
DICO_COMPRESS	DICO	Compresser les dictionnaires	Mettre à jour et Compresser les listes	
DICO_COMPRESS_CONFIRM	DICO	Compresser tous les dictionnaires ?	Mettre à jour et Compresser les listes	
DICOS_JOIN	DICO	Regrouper les dictionnaires		
DICO_CHECK	DICO	Vérifier les dictionnaires	Vérifier les dictionnaires	
DICO_EXT_SUGGEST	DICO	Reconnaître les codes du script...	Propose une clé universelle pour chaque code du script externe que le dictionnaire externe ne connaît pas	
SKR_EXT_Open	SKRIVO	Ouvrir	Ouvrir	
SKR_EXT_LOAD	SKRIVO	Recharger	Recharger	
SKR_EXT_SAVEAS	SKRIVO	Sauver sous ...	Sauvegarder le SCRIPT Externe sous ...	
SKR_EXT_CLEAR	SKRIVO	Purger	Purger	
SKR_EXT_PASTE	SKRIVO	Coller	Coller	
SKR_EXT_L1	SKRIVO	Ecrire la Ligne 1	Ecrire la Ligne 1 (EXT)	
SKR_INT_OPEN	SKRIVO	Ouvrir	Ouvrir SKR INT	
SKR_INT_LOAD	SKRIVO	Recharger	Recharger	
SKR_INT_SAVEAS	SKRIVO	Sauver sous ...	Sauvegarder le SCRIPT Interne sous ...	
SKR_INT_CLEAR	SKRIVO	Purger	Purger	
SKR_INT_COPY	SKRIVO	Copier	Copier	
SKR_INT_L1	SKRIVO	Ecrire la ligne 1	INT: Ecrire la ligne 1	
SKR_UNI_OPEN	SKRIVO	Ouvrir	Ouvrir	
SKR_UNI_LOAD	SKRIVO	Recharger		
SKR_UNI_SAVEAS	SKRIVO	Sauver sous ...	Enregistrer de Script UNIVERSEL sous ...	
SKR_UNI_CLEAR	SKRIVO	Purger	Purger	
SKR_UNI_L1	SKRIVO	Ecrire la ligne 1	Ecrire la ligne 1 (UNIVERSEL)	
SKR_COMMENT	SKRIVO	Commenter /* ... */		
FUSION_EXT_INT	FUSION	Traduction du Script Externe	Traduction du Script Externe	
FUSION_POLYX	FUSION	Traduction en langage universel	Traduction en langage universel	
FUSION_BATCH	FUSION	Traduire un lot de scripts...	Traduit tous les scripts choisis avec les dictionnaires actuels	
FUSION_REPORT	FUSION	Rapport de la traduction	Ce qui a été remplacé, et ce qui ne l'a pas été	F9
BACKUP	OUTILS	Créer une sauvegarde de tous les Fichiers	Sauvegarde de tous les Fichiers	
FichierFileExit1	Fichier	&Quitter	Quitter	Ctrl+Q
EditionEditCopy1	Edition	C&opier	Copier	Ctrl+C
EditionEditPaste1	Edition	Co&ller	Coller	Ctrl+V)";

// menu object name: item captions in order ("-" a separator, ">" a sub-menu)
const char* const kMenus = R"(mnu_Fichier	&Quitter
mnu_Afficher	Toujours en avant
mnu_DICO	Compresser tous les dictionnaires ?|Vérifier les dictionnaires|Reconnaître les codes du script...|-|>Questions|>Externe|>Interne|>Fusion|>Sanvor
mnu_DICO_Questions	Sauver|Recharger|-|Régénérer le dictionnaire Universel
mnu_DICO_Externe	Sauver|Sauver sous...|Recharger|Editer|Purger|-|Ajoute les clés universelles vers le dico externe
mnu_DICO_Interne	Sauver|Sauver sous ...|Charger|Purger
mnu_DICO_Fusion	Sauve|Sauver sous...|Recharger
mnu_DICO_Sanvor	Charger|Sauver
mnu_SKRIVO	Ouvrir Skrivo|-|>Externe|>Interne|>Universel
mnu_SKRIVO_Externe	Sauver sous ...|Recharger|Ouvrir|Purger|Ecrire la Ligne 1
mnu_SKRIVO_Interne	Sauver sous ...|Recharger|Ouvrir|Purger|-|Ecrire la ligne 1
mnu_SKRIVO_Universel	Sauver sous ...|Recharger|Ouvrir|Purger|-|Ecrire la ligne 1
mnu_Traductions	Traduction du Script Externe|Traduction en langage universel|Traduire un lot de scripts...|-|Rapport de la traduction|Surligner les codes
mnu_Outils	Restaurer la configuration|Enregistrer la configuration|-|Créer une sauvegarde de tous les Fichiers|-|>DEBUG
mnu_OUTILS_DEBUG	Editer la configuration
mnu_Aide	Aide de Polyx'X|Premiers pas : ouvrir l'exemple|-|Révisions|À propos de Polyx'X)";

// pop-up: control: items (caption, with the item's name after "#" where it has one)
const char* const kPopups = R"(Pop_QUESTIONS	JvCheckListBox_QUESTION	Ajouter#mnu_QUESTION_ADD|Modifier#mnu_QUESTIOn_edit|Supprimer#mnu_QUESTION_DEL|Purger la liste#Purger1|-|Trier#Rier2|Recharger#Recharger4|Sauver#Sauver3|-|Ajouter toute les clés#Complterleslistes1|Ajouter uniquement  la sélection (double clic)#Ajouterlaslection1|Séléctionner tout#Ajoutertout1|-|Régénérer le dictionnaire Universel#DICOQUESTIONSREBUILD1|-|Copie le code séléctionné dans le SCRIPT Universel#PlacerdanslescritpUniversel1|-|Propriétés#mnuQuestions_PROP
Pop_MemoQuestions	Memo_QUESTIONS	Ouvrir (Double Clic)#Ouvrir1
Pop_DICext	ValueListEditor_EXT	Ajouter#MenuItem1|Supprimer#MenuItem2|Purger la liste#Purgerlaliste1|Restaurer la configuration|-|Trier par Clé#Rier1|Trier par Valeur#rierparValeur1|-|Sauver sous...|Recharger|-|Reconnaître les codes du script...|Régénérer le dictionnaire Universel|Compresser tous les dictionnaires ?
Pop_DIint	ValueListEditor_INT	Ajouter#mnu_IN_ADD|Supprimer#mnu_IN_DEL|Purger#Purgerlaliste2|Restaurer la configuration|-|Trier par Clé#RierparCl1|Trier par Valeur#RierparValeur2|-|Sauver sous ...|-|Compresser tous les dictionnaires ?
Pop_FUSION	ValueListEditor_FUSION	Trier par Clé#MenuItem8|Trier par Valeur#MenuItem9|-|Recharger|Générer|Sauver sous...|-|Compresser tous les dictionnaires ?
Pop_SANVOR	ValueListEditor_SANVOR	Ajouter#Ajouter1|-|Charger|Sauver|-|Trier par clé#rierparcl2|Trier par valeur#rierparvaleur3
Pop_MemoExt	SKRIVO_EXT	Commenter /* ... */#Commenter1|Baliser { ... }#Baliser1|Insérer @@_ := #Insrer1|-|Copier#Copier1|Coller#Coller3|Purger|-|Traduction du Script Externe|-|Ouvrir|Recharger|Sauver sous ...|-|Ecrire le Tampon de Script#EcrireleTampondeScript1|-|Texte Brut#SKR_EXT_PLAIN
Pop_MemoInt	SKRIVO_INT	Coller#Coller4|Purger|-|Traduction du Script Externe|-|Ouvrir#MenuItem3|Recharger|Sauver sous ...|-|Ecrire la ligne 1|Texte Brut#check_TexteBrut1|Commenter /* ... */#Commenter2
Pop_UNIVERSEL	SKRIVO_POLYX	Coller#Coller5|-|Traduction en langage universel|Ecrire la ligne 1|Recharger|Commenter /* ... */#Commenter3
Popup_LISTE	JvFileListBox1	Raffraichir#RAffraichir1|Charger le dictionnaire#Chargerledictionnaire1|-|Ouvrir#mnu_FICHIER_Read|Renommer#Renommer1|Supprimer#Supprimer1|-|Explorer#Explorer1|-|Regrouper les dictionnaires#Regrouperlesdictionnaires1|Traduire un lot de scripts...#Traduirelelot1)";

// item name: shortcut
const char* const kItemShortcuts = R"(mnu_QUESTIOn_edit	F2
Complterleslistes1	Ctrl+Shift+A
Ajoutertout1	Ctrl+A
DICOQUESTIONSREBUILD1	Ctrl+U
mnuQuestions_PROP	F12
Commenter1	Alt+C
Baliser1	Alt+B
Insrer1	Alt+A
EcrireleTampondeScript1	Ctrl+T
RAffraichir1	F5
Chargerledictionnaire1	Ctrl+O
Renommer1	F2
Explorer1	Ctrl+E
Regrouperlesdictionnaires1	Ctrl+G
OuvrirSkrivo1	Ctrl+D)";

const char* const kToolBars = R"(ToolBar_DIC_EXT	DICO_EXT_SAVE|DICO_EXT_SAVEAS|DICO_EXT_CLEAR
ToolBar_DIC_INT	DICO_INT_SAVE|DICO_INT_SAVEAS|DICO_INT_CLEAR
ToolBar_DIC_FUSION	DICO_FUSION_SAVESA|DICO_FUSION_CREATE
ToolBar_SKR_EXT	FUSION_EXT_INT|SKR_EXT_SAVEAS|SKR_EXT_CLEAR|SKR_EXT_PASTE
ToolBar_SKR_INT	FUSION_EXT_INT|FUSION_POLYX|SKR_INT_SAVEAS|SKR_INT_CLEAR|SKR_INT_COPY
ToolBar_SKR_UNI	FUSION_POLYX|SKR_UNI_SAVEAS|SKR_UNI_OPEN|SKR_UNI_CLEAR)";

QList<QStringList> rows(const char* table)
{
    QList<QStringList> result;
    for (const QString& line : QString::fromUtf8(table).split('\n'))
        result.append(line.split('\t'));
    return result;
}

QString describe(const QMenu* menu)
{
    QStringList items;
    for (QAction* item : menu->actions()) {
        if (item->isSeparator())
            items << "-";
        else if (item->menu())
            items << ">" + item->menu()->title();
        else
            items << item->text();
    }
    return items.join('|');
}

} // namespace

class WindowInventoryTest : public QObject {
    Q_OBJECT
    WorkFolder m_dir; // holds the program
    platform::FakeServices* m_fakes = nullptr;
    TForm1* m_form = nullptr;

private slots:
    void initTestCase()
    {
        m_fakes = new platform::FakeServices;
        m_form = new TForm1;
    }
    void cleanupTestCase()
    {
        delete m_form;
        delete m_fakes;
    }

    void everyActionHasItsTexts()
    {
        for (const QStringList& row : rows(kActions)) {
            QAction* action = m_form->findChild<QAction*>(row[0]);
            QVERIFY2(action, qPrintable(row[0]));
            QCOMPARE(action->property("category").toString(), row[1]);
            QCOMPARE(action->text(), row[2]);
            if (row[3].isEmpty())
                QCOMPARE(action->statusTip(), QString()); // no hint at all
            else
                QCOMPARE(action->toolTip(), row[3]);
            QCOMPARE(action->shortcut(), QKeySequence(row[4]));
            QVERIFY2(!action->icon().isNull(), qPrintable(row[0]));
        }
        QVERIFY(!m_form->action("DICO_EXT_EDIT")->isEnabled());
    }

    // The status bar and the question memo show what they are given as
    // written: a key such as "<B>" is no markup there.
    void statusBarAndMemoShowPlainText()
    {
        const QList<QLabel*> panels = m_form->StatusBar1->findChildren<QLabel*>();
        QVERIFY(panels.size() >= 3);
        for (QLabel* panel : panels)
            QVERIFY2(panel->textFormat() == Qt::PlainText, qPrintable(panel->objectName()));
        m_form->Memo_QUESTIONS->setPlainText("<B>");
        QCOMPARE(m_form->Memo_QUESTIONS->document()->toPlainText(), QString("<B>"));
    }

    void mainMenuInOrder()
    {
        QStringList titles;
        for (QAction* entry : m_form->menuBar()->actions())
            titles << entry->menu()->title();
        QCOMPARE(titles, QStringList({"Fichier", "Afficher", "DICO", "SKRIVO", "Traductions", "Outils", "?"}));

        for (const QStringList& row : rows(kMenus)) {
            auto* menu = m_form->menuBar()->findChild<QMenu*>(row[0]);
            QVERIFY2(menu, qPrintable(row[0]));
            QCOMPARE(describe(menu), row[1]);
        }
        QVERIFY(m_form->chk_StayOnTop->isCheckable());
        QVERIFY(!m_form->chk_StayOnTop->isChecked());
    }

    void popupMenusOnTheirControls()
    {
        for (const QStringList& row : rows(kPopups)) {
            auto* control = m_form->findChild<QWidget*>(row[1]);
            QVERIFY2(control, qPrintable(row[1]));
            auto* menu = control->findChild<QMenu*>(row[0], Qt::FindDirectChildrenOnly);
            QVERIFY2(menu, qPrintable(row[0]));
            QCOMPARE(control->contextMenuPolicy(), Qt::CustomContextMenu);
            QStringList expectedCaptions, expectedNames, names;
            for (const QString& item : row[2].split('|')) {
                expectedCaptions << item.section('#', 0, 0);
                if (item.contains('#'))
                    expectedNames << item.section('#', 1);
            }
            for (QAction* item : menu->actions())
                if (expectedNames.contains(item->objectName()))
                    names << item->objectName();
            QCOMPARE(describe(menu), expectedCaptions.join('|'));
            QCOMPARE(names, expectedNames);
        }
        QCOMPARE(m_form->findChild<QMenu*>("Pop_DICext")->defaultAction(), m_form->action("DICO_EXT_SAVEAS"));
        QCOMPARE(m_form->findChild<QMenu*>("Pop_MemoExt")->defaultAction(), m_form->action("SKR_EXT_SAVEAS"));
        QCOMPARE(m_form->findChild<QMenu*>("Popup_LISTE")->defaultAction()->objectName(), QString("mnu_FICHIER_Read"));
        auto* plain = m_form->findChild<QAction*>("SKR_EXT_PLAIN");
        QVERIFY(plain->isCheckable() && plain->isChecked());
        auto* tampon = m_form->findChild<QAction*>("EcrireleTampondeScript1");
        QCOMPARE(tampon->toolTip(), QString("Ecrire les Commentaires de Bas de Script"));
    }

    void itemShortcuts()
    {
        for (const QStringList& row : rows(kItemShortcuts)) {
            auto* item = m_form->findChild<QAction*>(row[0]);
            QVERIFY2(item, qPrintable(row[0]));
            QCOMPARE(item->shortcut(), QKeySequence(row[1]));
        }
    }

    void toolBarsShowTheirActions()
    {
        for (const QStringList& row : rows(kToolBars)) {
            auto* bar = m_form->findChild<QToolBar*>(row[0]);
            QVERIFY2(bar, qPrintable(row[0]));
            QStringList names;
            for (QAction* action : bar->actions()) {
                names << action->objectName();
                auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
                QVERIFY(button);
                QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
                QVERIFY(!button->icon().isNull());
                QCOMPARE(button->accessibleName(), action->text());
            }
            QCOMPARE(names.join('|'), row[1]);
        }
        QVERIFY(!m_form->TabSheet1->findChild<QToolBar*>());
    }
};

QTEST_MAIN(WindowInventoryTest)
#include "tst_window_inventory.moc"
