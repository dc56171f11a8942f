#pragma once
// Databases for the benchmarks: many patients with their registration, or
// a few patients each with a long record of sessions and notes.

#include "fb/connection.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "support/testdatabase.h"

#include <QDate>
#include <QTime>

namespace bench {

// Patients numbered 1 to count, registered on 5 March 2011, in an order by name unlike their numbers.
inline void fillPatients(const TestDatabase& db, int count)
{
    db.exec(QStringLiteral(
        "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= %1) DO BEGIN "
        "INSERT INTO PACIENTE (ID, NOME, EMAIL, NASCIMENTO, CADASTRO, STATUS, FONE, ENDERECO, BAIRRO, CIDADE, UF, CEP) "
        "VALUES (:I, 'Paciente ' || (MOD(:I * 7919, 100000)), 'p' || :I || '@exemplo.com.br', DATEADD(MOD(:I, 4000) DAY TO "
        "DATE '2000-01-01'), DATE '2011-03-05', 'A', '1133334444', 'Rua das Acácias, ' || :I, 'Centro', 'São Paulo', "
        "'SP', '01234567'); I = I + 1; END END").arg(count));
}

// Values go to the named parameters in the order they appear.
inline void runSql(fb::Transaction& tx, const QString& sql, const QVariantList& values)
{
    fb::Statement st(tx, sql);
    const QStringList names = st.paramNames();
    for (int i = 0; i < values.size(); ++i)
        st.setParam(names[i], values[i]);
    st.execute();
}

// Two patients (1 and 2), each with a whole record: both parents, 5 siblings,
// 300 sessions (the first with two toys), 100 re-evaluations, referrals,
// guidance notes of type 3 and history notes.
inline void fillFullRecords(const TestDatabase& db)
{
    fb::Connection c;
    c.connect(db.connectParams());
    fb::Transaction tx(c);
    const QString text =
        QStringLiteral(u"Brincou com a bola e falou da escola; a mãe contou que dorme bem. ").repeated(4);
    runSql(tx, QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (3, 'Escola')"), {});
    runSql(tx, QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (1, 'Bola')"), {});
    runSql(tx, QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (2, 'Boneca')"), {});
    int id = 1000;
    for (int patient : {1, 2}) {
        runSql(tx,
            QStringLiteral(
                "INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) VALUES (:P1, :P2, :P3, :P4, 'A')"),
            {patient, QStringLiteral("Paciente %1").arg(patient), QDate(2005, 6, 10), QDate(2011, 3, 5)});
        for (const char* kind : {"P", "M"})
            runSql(tx, QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME) VALUES (:P1, :P2, :P3)"),
                {patient, QString::fromLatin1(kind), QStringLiteral("Pai ou mãe")});
        for (int i = 0; i < 5; ++i)
            runSql(tx, QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (:P1, :P2, :P3, :P4)"),
                {++id, patient, QStringLiteral(u"Irmão %1").arg(i), QDate(2000 + i, 1, 1)});
        const QDate first(2008, 1, 1);
        for (int i = 0; i < 300; ++i) {
            runSql(tx,
                QStringLiteral(
                    "INSERT INTO CONSULTA (ID, DATA, HORA, PACIENTE, OBSERVACOES) VALUES (:P1, :P2, :P3, :P4, :P5)"),
                {++id, first.addDays(i * 3), QTime(14, 0), patient, text});
            if (i == 0)
                for (int toy : {1, 2})
                    runSql(tx, QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (:P1, :P2)"),
                        {toy, id});
        }
        for (int i = 0; i < 100; ++i) {
            const QDate date = first.addDays(i * 7);
            runSql(tx,
                QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (:P1, :P2, :P3, :P4)"),
                {++id, patient, date, text});
            runSql(tx,
                QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO, OBSERVACOES) "
                               "VALUES (:P1, :P2, :P3, 'Fonoaudiologia', :P4)"),
                {++id, patient, date, text});
            runSql(tx,
                QStringLiteral(
                    "INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (:P1, 3, :P2, :P3, :P4)"),
                {++id, patient, date, text});
            runSql(tx, QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (:P1, :P2, :P3, :P4)"),
                {++id, patient, date, text.left(120)});
        }
    }
    tx.commit();
    c.disconnect();
}

} // namespace bench
