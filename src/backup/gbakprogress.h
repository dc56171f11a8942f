#pragma once
// Follows gbak's verbose output table by table. A backup names each table as
// it writes its definition and again as it writes its data; a restore names
// each table as it restores its definition, and then, in the reverse order,
// only those whose data holds rows, before it creates the indexes.

#include <QString>
#include <QStringList>

class GbakProgress {
public:
    // The count shown until the tool has named its tables.
    explicit GbakProgress(int expectedTables) : m_expected(expectedTables) {}

    // Reads one line; true when the progress moved.
    bool read(const QString& line);
    // Every table done (the tool ended well).
    void finish();

    int total() const;
    int done() const { return m_done; }
    // The table whose data is being written or read; empty before and after.
    const QString& table() const { return m_table; }
    // The data is in; the restore is building the indexes.
    bool indexing() const { return m_indexing; }

private:
    int m_expected;
    QStringList m_defined;   // tables in the order their definitions came
    int m_started = 0;       // tables whose data has begun (backup)
    int m_done = 0;
    QString m_table;
    bool m_indexing = false;
};
