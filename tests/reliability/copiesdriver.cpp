// One of two copies of the program working on the same patients at once:
// for a given time it changes patients' PROCEDENCIA and sessions'
// observations, adds sessions and deletes them, on data that grows stale
// between refreshes, as a user's screen does. Every change is logged with the
// value it replaced:
//   E id old new / M session old new / S session patient memo / X session old
// saved; the same prefixed by R, with the box's text, when the change was
// refused with the error box; F kind error when it failed in any other way.
// Usage: reliability_copiesdriver FOLDER LOG NAME SECONDS SEED

#include "support/driveraccount.h"
#include "driverlog.h"
#include "store/tdm.h"
#include "support/scriptedmessages.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <cstdio>

namespace {

const QString kRefused = QStringLiteral(u"Erro na gravação dos dados.\r\rMensagem do Banco de Dados:\r");

struct Copy {
    Tdm& dm;
    DriverLog& log;
    ScriptedMessages& messages;
    QString name;
    QRandomGenerator random;
    int step = 0;

    int pick(int n) { return int(random.bounded(quint32(n))); }
    QString value() { return QStringLiteral("%1-%2").arg(name).arg(++step); }
    static QString text(const ds::DataSet& d, const char* field) { return d.fieldByName(QString::fromLatin1(field)).asString(); }

    // Runs one change; logs it as saved, refused with the box, or failed.
    template <typename F> void change(QStringList fields, F&& work)
    {
        messages.requests.clear();
        try {
            work();
        } catch (const EError& e) {
            log.line({QStringLiteral("F"), fields.join(u' '), e.message()});
            return;
        }
        for (const platform::MessageRequest& box : messages.requests)
            if (box.text.startsWith(kRefused)) {
                fields[0].prepend(u'R');
                log.line(fields << box.text.mid(kRefused.size()).replace(u'\t', u' ').replace(u'\n', u' '));
                return;
            }
        log.line(fields);
    }

    void editPatient()
    {
        const QString id = text(dm.qryPaciente, "ID"), old = text(dm.qryPaciente, "PROCEDENCIA"), now = value();
        change({QStringLiteral("E"), id, old, now}, [&] {
            dm.qryPaciente.edit();
            dm.qryPaciente.fieldByName(QStringLiteral("PROCEDENCIA")).setValue(now);
            dm.qryPaciente.post();
        });
    }

    bool toSomeSession()
    {
        if (dm.qryConsulta.isEmpty())
            return false;
        dm.qryConsulta.moveTo(pick(dm.qryConsulta.recordCount()));
        return true;
    }

    void editSession()
    {
        if (!toSomeSession())
            return;
        const QString id = text(dm.qryConsulta, "ID"), old = text(dm.qryConsulta, "OBSERVACOES"), now = value();
        change({QStringLiteral("M"), id, old, now}, [&] {
            dm.qryConsulta.edit();
            dm.qryConsulta.fieldByName(QStringLiteral("OBSERVACOES")).setValue(now);
            dm.qryConsulta.post();
        });
    }

    void newSession()
    {
        const QString now = value();
        QString id;
        messages.requests.clear();
        try {
            dm.qryConsulta.append();
            dm.qryConsulta.fieldByName(QStringLiteral("OBSERVACOES")).setValue(now);
            dm.qryConsulta.post();
        } catch (const EError& e) {
            log.line({QStringLiteral("F"), QStringLiteral("S"), e.message()});
            return;
        }
        if (!messages.requests.isEmpty()) {
            log.line({QStringLiteral("RS"), now, messages.requests.first().text});
            return;
        }
        log.line({QStringLiteral("S"), text(dm.qryConsulta, "ID"), text(dm.qryPaciente, "ID"), now});
    }

    void deleteSession()
    {
        if (!toSomeSession())
            return;
        const QString id = text(dm.qryConsulta, "ID"), old = text(dm.qryConsulta, "OBSERVACOES");
        change({QStringLiteral("X"), id, old}, [&] {
            messages.answers.enqueue(platform::MsgButton::Yes); // "Excluir sessão?"
            dm.qryConsulta.deleteRecord();
        });
        messages.answers.clear();
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        fprintf(stderr, "usage: reliability_copiesdriver FOLDER LOG NAME SECONDS SEED\n");
        return 2;
    }
    ScriptedMessages messages;
    DriverLog log(args[2]);
    Tdm dm(args[1], driverAccount());
    Copy copy{dm, log, messages, args[3], QRandomGenerator(args[5].toUInt())};
    dm.qryPaciente.open();
    const QDeadlineTimer deadline(qint64(args[4].toInt()) * 1000);
    while (!deadline.hasExpired()) {
        const int action = copy.pick(100);
        if (action < 8) {
            // What the other copy saved shows after a refresh.
            dm.qryPaciente.close();
            dm.qryPaciente.open();
        } else if (action < 20) {
            dm.qryPaciente.moveTo(copy.pick(dm.qryPaciente.recordCount()));
        } else if (action < 45) {
            copy.editPatient();
        } else if (action < 72) {
            copy.editSession();
        } else if (action < 85) {
            copy.newSession();
        } else {
            copy.deleteSession();
        }
    }
    dm.ZConnection1.disconnect();
    return 0;
}
