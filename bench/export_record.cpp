// The whole-record export of the heaviest patient a practice keeps: 300
// sessions with their toys and observations, 100 notes of each kind. Ours:
// RecordExport::write (the seven parts prepared by the data module, a PDF
// numbered page by page, the JSON and the ZIP file). The floor: the same rows
// read by plain statements, each value drawn as one line of a PDF and put in
// a JSON document, both stored in a ZIP file.
// Prints one line: export_record: ratio=R ours=A ms floor=B ms

#include "fb/statement.h"
#include "fb/transaction.h"
#include "patientfill.h"
#include "recordbench.h"
#include "reports/recordexport.h"
#include "reports/storedzip.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

constexpr int kPatient = 1;

// The first patient of the long records, every session with both toys.
void fill(const TestDatabase& db)
{
    bench::fillFullRecords(db);
    db.exec(QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) SELECT B.ID, C.ID FROM CONSULTA C, "
                           "BRINQUEDO B WHERE C.PACIENTE = %1 AND NOT EXISTS (SELECT 1 FROM BRINQUEDO_NA_CONSULTA N "
                           "WHERE N.CONSULTA = C.ID)").arg(kPatient));
}

// The floor: every value of the same rows as one line of a PDF and of a JSON document, in a ZIP file.
void floorRun(fb::Connection& c, const QString& file)
{
    const QStringList queries = {
        QStringLiteral("select * from PACIENTE where ID = :ID"),
        QStringLiteral("select * from PAIS where PACIENTE = :ID"),
        QStringLiteral("select * from IRMAO where PACIENTE = :ID"),
        QStringLiteral("select C.ID, C.DATA, C.HORA, C.OBSERVACOES from CONSULTA C where C.PACIENTE = :ID order by DATA"),
        QStringLiteral("select N.CONSULTA, B.BRINQUEDO from BRINQUEDO_NA_CONSULTA N join BRINQUEDO B on B.ID = "
                       "N.BRINQUEDO join CONSULTA C on C.ID = N.CONSULTA where C.PACIENTE = :ID"),
        QStringLiteral("select * from REAVALIACAO where PACIENTE = :ID order by DATA"),
        QStringLiteral("select * from INDICACAO where PACIENTE = :ID order by DATA"),
        QStringLiteral("select * from ORIENTACAO where PACIENTE = :ID order by DATA"),
        QStringLiteral("select * from HISTORICO where PACIENTE = :ID order by DATA"),
    };
    fb::Transaction tx(c, fb::TransactionOptions{true});
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPainter painter;
    bench::startPlainPdf(writer, painter, 12);
    const double k = bench::kDotsPerMm;
    int line = 0;
    QJsonObject json;
    for (const QString& sql : queries) {
        fb::Statement st(tx, sql);
        st.setParam(QStringLiteral("ID"), kPatient);
        st.execute();
        QJsonArray rows;
        while (st.fetch()) {
            QJsonArray row;
            for (int i = 0; i < st.columns().size(); ++i) {
                const QString value = st.value(i).toString();
                if (line == 47) {
                    writer.newPage();
                    line = 0;
                }
                painter.drawText(QPointF(21 * k, (20 + 5 * line++) * k), value);
                row.append(value);
            }
            rows.append(row);
        }
        json.insert(sql, rows);
    }
    painter.end();
    tx.commit();
    QSaveFile out(file);
    out.open(QIODevice::WriteOnly);
    reports::StoredZip zip(out);
    zip.add(QStringLiteral("floor.pdf"), pdf, QDateTime::currentDateTime());
    zip.add(QStringLiteral("floor.json"), QJsonDocument(json).toJson(), QDateTime::currentDateTime());
    zip.finish();
    out.commit();
}

} // namespace

int main(int argc, char** argv)
{
    bench::RecordBench setup(argc, argv, fill);
    const QString ours = setup.file("ours.zip");
    const QString floorFile = setup.file("floor.zip");
    bench::compare("export_record", {nullptr, [&] { reports::RecordExport(setup.dm).write(ours); }},
                   {nullptr, [&] { floorRun(setup.plain, floorFile); }}, 5);
    return 0;
}
