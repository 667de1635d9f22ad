#pragma once
// A temporary folder of the test's own that holds the program: the
// configuration and the work files the window makes land in it, and it is
// gone, with them, when the test ends.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class WorkFolder {
public:
    WorkFolder(); // the program's path is set to PolyxX in this folder
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Every name in the folder, the hidden ones too, sorted.
    QStringList filesOnDisk() const;

private:
    QTemporaryDir m_dir;
};
