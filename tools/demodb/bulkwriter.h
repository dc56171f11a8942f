#pragma once
// Fast loading of many rows: each table's rows are buffered and sent as
// EXECUTE BLOCK statements of many INSERTs, so that one round trip to the
// server carries a whole block of rows.

#include "fb/connection.h"
#include "fb/statement.h"
#include "fb/transaction.h"

#include <QString>
#include <QVariantList>
#include <QVector>
#include <map>
#include <memory>
#include <vector>

class BulkWriter {
public:
    explicit BulkWriter(fb::Connection& connection);
    BulkWriter(const BulkWriter&) = delete;
    BulkWriter& operator=(const BulkWriter&) = delete;

    // Declares a table and the columns that insert() fills, as
    // "ID INTEGER, NOME VARCHAR(60), DATA DATE, OBSERVACOES MEMO" (a memo
    // text travels as text of at most 2000 characters and becomes a blob in
    // the server). Returns the handle that insert() takes. Tables are written
    // in the order they are declared, so parents come first.
    int addTable(const QString& table, const QString& columns);
    // One row, its values in the order of the columns (an invalid QVariant is NULL).
    void insert(int table, QVariantList row);
    // Writes every buffered row and commits.
    void commit();

    quint64 rowsWritten() const { return m_rowsWritten; }

private:
    struct Column {
        QString name;
        QString type;   // as a parameter of the block: "VARCHAR(60) CHARACTER SET UTF8"
    };
    struct Table {
        QString name;
        QVector<Column> columns;
        int rowsPerBlock = 1;
        std::vector<QVariantList> pending;
        std::map<int, std::unique_ptr<fb::Statement>> blocks;   // by number of rows, for this transaction
    };
    void write(Table& table);
    fb::Statement& block(Table& table, int rows);

    fb::Connection& m_connection;
    std::unique_ptr<fb::Transaction> m_transaction;
    std::vector<Table> m_tables;
    quint64 m_rowsWritten = 0;
};
