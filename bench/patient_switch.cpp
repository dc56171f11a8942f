// Moving to another patient: the eight detail data sets re-opened for a
// patient with 300 sessions, 100 notes of each kind and 5 siblings, against
// the same statements run on the raw Firebird interface, each prepared once,
// its rows fetched into the message buffer with their memos, as the data
// sets have them come, undecoded.

#include "benchlink.h"
#include "benchtiming.h"
#include "patientfill.h"
#include "rawquery.h"
#include "store/tdm.h"
#include "support/testdatabase.h"

#include <QCoreApplication>
#include <QDate>
#include <QTime>

namespace {

struct Query {
    ds::SqlDataSet* dataSet;
    QString param;   // the one that follows the patient; TIPO keeps its value
};
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestDatabase db;
    bench::fillFullRecords(db);

    Tdm dm(db.folder(), testusers::therapist());
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
    for (const Query& q : queries) {
        QStringList memos;
        for (const auto& f : q.dataSet->fields())
            if (f->type() == ds::FieldType::Memo)
                memos << f->name();
        raw.push_back(std::make_unique<bench::RawQuery>(plain, q.dataSet->sql(), memos));
    }
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

    // The same moves over the practice's network.
    bench::Link link;
    Tdm far(db.folder(), testusers::therapist());
    link.route(far);
    far.qryOrientacao.paramByName(QStringLiteral("TIPO")).setAsInteger(3);
    far.qryPaciente.open();
    bench::Side farMove{nullptr, [&] {
                            if (forward)
                                far.qryPaciente.next();
                            else
                                far.qryPaciente.prior();
                            forward = !forward;
                        }};
    bench::reportLink("patient_switch_lan", bench::measureThrough(link, farMove, 20));
    far.ZConnection1.disconnect();
    raw.clear();
    plain.disconnect();
    return 0;
}
