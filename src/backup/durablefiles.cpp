#include "backup/durablefiles.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace durable {

namespace {

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString syncPath(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        return systemError(errno);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    return result == 0 ? QString() : systemError(error);
}

// The new entry of the folder reaches the disk; a folder that cannot be
// synced is left to the system.
QString entrySynced(const QString& to)
{
    syncPath(QFileInfo(to).absolutePath(), O_RDONLY | O_DIRECTORY);
    return {};
}

QString move(const QString& from, const QString& to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return systemError(errno);
    return entrySynced(to);
}

} // namespace

QString sync(const QString& file) { return syncPath(file, O_RDONLY); }

QString rename(const QString& from, const QString& to)
{
    // In one step where the file system can: no file can take the name
    // between a look and the rename.
    if (::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD, QFile::encodeName(to).constData(),
                    RENAME_NOREPLACE) == 0)
        return entrySynced(to);
    if (errno != EINVAL && errno != ENOSYS)
        return systemError(errno);
    // A file system that cannot: look first.
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return systemError(EEXIST);
    return move(from, to);
}

QString replace(const QString& from, const QString& to) { return move(from, to); }

} // namespace durable
