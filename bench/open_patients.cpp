// Opening the patient list over 100,000 patients, against the same statement
// fetched by a plain loop over the Firebird layer into a vector.

#include "benchtiming.h"
#include "patientfill.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "store/tdm.h"

#include <QCoreApplication>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestDatabase db;
    bench::fillPatients(db, 100000);
    const QString sql = QStringLiteral("select * from PACIENTE order by NOME");

    fb::Connection conn;
    bench::connectPlain(conn, db);
    auto plainLoop = [&] {
        std::vector<QVector<QVariant>> rows;
        fb::Transaction tx(conn, fb::TransactionOptions{true});
        fb::Statement st(tx, sql);
        st.execute();
        while (st.fetch())
            rows.push_back(st.row());
        tx.commit();
    };

    Tdm dm(db.folder());
    const long long before = bench::residentBytes();
    dm.qryPaciente.open();   // connects once, outside the measurement
    const long long after = bench::residentBytes();
    const int rows = dm.qryPaciente.recordCount();
    auto reopen = [&] {
        dm.qryPaciente.close();
        dm.qryPaciente.open();
    };
    bench::compare("open_patients", bench::Side{{}, reopen}, bench::Side{{}, plainLoop}, 3);
    std::fprintf(stderr, "open_patients: %d rows, resident memory %.1f MiB per 100,000 rows\n", rows,
                 double(after - before) / (1024.0 * 1024.0) * 100000.0 / std::max(1, rows));
    return 0;
}
