#include "fb/location.h"

namespace fb {

QString Location::text() const { return server.isEmpty() ? path : server + u':' + path; }

QString Location::serviceManager() const
{
    return server.isEmpty() ? QStringLiteral("service_mgr") : server + QStringLiteral(":service_mgr");
}

Location parseLocation(const QString& location)
{
    qsizetype colon = -1;
    if (location.startsWith(u'[')) {   // an IPv6 address: its colons are its own
        const qsizetype close = location.indexOf(u']');
        if (close > 0)
            colon = location.indexOf(u':', close);
    } else {
        colon = location.indexOf(u':');
    }
    // "C:\..." and "C:/..." are a drive of this machine, not a server named C.
    const bool drive = colon == 1 && location.size() > 2 && (location[2] == u'\\' || location[2] == u'/');
    if (colon <= 0 || drive)
        return Location{QString(), location};
    return Location{location.left(colon), location.mid(colon + 1)};
}

QString serverFolderOf(const QString& serverPath)
{
    const qsizetype at = std::max(serverPath.lastIndexOf(u'/'), serverPath.lastIndexOf(u'\\'));
    return at < 0 ? QString() : serverPath.left(at + 1);
}

} // namespace fb
