// Saves patients, sessions with their toys, re-evaluations and patient edits
// through the data module in an endless loop, until it is killed. Each save
// is announced before it starts (I ...) and reported once post has returned,
// that is once its transaction was committed:
//   P id name                    a new patient
//   S id patient token repeat    a new session with its observations
//   T session toy                a toy of that session
//   D session                    the session and all its toys are saved
//   N id patient token repeat    a new re-evaluation
//   E id value                   a patient's PROCEDENCIA changed
// Usage: reliability_crashdriver FOLDER LOG RUN SEED

#include "support/driveraccount.h"
#include "driverlog.h"
#include "store/tdm.h"
#include "support/scriptedmessages.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

namespace {

struct Driver {
    Tdm& dm;
    DriverLog& log;
    ScriptedMessages& messages;
    QString run;
    QRandomGenerator random;
    int step = 0;

    QString token() { return QStringLiteral("r%1.%2").arg(run).arg(++step); }
    int pick(int n) { return int(random.bounded(quint32(n))); }
    QString id(const ds::DataSet& d) { return d.fieldByName(QStringLiteral("ID")).asString(); }
    void set(ds::DataSet& d, const char* name, const QVariant& v) { d.fieldByName(QString::fromLatin1(name)).setValue(v); }

    // A refused change shows a box: in this run nothing may be refused.
    void posted(ds::DataSet& d)
    {
        d.post();
        if (!messages.requests.isEmpty()) {
            fprintf(stderr, "refused: %s\n", qPrintable(messages.requests.first().text));
            exit(3);
        }
    }

    void newPatient()
    {
        const QString name = QStringLiteral(u"Paciente ") + token();
        log.line({QStringLiteral("I"), QStringLiteral("P"), name});
        dm.qryPaciente.append();
        set(dm.qryPaciente, "NOME", name);
        set(dm.qryPaciente, "NASCIMENTO", QDate(2015, 1, 1).addDays(pick(2000)));
        set(dm.qryPaciente, "CADASTRO", QDate(2024, 1, 1).addDays(pick(700)));
        set(dm.qryPaciente, "STATUS", QStringLiteral("A"));
        posted(dm.qryPaciente);
        log.line({QStringLiteral("P"), id(dm.qryPaciente), name});
    }

    bool toSomePatient()
    {
        if (dm.qryPaciente.isEmpty())
            return false;
        dm.qryPaciente.moveTo(pick(dm.qryPaciente.recordCount()));
        return true;
    }

    void newSession(const QList<int>& toys)
    {
        if (!toSomePatient())
            return newPatient();
        const QString t = token();
        const int repeat = 1 + pick(400);
        QStringList toyNames;
        QList<int> chosen;
        for (int toy : toys)
            if (pick(2) == 0)
                chosen << toy;
        for (int toy : chosen)
            toyNames << QString::number(toy);
        log.line({QStringLiteral("I"), QStringLiteral("S"), t, toyNames.join(u',')});
        dm.qryConsulta.append();
        set(dm.qryConsulta, "OBSERVACOES", memoText(t, repeat));
        posted(dm.qryConsulta);
        const QString session = id(dm.qryConsulta);
        log.line({QStringLiteral("S"), session, id(dm.qryPaciente), t, QString::number(repeat)});
        for (int toy : chosen) {
            log.line({QStringLiteral("I"), QStringLiteral("T"), session, QString::number(toy)});
            dm.qryBrinquedoNaConsulta.append();
            set(dm.qryBrinquedoNaConsulta, "BRINQUEDO", toy);
            posted(dm.qryBrinquedoNaConsulta);
            log.line({QStringLiteral("T"), session, QString::number(toy)});
        }
        log.line({QStringLiteral("D"), session});
    }

    void newNote()
    {
        if (!toSomePatient())
            return newPatient();
        const QString t = token();
        const int repeat = 1 + pick(200);
        log.line({QStringLiteral("I"), QStringLiteral("N"), t});
        dm.qryReavaliacao.append();
        set(dm.qryReavaliacao, "OBSERVACOES", memoText(t, repeat));
        posted(dm.qryReavaliacao);
        log.line({QStringLiteral("N"), id(dm.qryReavaliacao), id(dm.qryPaciente), t, QString::number(repeat)});
    }

    void editPatient()
    {
        if (!toSomePatient())
            return newPatient();
        const QString value = token();
        log.line({QStringLiteral("I"), QStringLiteral("E"), id(dm.qryPaciente), value});
        dm.qryPaciente.edit();
        set(dm.qryPaciente, "PROCEDENCIA", value);
        posted(dm.qryPaciente);
        log.line({QStringLiteral("E"), id(dm.qryPaciente), value});
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        fprintf(stderr, "usage: reliability_crashdriver FOLDER LOG RUN SEED\n");
        return 2;
    }
    ScriptedMessages messages;
    DriverLog log(args[2]);
    Tdm dm(args[1], driverAccount());
    Driver driver{dm, log, messages, args[3], QRandomGenerator(args[4].toUInt())};

    dm.qryPaciente.open();
    dm.qryBrinquedo.open();
    QList<int> toys;
    for (int i = 0; i < dm.qryBrinquedo.recordCount(); ++i)
        toys << dm.qryBrinquedo.rowValue(i, dm.qryBrinquedo.fieldByName(QStringLiteral("ID"))).toInt();
    log.line({QStringLiteral("R"), args[3]});
    for (;;) {
        switch (driver.pick(10)) {
        case 0: case 1: driver.newPatient(); break;
        case 2: case 3: case 4: case 5: driver.newSession(toys); break;
        case 6: case 7: driver.newNote(); break;
        default: driver.editPatient(); break;
        }
    }
}
