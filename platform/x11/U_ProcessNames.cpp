#include "platform/x11/U_ProcessNames.h"

#include <QFile>

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qsizetype kMaxName = 255;
// Ids of ended processes pile up; past this many the cache starts again.
constexpr qsizetype kMaxEntries = 1024;

QString FileName(const QByteArray& path)
{
    QString name = QFile::decodeName(path.mid(path.lastIndexOf('/') + 1));
    return name.left(kMaxName);
}

QString LinkName(const QByteArray& link)
{
    char target[PATH_MAX];
    const ssize_t size = ::readlink(link.constData(), target, sizeof target);
    if (size <= 0)
        return {};
    QByteArray path(target, size);
    // The kernel marks an executable replaced on disk since the start (an upgrade).
    if (path.endsWith(" (deleted)"))
        path.chop(10);
    return FileName(path);
}

QString CommName(const QByteArray& folder)
{
    QFile comm(QFile::decodeName(folder + "/comm"));
    if (!comm.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    // Kept whole: a kernel thread's name may hold a "/" ("kworker/0:1").
    return QFile::decodeName(comm.read(kMaxName + 1).trimmed()).left(kMaxName);
}
} // namespace

QString TProcessNames::ExeName(qint64 pid)
{
    if (pid <= 0)
        return {};
    const QByteArray folder = "/proc/" + QByteArray::number(pid);
    const QByteArray link = folder + "/exe";
    struct stat info = {};
    if (::stat(link.constData(), &info) != 0) {
        names.remove(pid);
        return CommName(folder);
    }
    const auto found = names.constFind(pid);
    if (found != names.cend() && found->device == info.st_dev && found->inode == info.st_ino)
        return found->name;
    const QString name = LinkName(link);
    if (name.isEmpty())
        return CommName(folder);
    if (names.size() >= kMaxEntries)
        names.clear();
    names.insert(pid, TEntry{info.st_dev, info.st_ino, name});
    return name;
}
