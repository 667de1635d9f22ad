#pragma once
#include "platform/NotificationServer.h"
#include "platform/Services.h"

#include <vector>

// Test doubles of the desktop services: each records what it was asked and
// answers from queues the test fills. An empty queue answers "no": a
// confirmation returns false, an input or file dialog an empty optional.
namespace platform {

class FakeDialogs : public Dialogs {
public:
    struct Shown {
        BoxKind kind;
        QString text;
        bool centred;
    };
    struct Input {
        QString title;
        QString prompt;
        QString value;
    };

    std::vector<Shown> messages;
    std::vector<QString> errors;   // errorBox
    std::vector<QString> confirms; // texts of the confirmations asked, of both kinds
    std::vector<QString> warningConfirms; // those asked in a warning box
    std::vector<Input> inputs;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;

    // Vectors, not deques: libstdc++ 12's deque trips UBSan's pointer checks.
    std::vector<bool> confirmAnswers;
    std::vector<std::optional<QString>> inputAnswers;
    std::vector<std::optional<QString>> openAnswers;
    std::vector<std::optional<QString>> saveAnswers;
    // The dialog "Traduction par lot": each answer is the user pressing
    // "Traduire" with that choice, checked by the request's `accept` as the
    // real dialog does; a refused one is followed by the next. No answer
    // left is "Fermer".
    std::vector<BatchRequest> batchRequests;
    std::vector<BatchChoice> batchAnswers;
    std::vector<int> batchCounts; // the count the dialog showed for each answer

    void message(BoxKind kind, const QString& text, bool centred = false) override;
    bool confirm(const QString& text) override;
    bool confirmWarning(const QString& text) override;
    void errorBox(const QString& message) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& value) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<BatchChoice> batchTranslation(const BatchRequest& request) override;
};

class FakeClipboard : public Clipboard {
public:
    QString contents;
    std::vector<QString> written; // every setText, in order

    QString text() const override { return contents; }
    void setText(const QString& text) override;
};

class FakeDesktop : public Desktop {
public:
    struct Started {
        QString program;
        QStringList arguments;
    };

    std::vector<Started> programs;
    std::vector<QString> opened;
    std::vector<QString> edited; // openInTextEditor
    std::vector<QString> folders;
    std::vector<QString> trashed;
    // When true, moveToTrash removes the path from the disk (it leaves its
    // folder as with the real trash); when false it throws polyx::Error and
    // the path stays.
    bool trashSucceeds = true;

    void startProgram(const QString& program, const QStringList& arguments) override;
    void open(const QString& path) override { opened.push_back(path); }
    void openInTextEditor(const QString& path) override { edited.push_back(path); }
    void openFolder(const QString& folder) override { folders.push_back(folder); }
    void moveToTrash(const QString& path) override;
};

// Records title and text as given, before any cut to the balloon's limits.
class FakeBalloon : public Balloon {
public:
    struct Shown {
        QString title;
        QString text;
    };
    std::vector<Shown> shown;

    std::function<void()> clickAction;

    void show(const QString& title, const QString& text) override { shown.push_back({title, text}); }
    void setClickAction(std::function<void()> action) override { clickAction = std::move(action); }
    // The user clicks the balloon.
    void click() const
    {
        if (clickAction)
            clickAction();
    }
};

// Announces the capabilities the test gives it.
class FakeNotificationServer : public NotificationServer {
public:
    QStringList announced;
    QStringList capabilities() const override { return announced; }
};

class FakeScreen : public Screen {
public:
    QRect area{0, 0, 1024, 768};
    QRect workArea() const override { return area; }
};

class FakeCursor : public Cursor {
public:
    int pushes = 0;
    int pops = 0;
    int depth() const { return pushes - pops; }

    void pushBusy() override { ++pushes; }
    void pop() override { ++pops; }
};

// Records each step. With `cancelAtStep` n, the user presses "Annuler"
// while the n-th item (counted from 1) is being done: the next step
// answers false.
class FakeProgress : public Progress {
public:
    struct Step {
        QString item;
        int done;
        int total;
    };
    QString title;
    int total = 0;
    std::vector<Step> steps;
    int starts = 0;
    int finishes = 0;
    int cancelAtStep = 0;

    void start(const QString& title, int total) override;
    bool step(const QString& item, int done) override;
    void finish() override { ++finishes; }
};

// Installs one fake of each service for its lifetime, then the real ones again.
class FakeServices {
public:
    FakeServices();
    ~FakeServices();
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    FakeDialogs dialogs;
    FakeClipboard clipboard;
    FakeDesktop desktop;
    FakeBalloon balloon;
    FakeScreen screen;
    FakeCursor cursor;
    FakeProgress progress;
};

} // namespace platform
