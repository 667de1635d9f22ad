#pragma once
// Disks that fail the way real ones do, for the writers of user files.
#include <QString>

#include <csignal>
#include <sys/resource.h>

// While it lives, no file of this process grows past `bytes`: a write
// beyond fails with EFBIG, as on a device that fails after N bytes. Works
// for any user, so the tests that use it always run.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit();

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = SIG_DFL;
};

// A small file system mounted over `folder` (a tmpfs of `bytes`), so that
// the disk really fills up (ENOSPC). Mounting needs root: check mounted()
// and skip the test when it is false.
class SmallDisk {
public:
    SmallDisk(const QString& folder, qint64 bytes);
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    ~SmallDisk();

    bool mounted() const { return m_mounted; }
    // Fills what is left with one file of that name: the next write fails.
    void fill(const QString& name) const;

private:
    QString m_folder;
    bool m_mounted = false;
};
