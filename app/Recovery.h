#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// What a run that did not end leaves for the next one: the contents of the
// panes that differed from their files, one recovery file per pane. Rules
// only; the window feeds them its panes.
namespace polyx {

// In the order the session saves them.
enum class RecoveryPane { Questions, DictionaryExt, DictionaryInt, Fusion, Sanvor, ScriptExt, ScriptInt, ScriptUni };
QList<RecoveryPane> AllRecoveryPanes();

struct RecoveryFile {
    RecoveryPane pane = RecoveryPane::Questions;
    QString fileName; // the pane's file in the work folder: "Dr_Martin.DICO"
    QString path;     // the recovery file
    QDateTime modified;
};

// "Dictionnaire externe « DR_MARTIN », modifié le 11/12/2026 à 14:32".
QString DescribeRecovery(const RecoveryFile& file);

// A pane as its file would hold it.
struct PaneContent {
    QByteArray bytes;
    bool empty = false;
};

// Whether the pane says something its file does not (no file: anything but
// an empty pane). Text files of lines compare by lines, whatever their
// encoding and line ends; scripts by their bytes.
bool DiffersFromFile(RecoveryPane pane, const PaneContent& content, const std::optional<QByteArray>& fileBytes);

// The recovery folder. A pane's file there is named after the pane and the
// name of its file ("EXTERNE.Dr_Martin.DICO"), so that its extension keeps
// the format of the file it stands for.
class RecoveryFolder {
public:
    RecoveryFolder(QString folder, QString workFolder);

    QString folder() const { return m_folder; }
    // Replaces, atomically, what the pane had here under any name. Throws
    // polyx::Error when the file cannot be written.
    void keep(RecoveryPane pane, const QString& fileName, const QByteArray& content);
    void drop(RecoveryPane pane);
    // The newest file of each pane, in the panes' order.
    QList<RecoveryFile> files() const;
    // Those written after their file in the work folder was, or whose file
    // is gone: what a start offers.
    QList<RecoveryFile> offered() const;
    // Moves every file but the newest of the panes kept into `backupFolder`
    // + "RECUPERATION_yyyy-MM-dd_HH-mm-ss/" (nothing is deleted unseen), and
    // the recovery folder goes once empty. Throws polyx::Error naming a file
    // that could not be moved; it stays here.
    void setAside(const QString& backupFolder, const QDateTime& now, const QList<RecoveryPane>& kept = {});
    // After a save that wrote every pane to its file.
    void clear();

private:
    QString m_folder;
    QString m_workFolder;
};

// When the changes noted since the last write are due: `quiet` ms after the
// last one, but no later than `spacing` after the first one not written yet,
// and never sooner than `spacing` after the last write. Times in ms on one
// clock.
qint64 RecoveryDueTime(qint64 firstChange, qint64 lastChange, std::optional<qint64> lastWrite, qint64 quiet,
                       qint64 spacing);

} // namespace polyx
