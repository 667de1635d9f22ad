#pragma once
#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

// The local files a drag carries, in the order the desktop gives them.
QStringList DroppedFiles(const QMimeData* mime);

// Makes a drag of files over any widget of `window` that takes drops of its
// own (text boxes, cell editors opened later) pass on to the window, so
// files can be dropped anywhere on it. Owned by the window.
class FileDropPassThrough : public QObject {
    Q_OBJECT
public:
    explicit FileDropPassThrough(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};
