// Two copies of the program on one database, each with its own data module,
// change and delete the same patients and sessions for a while. Every change
// one of them was told was saved is on disk or was replaced by a change made
// on top of it; every other change was refused with the error box; no change
// overwrote another that its copy had not seen; and the rows on disk are
// what the two logs add up to.

#include "support/driveraccount.h"
#include "reliabilitydatabase.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

constexpr int kSeconds = 30;
constexpr int kPatients = 6;
const QString kDeleted = QStringLiteral("<excluída>");

// The saved changes of one row: the value each replaced and the value it left.
struct Row {
    QString initial;
    QList<QPair<QString, QString>> changes;
};

struct Tally {
    int saved = 0, refused = 0, failed = 0;
    QStringList failures;
};

void readLog(const QString& path, QMap<QString, Row>& rows, Tally& tally)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(path);
    for (const QByteArray& raw : f.readAll().split('\n')) {
        if (raw.isEmpty())
            continue;
        const QStringList l = QString::fromUtf8(raw).split(u'\t');
        const QString kind = l[0];
        if (kind == u"E" || kind == u"M") {
            rows[kind + l[1]].changes << qMakePair(l[2], l[3]);
            ++tally.saved;
        } else if (kind == u"X") {
            rows[QStringLiteral("M") + l[1]].changes << qMakePair(l[2], kDeleted);
            ++tally.saved;
        } else if (kind == u"S") {
            rows[QStringLiteral("M") + l[1]].initial = l[3];
            ++tally.saved;
        } else if (kind.startsWith(u'R')) {
            ++tally.refused;
        } else {
            ++tally.failed;
            tally.failures << l.join(u' ');
        }
    }
}

} // namespace

TEST(TwoCopies, NoChangeIsLostSilently)
{
    TestDatabase db;
    int session = 100;
    for (int p = 1; p <= kPatients; ++p) {
        db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS, PROCEDENCIA) "
                               "VALUES (%1, 'Paciente %1', '2015-01-01', '2024-01-01', 'A', 'inicial-%1')")
                    .arg(p));
        for (int s = 0; s < 2; ++s, ++session)
            db.exec(QStringLiteral("INSERT INTO CONSULTA (ID, DATA, HORA, PACIENTE, OBSERVACOES) "
                                   "VALUES (%1, '2024-03-05', '10:00', %2, 'inicial-s%1')")
                        .arg(session)
                        .arg(p));
    }
    db.exec(QStringLiteral("ALTER SEQUENCE GERADOR RESTART WITH 1000"));
    db.exec(QStringLiteral("ALTER SEQUENCE GEN_PACIENTE RESTART WITH %1").arg(kPatients));

    QMap<QString, Row> rows;
    for (int p = 1; p <= kPatients; ++p)
        rows[QStringLiteral("E%1").arg(p)].initial = QStringLiteral("inicial-%1").arg(p);
    for (int s = 100; s < session; ++s)
        rows[QStringLiteral("M%1").arg(s)].initial = QStringLiteral("inicial-s%1").arg(s);

    QProcess copies[2];
    const QString names[2] = {QStringLiteral("A"), QStringLiteral("B")};
    for (int i = 0; i < 2; ++i) {
        copies[i].setProcessChannelMode(QProcess::ForwardedChannels);
        // Two users, as on two PCs of the practice.
        startDriver(copies[i], driverProgram("reliability_copiesdriver"),
                    {db.folder(), db.folder() + names[i] + QStringLiteral(".log"), names[i], QString::number(kSeconds),
                     QString::number(7 + i)},
                    i == 0 ? testusers::therapist() : testusers::administrator());
    }
    for (QProcess& copy : copies) {
        ASSERT_TRUE(copy.waitForFinished((kSeconds + 60) * 1000));
        ASSERT_EQ(copy.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(copy.exitCode(), 0);
    }

    Tally tally;
    for (const QString& name : names)
        readLog(db.folder() + name + QStringLiteral(".log"), rows, tally);

    QMap<QString, QString> disk;
    for (const QVariantList& r : db.rows(QStringLiteral("select ID, PROCEDENCIA from PACIENTE")))
        disk.insert(QStringLiteral("E") + r[0].toString(), r[1].toString());
    for (const QVariantList& r : db.rows(QStringLiteral("select ID, OBSERVACOES from CONSULTA")))
        disk.insert(QStringLiteral("M") + r[0].toString(), r[1].toString());

    // Two saved changes made on top of the same value: one of them replaced
    // the other without its copy having seen it.
    int overwritten = 0;
    QStringList mismatches;
    for (auto it = rows.begin(); it != rows.end(); ++it) {
        QMap<QString, int> onTopOf;
        QSet<QString> left;
        for (const auto& [old, now] : it->changes) {
            overwritten += onTopOf[old]++ > 0 ? 1 : 0;
            left.insert(now);
        }
        // The value no saved change was made on top of is the row's last one.
        QStringList last;
        left.insert(it->initial);
        for (const QString& v : std::as_const(left))
            if (!onTopOf.contains(v))
                last << v;
        const QString onDisk = disk.value(it.key(), kDeleted);
        if (!last.contains(onDisk))
            mismatches << QStringLiteral("%1: on disk %2, last saved %3").arg(it.key(), onDisk, last.join(u','));
        disk.remove(it.key());
    }
    printf("two copies for %d s: changes made=%d saved=%d refused with the message=%d failed otherwise=%d "
           "silently overwritten=%d\n",
           kSeconds, tally.saved + tally.refused + tally.failed, tally.saved, tally.refused, tally.failed,
           overwritten);
    fflush(stdout);
    EXPECT_GT(tally.refused, 0) << "the copies never met on a row";
    EXPECT_EQ(tally.failed, 0) << qPrintable(tally.failures.mid(0, 5).join(u'\n'));
    EXPECT_EQ(overwritten, 0);
    EXPECT_TRUE(mismatches.isEmpty()) << qPrintable(mismatches.mid(0, 10).join(u'\n'));
    EXPECT_TRUE(disk.isEmpty()) << "rows no log accounts for: " << qPrintable(QStringList(disk.keys()).join(u' '));
}
