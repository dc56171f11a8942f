// The server goes away under the program: its attachment is deleted through
// MON$ATTACHMENTS by a second attachment (what a server restart does to it),
// while the program holds a change and while an apply runs, or the server does
// not answer at all for a while. The program attaches again by itself, every
// change reaches the database once, the user reads why in Portuguese while
// the server is away, and no close drops a change it could not send.

#include "dataset/dberror.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "latencyproxy.h"
#include "store/tdm.h"
#include "support/scriptedmessages.h"
#include "support/testdatabase.h"
#include "support/throughlink.h"

#include <QMap>
#include <QRandomGenerator>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString kAway = QStringLiteral(u"Não foi possível comunicar com o servidor do banco de dados.");
const QString kKept = QStringLiteral(u"As alterações continuam na tela e serão gravadas assim que a comunicação voltar.");

// A local port nobody listens on: the system hands out a free one, which is
// given back at once.
int freePort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool bound = probe >= 0 && ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                       ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    if (probe >= 0)
        ::close(probe);
    return bound ? ntohs(address.sin_port) : 0;
}

ds::Field& field(const ds::DataSet& d, const char* name) { return d.fieldByName(QString::fromLatin1(name)); }

// A second attachment, as the administrator's, that deletes every other
// attachment to the database: to the program it is what a server restart is.
class AttachmentKiller {
public:
    explicit AttachmentKiller(const TestDatabase& db) { m_connection.connect(db.connectParams()); }
    // Whether an attachment was there to delete.
    bool kill()
    {
        fb::Transaction tx(m_connection);
        fb::Statement st(tx, QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> "
                                            "CURRENT_CONNECTION and MON$SYSTEM_FLAG = 0"));
        st.execute();
        const bool killed = st.affectedRecords() > 0;
        tx.commit();
        return killed;
    }

private:
    fb::Connection m_connection;
};

class ServerOutage : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                               "VALUES (7, 'Ana', '2015-06-10', '2024-03-05', 'A')"));
        db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) "
                               "VALUES (1, 7, '2024-04-01', 'primeira')"));
        db.exec(QStringLiteral("SET GENERATOR GERADOR TO 100"));
        dm.qryPaciente.open();
        dm.qryReavaliacao.open();
    }

    // From now on the data module reaches for a port where no server listens,
    // as when the server is stopped; until serverBack().
    void serverAway()
    {
        const int port = freePort();
        ASSERT_GT(port, 0);
        m_own = dm.ZConnection1.beforeConnect;
        dm.ZConnection1.beforeConnect = [this, port](ds::Connection& c) {
            m_own(c);
            c.settings.database.replace(QStringLiteral("localhost:"), QStringLiteral("localhost/%1:").arg(port));
        };
        db.dropAttachment(dm.ZConnection1.handle());
    }
    void serverBack() { dm.ZConnection1.beforeConnect = m_own; }

    // Runs an operation that must fail because the server is away, and says how.
    template <typename F>
    QString failureOf(F&& operation)
    {
        try {
            operation();
        } catch (const ds::EConnectionLost& e) {
            return e.message();
        } catch (const std::exception& e) {
            return QStringLiteral("not a lost connection: ") + QString::fromUtf8(e.what());
        }
        return QStringLiteral("no failure");
    }

    QMap<int, QString> notesOnDisk() const
    {
        QMap<int, QString> notes;
        for (const QVariantList& r : db.rows(QStringLiteral("select ID, OBSERVACOES from REAVALIACAO")))
            notes.insert(r[0].toInt(), r[1].toString());
        return notes;
    }

    TestDatabase db;
    ScriptedMessages messages;
    Tdm dm{db.folder(), testusers::therapist()};
    ds::Connection::Event m_own;
};

// The state of a data set a failed save left: posted or not, pending or not.
void saveAgain(ds::SqlDataSet& d)
{
    if (d.state() == ds::DataSetState::Insert || d.state() == ds::DataSetState::Edit)
        d.post();
    else
        d.applyUpdates();
}

// The notes as the changes made should leave them, and how the disk compares.
struct ChangesMade {
    QMap<int, QString> expected;
    int inserted = 0, edited = 0, deleted = 0;

    // kind: 0 or 1 a new note, 2 a changed one, 3 a deletion.
    void add(int kind, int id, const QString& text)
    {
        if (kind <= 1) {
            expected.insert(id, text);
            ++inserted;
        } else if (kind == 2) {
            expected[id] = text;
            ++edited;
        } else {
            expected.remove(id);
            ++deleted;
        }
    }
    int count() const { return inserted + edited + deleted; }

    struct Comparison {
        int lost = 0, duplicated = 0, asExpected = 0;
    };
    Comparison compareWith(const QMap<int, QString>& disk) const
    {
        Comparison c;
        for (auto it = expected.begin(); it != expected.end(); ++it)
            if (disk.value(it.key()) != *it)
                ++c.lost;
        const QStringList texts = disk.values();
        for (auto it = disk.begin(); it != disk.end(); ++it) {
            if (!expected.contains(it.key()))
                ++c.lost;   // a deletion that did not happen
            else if (texts.count(*it) > 1)
                ++c.duplicated;
            else
                ++c.asExpected;
        }
        return c;
    }
};

} // namespace

// The outages fall between the program's steps: before a change, while it is
// typed, after a save that could not reach the server (the change pending)
// and before each new attempt. Outages inside a call to the server are the
// next test's: one that meets the server in the middle of a request can
// leave the client waiting for an answer that never comes.
TEST_F(ServerOutage, KilledAttachmentsCostNoChangeAndRepeatNone)
{
    constexpr int kChanges = 300;
    ds::SqlDataSet& notes = dm.qryReavaliacao;
    QRandomGenerator random(20261210);
    AttachmentKiller killer(db);
    int outages = 0;
    const auto maybeKill = [&] {
        if (random.bounded(3) == 0 && killer.kill())
            ++outages;
    };
    ChangesMade made{notesOnDisk()};
    int lostConnections = 0;
    QStringList wrongMessages, failures;

    for (int change = 1; change <= kChanges && failures.isEmpty(); ++change) {
        const QString text = QStringLiteral(u"reavaliação %1: brincou com a bola").arg(change);
        const int kind = notes.isEmpty() ? 0 : int(random.bounded(4));
        int id = 0;
        for (int attempt = 0;; ++attempt) {
            if (attempt > 20) {
                failures << QStringLiteral("change %1 never went through").arg(change);
                break;
            }
            maybeKill();
            try {
                if (attempt > 0) {
                    saveAgain(notes);
                } else if (kind <= 1) {
                    notes.append();
                    field(notes, "OBSERVACOES").setValue(text);
                    maybeKill();
                    notes.post();
                } else {
                    notes.moveTo(int(random.bounded(quint32(notes.recordCount()))));
                    id = field(notes, "ID").asInteger();
                    if (kind == 2) {
                        notes.edit();
                        field(notes, "OBSERVACOES").setValue(text);
                        maybeKill();
                        notes.post();
                    } else {
                        notes.deleteRecord();
                    }
                }
                if (!notes.hasPendingChanges())
                    break;
            } catch (const ds::EConnectionLost& e) {
                ++lostConnections;
                if (!e.message().startsWith(kAway))
                    wrongMessages << e.message();
            } catch (const std::exception& e) {
                failures << QStringLiteral("change %1: %2").arg(change).arg(QString::fromUtf8(e.what()));
                break;
            }
        }
        made.add(kind, kind <= 1 ? field(notes, "ID").asInteger() : id, text);
    }
    // What was shown is what the database holds, and the close sends nothing more.
    maybeKill();
    dm.ZConnection1.disconnect();

    const QMap<int, QString> disk = notesOnDisk();
    const auto [lost, duplicated, asExpected] = made.compareWith(disk);
    printf("attachment killed between steps: outages survived=%d lost connections met=%d changes made=%d (%d new, "
           "%d changed, %d deleted) notes on disk afterwards=%d as expected=%d lost=%d duplicated=%d\n",
           outages, lostConnections, made.count(), made.inserted, made.edited, made.deleted, int(disk.size()),
           asExpected, lost, duplicated);
    fflush(stdout);
    EXPECT_TRUE(failures.isEmpty()) << qPrintable(failures.join(u'\n'));
    EXPECT_TRUE(wrongMessages.isEmpty()) << qPrintable(wrongMessages.value(0));
    EXPECT_TRUE(messages.requests.isEmpty()) << qPrintable(messages.requests.value(0).text);
    EXPECT_GT(lostConnections, 0) << "no outage met a change";
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(duplicated, 0);
}

TEST_F(ServerOutage, AnApplyCutOffWhileItRunsIsSentOnceWhenTheServerAnswersAgain)
{
    const qint64 program = queryRows(dm.ZConnection1.handle(),
                                     QStringLiteral("select CURRENT_CONNECTION from RDB$DATABASE"))[0][0].toLongLong();
    // Another attachment holds the row, so that the program's apply waits
    // inside its transaction until its attachment is deleted under it.
    fb::Connection other;
    other.connect(db.connectParams());
    auto holding = std::make_unique<fb::Transaction>(other);
    auto hold = std::make_unique<fb::Statement>(*holding, QStringLiteral("UPDATE REAVALIACAO SET DATA = DATA WHERE ID = 1"));
    hold->execute();
    bool waited = false;
    std::thread cut([&] {
        // As soon as the program's statement waits for the row.
        const QString waiting = QStringLiteral("select count(*) from MON$STATEMENTS where MON$ATTACHMENT_ID = %1 "
                                               "and MON$STATE = 1").arg(program);
        for (int i = 0; i < 500 && !waited; ++i) {
            waited = db.scalar(waiting).toInt() > 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        db.exec(QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID = %1").arg(program));
        holding->rollback();
    });

    dm.qryReavaliacao.edit();
    field(dm.qryReavaliacao, "OBSERVACOES").setValue(QStringLiteral(u"Veio com a avó."));
    const QString shown = failureOf([&] { dm.qryReavaliacao.post(); });
    cut.join();
    EXPECT_TRUE(waited) << "the apply never waited for the row";
    EXPECT_TRUE(shown.startsWith(kAway)) << qPrintable(shown);
    EXPECT_TRUE(shown.contains(kKept)) << qPrintable(shown);
    EXPECT_TRUE(dm.qryReavaliacao.hasPendingChanges());
    EXPECT_EQ(field(dm.qryReavaliacao, "OBSERVACOES").asString(), QStringLiteral(u"Veio com a avó."));

    dm.qryReavaliacao.applyUpdates();   // attaches again
    EXPECT_FALSE(dm.qryReavaliacao.hasPendingChanges());
    EXPECT_EQ(notesOnDisk(), (QMap<int, QString>{{1, QStringLiteral(u"Veio com a avó.")}}));
    EXPECT_TRUE(messages.requests.isEmpty()) << qPrintable(messages.requests.value(0).text);
    hold.reset();
    holding.reset();
    other.disconnect();
}

TEST_F(ServerOutage, WhileTheServerIsAwayTheChangeWaitsAndNoCloseDropsIt)
{
    serverAway();
    dm.qryReavaliacao.edit();
    field(dm.qryReavaliacao, "OBSERVACOES").setValue(QStringLiteral(u"Desenhou a família."));
    // Every attempt says why; the change stays on screen and pending.
    const std::function<void()> attempts[] = {
        [&] { dm.qryReavaliacao.post(); },
        [&] { dm.qryReavaliacao.applyUpdates(); },
        [&] { dm.qryReavaliacao.close(); },
        [&] { dm.ZConnection1.disconnect(); },
    };
    for (const auto& attempt : attempts) {
        const QString shown = failureOf(attempt);
        EXPECT_TRUE(shown.startsWith(kAway)) << qPrintable(shown);
        EXPECT_TRUE(shown.contains(kKept)) << qPrintable(shown);
        EXPECT_TRUE(dm.qryReavaliacao.isActive());
        EXPECT_TRUE(dm.qryReavaliacao.hasPendingChanges());
        EXPECT_EQ(field(dm.qryReavaliacao, "OBSERVACOES").asString(), QStringLiteral(u"Desenhou a família."));
    }
    EXPECT_EQ(notesOnDisk().value(1), QStringLiteral("primeira"));

    serverBack();
    dm.ZConnection1.disconnect();   // sends the change, then closes
    EXPECT_FALSE(dm.qryReavaliacao.isActive());
    EXPECT_EQ(notesOnDisk(), (QMap<int, QString>{{1, QStringLiteral(u"Desenhou a família.")}}));
    EXPECT_TRUE(messages.requests.isEmpty()) << qPrintable(messages.requests.value(0).text);
}

namespace {

// The practice's network under the program: the data module reaches the
// server through the latency proxy, with a short answer time so that a link
// gone silent costs the test little.
class LinkOutage : public ServerOutage, public ::testing::WithParamInterface<netlink::LinkState> {
protected:
    static constexpr std::chrono::milliseconds kAnswerTime{1000};

    void SetUp() override
    {
        routeThroughLink(dm.ZConnection1, proxy, kAnswerTime);
        ServerOutage::SetUp();
    }

    netlink::LatencyProxy proxy{3050, std::chrono::microseconds(1000)};
};

// Cuts the link in its way at random moments, for a random while each time,
// until stopped; the link is open when it ends.
class LinkCutter {
public:
    LinkCutter(netlink::LatencyProxy& proxy, netlink::LinkState kind, quint32 seed)
        : m_thread([this, &proxy, kind, seed] {
              QRandomGenerator random(seed);
              // A silent link costs the answer time each time it meets the program.
              const auto open = kind == netlink::LinkState::Silent ? std::pair{100, 1000} : std::pair{30, 300};
              while (pause(int(random.bounded(open.first, open.second)))) {
                  proxy.setState(kind);
                  ++m_cuts;
                  pause(int(random.bounded(0, 300)));
                  proxy.setState(netlink::LinkState::Open);
              }
          })
    {
    }
    ~LinkCutter() { stop(); }
    int stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_cuts;
    }

private:
    // Sleeps; false once stopped.
    bool pause(int ms)
    {
        for (int i = 0; i < ms && !m_stop; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return !m_stop;
    }

    std::atomic<bool> m_stop{false};
    std::atomic<int> m_cuts{0};
    std::thread m_thread;
};

} // namespace

// The link is reset or goes silent at any moment: while the program is idle,
// while it reads the notes and in the middle of a save. Every failure comes
// back as one lost connection with the message, long before a user would
// give up, the change stays pending, and once the link is back it is written
// once: what the notes show after every read and what the disk holds at the
// end are the changes made, none lost, none twice.
TEST_P(LinkOutage, CutsAtRandomMomentsCostNoChangeAndRepeatNone)
{
    constexpr int kChanges = 300;
    ds::SqlDataSet& notes = dm.qryReavaliacao;
    QRandomGenerator random(20261211);
    ChangesMade made{notesOnDisk()};
    int reads = 0, lostConnections = 0;
    std::chrono::steady_clock::duration longestFailure{};
    QStringList wrongMessages, failures;
    const auto shownNotes = [&] {
        QMap<int, QString> shown;
        for (int i = 0; i < notes.recordCount(); ++i)
            shown.insert(notes.rowValue(i, field(notes, "ID")).toInt(),
                         notes.rowValue(i, field(notes, "OBSERVACOES")).toString());
        return shown;
    };
    // Runs a step until it goes through, as a user tries again once the message is read.
    const auto retried = [&](const QString& what, const std::function<void(int attempt)>& step) {
        for (int attempt = 0; attempt <= 20; ++attempt) {
            if (attempt > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const auto started = std::chrono::steady_clock::now();
            try {
                step(attempt);
                return true;
            } catch (const ds::EConnectionLost& e) {
                ++lostConnections;
                longestFailure = std::max(longestFailure, std::chrono::steady_clock::now() - started);
                if (!e.message().startsWith(kAway))
                    wrongMessages << e.message();
            } catch (const std::exception& e) {
                failures << QStringLiteral("%1: %2").arg(what, QString::fromUtf8(e.what()));
                return false;
            }
        }
        failures << QStringLiteral("%1 never went through").arg(what);
        return false;
    };

    LinkCutter cutter(proxy, GetParam(), 20261212);
    for (int change = 1; change <= kChanges && failures.isEmpty(); ++change) {
        const QString name = QStringLiteral("change %1").arg(change);
        if (random.bounded(4) == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(random.bounded(1, 40)));   // idle
        if (random.bounded(3) == 0) {
            const bool read = retried(name + QStringLiteral(" (reading)"), [&](int) {
                notes.close();
                notes.open();
            });
            if (read && shownNotes() != made.expected)
                failures << name + QStringLiteral(": the notes read are not the notes written");
            ++reads;
        }
        const QString text = QStringLiteral(u"reavaliação %1: brincou com a bola").arg(change);
        const int kind = notes.isEmpty() ? 0 : int(random.bounded(4));
        int id = 0;
        retried(name, [&](int attempt) {
            if (attempt > 0) {
                saveAgain(notes);
            } else if (kind <= 1) {
                notes.append();
                field(notes, "OBSERVACOES").setValue(text);
                notes.post();
            } else {
                notes.moveTo(int(random.bounded(quint32(notes.recordCount()))));
                id = field(notes, "ID").asInteger();
                if (kind == 2) {
                    notes.edit();
                    field(notes, "OBSERVACOES").setValue(text);
                    notes.post();
                } else {
                    notes.deleteRecord();
                }
            }
            if (notes.hasPendingChanges())
                throw std::runtime_error("the change is still pending without a failure");
        });
        made.add(kind, kind <= 1 ? field(notes, "ID").asInteger() : id, text);
    }
    const int cuts = cutter.stop();
    retried(QStringLiteral("the last close"), [&](int) { dm.ZConnection1.disconnect(); });

    const QMap<int, QString> disk = notesOnDisk();
    const auto [lost, duplicated, asExpected] = made.compareWith(disk);
    const auto longest = std::chrono::duration_cast<std::chrono::milliseconds>(longestFailure);
    printf("link %s: cuts=%d lost connections met=%d longest failure=%lld ms changes made=%d (%d new, %d changed, "
           "%d deleted) reads=%d notes on disk afterwards=%d as expected=%d lost=%d duplicated=%d\n",
           GetParam() == netlink::LinkState::Closed ? "reset" : "silent", cuts, lostConnections,
           (long long)longest.count(), made.count(), made.inserted, made.edited, made.deleted, reads,
           int(disk.size()), asExpected, lost, duplicated);
    fflush(stdout);
    EXPECT_TRUE(failures.isEmpty()) << qPrintable(failures.join(u'\n'));
    EXPECT_TRUE(wrongMessages.isEmpty()) << qPrintable(wrongMessages.value(0));
    EXPECT_TRUE(messages.requests.isEmpty()) << qPrintable(messages.requests.value(0).text);
    EXPECT_GT(lostConnections, 0) << "no cut met the program";
    // A user who waits learns of it: nothing hangs on the lost link.
    EXPECT_LT(longest, std::chrono::seconds(20));
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(duplicated, 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, LinkOutage, ::testing::Values(netlink::LinkState::Closed, netlink::LinkState::Silent),
                         [](const ::testing::TestParamInfo<netlink::LinkState>& info) {
                             return info.param == netlink::LinkState::Closed ? std::string("reset")
                                                                             : std::string("silent");
                         });
