#include "store/tzsequence.h"
#include "dataset/connection.h"
#include "fb/statement.h"
#include "fb/transaction.h"

int TZSequence::GetNextValue()
{
    return FConnection->use([this](fb::Connection& connection) {
        fb::Transaction tx(connection);
        // The name stands in double quotes so that the database matches it exactly.
        fb::Statement query(tx, QStringLiteral("select GEN_ID(\"%1\", 1) from RDB$DATABASE").arg(FSequenceName));
        query.execute();
        query.fetch();
        const int value = query.value(0).toInt();
        query.closeCursor();
        tx.commit();
        return value;
    });
}
