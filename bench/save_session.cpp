// Saving a new session: its key drawn from GERADOR, the INSERT and its
// commit, against the same statements run by a plain loop over the fb layer.

#include "benchlink.h"
#include "benchtiming.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "store/tdm.h"
#include "support/testdatabase.h"

#include <QCoreApplication>
#include <QDate>
#include <QTime>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                           "VALUES (1, 'Ana', '2005-06-10', '2011-03-05', 'A')"));
    const QString text =
        QStringLiteral(u"Brincou com a bola e falou da escola; a mãe contou que dorme bem. ").repeated(4);

    Tdm dm(db.folder(), testusers::therapist());
    dm.qryPaciente.open();
    bench::Side ours{[&] {
                         dm.qryConsulta.append();
                         dm.qryConsulta.fieldByName(QStringLiteral("OBSERVACOES")).setValue(text);
                     },
                     [&] { dm.qryConsulta.post(); }};

    fb::Connection plain;
    bench::connectPlain(plain, db);
    bench::Side floor{nullptr, [&] {
                          int id = 0;
                          {
                              fb::Transaction tx(plain);
                              fb::Statement key(tx, QStringLiteral("select GEN_ID(\"GERADOR\", 1) from RDB$DATABASE"));
                              key.execute();
                              key.fetch();
                              id = key.value(0).toInt();
                              key.closeCursor();
                              tx.commit();
                          }
                          fb::Transaction tx(plain);
                          fb::Statement insert(tx, QStringLiteral("INSERT INTO CONSULTA (ID, DATA, HORA, PACIENTE, "
                                                                  "OBSERVACOES) VALUES (:ID, :DATA, :HORA, :PACIENTE, "
                                                                  ":OBSERVACOES)"));
                          insert.setParam(QStringLiteral("ID"), id);
                          insert.setParam(QStringLiteral("DATA"), QDate::currentDate());
                          insert.setParam(QStringLiteral("HORA"), QTime::currentTime());
                          insert.setParam(QStringLiteral("PACIENTE"), 1);
                          insert.setParam(QStringLiteral("OBSERVACOES"), text);
                          insert.execute();
                          if (insert.affectedRecords() != 1)
                              std::abort();
                          tx.commit();
                      }};
    bench::compare("save_session", ours, floor, 200);
    dm.ZConnection1.disconnect();

    // The same saves over the practice's network.
    bench::Link link;
    Tdm far(db.folder(), testusers::therapist());
    link.route(far);
    far.qryPaciente.open();
    bench::Side farSave{[&] {
                            far.qryConsulta.append();
                            far.qryConsulta.fieldByName(QStringLiteral("OBSERVACOES")).setValue(text);
                        },
                        [&] { far.qryConsulta.post(); }};
    bench::reportLink("save_session_lan", bench::measureThrough(link, farSave, 100));
    far.ZConnection1.disconnect();
    plain.disconnect();
    return 0;
}
