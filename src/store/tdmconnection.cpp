// Connecting, the schema upgrade that runs on every connection, and the
// orderly closing of the record data sets before a disconnection.

#include "store/tdm.h"
#include "store/schemaversion.h"

void Tdm::ZConnection1BeforeConnect(ds::Connection& connection)
{
    connection.settings.database = databaseLocation();
}

void Tdm::ZConnection1AfterConnect(ds::Connection& connection)
{
    try {
        store::upgradeSchema(connection.handle());
    } catch (...) {
        // A database that is refused or not brought up to date is not used:
        // the next open tries again instead of reading it as it is.
        connection.handle().abandon();
        throw;
    }
}

void Tdm::ZConnection1BeforeDisconnect(ds::Connection&)
{
    // Each close saves that data set's pending edit first; a failing save stops here.
    for (ds::SqlDataSet* d : closingOrder())
        d->close();
}
