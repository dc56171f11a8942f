#pragma once
// The program's own database as a backup or a restore deals with it: its
// file, its pending edits, closing it around the tool and opening it again.

#include "fb/connection.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <exception>

class Tdm;

class LiveDatabase {
public:
    explicit LiveDatabase(Tdm& dm) : m_dm(dm) {}

    // The program's folder, with its trailing separator, and marvok.fdb in it.
    QString folder() const;
    QString file() const;
    // How the program connects; the database is the caller's to set.
    fb::ConnectParams settings() const;
    // The tables of the record data sets.
    QStringList recordTables() const;

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
