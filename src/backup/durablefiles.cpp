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

QString move(const QString& from, const QString& to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return systemError(errno);
    // The new entry of the folder; a folder that cannot be synced is left to the system.
    syncPath(QFileInfo(to).absolutePath(), O_RDONLY | O_DIRECTORY);
    return {};
}

} // namespace

QString sync(const QString& file) { return syncPath(file, O_RDONLY); }

QString rename(const QString& from, const QString& to)
{
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return systemError(EEXIST);
    return move(from, to);
}

QString replace(const QString& from, const QString& to) { return move(from, to); }

} // namespace durable
