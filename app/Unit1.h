#pragma once
#include "app/ActionTable.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;
class QTabBar;
class QTabWidget;
class QTextEdit;
class QToolButton;
class CaptionPanel;
class DictionaryPane;

// The one window of the program. It owns every pane and every command; the
// bodies of the commands live in the folder of their subsystem.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    TForm1();
    void setVisible(bool visible) override;
    ~TForm1() override;

    // Runs a command by its action name, without a guard of its own: an error
    // stops the command that asked for it.
    void run(const QString& actionName);
    QAction* action(const QString& name) const;

    // Selecting a page from code never runs the page-change handlers.
    static void selectPageQuietly(QTabWidget* pages, int index);

    // --- Components (object names as the program knows them) ---
    CaptionPanel* panel_Fichiers = nullptr;
    QTabBar* TabSet1 = nullptr;
    QLineEdit* Edit_MASK = nullptr;
    QToolButton* Button1 = nullptr;
    QTabBar* TabSet2 = nullptr;
    QListWidget* JvFileListBox1 = nullptr;

    CaptionPanel* PANEL_HAUT = nullptr;
    CaptionPanel* JvCaptionPanel3 = nullptr;
    QListWidget* JvCheckListBox_QUESTION = nullptr;
    QPlainTextEdit* Memo_QUESTIONS = nullptr;
    CaptionPanel* JvCaptionPanel1 = nullptr;
    QTabWidget* PageControl_DICOS = nullptr;
    QCheckBox* AUTO_SAVE = nullptr;
    QWidget* TabSheet_DIC_EXT = nullptr;
    QWidget* TabSheet_DIC_INT = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet1 = nullptr;
    DictionaryPane* ValueListEditor_EXT = nullptr;
    DictionaryPane* ValueListEditor_INT = nullptr;
    DictionaryPane* ValueListEditor_FUSION = nullptr;
    DictionaryPane* ValueListEditor_SANVOR = nullptr;

    QSplitter* Splitter1 = nullptr;
    CaptionPanel* PANEL_TEXTE = nullptr;
    QTabWidget* PageControl_SCRIPTS = nullptr;
    QCheckBox* AUTO_TRAD = nullptr;
    QWidget* TabSheet_SKR_EXT = nullptr;
    QWidget* TabSheet_SKR_INT = nullptr;
    QWidget* TabSheet_SKR_UNI = nullptr;
    QTextEdit* SKRIVO_EXT = nullptr;
    QTextEdit* SKRIVO_INT = nullptr;
    QTextEdit* SKRIVO_POLYX = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanelClipboard = nullptr;
    QLabel* StatusPanelPick = nullptr;
    QLabel* StatusPanelSpare = nullptr;

    QAction* chk_StayOnTop = nullptr;

    // --- Window hooks ---
    void FormCreate();
    void FormShow();
    void chk_StayOnTopClick();
    void PANEL_HAUTButtonClick();
    void KeyPressESC(int key);
    void FichierFileExit1();
    void EditionEditCopy1();
    void EditionEditPaste1();

    // --- Dictionaries ---
    void DICO_EXT_SAVE();
    void DICO_EXT_SAVEAS();
    void DICO_EXT_LOAD();
    void DICO_EXT_CLEAR();
    void DICO_EXT_AddClesUNIV();
    void DICO_INT_SAVE();
    void DICO_INT_SAVEAS();
    void DICO_INT_LOAD();
    void DICO_INT_CLEAR();
    void DICO_SAN_LOAD();
    void DICO_SAN_SAVE();
    void DICO_FUSION_CREATE();
    void DICO_FUSION_SAVE();
    void DICO_FUSION_SAVESA();
    void DICO_FUSION_LOAD();
    void DICO_COMPRESS();
    void DICO_COMPRESS_CONFIRM();

    // --- Questions (bodies in questions/) ---

    // --- Scripts (bodies in scripts/) ---

    // --- Translation, header block, editing aids (bodies in scripts/) ---

    // --- File panel ---
    // Reads the file list again from its folder with its mask.
    void RefreshFileList();

    // --- Session ---
    void INI_GET();
    void INI_SAVE();

    // --- Outside programs ---
    void OuvrirSkrivo1Click();
    void Rvisions1Click();
    void Editerlaconfiguration1Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildActions();
    void buildLayout();
    void buildMenus();
    void buildToolBars();
    QMenu* buildMenu(const struct MenuSpec& spec, QWidget* parent);
    void applyStayOnTop();
    // The session steps; false when one of them failed (each is reported).
    bool restoreSession();
    bool saveSession();
    void saveDictionary(DictionaryPane* pane, const char* key, const char* defaultLabel);
    void loadDictionary(DictionaryPane* pane, const char* key, const char* defaultFile, int scriptPage);
    QString fusionFileName() const;
    int panelTexteHeight() const;
    void setPanelTexteHeight(int height);

    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    bool m_shown = false;
};
