// Connecting, the checks that run on every connection (encryption, the
// user's role, the schema version), and the orderly closing of the record
// data sets before a disconnection.

#include "store/attachmentcheck.h"
#include "store/tdm.h"

void Tdm::ZConnection1BeforeConnect(ds::Connection& connection)
{
    // Only a user's own account: never the client's ISC_USER or anything else.
    if (connection.settings.user.isEmpty() || connection.settings.role.isEmpty())
        throw store::EAccessRefused(QStringLiteral(u"Entre com o seu usuário do Marvok para abrir o banco de dados."));
    connection.settings.database = databaseLocation();
}

void Tdm::ZConnection1AfterConnect(ds::Connection& connection)
{
    try {
        store::checkAttachment(connection.handle(), databaseLocation());
    } catch (...) {
        // An attachment that is refused is not used: the next open tries
        // again instead of reading the database as it is.
        connection.handle().abandon();
        throw;
    }
}

void Tdm::ZConnection1AfterReattach(ds::Connection&)
{
    // What a lost connection left pending is written as soon as the server
    // answers again, whatever the user does next, not only at that list's
    // next save. A list being edited sends it with its own save.
    for (ds::SqlDataSet* d : recordDataSets())
        if (!d->isEditing())
            d->applyUpdates();
}

void Tdm::ZConnection1BeforeDisconnect(ds::Connection&)
{
    // Each close saves that data set's pending edit first; a failing save stops here.
    for (ds::SqlDataSet* d : closingOrder())
        d->close();
}
