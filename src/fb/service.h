#pragma once
// The server's service manager: the server itself backs a database up or
// restores one, the backup streamed to or from this program, so that the
// file lies where this program keeps it, on this PC, wherever the server is;
// and it sets a database's properties. The account is the one a connection
// takes (user, password); it travels in the parameter block, never on a
// command line. Every call waits for the server: run them off the user
// interface's thread. Each object owns its service attachment and releases
// it on every path.

#include "core/eerror.h"
#include "fb/connection.h"
#include "fb/location.h"

#include <QByteArray>
#include <QStringList>
#include <memory>

namespace fb {

class ServiceAttachment;

// A backup that the server writes of one of its databases and hands over
// piece by piece.
class BackupStream {
public:
    // database: the database as the client library names it ("localhost:/x/marvok.fdb").
    BackupStream(const Location& database, const ConnectParams& account);
    ~BackupStream();
    BackupStream(const BackupStream&) = delete;
    BackupStream& operator=(const BackupStream&) = delete;

    // The next piece, waiting for it; empty once the backup is whole.
    // Raises FbError when the server could not make it.
    QByteArray read();
    bool atEnd() const { return m_atEnd; }

private:
    std::unique_ptr<ServiceAttachment> m_service;
    bool m_atEnd = false;
};

// A restore that the server makes into a new database (one that does not
// exist yet) from a backup handed over by this program. It tells every step
// in a line, as gbak's verbose output does.
class RestoreStream {
public:
    RestoreStream(const Location& database, const ConnectParams& account);
    ~RestoreStream();
    RestoreStream(const RestoreStream&) = delete;
    RestoreStream& operator=(const RestoreStream&) = delete;

    // The most bytes one turn hands over.
    static constexpr qsizetype kMaxPiece = 65000;

    // Waits until the restore says something or asks for the backup's next
    // bytes. piece: what it asked for last time (at most that many, at most
    // kMaxPiece; empty when the backup has ended), ignored when it asked for
    // nothing. Raises FbError when the restore failed.
    void turn(const QByteArray& piece = {});

    // What the last turn brought.
    const QStringList& lines() const { return m_lines; }
    qsizetype wanted() const { return m_wanted; }
    bool finished() const { return m_finished; }

private:
    std::unique_ptr<ServiceAttachment> m_service;
    QStringList m_lines;
    qsizetype m_wanted = 0;
    bool m_finished = false;
};

// The server could not create a file: no permission, no room, or the name is taken.
bool isFileCreationFailure(const EError& error);

// Opens a database that was shut down (as a restore that failed halfway
// leaves it) to every attachment again (gfix -online).
void bringOnline(const Location& database, const ConnectParams& account);

// Sets whether the server writes every page of the database to the disk at
// once (forced writes) or leaves it to the system, which it then tells to
// write everything when the database is closed.
void setForcedWrites(const Location& database, const ConnectParams& account, bool on);

// Makes a preserved shadow file a database of its own (gfix -activate); a
// database that is no shadow is left as it is.
void activateDatabase(const Location& database, const ConnectParams& account);

} // namespace fb
