#pragma once
// A fresh Marvok database for one test: made from db/schema.sql and the
// program's upgrade steps through the local Firebird server in a folder of
// its own, dropped afterwards. At the program's version it gives the run's
// users (testusers.h) their roles; the test's own SQL runs as the server's
// administrator.

#include "fb/connection.h"
#include "support/testusers.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QVariantList>

class TestDatabase {
public:
    enum class Layout {
        Current,   // db/schema.sql brought up to the program's version
        Base,      // db/schema.sql alone, as databases were made before versions were recorded
    };

    // folderName: the name of the database's folder in the temporary folder,
    // XXXXXX standing for the letters that make it unique.
    explicit TestDatabase(const QString& folderName = QStringLiteral("marvok-test-XXXXXX"),
                          Layout layout = Layout::Current);
    explicit TestDatabase(Layout layout) : TestDatabase(QStringLiteral("marvok-test-XXXXXX"), layout) {}
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // The folder that holds marvok.fdb, with a trailing separator.
    QString folder() const;
    QString location() const;   // "localhost:" + the file's path
    // The administrator's settings for a connection to this database.
    fb::ConnectParams connectParams() const;

    // Runs statements in a connection of their own, each committed.
    void exec(const QString& sql) const;
    // The first column of the first row (invalid when there is none).
    QVariant scalar(const QString& sql) const;
    // Every row's first column.
    QVariantList column(const QString& sql) const;
    // Every row, each as its columns.
    QList<QVariantList> rows(const QString& sql) const;

    // Deletes the connection's attachment from a connection of its own, as
    // a server restart would; the connection still holds the dead handle.
    void dropAttachment(fb::Connection& connection) const;

private:
    QTemporaryDir m_dir;
};

// Every row of a statement, read in a connection of its own.
QList<QVariantList> selectRows(const fb::ConnectParams& params, const QString& sql);
// Every row of a query on an open connection, each as its columns.
QList<QVariantList> queryRows(fb::Connection& connection, const QString& sql);

// The database every test database of the program's version is a copy of,
// made at the first call.
QString templateLocation();

// Points at db/schema.sql of the source tree.
QString schemaPath();
// The statements of a schema file, without comments, SET and COMMIT lines.
QStringList schemaStatements(const QString& path);
