// Connecting, the schema upgrade that runs on every connection, and the
// orderly closing of the record data sets before a disconnection.

#include "store/tdm.h"
#include "fb/statement.h"
#include "fb/transaction.h"

void Tdm::ZConnection1BeforeConnect(ds::Connection& connection)
{
    connection.settings.database = databaseLocation();
}

void Tdm::ZConnection1AfterConnect(ds::Connection& connection)
{
    int count = 0;
    {
        fb::Transaction& tx = connection.handle().readTransaction();
        fb::Statement query(tx, QStringLiteral("select count(*) from   RDB$RELATION_FIELDS where  RDB$RELATION_NAME = "
                                               "'PACIENTE' and       RDB$FIELD_NAME    = 'EMAIL'"));
        query.execute();
        if (query.fetch())
            count = query.value(0).toInt();
        query.closeCursor();
    }
    if (count == 0) {
        fb::Transaction tx(connection.handle());
        fb::executeSql(tx, QStringLiteral("ALTER TABLE PACIENTE ADD EMAIL VARCHAR(60)"));
        tx.commit();
    }
}

void Tdm::ZConnection1BeforeDisconnect(ds::Connection&)
{
    // Each close saves that data set's pending edit first; a failing save stops here.
    for (ds::SqlDataSet* d : closingOrder())
        d->close();
}
