#pragma once
// A data module on a fresh database in a program folder whose name holds
// blanks, an accent and a quote; a folder of the same kind for the backup
// files; message boxes answered by script; and the tools a test puts in the
// program folder in place of the server's gbak.

#include "backup/gbak.h"
#include "store/tdm.h"
#include "support/scriptedmessages.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class BackupTest : public ::testing::Test {
protected:
    // A file in the backup folder.
    QString backupFile(const QString& name) const { return files.path() + u'/' + name; }

    static void addPatient(const TestDatabase& to, int id, const QString& name)
    {
        to.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                               "VALUES (%1, '%2', '2005-06-10', '2011-03-05', 'A')")
                    .arg(id)
                    .arg(name));
    }
    static QStringList patientNames(const TestDatabase& of)
    {
        QStringList names;
        for (const QVariant& v : of.column(QStringLiteral("select NOME from PACIENTE order by NOME")))
            names << v.toString();
        return names;
    }
    // The names of the patient list, in its order.
    QStringList shownNames() const
    {
        QStringList names;
        const ds::Field& nome = dm.qryPaciente.fieldByName(QStringLiteral("NOME"));
        for (int i = 0; i < dm.qryPaciente.recordCount(); ++i)
            names << dm.qryPaciente.rowValue(i, nome).toString();
        return names;
    }
    QString currentName() const { return dm.qryPaciente.fieldByName(QStringLiteral("NOME")).asString(); }

    // The server's own tool writes a backup of that database.
    QString backupOf(const TestDatabase& source, const QString& name) const
    {
        const QString file = backupFile(name);
        const GbakRun run = Gbak(Gbak::locate(QString())).run(
            Gbak::backupArguments(source.folder() + QStringLiteral("marvok.fdb"), file));
        EXPECT_TRUE(run.succeeded()) << run.output.toStdString();
        return file;
    }

    // A shell script standing in the program folder as its own gbak.
    void installTool(const QByteArray& script) const
    {
        const QString path = db.folder() + QStringLiteral("gbak");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + script);
        f.close();
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    }
    // A tool that only notes that it ran.
    void installRecordingTool() const { installTool("touch \"$(dirname \"$0\")/ran\"\nexit 1\n"); }
    bool toolRan() const { return QFile::exists(db.folder() + QStringLiteral("ran")); }

    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    static QByteArray bytes(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString& file, const QByteArray& data)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }

    TestDatabase db{QStringLiteral("marvok d'água XXXXXX")};
    QTemporaryDir files{QDir::tempPath() + QStringLiteral("/marvok cópias \"de\" segurança XXXXXX")};
    ScriptedMessages messages;
    Tdm dm{db.folder(), testusers::administrator()};
};
