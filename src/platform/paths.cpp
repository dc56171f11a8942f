#include "platform/paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {
const QString kHelpCollection = QStringLiteral("help/Marvok.qhc");

bool isBuildFolder(const QString& programFolder) { return QFileInfo::exists(programFolder + u'/' + kHelpCollection); }
} // namespace

bool runsFromBuildFolder() { return isBuildFolder(QCoreApplication::applicationDirPath()); }

QString dataFile(const QString& path) { return dataFile(path, QCoreApplication::applicationDirPath()); }

QString dataFile(const QString& path, const QString& programFolder)
{
    if (isBuildFolder(programFolder))
        return programFolder + u'/' + path;
    const QString installed = QStringLiteral("marvok/") + path;
    const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation, installed);
    if (!found.isEmpty())
        return found;
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    return (folders.isEmpty() ? QStringLiteral("/usr/share") : folders.last()) + u'/' + installed;
}

} // namespace platform
