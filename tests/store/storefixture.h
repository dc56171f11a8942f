#pragma once
// A fresh database with a data module on it, message boxes answered by
// script, and the clock frozen where a test sets it.

#include "core/clock.h"
#include "fb/connection.h"
#include "fb/fberror.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "store/tdm.h"
#include "support/scriptedmessages.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

// Runs statements in one transaction of a connection of the account's (a
// query's first row read); empty when they worked, else the server's message.
inline QString runAs(const TestDatabase& db, const store::Account& account, const QStringList& statements)
{
    fb::ConnectParams p;
    p.database = db.location();
    p.user = account.user;
    p.password = account.password;
    p.role = account.role;
    try {
        fb::Connection c;
        c.connect(p);
        fb::Transaction tx(c);
        for (const QString& sql : statements) {
            fb::Statement st(tx, sql, fb::ParamStyle::Raw);
            st.execute();
            if (st.hasResultSet()) {
                st.fetch();
                st.closeCursor();
            }
        }
        tx.commit();
        return {};
    } catch (const fb::FbError& e) {
        return e.message().isEmpty() ? QStringLiteral("?") : e.message();
    }
}

class StoreTest : public ::testing::Test {
protected:
    ~StoreTest() override { Clock::set(std::nullopt); }

    void addPatient(int id, const char* name, const char* cadastro = "2011-03-05") const
    {
        db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                               "VALUES (%1, '%2', '2005-06-10', '%3', 'A')")
                    .arg(id)
                    .arg(QString::fromUtf8(name), QString::fromLatin1(cadastro)));
    }
    void addSession(int id, int patient, const char* date, const char* time = "10:00:00") const
    {
        db.exec(QStringLiteral("INSERT INTO CONSULTA (ID, DATA, HORA, PACIENTE) VALUES (%1, '%2', '%3', %4)")
                    .arg(id)
                    .arg(QString::fromLatin1(date), QString::fromLatin1(time))
                    .arg(patient));
    }
    // The generator's value, read apart from the data module.
    int generator(const char* name) const
    {
        return db.scalar(QStringLiteral("select gen_id(%1, 0) from RDB$DATABASE").arg(QString::fromLatin1(name)))
            .toInt();
    }
    int count(const QString& sql) const { return db.scalar(sql).toInt(); }

    static ds::Field& field(const ds::DataSet& d, const char* name) { return d.fieldByName(QString::fromLatin1(name)); }
    static void set(ds::DataSet& d, const char* name, const QVariant& value) { field(d, name).setValue(value); }
    static QVariant value(const ds::DataSet& d, const char* name) { return field(d, name).value(); }
    // One column of every row, in the data set's order.
    static QVariantList columnOf(const ds::DataSet& d, const char* name)
    {
        QVariantList out;
        for (int i = 0; i < d.recordCount(); ++i)
            out << d.rowValue(i, field(d, name));
        return out;
    }
    static QString refusedText(const QString& message)
    {
        return QStringLiteral(u"Erro na gravação dos dados.\r\rMensagem do Banco de Dados:\r") + message;
    }

    TestDatabase db;
    ScriptedMessages messages;
    Tdm dm{db.folder(), testusers::therapist()};
};
