#include "store/tzsequence.h"
#include "dataset/connection.h"
#include "fb/connection.h"
#include "fb/statement.h"
#include "fb/transaction.h"

int TZSequence::GetNextValue()
{
    return FConnection->use([this](fb::Connection& connection) {
        // A generator stands outside transactions: the attachment's reading
        // transaction draws as well as any, and the statement is kept, so
        // that a draw is one exchange with the server.
        fb::Transaction& tx = connection.readTransaction();
        // The name stands in double quotes so that the database matches it exactly.
        fb::Statement& query = FConnection->statement(
            tx, QStringLiteral("select GEN_ID(\"%1\", 1) from RDB$DATABASE").arg(FSequenceName));
        query.execute(tx);
        query.fetch();
        const int value = query.value(0).toInt();
        query.closeCursor();
        return value;
    });
}
