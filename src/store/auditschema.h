#pragma once
// The database's audit trail and access log: the tables, the triggers that
// alone write the trail and the procedure that alone writes the log, with
// the rights that keep every other writer out.

#include <QStringList>

namespace store {

// The trail's and the log's tables, their generator and indexes.
QStringList auditTables();
// The triggers on every table of the record and the reference tables, the
// access-log procedure and the rights of both and of the roles; needs the
// tables above committed.
QStringList auditTriggersAndRights();

} // namespace store
