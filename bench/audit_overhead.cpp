// The audit trail's cost on saving a session: a new session with its note,
// and a change of that note, saved through the data module on a database
// whose audit triggers run, against the same on a database in the same run
// whose audit triggers are switched off.

#include "benchtiming.h"
#include "store/tdm.h"
#include "support/testdatabase.h"

#include <QCoreApplication>
#include <memory>

namespace {

const QStringList kAudited{"CARATER",   "TERAPEUTA",  "BRINQUEDO",  "ESCOLA",   "INSTRUCAO",
                           "TIPO_ORIENTACAO", "PACIENTE", "PAIS",   "IRMAO",    "CONSULTA",
                           "BRINQUEDO_NA_CONSULTA", "REAVALIACAO", "INDICACAO", "ORIENTACAO", "HISTORICO"};

struct Saving {
    TestDatabase db;
    std::unique_ptr<Tdm> dm;
    int edits = 0;

    explicit Saving(bool audited)
    {
        db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                               "VALUES (1, 'Ana', '2005-06-10', '2011-03-05', 'A')"));
        if (!audited)
            for (const QString& table : kAudited)
                db.exec(QStringLiteral("ALTER TRIGGER AUD_%1 INACTIVE").arg(table));
        dm = std::make_unique<Tdm>(db.folder(), testusers::therapist());
        dm->qryPaciente.open();
    }
    bench::Side insert(const QString& text)
    {
        return {[this, text] {
                    dm->qryConsulta.append();
                    dm->qryConsulta.fieldByName(QStringLiteral("OBSERVACOES")).setValue(text);
                },
                [this] { dm->qryConsulta.post(); }};
    }
    bench::Side change(const QString& text)
    {
        return {[this, text] {
                    dm->qryConsulta.edit();
                    dm->qryConsulta.fieldByName(QStringLiteral("OBSERVACOES")).setValue(text + QString::number(++edits));
                },
                [this] { dm->qryConsulta.post(); }};
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString text =
        QStringLiteral(u"Brincou com a bola e falou da escola; a mãe contou que dorme bem. ").repeated(4);
    Saving audited(true);
    Saving plain(false);
    bench::compare("audit_overhead", audited.insert(text), plain.insert(text), 200);
    bench::compare("audit_overhead_change", audited.change(text), plain.change(text), 200);
    audited.dm->ZConnection1.disconnect();
    plain.dm->ZConnection1.disconnect();
    return 0;
}
