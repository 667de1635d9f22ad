#include "app/CaptionPanel.h"
#include "app/LazyIcon.h"
#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "dictionaries/DictionaryPane.h"
#include "files/FileListBox.h"
#include "platform/PlainToolTip.h"
#include "questions/QuestionList.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename W>
W* named(W* widget, const char* name, const QString& accessibleName = {})
{
    widget->setObjectName(name);
    if (!accessibleName.isEmpty())
        widget->setAccessibleName(accessibleName);
    return widget;
}

QWidget* pageWithToolBar(QWidget* content, const char* toolBarName, QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(content, 1);
    if (!toolBarName)
        return page;
    auto* bar = named(new QToolBar(page), toolBarName);
    bar->setOrientation(Qt::Vertical);
    bar->setIconSize(QSize(20, 20));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    layout->addWidget(bar);
    return page;
}

// A dictionary page's grid with its lines at start; the page's tab follows
// the pane's label.
DictionaryPane* dictionaryPane(const char* name, const char* keyTitle, const char* valueTitle, const QString& hint,
                               const QString& label, const QStringList& startLines, QTabWidget* pages)
{
    auto* pane = new DictionaryPane(name, keyTitle, valueTitle, hint, pages);
    pane->SetPageLabel(label);
    for (const QString& line : startLines)
        pane->lines().AddLine(line);
    QObject::connect(&pane->model(), &polyx::DictionaryModel::labelChanged, pages, [pane, pages](const QString& text) {
        for (QWidget* page = pane->parentWidget(); page; page = page->parentWidget())
            if (const int index = pages->indexOf(page); index >= 0)
                return pages->setTabText(index, text);
    });
    return pane;
}

} // namespace

void TForm1::buildLayout()
{
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(4, 4, 4, 4);
    columns->setSpacing(4);

    // Main area: dictionaries above, scripts below.
    Splitter1 = named(new QSplitter(Qt::Vertical, central), "Splitter1");
    Splitter1->setHandleWidth(8);
    Splitter1->setChildrenCollapsible(false);
    columns->addWidget(Splitter1, 1);

    PANEL_HAUT = new CaptionPanel("PANEL_HAUT", "DICTIONNAIRES (DICO)", Splitter1);
    connect(PANEL_HAUT->addHelpButton(), &QToolButton::clicked, this, &TForm1::PANEL_HAUTButtonClick);
    auto* upper = new QHBoxLayout;
    upper->setSpacing(4);
    PANEL_HAUT->body()->addLayout(upper, 1);

    JvCaptionPanel3 = new CaptionPanel("JvCaptionPanel3", "Questions Universelles", PANEL_HAUT);
    JvCaptionPanel3->setFixedWidth(193);
    auto* questionSplitter = named(new QSplitter(Qt::Vertical, JvCaptionPanel3), "QuestionSplitter");
    questionSplitter->setHandleWidth(3);
    // Starts with the three header keys.
    JvCheckListBox_QUESTION = named(new QuestionList(questionSplitter), "JvCheckListBox_QUESTION",
                                    "Questions Universelles");
    JvCheckListBox_QUESTION->setToolTip("Gestion des Questions Universelles");
    Memo_QUESTIONS = named(new QPlainTextEdit(questionSplitter), "Memo_QUESTIONS", "Information de la question");
    Memo_QUESTIONS->setReadOnly(true);
    QPalette hintColours = Memo_QUESTIONS->palette();
    hintColours.setColor(QPalette::Base, hintColours.color(QPalette::ToolTipBase));
    hintColours.setColor(QPalette::Text, hintColours.color(QPalette::ToolTipText));
    Memo_QUESTIONS->setPalette(hintColours);
    Memo_QUESTIONS->setPlainText(QString());
    Memo_QUESTIONS->setMinimumHeight(40);
    questionSplitter->setStretchFactor(0, 1);
    questionSplitter->setSizes({200, 40});
    JvCaptionPanel3->body()->addWidget(questionSplitter);
    connectQuestionEvents();
    upper->addWidget(JvCaptionPanel3);

    JvCaptionPanel1 = new CaptionPanel("JvCaptionPanel1", "Gestion des Dictionnaires", PANEL_HAUT);
    PageControl_DICOS = named(new QTabWidget(JvCaptionPanel1), "PageControl_DICOS", "Dictionnaires");
    PageControl_DICOS->setToolTip("Traduction des Questions de l'Utilisateur en langage Universel");
    AUTO_SAVE = named(new QCheckBox("Sauvegarde Auto", PageControl_DICOS), "AUTO_SAVE", "Sauvegarde Auto");
    AUTO_SAVE->setToolTip("Sauvegarde automatiquemenent le DICO au changement de page");
    AUTO_SAVE->setChecked(true);
    PageControl_DICOS->setCornerWidget(AUTO_SAVE, Qt::TopRightCorner);
    // A picked tab takes the focus, so a grid is left (and saved) before the
    // page changes and the focus stays in the page control.
    PageControl_DICOS->tabBar()->setFocusPolicy(Qt::StrongFocus);

    const QStringList headerLines{"<_AUTEUR>=", "<_TITRE>=", "<_CODE>="};
    ValueListEditor_EXT = dictionaryPane("ValueListEditor_EXT", "Clé", "Valeur", "Dictionnaire EXTERNE/SOURCE (Correspondant)",
                                         "Externe", headerLines, PageControl_DICOS);
    ValueListEditor_INT = dictionaryPane("ValueListEditor_INT", "Clé", "Valeur", "Dictionnaire CIBLE / INTERNE (Utilisateur)",
                                         "Interne", headerLines, PageControl_DICOS);
    ValueListEditor_FUSION = dictionaryPane("ValueListEditor_FUSION", "Chercher", "Remplacer",
                                            "Dictionnaire de FUSION Correspondant/Utilisateur", "Fusion", {}, PageControl_DICOS);
    ValueListEditor_FUSION->setReadOnlyRows();
    ValueListEditor_SANVOR = dictionaryPane("ValueListEditor_SANVOR", "Clé", "Valeur", QString(), "Sanvor",
                                            {"<_AUTEUR>=SANVOR", "<_CODE>=0", "<_TITRE>=Questions FIXES DE SANVOR",
                                             "<AGE>=£[SG : age]#", "<CIVILITE>=£[SG : civilité]#", "<DDN>=SIGNAL(\"dn\")",
                                             "<NOM>=£[SG : nom]#", "<PRENOM>=£[SG : prénom]#"},
                                            PageControl_DICOS);
    ValueListEditor_SANVOR->setAccessibleName("Dictionnaire Sanvor");

    TabSheet_DIC_EXT = named(pageWithToolBar(ValueListEditor_EXT, "ToolBar_DIC_EXT", PageControl_DICOS), "TabSheet_DIC_EXT");
    TabSheet_DIC_INT = named(pageWithToolBar(ValueListEditor_INT, "ToolBar_DIC_INT", PageControl_DICOS), "TabSheet_DIC_INT");
    TabSheet3 = named(pageWithToolBar(ValueListEditor_FUSION, "ToolBar_DIC_FUSION", PageControl_DICOS), "TabSheet3");
    TabSheet1 = named(pageWithToolBar(ValueListEditor_SANVOR, nullptr, PageControl_DICOS), "TabSheet1");
    PageControl_DICOS->addTab(TabSheet_DIC_EXT, ValueListEditor_EXT->PageLabel());
    PageControl_DICOS->addTab(TabSheet_DIC_INT, ValueListEditor_INT->PageLabel());
    PageControl_DICOS->addTab(TabSheet3, ValueListEditor_FUSION->PageLabel());
    PageControl_DICOS->addTab(TabSheet1, ValueListEditor_SANVOR->PageLabel());
    JvCaptionPanel1->body()->addWidget(PageControl_DICOS);
    upper->addWidget(JvCaptionPanel1, 1);

    PANEL_TEXTE = new CaptionPanel("PANEL_TEXTE", "SCRIPTS : (SKRIVO)", Splitter1);
    PageControl_SCRIPTS = named(new QTabWidget(PANEL_TEXTE), "PageControl_SCRIPTS", "Scripts");
    AUTO_TRAD = named(new QCheckBox("Traduction Auto", PageControl_SCRIPTS), "AUTO_TRAD", "Traduction Auto");
    AUTO_TRAD->setToolTip("Traduit automatiquemenent le SCRIPT au changement de page");
    AUTO_TRAD->setChecked(true);
    PageControl_SCRIPTS->setCornerWidget(AUTO_TRAD, Qt::TopRightCorner);
    SKRIVO_EXT = new ScriptPane("SKRIVO_EXT", "SKRIVO ou COURRIER EXTERNE/SOURCE (à traduire)", true, PageControl_SCRIPTS);
    SKRIVO_INT = new ScriptPane("SKRIVO_INT", "SKRIVO ou COURRIER INTERNE/CIBLE (Traduction)", false, PageControl_SCRIPTS);
    SKRIVO_POLYX = new ScriptPane("SKRIVO_POLYX", "SKRIVO ou COURRIER  en langage UNIVERSEL", true, PageControl_SCRIPTS);
    TabSheet_SKR_EXT = named(pageWithToolBar(SKRIVO_EXT, "ToolBar_SKR_EXT", PageControl_SCRIPTS), "TabSheet_SKR_EXT");
    TabSheet_SKR_INT = named(pageWithToolBar(SKRIVO_INT, "ToolBar_SKR_INT", PageControl_SCRIPTS), "TabSheet_SKR_INT");
    TabSheet_SKR_UNI = named(pageWithToolBar(SKRIVO_POLYX, "ToolBar_SKR_UNI", PageControl_SCRIPTS), "TabSheet_SKR_UNI");
    PageControl_SCRIPTS->addTab(TabSheet_SKR_EXT, "Externe");
    PageControl_SCRIPTS->addTab(TabSheet_SKR_INT, "Interne");
    PageControl_SCRIPTS->addTab(TabSheet_SKR_UNI, "Universel");
    PANEL_TEXTE->body()->addWidget(PageControl_SCRIPTS, 1);

    StatusBar1 = named(new QStatusBar(PANEL_TEXTE), "StatusBar1", "Barre d'état");
    StatusBar1->setSizeGripEnabled(false);
    StatusPanelClipboard = named(new QLabel("Presse-Papier", StatusBar1), "StatusPanelClipboard", "Presse-Papier");
    StatusPanelClipboard->setMinimumWidth(80);
    StatusPanelPick = named(new QLabel(StatusBar1), "StatusPanelPick", "Dernier code copié");
    StatusPanelPick->setFixedWidth(400);
    StatusPanelPick->setAlignment(Qt::AlignCenter);
    StatusPanelSpare = named(new QLabel(StatusBar1), "StatusPanelSpare", "Panneau libre");
    StatusPanelSpare->setMinimumWidth(50);
    // A long summary is cut, never widening the window.
    StatusPanelSpare->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    for (QLabel* panel : {StatusPanelClipboard, StatusPanelSpare})
        panel->setTextFormat(Qt::PlainText);
    StatusBar1->addWidget(StatusPanelClipboard);
    StatusBar1->addWidget(StatusPanelPick);
    // The rest of the bar: the last translation's summary.
    StatusBar1->addWidget(StatusPanelSpare, 1);
    PANEL_TEXTE->body()->addWidget(StatusBar1);

    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);

    // Right column: the file panel.
    panel_Fichiers = new CaptionPanel("panel_Fichiers", "FICHIERS", central);
    panel_Fichiers->setFixedWidth(204);
    TabSet1 = named(new QTabBar(panel_Fichiers), "TabSet1", "Type de fichier");
    for (const char* kind : {"DIC", "SKR", "RTF", "TXT", "*"})
        TabSet1->addTab(kind);
    TabSet1->setExpanding(false);
    TabSet1->setDrawBase(false);
    panel_Fichiers->body()->addWidget(TabSet1);

    auto* maskRow = new QHBoxLayout;
    auto* maskLabel = named(new QLabel("Filtre: ", panel_Fichiers), "Label_MASK");
    Edit_MASK = named(new QLineEdit(panel_Fichiers), "Edit_MASK", "Filtre: ");
    maskLabel->setBuddy(Edit_MASK);
    maskRow->addWidget(maskLabel);
    maskRow->addWidget(Edit_MASK, 1);
    panel_Fichiers->body()->addLayout(maskRow);

    auto* sideRow = new QHBoxLayout;
    Button1 = named(new QToolButton(panel_Fichiers), "Button1", "Dossier parent");
    Button1->setIcon(SvgIcon(":/icons/parent-folder.svg"));
    Button1->setToolTip("Dossier parent");
    Button1->setAutoRaise(true);
    TabSet2 = named(new QTabBar(panel_Fichiers), "TabSet2", "Dictionnaire destinataire");
    TabSet2->addTab("Dico.EXT");
    TabSet2->addTab("Dico.INT");
    TabSet2->setDrawBase(false);
    QPalette blueText = TabSet2->palette();
    blueText.setColor(QPalette::WindowText, blueText.color(QPalette::Link));
    TabSet2->setPalette(blueText);
    QFont boldTabs = TabSet2->font();
    boldTabs.setBold(true);
    TabSet2->setFont(boldTabs);
    sideRow->addWidget(Button1);
    sideRow->addWidget(TabSet2, 1);
    panel_Fichiers->body()->addLayout(sideRow);

    // Multiple selection, two columns; it lists the work folder at once, as
    // a Windows shortcut would start the program in it.
    JvFileListBox1 = named(new FileListBox(WorkDir(), panel_Fichiers), "JvFileListBox1", "Liste des Fichiers");
    JvFileListBox1->setToolTip("Liste des Fichiers Disponibles (Clic pour intégrer)");
    panel_Fichiers->body()->addWidget(JvFileListBox1, 1);
    columns->addWidget(panel_Fichiers);

    setCentralWidget(central);
    Edit_MASK->installEventFilter(this);
    JvFileListBox1->installEventFilter(this);
    connectFilePanel();
}

void TForm1::ShowStatusSummary(const QString& text)
{
    StatusPanelSpare->setText(text);
    // The panel is narrow beside the other two: the whole line on hover.
    StatusPanelSpare->setToolTip(platform::plainToolTip(text));
}
