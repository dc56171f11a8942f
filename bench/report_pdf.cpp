// The history report of a patient with 5,000 history notes: prepared by the
// data module as OpenRelHistorico prepares it, with the program's reports
// installed, and exported to PDF instead of shown, against the same strings
// read by a plain statement and drawn straight into a PDF writer.
// Prints one line: report_pdf: ratio=R ours=A ms floor=B ms

#include "dataset/dateformat.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "recordbench.h"
#include "reportengine/exporter.h"
#include "reports/treports.h"


namespace {

constexpr int kNotes = 5000;
constexpr int kPatient = 7;

void fill(const TestDatabase& db)
{
    fb::Connection c;
    bench::connectPlain(c, db);
    fb::Transaction tx(c);
    fb::executeSql(tx, QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) VALUES (%1, "
                                      "'Ana Souza', '2005-06-10', '2008-04-10', 'A')")
                           .arg(kPatient));
    fb::Statement insert(tx, QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (:ID, :P, :D, :N)"));
    for (int i = 0; i < kNotes; ++i) {
        insert.setParam(QStringLiteral("ID"), i + 1);
        insert.setParam(QStringLiteral("P"), kPatient);
        insert.setParam(QStringLiteral("D"), QDate(2000, 1, 1).addDays(i));
        insert.setParam(QStringLiteral("N"), QStringLiteral(u"Evolução %1: brincou, conversou e desenhou a família").arg(i + 1));
        insert.execute();
    }
    tx.commit();
    c.disconnect();
}

// The floor: the dates and notes read by a plain statement, each drawn where
// a row of the report prints it, 41 rows a sheet.
void floorRun(fb::Connection& c, const QString& file)
{
    fb::Transaction tx(c, fb::TransactionOptions{true});
    fb::Statement st(tx, QStringLiteral("select DATA, NOTA from HISTORICO where PACIENTE = :ID order by DATA"));
    st.setParam(QStringLiteral("ID"), kPatient);
    st.execute();
    QPdfWriter writer(file);
    QPainter painter;
    bench::startPlainPdf(writer, painter, 10);
    const double k = bench::kDotsPerMm;
    int row = 0;
    while (st.fetch()) {
        if (row == 41) {
            writer.newPage();
            row = 0;
        }
        const double baseline = (47 + 6 * row + 3.6) * k;
        painter.drawText(QPointF(21 * k, baseline), ds::dateToText(st.value(0).toDate()));
        painter.drawText(QPointF(66 * k, baseline), st.value(1).toString());
        ++row;
    }
    painter.end();
    tx.commit();
}

} // namespace

int main(int argc, char** argv)
{
    bench::RecordBench setup(argc, argv, fill);
    TReports reports(setup.dm);
    const QString ours = setup.file("ours.pdf");
    const QString floorFile = setup.file("floor.pdf");
    // The history command's own preparation, its pages written to a PDF instead of shown.
    auto historyToPdf = [&] {
        setup.dm.PrepareRel(TRelTipo::Historico);
        const report::Definition& history = reports.repHistorico.definition();
        report::Exporter::toPdf(history.prepared(), ours, history.documentTitle());
    };
    bench::compare("report_pdf", {nullptr, historyToPdf},
                   {nullptr, [&] { floorRun(setup.plain, floorFile); }}, 5);
    return 0;
}
