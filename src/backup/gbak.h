#pragma once
// The database server's backup and restore tool, gbak: where it is found and
// how it is run. It is given an argument list, never a command line through a
// shell, so blanks and quotes in paths reach it as they are; its standard
// input is closed, because given a truncated backup it stops and asks there
// for the next volume.

#include "backup/gbakrun.h"

#include <QStringList>
#include <functional>

class Gbak {
public:
    // Where the server's own tool is installed: Debian's firebird3.0-utils,
    // then Firebird's own installation.
    static QStringList serverTools();
    // The program folder's own "gbak" when there is one, else the first of
    // the server's tools that exists; empty when there is none.
    static QString locate(const QString& programFolder, const QStringList& serverTools = Gbak::serverTools());
    // The tool that locate finds; raises "Gbak não encontrado." when there is none.
    static Gbak required(const QString& programFolder, const QStringList& serverTools);

    // The database as the tool reaches it: "127.0.0.1:" + its path.
    static QString address(const QString& databaseFile);
    // Backs the database up into the file.
    static QStringList backupArguments(const QString& databaseFile, const QString& backupFile);
    // Creates the database, which must not exist yet, from the backup file.
    static QStringList restoreArguments(const QString& backupFile, const QString& databaseFile);

    explicit Gbak(QString program) : m_program(std::move(program)) {}
    const QString& program() const { return m_program; }

    using LineHandler = std::function<void(const QString& line)>;
    // Runs the tool and waits for its end without a time limit, the event
    // loop running meanwhile; each line it writes goes to onLine as it comes.
    GbakRun run(const QStringList& arguments, const LineHandler& onLine = {}) const;

private:
    QString m_program;
};
