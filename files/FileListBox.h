#pragma once
#include <QFileIconProvider>
#include <QListWidget>
#include <QPointer>
#include <QWindow>

// The file list of the file panel: one folder, its sub-folders then the
// files matching the mask, in two columns. It is read again whenever its
// folder or mask changes and on refresh, never behind the user's back.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    // Lists `folder` at once.
    explicit FileListBox(const QString& folder, QWidget* parent = nullptr);

    QString folder() const { return m_folder; }
    void setFolder(const QString& folder);
    QString mask() const { return m_mask; }
    void setMask(const QString& mask);
    void refresh();

    // While one is alive, refresh() waits and the folder is read once when
    // the last one ends: saving the session writes five files, each asking
    // for a refresh, and a large folder would be read five times. A refresh
    // asked while a mouse button is down waits for the release to be
    // handled: the press on an entry may have set off a save, and the entry
    // under the pointer must stay the one clicked.
    class RefreshBatch {
    public:
        explicit RefreshBatch(FileListBox& list);
        ~RefreshBatch();
        RefreshBatch(const RefreshBatch&) = delete;
        RefreshBatch& operator=(const RefreshBatch&) = delete;

    private:
        FileListBox& m_list;
    };

    // Throws polyx::Error, saying to rename it, for an entry whose name is
    // not UTF-8: no path reaches it.
    QString pathAt(int row) const;
    bool isFolderAt(int row) const;
    // The bytes of such a name; empty for every other entry.
    QByteArray nativeNameAt(int row) const;
    // The focused entry provided that it is selected, else -1.
    int currentEntry() const;

signals:
    // A click on an entry, or the keyboard moved the focus.
    void picked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void reread();
    void fitColumns();

    QString m_folder;
    QString m_mask;
    QFileIconProvider m_icons;
    int m_batches = 0;
    bool m_stale = false;
    bool m_buttonDown = false;         // in the window, seen before any widget
    QPointer<QWindow> m_window;       // the window whose mouse is watched
};
