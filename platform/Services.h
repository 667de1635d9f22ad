#pragma once
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

// The desktop as the rest of the program sees it. Nothing outside platform/
// opens a dialog, touches the clipboard or starts a program by itself: it
// asks these services, which tests replace with doubles (platform/testing).
namespace platform {

enum class BoxKind { Warning, Error, Information, Plain };

// Filters are given as "Description|*.ext|Other|*.*"; index counts from 1.
struct FileDialogRequest {
    QString title;
    QString filter;
    int filterIndex = 1;
    QString defaultExt;
    QString initialDir;
    QString fileName;
    bool confirmReplace = false;
    // A save dialog then refuses a name in a folder that does not exist.
    bool existingFolderOnly = false;
};

// The dialog "Traduction par lot": which scripts, which way, where to.
struct BatchChoice {
    bool skrivo = true;
    bool rtf = true;
    bool txt = true;
    bool universal = false; // "Vers le langage universel", else "Vers mes codes"
    QString outputFolder;
};

struct BatchRequest {
    QString sourceFolder;
    bool fromSelection = false; // the scripts are the file list's selection
    BatchChoice initial;
    // The number of scripts the boxes of `choice` take, shown as they change.
    std::function<int(const BatchChoice& choice)> count;
    // Asked on "Traduire": false keeps the dialog open (it has said why).
    std::function<bool(const BatchChoice& choice)> accept;
    // F1 in the dialog: the guide's page on the batch translation.
    std::function<void()> help;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A box with the one button "OK"; centred on the screen when asked.
    virtual void message(BoxKind kind, const QString& text, bool centred = false) = 0;
    // "Confirmer" with "OK" and "Annuler"; closing the box counts as Cancel.
    virtual bool confirm(const QString& text) = 0;
    // The same choice in a warning box "Avertissement", for a step that
    // replaces what the user has.
    virtual bool confirmWarning(const QString& text) = 0;
    // The application's standard error box: title programName(), error icon, "OK".
    virtual void errorBox(const QString& message) = 0;
    // Modal input box; empty optional on "Annuler".
    virtual std::optional<QString> input(const QString& title, const QString& prompt,
                                         const QString& value) = 0;
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    // Modal; the choice accepted by "Traduire", nothing on "Fermer".
    virtual std::optional<BatchChoice> batchTranslation(const BatchRequest& request) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

// Starting programs and handing files to the desktop. Always argument lists,
// never a shell command line.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void startProgram(const QString& program, const QStringList& arguments) = 0;
    // An executable is started directly (a Windows one through Wine),
    // anything else through the desktop's opener.
    virtual void open(const QString& path) = 0;
    // Throws polyx::Error when the desktop has no text editor.
    virtual void openInTextEditor(const QString& path) = 0;
    virtual void openFolder(const QString& folder) = 0;
    // Throws polyx::Error, the file left where it was, when the trash cannot
    // take it.
    virtual void moveToTrash(const QString& path) = 0;
};

// The notification balloon; title cut to 63 characters, text to 255.
class Balloon {
public:
    virtual ~Balloon() = default;
    virtual void show(const QString& title, const QString& text) = 0;
    // Run when the user clicks a balloon; one action for the whole run.
    virtual void setClickAction(std::function<void()> action) = 0;
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual QRect workArea() const = 0;
};

class Cursor {
public:
    virtual ~Cursor() = default;
    virtual void pushBusy() = 0;
    virtual void pop() = 0;
};

// A long task's progress over the main window: what is being done, "n / total"
// and "Annuler". While it shows, the window repaints and can be moved but
// takes no command.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void start(const QString& title, int total) = 0;
    // Shows the item about to be done (`done` already are) and lets the
    // desktop breathe; false once the user asked to stop.
    virtual bool step(const QString& item, int done) = 0;
    virtual void finish() = 0;
};

struct Services {
    Dialogs* dialogs = nullptr;
    Clipboard* clipboard = nullptr;
    Desktop* desktop = nullptr;
    Balloon* balloon = nullptr;
    Screen* screen = nullptr;
    Cursor* cursor = nullptr;
    Progress* progress = nullptr;
};

// The services in force: the real desktop ones unless replaced. A null member
// of the replacement keeps the real service for that member.
Services& services();
void setServices(const Services& replacement);
// Restores the real desktop services (tests call it when they are done).
void resetServices();

Dialogs& dialogs();
Clipboard& clipboard();
Desktop& desktop();
Balloon& balloon();
Screen& screen();
Progress& progress();

// The hourglass for the lifetime of the object, the previous cursor after.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    Cursor* m_cursor; // the one pushed, even if the services change meanwhile
};

// The window that in-window balloons and dialogs belong to.
void setMainWindow(QWidget* window);
QWidget* mainWindow();

// Called once by the main window while it is built: puts its icon (the
// window's windowIcon) in the desktop's notification area for the whole run,
// owned by the window, without a menu. Where the desktop has no notification
// area it does nothing and balloons are drawn inside mainWindow() instead.
// Always the real balloon's icon, whatever services are in force.
void attachNotificationIcon(QWidget* window);

} // namespace platform
