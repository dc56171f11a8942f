// Moving to another patient: the eight detail data sets re-opened for a
// patient with 300 sessions, 100 notes of each kind and 5 siblings, against
// the same statements run on the raw Firebird interface, each prepared once,
// its rows fetched into the message buffer and its memos read undecoded.

#include "benchtiming.h"
#include "rawquery.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "store/tdm.h"
#include "support/testdatabase.h"

#include <QCoreApplication>
#include <QDate>
#include <QTime>

namespace {

// Values go to the named parameters in the order they appear.
void run(fb::Transaction& tx, const QString& sql, const QVariantList& values)
{
    fb::Statement st(tx, sql);
    const QStringList names = st.paramNames();
    for (int i = 0; i < values.size(); ++i)
        st.setParam(names[i], values[i]);
    st.execute();
}

// Two patients, each with the whole record, so that every move loads one.
void fill(const TestDatabase& db)
{
    fb::Connection c;
    bench::connectPlain(c, db);
    fb::Transaction tx(c);
    const QString text =
        QStringLiteral(u"Brincou com a bola e falou da escola; a mãe contou que dorme bem. ").repeated(4);
    run(tx, QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (3, 'Escola')"), {});
    run(tx, QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (1, 'Bola')"), {});
    run(tx, QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (2, 'Boneca')"), {});
    int id = 1000;
    for (int patient : {1, 2}) {
        run(tx,
            QStringLiteral(
                "INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) VALUES (:P1, :P2, :P3, :P4, 'A')"),
            {patient, QStringLiteral("Paciente %1").arg(patient), QDate(2005, 6, 10), QDate(2011, 3, 5)});
        for (const char* kind : {"P", "M"})
            run(tx, QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME) VALUES (:P1, :P2, :P3)"),
                {patient, QString::fromLatin1(kind), QStringLiteral("Pai ou mãe")});
        for (int i = 0; i < 5; ++i)
            run(tx, QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (:P1, :P2, :P3, :P4)"),
                {++id, patient, QStringLiteral(u"Irmão %1").arg(i), QDate(2000 + i, 1, 1)});
        const QDate first(2008, 1, 1);
        for (int i = 0; i < 300; ++i) {
            run(tx,
                QStringLiteral(
                    "INSERT INTO CONSULTA (ID, DATA, HORA, PACIENTE, OBSERVACOES) VALUES (:P1, :P2, :P3, :P4, :P5)"),
                {++id, first.addDays(i * 3), QTime(14, 0), patient, text});
            if (i == 0)
                for (int toy : {1, 2})
                    run(tx, QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (:P1, :P2)"),
                        {toy, id});
        }
        for (int i = 0; i < 100; ++i) {
            const QDate date = first.addDays(i * 7);
            run(tx,
                QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (:P1, :P2, :P3, :P4)"),
                {++id, patient, date, text});
            run(tx,
                QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO, OBSERVACOES) "
                               "VALUES (:P1, :P2, :P3, 'Fonoaudiologia', :P4)"),
                {++id, patient, date, text});
            run(tx,
                QStringLiteral(
                    "INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (:P1, 3, :P2, :P3, :P4)"),
                {++id, patient, date, text});
            run(tx, QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (:P1, :P2, :P3, :P4)"),
                {++id, patient, date, text.left(120)});
        }
    }
    tx.commit();
    c.disconnect();
}

struct Query {
    ds::SqlDataSet* dataSet;
    QString param;   // the one that follows the patient; TIPO keeps its value
};
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestDatabase db;
    fill(db);

    Tdm dm(db.folder());
    dm.qryOrientacao.paramByName(QStringLiteral("TIPO")).setAsInteger(3);
    dm.qryPaciente.open();
    bool forward = true;
    bench::Side ours{nullptr, [&] {
                         if (forward)
                             dm.qryPaciente.next();
                         else
                             dm.qryPaciente.prior();
                         forward = !forward;
                     }};

    // The statements of one move as the data module runs them: the eight
    // details, then the toy list of the first session, once after the
    // sessions opened and once after they moved onto their first row.
    const std::vector<Query> queries{
        {&dm.qryPai, QStringLiteral("PACIENTE")},
        {&dm.qryMae, QStringLiteral("PACIENTE")},
        {&dm.qryIrmao, QStringLiteral("PACIENTE")},
        {&dm.qryConsulta, QStringLiteral("PACIENTE")},
        {&dm.qryBrinquedoNaConsulta, QStringLiteral("CONSULTA")},
        {&dm.qryBrinquedoNaConsulta, QStringLiteral("CONSULTA")},
        {&dm.qryReavaliacao, QStringLiteral("PACIENTE")},
        {&dm.qryIndicacao, QStringLiteral("PACIENTE")},
        {&dm.qryOrientacao, QStringLiteral("PACIENTE")},
        {&dm.qryHistorico, QStringLiteral("ID")},
    };
    fb::Connection plain;
    bench::connectPlain(plain, db);
    int patient = 1;
    const int firstSession[] = {0, db.scalar(QStringLiteral("select min(ID) from CONSULTA where PACIENTE = 1")).toInt(),
                                db.scalar(QStringLiteral("select min(ID) from CONSULTA where PACIENTE = 2")).toInt()};
    std::vector<std::unique_ptr<bench::RawQuery>> raw;
    for (const Query& q : queries)
        raw.push_back(std::make_unique<bench::RawQuery>(plain, q.dataSet->sql()));
    bench::Side floor{nullptr, [&] {
                          patient = 3 - patient;
                          for (size_t i = 0; i < queries.size(); ++i) {
                              const Query& q = queries[i];
                              const int value = q.param == QStringLiteral("CONSULTA") ? firstSession[patient] : patient;
                              std::vector<int> params{value};
                              if (q.dataSet == &dm.qryOrientacao)
                                  params.push_back(3);   // TIPO follows PACIENTE in the text
                              raw[i]->run(params);
                          }
                      }};
    bench::compare("patient_switch", ours, floor, 40);
    dm.ZConnection1.disconnect();
    raw.clear();
    plain.disconnect();
    return 0;
}
