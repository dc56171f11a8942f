// The whole-record export of the heaviest patient a practice keeps: 300
// sessions with their toys and observations, 100 notes of each kind. Ours:
// RecordExport::write (the seven parts prepared by the data module, a PDF
// numbered page by page, the JSON and the ZIP file). The floor: the same rows
// read by plain statements, each value drawn as one line of a PDF and put in
// a JSON document, both stored in a ZIP file.
// Prints one line: export_record: ratio=R ours=A ms floor=B ms

#include "benchtiming.h"
#include "benchwidgets.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "reports/recordexport.h"
#include "reports/storedzip.h"
#include "store/tdm.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {

constexpr int kPatient = 7;
constexpr int kSessions = 300;
constexpr int kNotes = 100;

const QString kObservation =
    QStringLiteral(u"Brincou com a família de bonecos, organizou a casinha e conversou sobre a escola; ação e "
                   u"atenção melhores que na sessão anterior. Combinamos retomar o jogo na próxima semana.");

void fill(const TestDatabase& db)
{
    fb::Connection c;
    bench::connectPlain(c, db);
    fb::Transaction tx(c);
    fb::executeSql(tx, QStringLiteral("INSERT INTO PACIENTE (ID, NOME, EMAIL, NASCIMENTO, CADASTRO, STATUS, FONE, "
                                      "ENDERECO, CIDADE, UF, CEP) VALUES (%1, 'Ana Conceição Souza', "
                                      "'ana@exemplo.com.br', '2014-06-10', '2018-04-10', 'A', '1134567890', "
                                      "'Rua Três Corações, 45', 'São Paulo', 'SP', '01234567')")
                           .arg(kPatient));
    fb::executeSql(tx, QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME) VALUES (%1, 'P', 'José Souza')").arg(kPatient));
    fb::executeSql(tx, QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME) VALUES (%1, 'M', 'Márcia Souza')").arg(kPatient));
    fb::executeSql(tx, QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (1, 'Família')"));
    for (int t = 0; t < 8; ++t)
        fb::executeSql(tx, QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (%1, 'Brinquedo %1')").arg(10 + t));
    int id = 1000;
    fb::Statement session(tx, QStringLiteral("INSERT INTO CONSULTA (ID, DATA, HORA, PACIENTE, OBSERVACOES) VALUES "
                                             "(:ID, :D, '14:00:00', :P, :O)"));
    fb::Statement toy(tx, QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (:B, :C)"));
    for (int i = 0; i < kSessions; ++i) {
        session.setParam(QStringLiteral("ID"), ++id);
        session.setParam(QStringLiteral("D"), QDate(2018, 4, 10).addDays(7 * i));
        session.setParam(QStringLiteral("P"), kPatient);
        session.setParam(QStringLiteral("O"), kObservation);
        session.execute();
        for (int t = 0; t < 3; ++t) {
            toy.setParam(QStringLiteral("B"), 10 + (i + t) % 8);
            toy.setParam(QStringLiteral("C"), id);
            toy.execute();
        }
    }
    const QStringList notes = {
        QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (:ID, :P, :D, :T)"),
        QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO, OBSERVACOES) VALUES (:ID, :P, :D, "
                       "'Fonoaudiologia', :T)"),
        QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (:ID, 1, :P, :D, :T)"),
        QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (:ID, :P, :D, :T)"),
    };
    for (const QString& sql : notes) {
        fb::Statement note(tx, sql);
        for (int i = 0; i < kNotes; ++i) {
            note.setParam(QStringLiteral("ID"), ++id);
            note.setParam(QStringLiteral("P"), kPatient);
            note.setParam(QStringLiteral("D"), QDate(2018, 5, 1).addDays(20 * i));
            note.setParam(QStringLiteral("T"), sql.contains(u"HISTORICO") ? kObservation.left(120) : kObservation);
            note.execute();
        }
    }
    tx.commit();
    c.disconnect();
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
    writer.setResolution(1200);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(12);
    painter.setFont(font);
    const double k = 1200 / 25.4;
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
    bench::prepareWidgets();
    QApplication app(argc, argv);

    TestDatabase db;
    fill(db);
    Tdm dm(db.folder(), testusers::therapist());
    dm.qryPaciente.open();
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours.zip"));

    fb::Connection plain;
    bench::connectPlain(plain, db);
    const QString floorFile = dir.filePath(QStringLiteral("floor.zip"));
    bench::compare("export_record", {nullptr, [&] { reports::RecordExport(dm).write(ours); }},
                   {nullptr, [&] { floorRun(plain, floorFile); }}, 5);
    return 0;
}
