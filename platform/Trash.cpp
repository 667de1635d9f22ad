#include "platform/Trash.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Longest name of one folder entry on the file systems in use.
constexpr qsizetype kNameMax = 255;
const QByteArray kInfoSuffix = QByteArrayLiteral(".trashinfo");

// A trash that cannot be used, with the system's reason.
struct Refusal {
    QByteArray folder;
    int error = 0;
};

QString reasonOf(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Accès refusé");
    case EROFS:
        return QStringLiteral("Le support est protégé en écriture");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Espace insuffisant sur le disque");
    case ENOENT:
        return QStringLiteral("Le fichier spécifié est introuvable");
    case ENOTDIR:
    case EEXIST:
        return QStringLiteral("Un fichier porte le nom d'un des dossiers de son chemin");
    case ENAMETOOLONG:
        return QStringLiteral("Le nom de fichier ou l'extension est trop long");
    case EXDEV:
        return QStringLiteral("La corbeille n'est pas sur le même disque que le fichier");
    case EINVAL:
        return QStringLiteral("Le dossier de la corbeille se trouve dans l'élément à supprimer");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

std::optional<struct stat> statOf(const QByteArray& path, bool followLink = true)
{
    struct stat info {};
    if ((followLink ? ::stat(path.constData(), &info) : ::lstat(path.constData(), &info)) != 0)
        return std::nullopt;
    return info;
}

QByteArray parentOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// The folder and the missing ones above it, each made with mode 0700 as
// the desktop's own folders are; 0 or the errno of the step that failed.
int makeFolders(const QByteArray& path)
{
    if (const auto info = statOf(path))
        return S_ISDIR(info->st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT)
        return errno;
    if (path != "/")
        if (const int error = makeFolders(parentOf(path)))
            return error;
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return errno;
    const auto made = statOf(path);
    return made && S_ISDIR(made->st_mode) ? 0 : ENOTDIR;
}

// The trash folder with its "files" and "info" folders, made when missing.
std::optional<Refusal> prepare(const QByteArray& trash)
{
    for (const QByteArray& folder : {trash, trash + "/files", trash + "/info"})
        if (const int error = makeFolders(folder))
            return Refusal{trash, error};
    return std::nullopt;
}

// The device of the nearest folder of `path` that exists.
dev_t deviceOfNearest(QByteArray path)
{
    for (;;) {
        if (const auto info = statOf(path))
            return info->st_dev;
        if (path == "/")
            return 0;
        path = parentOf(path);
    }
}

// The mount point that holds the entry: the highest folder above it on the
// same device.
QByteArray topFolderOf(const QByteArray& path, dev_t device)
{
    QByteArray top = parentOf(path);
    while (top != "/") {
        const QByteArray up = parentOf(top);
        const auto info = statOf(up);
        if (!info || info->st_dev != device)
            break;
        top = up;
    }
    return top;
}

// $topdir/.Trash/$uid when the administrator made a shared, sticky .Trash
// that is no link, else $topdir/.Trash-$uid, which must be the user's own.
std::pair<QByteArray, std::optional<Refusal>> topTrash(const QByteArray& top)
{
    const QByteArray base = top == "/" ? QByteArray() : top;
    const QByteArray uid = QByteArray::number(::getuid());
    const QByteArray shared = base + "/.Trash";
    if (const auto info = statOf(shared, false); info && S_ISDIR(info->st_mode) && (info->st_mode & S_ISVTX)) {
        const QByteArray own = shared + '/' + uid;
        if (!prepare(own))
            return {own, std::nullopt};
    }
    const QByteArray own = base + "/.Trash-" + uid;
    if (::mkdir(own.constData(), 0700) != 0 && errno != EEXIST)
        return {own, Refusal{own, errno}};
    const auto info = statOf(own, false);
    if (!info || !S_ISDIR(info->st_mode) || info->st_uid != ::getuid())
        return {own, Refusal{own, EACCES}};
    return {own, prepare(own)};
}

// The name in the trash: the file's own, "name (2).ext" and on when taken;
// cut so that its info file's name stays within the file system's limit.
QByteArray candidateName(const QByteArray& name, int attempt)
{
    const qsizetype dot = name.lastIndexOf('.');
    const bool hasExtension = dot > 0 && name.size() - dot <= 16;
    QByteArray base = hasExtension ? name.left(dot) : name;
    const QByteArray extension = hasExtension ? name.mid(dot) : QByteArray();
    const QByteArray number = attempt > 1 ? " (" + QByteArray::number(attempt) + ")" : QByteArray();
    const qsizetype room = kNameMax - kInfoSuffix.size() - extension.size() - number.size();
    if (base.size() > room) {
        base.truncate(room);
        // Never half a UTF-8 character.
        while (!base.isEmpty() && (uchar(base.back()) & 0xC0) == 0x80)
            base.chop(1);
        if (!base.isEmpty() && uchar(base.back()) >= 0xC0)
            base.chop(1);
    }
    return base + number + extension;
}

// Writes the whole of `bytes` into a new file; 0 or the errno.
int writeNewFile(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    qsizetype done = 0;
    int error = 0;
    while (done < bytes.size() && !error) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno != EINTR)
            error = errno;
        else if (written > 0)
            done += written;
    }
    if (::close(fd) != 0 && !error)
        error = errno;
    if (error)
        ::unlink(path.constData());
    return error;
}

// The info file is made first and with O_EXCL: it reserves the name
// against another program trashing at the same time.
std::optional<Refusal> moveInto(const QByteArray& trash, const QByteArray& entry, const QByteArray& recorded)
{
    const QByteArray name = entry.mid(entry.lastIndexOf('/') + 1);
    const QByteArray info = TrashInfo(recorded, QDateTime::currentDateTime());
    for (int attempt = 1; attempt < 10000; ++attempt) {
        const QByteArray stored = candidateName(name, attempt);
        const QByteArray target = trash + "/files/" + stored;
        if (statOf(target, false))
            continue;
        const QByteArray infoPath = trash + "/info/" + stored + kInfoSuffix;
        if (const int error = writeNewFile(infoPath, info)) {
            if (error == EEXIST)
                continue;
            return Refusal{trash, error};
        }
        if (::rename(entry.constData(), target.constData()) != 0) {
            const int error = errno;
            ::unlink(infoPath.constData());
            return Refusal{trash, error};
        }
        return std::nullopt;
    }
    return Refusal{trash, EEXIST};
}

} // namespace

QString HomeTrashFolder()
{
    QString dataHome = QFile::decodeName(qgetenv("XDG_DATA_HOME"));
    if (!QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + QStringLiteral("/Trash"));
}

QByteArray TrashInfo(const QByteArray& nativePath, const QDateTime& deletion)
{
    return QByteArrayLiteral("[Trash Info]\nPath=") + nativePath.toPercentEncoding("/")
           + QByteArrayLiteral("\nDeletionDate=") + deletion.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1()
           + '\n';
}

void MoveToTrash(const QString& path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QByteArray entry = QFile::encodeName(absolute);
    const QByteArray homeTrash = QFile::encodeName(HomeTrashFolder());
    std::optional<Refusal> refusal;
    if (const auto info = statOf(entry, false); !info) {
        refusal = Refusal{homeTrash, errno};
    } else if (info->st_dev == deviceOfNearest(homeTrash)) {
        refusal = prepare(homeTrash);
        if (!refusal)
            refusal = moveInto(homeTrash, entry, entry);
    } else {
        // The top folder's trash records the path from the top folder.
        const QByteArray top = topFolderOf(entry, info->st_dev);
        const auto [trash, unusable] = topTrash(top);
        refusal = unusable;
        if (!refusal)
            refusal = moveInto(trash, entry, top == "/" ? entry.mid(1) : entry.mid(top.size() + 1));
    }
    if (refusal)
        throw polyx::Error(QStringLiteral("Impossible de mettre \"%1\" à la corbeille \"%2\". %3.\r\n"
                                          "Le fichier est resté à sa place.")
                               .arg(absolute, QFile::decodeName(refusal->folder), reasonOf(refusal->error)));
}

} // namespace platform
