#pragma once
// A database location as the client library reads it, "server:path": the
// server part ("localhost", "host/3051", "[::1]") and the path or alias the
// server knows the database by. A location without a server ("/x/y.fdb",
// "C:\x\y.fdb") is a file of this machine, opened without a server.

#include <QString>

namespace fb {

struct Location {
    QString server;   // empty: this machine, without a server
    QString path;

    // "server:path", or the bare path without a server.
    QString text() const;
    // The service manager of the same server.
    QString serviceManager() const;
    // Another database of the same server.
    Location sibling(const QString& otherPath) const { return Location{server, otherPath}; }
};

Location parseLocation(const QString& location);

// The folder of a path as the server names it, with its trailing separator
// ("/" or "\", whichever the path uses); empty for a bare name (an alias).
QString serverFolderOf(const QString& serverPath);

} // namespace fb
