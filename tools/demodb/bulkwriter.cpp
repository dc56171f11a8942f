#include "bulkwriter.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

// Bytes the server reserves for one parameter of the given type.
int declaredBytes(const QString& type)
{
    static const QRegularExpression varchar(QStringLiteral("^VARCHAR\\((\\d+)\\)"));
    const QRegularExpressionMatch m = varchar.match(type);
    return m.hasMatch() ? 4 * m.captured(1).toInt() + 2 : 8;
}

constexpr int kMaxRowsPerBlock = 32;
constexpr int kMaxBlockBytes = 128 * 1024;

} // namespace

BulkWriter::BulkWriter(fb::Connection& connection) : m_connection(connection) {}

int BulkWriter::addTable(const QString& table, const QString& columns)
{
    Table t;
    t.name = table;
    int rowBytes = 0;
    for (const QString& declared : columns.split(u',')) {
        Column c{declared.trimmed().section(u' ', 0, 0), declared.trimmed().section(u' ', 1)};
        if (c.type == QLatin1String("MEMO"))
            c.type = QStringLiteral("VARCHAR(2000)");
        if (c.type.startsWith(QLatin1String("VARCHAR")))
            c.type += QStringLiteral(" CHARACTER SET UTF8");
        rowBytes += declaredBytes(c.type);
        t.columns << c;
    }
    t.rowsPerBlock = std::clamp(kMaxBlockBytes / std::max(1, rowBytes), 1, kMaxRowsPerBlock);
    m_tables.push_back(std::move(t));
    return int(m_tables.size()) - 1;
}

void BulkWriter::insert(int table, QVariantList row) { m_tables[size_t(table)].pending.push_back(std::move(row)); }

void BulkWriter::commit()
{
    if (!m_transaction)
        m_transaction = std::make_unique<fb::Transaction>(m_connection);
    for (Table& t : m_tables)
        write(t);
    for (Table& t : m_tables)
        t.blocks.clear();   // prepared in this transaction
    m_transaction->commit();
    m_transaction.reset();
}

// Whole blocks first; the rest in blocks of halving size, so that a table
// needs only a few prepared statements.
void BulkWriter::write(Table& table)
{
    const int columns = int(table.columns.size());
    size_t next = 0;
    while (next < table.pending.size()) {
        const int left = int(table.pending.size() - next);
        int rows = table.rowsPerBlock;
        while (rows > left)
            rows /= 2;
        fb::Statement& st = block(table, rows);
        for (int r = 0; r < rows; ++r) {
            const QVariantList& row = table.pending[next + size_t(r)];
            for (int c = 0; c < columns; ++c)
                st.setParamAt(r * columns + c, row.value(c));
        }
        st.execute();
        next += size_t(rows);
    }
    m_rowsWritten += table.pending.size();
    table.pending.clear();
}

fb::Statement& BulkWriter::block(Table& table, int rows)
{
    std::unique_ptr<fb::Statement>& st = table.blocks[rows];
    if (st)
        return *st;
    QStringList inputs;
    QStringList names;
    for (const Column& c : table.columns)
        names << c.name;
    QString body;
    for (int r = 0; r < rows; ++r) {
        QStringList values;
        for (int c = 0; c < table.columns.size(); ++c) {
            const QString param = QStringLiteral("P%1_%2").arg(r).arg(c);
            inputs << param + u' ' + table.columns[c].type + QStringLiteral(" = ?");
            values << u':' + param;
        }
        body += QStringLiteral("INSERT INTO %1 (%2) VALUES (%3);\n")
                    .arg(table.name, names.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
    }
    const QString sql =
        QStringLiteral("EXECUTE BLOCK (%1) AS BEGIN\n%2END").arg(inputs.join(QStringLiteral(", ")), body);
    st = std::make_unique<fb::Statement>(*m_transaction, sql, fb::ParamStyle::Raw);
    return *st;
}
