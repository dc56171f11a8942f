#pragma once
// Databases that the server itself copies and deletes in its own folder,
// where this program, run by an ordinary user or from another PC, can
// neither write nor rename. A copy is made page by page as a shadow of the
// database, let go of with its file kept and made a database of its own.

#include "fb/connection.h"
#include "fb/location.h"

#include <QDateTime>
#include <QString>

namespace servercopy {

// Copies the database into the file `to` (as the server names it), which
// must not exist yet, and checks that the copy opens. Raises the server's
// error when it cannot; the server deletes what it began of the copy then.
void copy(const fb::Location& from, const QString& to, const fb::ConnectParams& account);
// The server deletes the database. Raises its error when it cannot: the
// database is open elsewhere, or there is no such database.
void remove(const fb::Location& database, const fb::ConnectParams& account);

// Whether the server writes every page of the attached database to the disk at once.
bool forcedWritesOf(fb::Connection& connection);
// The file of the attached database, as the server names it.
QString fileOf(fb::Connection& connection);
// When the server created the attached database: tells it apart from any
// other, and a copy has the date of the database it was made of.
QDateTime createdOf(fb::Connection& connection);
// The same, attaching for the question.
QDateTime createdOf(const fb::Location& database, const fb::ConnectParams& account);

} // namespace servercopy
