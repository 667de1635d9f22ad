#include "platform/testing/FakeServices.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform {
namespace {
// The next queued answer, or a value-initialised one (false, nothing).
template <class T> T takeFront(std::vector<T>& queue)
{
    T answer{};
    if (!queue.empty()) {
        answer = std::move(queue.front());
        queue.erase(queue.begin());
    }
    return answer;
}
} // namespace

void FakeDialogs::message(BoxKind kind, const QString& text, bool centred)
{
    messages.push_back({kind, text, centred});
}

bool FakeDialogs::confirm(const QString& text)
{
    confirms.push_back(text);
    return takeFront(confirmAnswers);
}

bool FakeDialogs::confirmWarning(const QString& text)
{
    warningConfirms.push_back(text);
    return confirm(text);
}

void FakeDialogs::errorBox(const QString& message) { errors.push_back(message); }

std::optional<QString> FakeDialogs::input(const QString& title, const QString& prompt,
                                          const QString& value)
{
    inputs.push_back({title, prompt, value});
    return takeFront(inputAnswers);
}

std::optional<QString> FakeDialogs::openFile(const FileDialogRequest& request)
{
    openRequests.push_back(request);
    return takeFront(openAnswers);
}

std::optional<QString> FakeDialogs::saveFile(const FileDialogRequest& request)
{
    saveRequests.push_back(request);
    return takeFront(saveAnswers);
}

std::optional<BatchChoice> FakeDialogs::batchTranslation(const BatchRequest& request)
{
    batchRequests.push_back(request);
    while (!batchAnswers.empty()) {
        const BatchChoice choice = takeFront(batchAnswers);
        batchCounts.push_back(request.count ? request.count(choice) : 0);
        if (!request.accept || request.accept(choice))
            return choice;
    }
    return std::nullopt;
}

void FakeProgress::start(const QString& shownTitle, int shownTotal)
{
    ++starts;
    title = shownTitle;
    total = shownTotal;
}

bool FakeProgress::step(const QString& item, int done)
{
    steps.push_back({item, done, total});
    return cancelAtStep == 0 || int(steps.size()) <= cancelAtStep;
}

void FakeClipboard::setText(const QString& text)
{
    contents = text;
    written.push_back(text);
}

void FakeDesktop::startProgram(const QString& program, const QStringList& arguments)
{
    programs.push_back({program, arguments});
}

void FakeDesktop::moveToTrash(const QString& path)
{
    trashed.push_back(path);
    const QFileInfo info(path);
    const bool removed = trashSucceeds && (info.isDir() ? QDir(path).removeRecursively() : QFile::remove(path));
    if (!removed)
        throw polyx::Error(QStringLiteral("Impossible de mettre \"%1\" à la corbeille.").arg(path));
}

FakeServices::FakeServices()
{
    setServices({&dialogs, &clipboard, &desktop, &balloon, &screen, &cursor, &progress});
}

FakeServices::~FakeServices() { resetServices(); }

} // namespace platform
