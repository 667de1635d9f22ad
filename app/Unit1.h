#pragma once
#include "app/ActionTable.h"
#include "app/Recovery.h"
#include "dictionaries/FusionDictionary.h"
#include "scripts/translation/DictionaryCheck.h"
#include "scripts/translation/RunReport.h"

#include <QDateTime>
#include <QHash>
#include <QMainWindow>

#include <functional>
#include <optional>

class QAction;
namespace platform {
struct FileDialogRequest;
}
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
class ScriptPane;
class QuestionList;
class FileListBox;
class FindingsWindow;
class RecoveryWatch;
class CodeRecognitionWindow;
class ScriptLoadQueue;
namespace polyx {
class BatchRun;
class PartlyReadFile;
}

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
    QuestionList* JvCheckListBox_QUESTION = nullptr;
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
    ScriptPane* SKRIVO_EXT = nullptr;
    ScriptPane* SKRIVO_INT = nullptr;
    ScriptPane* SKRIVO_POLYX = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanelClipboard = nullptr;
    QLabel* StatusPanelPick = nullptr;
    QLabel* StatusPanelSpare = nullptr;

    QAction* chk_StayOnTop = nullptr;
    // "Surligner les codes" (saved under OPTIONS, not with the check marks).
    QAction* mnu_SURLIGNER = nullptr;

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
    // The window "Vérification des dictionnaires" (body in dictionaries/).
    void DICO_CHECK();
    // The window "Reconnaissance des codes" (body in dictionaries/).
    void DICO_EXT_SUGGEST();
    // The grids' events (bodies in dictionaries/DictionaryEditing.cpp). The
    // edit-text handlers remember the cell; the Sanvor grid uses INT's.
    void ValueListEditor_EXTClick();
    void ValueListEditor_INTClick();
    void ValueListEditor_EXTDblClick();
    void ValueListEditor_INTDblClick();
    void ValueListEditor_EXTExit();
    void ValueListEditor_INTExit();
    void ValueListEditor_EXTSetEditText(int column, int row, const QString& value);
    void ValueListEditor_INTSetEditText(int column, int row, const QString& value);
    // Pop-up items of the grids.
    void MenuItem1Click();
    void MenuItem2Click();
    void Purgerlaliste1Click();
    void Rier1Click();
    void rierparValeur1Click();
    void mnu_IN_ADDClick();
    void mnu_IN_DELClick();
    void RierparCl1Click();
    void RierparValeur2Click();
    void MenuItem8Click();
    void MenuItem9Click();
    void Ajouter1Click();
    void rierparcl2Click();
    void rierparvaleur3Click();
    // The page control's events (bodies in dictionaries/DictionaryPageCommands.cpp).
    void PageControl_DICOSChange();
    void PageControl_DICOSExit();
    void DIC_RenommerEtiquette(Qt::MouseButton button);

    // --- Questions (bodies in questions/) ---
    void mnu_QUESTION_ADDClick();
    void mnu_QUESTIOn_editClick();
    void mnu_QUESTION_DELClick();
    void Purger1Click();
    void Rier2Click();
    void Ajoutertout1Click();
    void DICO_QUESTIONS_LOAD();
    void DICO_QUESTIONS_SAVE();
    void DICO_QUESTIONS_REBUILD();
    void Complterleslistes1Click();
    void Ajouterlaslection1Click();
    void PlacerdanslescritpUniversel1Click();
    void JvCheckListBox_QUESTIONClick();
    void JvCheckListBox_QUESTIONDblClick();
    // Also run by Ouvrir1 of the memo's pop-up.
    void mnuQuestions_PROPClick();
    void Memo_QUESTIONSDblClick();
    // The information file of the selected question and its name; both
    // empty without a selected question.
    void GetFile_QuestionInfo(QString& path, QString& name);

    // --- Scripts (bodies in scripts/) ---
    void SKR_EXT_Open();
    void SKR_EXT_LOAD();
    void SKR_EXT_SAVEAS();
    void SKR_EXT_CLEAR();
    void SKR_EXT_PASTE();
    void SKR_INT_OPEN();
    void SKR_INT_LOAD();
    void SKR_INT_SAVEAS();
    void SKR_INT_CLEAR();
    void SKR_INT_COPY();
    void SKR_UNI_OPEN();
    void SKR_UNI_LOAD();
    void SKR_UNI_SAVEAS();
    void SKR_UNI_CLEAR();
    void Copier1Click();
    void Coller3Click();
    void Coller4Click();
    void Coller5Click();
    // The external text changed.
    void SKRIVO_EXTChange();
    // The three panes to their state files, as the session save does; a
    // pane whose file is still being read is left out, its file as it is.
    void SaveScriptStateFiles();
    // Runs `then` once the script files the restore asked for are in the
    // panes: at once, unless a big one is still being read after the
    // window showed. What follows the restore at start goes through here.
    void whenScriptsRead(std::function<void()> then);

    // --- Translation, header block, editing aids (bodies in scripts/) ---
    void FUSION_EXT_INT();
    void FUSION_POLYX();
    // The user turned to another script page; code selects pages quietly.
    void PageControl_SCRIPTSChange();
    // The window "Rapport de traduction" over the last run's report.
    void FUSION_REPORT();
    // "Traduire un lot de scripts...": many script files translated into
    // another folder, summed up in the report window (body in scripts/).
    void FUSION_BATCH();
    void mnu_SURLIGNERClick();
    // The target's whole content becomes the source's; rich to rich keeps
    // the formatting.
    void CopyPaneContent(ScriptPane* source, ScriptPane* target);
    // Without refresh only a script holding no "/*°" gets the block; with
    // it, a block already there is replaced.
    void WriteHeaderBlock(ScriptPane* pane, bool refresh);
    void SKR_EXT_L1();
    void SKR_INT_L1();
    void SKR_UNI_L1();
    // A mouse press on the script page tabs: the right button relabels.
    void SKR_Renommer(Qt::MouseButton button);
    // The wrapping aids act on the focused script editor only.
    void SKR_COMMENT();
    void Baliser1Click();
    void Insrer1Click();
    // The word double-clicked in the external or internal script.
    void PickToken(const QString& word);
    // The date and time the header block records.
    std::function<QDateTime()> currentDateTime = [] { return QDateTime::currentDateTime(); };

    // The status bar's third panel: what the last opening of a file or
    // translation has to say about it.
    void ShowStatusSummary(const QString& text);

    // --- File panel ---
    // Reads the file list again from its folder with its mask.
    void RefreshFileList();
    // Moves the kind tabs TabSet1 to the tab of that index.
    void SelectFileKindTab(int index);
    // The folder the file list shows.
    QString FileListFolder() const;
    // Opens a file into the panes by its extension (bodies in files/).
    void OpenFileByKind(const QString& path);
    void TabSet1Change(int index);
    void TabSet2Change(int index);
    void Edit_MASKChange();
    void Edit_MASKDblClick();
    void Button1Click();
    void JvFileListBox1Click();
    void JvFileListBox1DblClick();
    void Chargerledictionnaire1Click();
    void mnu_FICHIER_ReadClick();
    void Renommer1Click();
    void Supprimer1Click();
    void Explorer1Click();
    void DICOS_JOIN();
    void BACKUP();
    // Files dropped on the window, in the desktop's order; the first counts.
    void JvDragDrop1Drop(const QStringList& paths);

    // --- Session ---
    void INI_GET();
    void INI_SAVE();
    // Once, after the session restore: the window "Récupération" over what a
    // run that did not end left in the recovery folder (body in app/SessionRecovery.cpp).
    void offerRecovery();
    // The desktop ends the run (logout, shutdown, SIGTERM): the session is
    // saved as a close saves it, without a box that waits; what cannot be
    // saved waits in the recovery folder. Then the event loop ends.
    void SaveSessionAndQuit();

    // --- Outside programs ---
    void OuvrirSkrivo1Click();
    void Rvisions1Click();
    void Editerlaconfiguration1Click();

    // --- Help (bodies in app/HelpCommands.cpp, the example in files/) ---
    // "Aide de Polyx'X": the guide at its start.
    void AIDE();
    // F1: the guide at the section of the part that has the focus.
    void AIDE_CONTEXTE();
    // "page.html" or "page.html#part" of the guide, in its window.
    void ShowGuide(const QString& section);
    // "Premiers pas : ouvrir l'exemple".
    void AIDE_EXEMPLE();
    void AIDE_APROPOS();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Files dropped on the window (bodies in files/).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildActions();
    void buildLayout();
    void buildMenus();
    void buildToolBars();
    QMenu* buildMenu(const struct MenuRow& row, QWidget* parent);
    void applyStayOnTop();
    // The session steps; false when one of them failed (each is reported).
    bool restoreSession();
    bool saveSession();
    // Saves the session; after a failure the user may still choose to quit.
    bool mayCloseAfterSave();

    // Recovery (bodies in app/SessionRecovery.cpp): every pane's changes
    // noted, its content kept in the recovery folder while it differs from
    // the file the session saves it to.
    void connectRecovery();
    void keepForRecovery(const QList<polyx::RecoveryPane>& panes);
    // The run ends: nothing is left when every pane reached its file,
    // otherwise what did not.
    void endRecovery(bool saved);
    QString recoveryFileName(polyx::RecoveryPane pane) const;
    polyx::PaneContent recoveryContent(polyx::RecoveryPane pane, const QString& fileName) const;
    void recoverPane(const polyx::RecoveryFile& file);
    // The name of the state file a script pane is saved to at close.
    QString scriptStateFile(const ScriptPane* pane) const;
    RecoveryWatch* m_recovery = nullptr;
    bool m_ended = false; // the desktop ended the run
    void saveDictionary(DictionaryPane* pane, const char* key, const char* defaultLabel);
    // "Sauver sous" of a dictionary: the request differs per page; scriptTab
    // is the script tab named after the dictionary, or -1.
    void saveDictionaryAs(DictionaryPane* pane, const char* key, const platform::FileDialogRequest& request, int scriptTab);
    void loadDictionary(DictionaryPane* pane, const char* key, const char* defaultFile, int scriptPage);
    // A file read only in part: its load shows why, and a save over it asks
    // first. The automatic saves leave it and say so once; the session save
    // leaves it and fails that step, so that closing asks. False: do not write.
    void warnPartlyRead(const polyx::PartlyReadFile& file);
    bool mayReplacePartlyRead(polyx::PartlyReadFile& file, const QString& path);
    // Who runs the saves: the user's command, or the automatic saves and the
    // session save that no one asked for, so they ask nothing.
    enum class SaveRun { Command, Automatic, Session };
    SaveRun m_saveRun = SaveRun::Command;
    QString fusionFileName() const;
    // The fusion rows the translation leaves out (the header pairs).
    QList<int> fusionHeaderRows() const;
    int panelTexteHeight() const;
    void setPanelTexteHeight(int height);

    // Questions: the list's and the memo's events.
    void connectQuestionEvents();

    // File panel: its events and drops, the list as it is, and the steps
    // the commands share.
    void connectFilePanel();
    FileListBox* fileList() const;
    // The current entry's path (empty without one); the second is empty
    // for a folder too.
    QString currentEntryPath() const;
    QString currentEntryFile() const;
    void applyFileMask();
    void openDictionaryFile(DictionaryPane* pane, int page, bool pageFirst, const QString& path);
    void openScriptFile(ScriptPane* pane, int page, const QString& path);
    void copyDroppedFile(const QString& source, const QString& target);

    // Scripts: the panes' events and plain-text switches, and the steps the
    // script commands share.
    void connectScriptPanes();
    // Reads the file named under the key (the state file by default), a
    // big one after the window shows (ScriptLoadQueue); then `filled` runs
    // unless the pane is empty. Nothing happens when the file is missing.
    void reloadScript(ScriptPane* pane, const char* key, const char* stateFile, std::function<void()> filled);
    void openScript(ScriptPane* pane, const char* stateFile);
    void saveScriptAs(ScriptPane* pane, const char* title, const char* defaultExt, const char* filter);

    // Translation: the script page set's events and the status panel of
    // picked tokens.
    void connectTranslationEvents();
    // The report of the run that just ended in `pane` (script page `page`):
    // kept for F9, written in the status bar, highlighted, and shown again
    // by an open report window.
    void keepReport(ScriptPane* pane, int page, QList<polyx::ReportRow> rows);
    void fillReportWindow();
    // Marks the part of the report's pane in view: tens of thousands of
    // decorations over a long script would cost a layout of all of it.
    void highlightReport();
    // The next place of a report row selected in its pane.
    void selectReportPlace(int row);
    struct LastReport {
        QList<polyx::ReportRow> rows;
        QString summary;
        ScriptPane* pane = nullptr;
        int page = 0;
        bool unchanged = false; // the pane not edited since the run
        QList<int> nextPlace;   // per row
        QList<polyx::HighlightMark> marks;
    };
    LastReport m_report;
    FindingsWindow* m_reportWindow = nullptr;

    // Batch translation: the files selected in the file list, the pop-up
    // item that follows them, and the batch's report, which replaces the
    // last run's until the next translation. Per table row: the translated
    // file it opens and the places of its finding there.
    QStringList selectedFiles() const;
    void connectBatchTranslation();
    void keepBatchReport(const polyx::BatchRun& batch, ScriptPane* target, int page);
    void openBatchRow(int row);
    struct BatchReport {
        QString summary;
        polyx::FindingsTable table;
        ScriptPane* pane = nullptr;
        int page = 0;
        QStringList outputs;
        QList<QList<polyx::TextPlace>> places;
    };
    std::optional<BatchReport> m_batch;

    // The dictionary check's findings and window.
    void selectFinding(int row);
    QList<polyx::DictionaryFinding> m_findings;
    FindingsWindow* m_checkWindow = nullptr;

    // The recognition of the external script's codes: its window, the
    // letter chosen with "Lettre déjà traduite..." (until the external
    // script changes), and what its buttons and double-clicks do.
    void fillRecognitionWindow();
    void addRecognisedCodes();
    void chooseTranslatedLetter();
    void selectRecognisedCode(int row);
    CodeRecognitionWindow* m_recognitionWindow = nullptr;
    QString m_recognitionLetter;

    // dictionary editing
    void connectDictionaryEvents();
    // The clipboard's text into the line of the remembered row.
    void pasteIntoRememberedRow(DictionaryPane* pane);
    // The cell last shown or edited in the external, internal or Sanvor grid.
    int m_editColumn = 0;
    int m_editRow = 0;

    ScriptLoadQueue* m_scriptLoads = nullptr;

    // Help: F1, the first start's hint in the status bar, the windows.
    void connectHelp();
    void startFirstUseHint(bool configurationExisted);
    void endFirstUseHint();
    bool m_firstUse = false;
    class HelpWindow* m_helpWindow = nullptr;
    class AboutBox* m_aboutBox = nullptr;

    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    bool m_shown = false;
    // What the last generation of the fusion knows of it.
    std::optional<polyx::GeneratedFusion> m_generatedFusion;
};
