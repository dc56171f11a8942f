// A driver saving patients, sessions with toys, notes and edits through the
// data module is killed (SIGKILL) at random moments, again and again, on one
// database with forced writes on. After every kill the database holds exactly
// what the driver reported as saved, plus at most the one save it was in the
// middle of, whole or not at all; the generators stand above every key; and
// the server's full validation finds nothing.

#include "driverlog.h"
#include "support/driveraccount.h"
#include "reliabilitydatabase.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace {

constexpr int kKills = 100;
constexpr int kToys = 6;

struct Patient {
    QString name;
    QVariant procedencia;
    bool operator==(const Patient&) const = default;
};
struct Entry { // a session or a re-evaluation
    int patient = 0;
    QString memo;
    bool operator==(const Entry&) const = default;
};

struct State {
    QMap<int, Patient> patients;
    QMap<int, Entry> sessions;
    QSet<QPair<int, int>> toys; // session, toy
    QMap<int, Entry> notes;
    bool operator==(const State&) const = default;
};

// One attachment for all the reading of one check.
class Reader {
public:
    explicit Reader(const TestDatabase& db) { m_connection.connect(db.connectParams()); }
    QList<QVariantList> rows(const QString& sql) { return queryRows(m_connection, sql); }
    int number(const char* sql) { return rows(QString::fromLatin1(sql)).value(0).value(0).toInt(); }

private:
    fb::Connection m_connection;
};

State readDisk(Reader& db)
{
    State s;
    for (const QVariantList& r : db.rows(QStringLiteral("select ID, NOME, PROCEDENCIA from PACIENTE")))
        s.patients.insert(r[0].toInt(), {r[1].toString(), r[2]});
    for (const QVariantList& r : db.rows(QStringLiteral("select ID, PACIENTE, OBSERVACOES from CONSULTA")))
        s.sessions.insert(r[0].toInt(), {r[1].toInt(), r[2].toString()});
    for (const QVariantList& r : db.rows(QStringLiteral("select CONSULTA, BRINQUEDO from BRINQUEDO_NA_CONSULTA")))
        s.toys.insert({r[0].toInt(), r[1].toInt()});
    for (const QVariantList& r : db.rows(QStringLiteral("select ID, PACIENTE, OBSERVACOES from REAVALIACAO")))
        s.notes.insert(r[0].toInt(), {r[1].toInt(), r[2].toString()});
    return s;
}

struct RunResult {
    int saves = 0;        // reported saves
    QStringList intent;   // the save under way when the driver was killed, if any
};

// Applies the reported saves of one run's log to the expected state.
RunResult applyLog(const QString& path, State& expected)
{
    QFile f(path);
    RunResult result;
    if (!f.open(QIODevice::ReadOnly))
        return result; // killed before it wrote anything
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QStringList l = QString::fromUtf8(raw).split(u'\t');
        const QString kind = l.value(0);
        if (kind == u"I") {
            result.intent = l.mid(1);
            continue;
        }
        if (kind == u"P")
            expected.patients.insert(l[1].toInt(), {l[2], QVariant()});
        else if (kind == u"S")
            expected.sessions.insert(l[1].toInt(), {l[2].toInt(), memoText(l[3], l[4].toInt())});
        else if (kind == u"T")
            expected.toys.insert({l[1].toInt(), l[2].toInt()});
        else if (kind == u"N")
            expected.notes.insert(l[1].toInt(), {l[2].toInt(), memoText(l[3], l[4].toInt())});
        else if (kind == u"E")
            expected.patients[l[1].toInt()].procedencia = l[2];
        else
            continue; // R, D and a line cut short by the kill
        ++result.saves;
        result.intent.clear();
    }
    return result;
}

// The expected state with the interrupted save done, taking its new key from disk.
State withIntent(State s, const QStringList& intent, const State& disk)
{
    const QString kind = intent.value(0);
    if (kind == u"P") {
        for (auto it = disk.patients.begin(); it != disk.patients.end(); ++it)
            if (!s.patients.contains(it.key()) && it->name == intent.value(1))
                s.patients.insert(it.key(), *it);
    } else if (kind == u"S" || kind == u"N") {
        const QMap<int, Entry>& onDisk = kind == u"S" ? disk.sessions : disk.notes;
        QMap<int, Entry>& into = kind == u"S" ? s.sessions : s.notes;
        for (auto it = onDisk.begin(); it != onDisk.end(); ++it)
            if (!into.contains(it.key()) && it->memo.startsWith(intent.value(1) + u' '))
                into.insert(it.key(), *it);
    } else if (kind == u"T") {
        s.toys.insert({intent.value(1).toInt(), intent.value(2).toInt()});
    } else if (kind == u"E") {
        s.patients[intent.value(1).toInt()].procedencia = intent.value(2);
    }
    return s;
}

QString describe(const State& s)
{
    return QStringLiteral("%1 patients, %2 sessions, %3 toys, %4 notes")
        .arg(s.patients.size())
        .arg(s.sessions.size())
        .arg(s.toys.size())
        .arg(s.notes.size());
}

// Waits for the driver's first line, written once its data module is open.
bool waitUntilReady(QProcess& driver, const QString& log)
{
    for (int waited = 0; waited < 30000; waited += 20) {
        QFile f(log);
        if (f.open(QIODevice::ReadOnly) && f.readLine().startsWith("R\t"))
            return true;
        if (driver.waitForFinished(20))
            return false;
    }
    return false;
}


} // namespace

TEST(CrashConsistency, EveryReportedSaveSurvivesAKillAndNothingIsHalfWritten)
{
    TestDatabase db;
    setForcedWrites(db);
    ASSERT_EQ(db.scalar(QStringLiteral("select MON$FORCED_WRITES from MON$DATABASE")).toInt(), 1);
    for (int toy = 1; toy <= kToys; ++toy)
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (%1, 'Brinquedo %1')").arg(toy));
    db.exec(QStringLiteral("ALTER SEQUENCE GERADOR RESTART WITH %1").arg(kToys));

    QRandomGenerator random(20260101);
    State expected;
    int saves = 0, killedInSave = 0, committedUnreported = 0;
    for (int run = 1; run <= kKills; ++run) {
        const QString log = db.folder() + QStringLiteral("run%1.log").arg(run);
        QProcess driver;
        driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        startDriver(driver, driverProgram("reliability_crashdriver"),
                    {db.folder(), log, QString::number(run), QString::number(random.generate())}, testusers::therapist());
        ASSERT_TRUE(driver.waitForStarted()) << qPrintable(driver.errorString());
        // One kill in ten while the driver starts; the others while it saves.
        const bool starting = random.bounded(10) == 0;
        if (!starting) {
            ASSERT_TRUE(waitUntilReady(driver, log)) << "run " << run << ": the driver stopped by itself, exit code " << driver.exitCode();
        }
        const int delay = int(random.bounded(starting ? 1000 : 1500));
        ASSERT_FALSE(driver.waitForFinished(delay)) << "run " << run << ": the driver stopped by itself, exit code " << driver.exitCode();
        ::kill(pid_t(driver.processId()), SIGKILL);
        ASSERT_TRUE(driver.waitForFinished(10000));

        const RunResult result = applyLog(log, expected);
        saves += result.saves;
        endOtherAttachments(db);
        auto reader = std::make_unique<Reader>(db);
        const State disk = readDisk(*reader);
        if (!result.intent.isEmpty()) {
            ++killedInSave;
            const State done = withIntent(expected, result.intent, disk);
            if (disk == done && !(disk == expected)) {
                ++committedUnreported;
                expected = done;
            }
        }
        ASSERT_TRUE(disk == expected) << "run " << run << ": on disk "
                                      << qPrintable(describe(disk)) << ", expected " << qPrintable(describe(expected))
                                      << ", interrupted save: " << qPrintable(result.intent.join(u' '));
        // Toys only ever belong to a session that is there.
        for (const auto& [session, toy] : disk.toys)
            ASSERT_TRUE(disk.sessions.contains(session)) << "toy " << toy << " of a missing session " << session;

        ASSERT_GE(reader->number("select gen_id(GEN_PACIENTE, 0) from RDB$DATABASE"),
                  reader->number("select max(ID) from PACIENTE"));
        const int gerador = reader->number("select gen_id(GERADOR, 0) from RDB$DATABASE");
        for (const char* sql : {"select max(ID) from CONSULTA", "select max(ID) from REAVALIACAO",
                                "select max(ID) from BRINQUEDO"})
            ASSERT_GE(gerador, reader->number(sql)) << sql;
        reader.reset(); // the validation wants the database to itself
        ASSERT_EQ(validate(db), QString()) << "run " << run;
    }
    endOtherAttachments(db);
    printf("crash consistency: kills survived=%d saves verified=%d (%s); kills inside a save=%d, of which committed "
           "but not yet reported=%d\n",
           kKills, saves, qPrintable(describe(expected)), killedInSave, committedUnreported);
    fflush(stdout);
}
