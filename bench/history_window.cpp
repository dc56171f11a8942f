// "Histórico de alterações" opened and shown for a patient with thousands of
// audited changes (a whole record, each session's note changed ten times and
// the telephone changed a thousand times), against the raw Firebird interface
// fetching the same lines of the trail in the same run.

#include "benchtiming.h"
#include "benchwidgets.h"
#include "dialogs/tfrmhistoricoalteracoes.h"
#include "patientfill.h"
#include "rawquery.h"
#include "store/changehistory.h"
#include "store/tdm.h"

#include <QApplication>
#include <QTreeWidget>

int main(int argc, char** argv)
{
    bench::prepareWidgets();
    QApplication app(argc, argv);
    TestDatabase db;
    bench::fillFullRecords(db);
    db.exec(QStringLiteral(
        "EXECUTE BLOCK AS DECLARE I INTEGER = 1; DECLARE S INTEGER; BEGIN "
        "WHILE (I <= 10) DO BEGIN "
        "  FOR SELECT ID FROM CONSULTA WHERE PACIENTE = 1 INTO :S DO "
        "    UPDATE CONSULTA SET OBSERVACOES = OBSERVACOES || ' Mais: ' || :I WHERE ID = :S; "
        "  I = I + 1; END "
        "I = 1; WHILE (I <= 1000) DO BEGIN "
        "  UPDATE PACIENTE SET FONE = '11' || (33330000 + :I) WHERE ID = 1; I = I + 1; END "
        "END"));

    Tdm dm(db.folder(), testusers::therapist());
    dm.qryPaciente.open();   // connects once, outside the measurement
    int lines = 0;
    bench::Side ours{{}, [&] {
                         TfrmHistoricoAlteracoes window(dm, 1, QStringLiteral("Paciente 1"));
                         window.show();
                         QCoreApplication::processEvents();
                         lines = window.lstAlteracoes->topLevelItemCount();
                     }};

    // The same lines, newest first, each value cut where the window cuts it.
    fb::Connection conn;
    bench::connectPlain(conn, db);
    bench::RawQuery raw(conn, QStringLiteral(
        "SELECT A.ID, A.MOMENTO, A.USUARIO, A.TABELA, A.CHAVE, A.ACAO, C.CAMPO,\n"
        "       CAST(SUBSTRING(C.ANTES FROM 1 FOR %1) AS VARCHAR(%1) CHARACTER SET UTF8),\n"
        "       CAST(SUBSTRING(C.DEPOIS FROM 1 FOR %1) AS VARCHAR(%1) CHARACTER SET UTF8)\n"
        "FROM AUDITORIA A JOIN AUDITORIA_CAMPO C ON C.AUDITORIA = A.ID\n"
        "WHERE A.PACIENTE = ? ORDER BY A.MOMENTO DESC, A.ID DESC, C.CAMPO").arg(store::kChangePreview + 1));
    int rawLines = 0;
    bench::Side floor{{}, [&] { rawLines = raw.run({1}); }};

    bench::compare("history_window", ours, floor, 9);
    std::fprintf(stderr, "history_window: %d lines shown, %d fetched by the floor\n", lines, rawLines);
    dm.ZConnection1.disconnect();
    // The raw query's kept transaction ends with it, before its connection.
    return 0;
}
