#pragma once
#include <QObject>
#include <QStringList>

class QMimeData;

// The local files a drag carries, in the order the desktop gives them.
QStringList DroppedFiles(const QMimeData* mime);

// Installed on the window's widgets that take drops of their own (text
// boxes): a drag of files passes through them to the window, so files can
// be dropped anywhere on it.
class FileDropPassThrough : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
