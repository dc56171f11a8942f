#pragma once
// The program's own database as a backup or a restore deals with it: where
// the server keeps it, the account the program connects with, its pending
// edits, closing it around the work and opening it again.

#include "fb/connection.h"
#include "fb/location.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <exception>
#include <optional>

class Tdm;

class LiveDatabase {
public:
    explicit LiveDatabase(Tdm& dm) : m_dm(dm) {}

    // marvok.fdb in the program's folder, as this PC sees it.
    QString file() const;
    // The database as the data module reaches it: its server and its path or alias.
    fb::Location location() const;
    // The account the data module connects with (user, password) under the
    // server's administration role; the database is the caller's to set.
    fb::ConnectParams account() const;
    // The tables of the record data sets.
    QStringList recordTables() const;

    // The database's file as the server names it, read from the server
    // (connecting when need be). Raises the connection's error.
    QString serverFile();
    // The same when the database can be opened; nothing otherwise.
    std::optional<QString> serverFileIfThere();

    // Gives the database (serverFile, connected) its forced writes back when
    // it has lost them: a copy that the program's end or a power loss cut
    // short leaves them off. Nothing is said when the server refuses: the
    // work goes on as it would have.
    void restoreForcedWrites(const QString& serverFile);

    // Saves every pending edit, in the order the closing would; a save that
    // fails raises its error and leaves that edit pending, with nothing closed.
    void saveEdits();
    // Closes the patient list (and, when the database is to be replaced, the
    // reference lists, whose rows would be another database's), then the connection.
    void close(bool referenceLists);
    // Connects and opens the patient list, which makes the first patient current.
    void open();
    // The same, handing back the error instead of raising it.
    std::exception_ptr tryOpen();
    // Other programs attached to the database now, any user's (seen under the
    // server's administration role); 0 when we are not connected.
    int otherAttachments();
    // When the server created the database we are connected to.
    QDateTime created();

private:
    Tdm& m_dm;
};
