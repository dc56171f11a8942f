// Opening the patient list over 100,000 patients, against two floors in the
// same run: the raw Firebird interface fetching every row into its message
// buffer without converting anything, and Qt's own Firebird SQL driver
// keeping each row's values.

#include "benchlink.h"
#include "benchtiming.h"
#include "patientfill.h"
#include "rawquery.h"
#include "store/tdm.h"

#include <QCoreApplication>
#include <vector>
#ifdef MARVOK_BENCH_QTSQL
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#endif

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestDatabase db;
    bench::fillPatients(db, 100000);
    const QString sql = QStringLiteral("select * from PACIENTE order by NOME");

    fb::Connection conn;
    bench::connectPlain(conn, db);
    std::vector<bench::Floor> floors;
    {
        auto raw = std::make_shared<bench::RawQuery>(conn, sql);
        floors.push_back({"open_patients", {{}, [raw] { raw->run(); }}});
    }
#ifdef MARVOK_BENCH_QTSQL
    QSqlDatabase qt = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"));
    const fb::ConnectParams params = db.connectParams();
    qt.setDatabaseName(params.database);
    qt.setUserName(params.user);
    qt.setPassword(params.password);
    qt.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=UTF8"));
    if (!qt.open()) {
        std::fprintf(stderr, "open_patients_qtsql: %s\n", qPrintable(qt.lastError().text()));
        return 1;
    }
    auto query = std::make_shared<QSqlQuery>(qt);
    query->setForwardOnly(true);
    query->prepare(sql);
    floors.push_back({"open_patients_qtsql", {{}, [query] {
                                                  std::vector<QVector<QVariant>> rows;
                                                  query->exec();
                                                  const int columns = query->record().count();
                                                  while (query->next()) {
                                                      QVector<QVariant> row(columns);
                                                      for (int i = 0; i < columns; ++i)
                                                          row[i] = query->value(i);
                                                      rows.push_back(std::move(row));
                                                  }
                                                  query->finish();
                                              }}});
#endif

    Tdm dm(db.folder(), testusers::therapist());
    const long long before = bench::residentBytes();
    dm.qryPaciente.open();   // connects once, outside the measurement
    const long long after = bench::residentBytes();
    const int rows = dm.qryPaciente.recordCount();
    auto reopen = [&] {
        dm.qryPaciente.close();
        dm.qryPaciente.open();
    };
    bench::compareWith(bench::Side{{}, reopen}, floors, 3);
    std::fprintf(stderr, "open_patients: %d rows, resident memory %.1f MiB per 100,000 rows\n", rows,
                 double(after - before) / (1024.0 * 1024.0) * 100000.0 / std::max(1, rows));
    floors.clear();

    // The same over the practice's network, against the raw interface
    // through the same link.
    bench::Link link;
    fb::Connection farPlain;
    farPlain.connect(link.params(db));
    auto farRaw = std::make_shared<bench::RawQuery>(farPlain, sql);
    Tdm far(db.folder(), testusers::therapist());
    link.route(far);
    far.qryPaciente.open();
    auto farReopen = [&] {
        far.qryPaciente.close();
        far.qryPaciente.open();
    };
    const std::vector<bench::LinkFigures> figures =
        bench::measureThrough(link, {bench::Side{{}, farReopen}, bench::Side{{}, [farRaw] { farRaw->run(); }}}, 3);
    bench::reportLink("open_patients_lan", figures[0], figures[1]);
    far.ZConnection1.disconnect();
    farRaw.reset();
    farPlain.disconnect();
    return 0;
}
