#pragma once
// A data module on a fresh database in a program folder whose name holds
// blanks, an accent and a quote; a folder of the same kind for the backup
// files, which only this process's user may enter (the server never touches
// it: backups travel through the service manager); message boxes answered by
// script.

#include "fb/service.h"
#include "store/tdm.h"
#include "support/scriptedmessages.h"
#include "support/testaccount.h"
#include "support/testdatabase.h"
#include "support/testusers.h"

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

    // The server writes a backup of the database at that location into a file here.
    static void writeBackup(const QString& location, const QString& file)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        fb::BackupStream stream(fb::parseLocation(location), testAccount());
        for (QByteArray piece = stream.read(); !piece.isEmpty(); piece = stream.read())
            ASSERT_EQ(out.write(piece), piece.size());
    }
    QString backupOf(const TestDatabase& source, const QString& name) const
    {
        const QString file = backupFile(name);
        writeBackup(source.location(), file);
        return file;
    }

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
