// The access log of a session of use: a refused login recorded at the next
// login on this computer, the login, each patient's record once, the user's
// own password and an administrator's change of users; every entry under the
// connection's user, and nobody writes the log but its procedure.

#include "fb/connection.h"
#include "fb/fberror.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "storefixture.h"
#include "store/accesslog.h"
#include "store/useradmin.h"

namespace {

class AccessLogTest : public StoreTest {
protected:
    // The log's entries after the given one, each "user|event|patient|detail".
    QStringList entriesAfter(qint64 after) const
    {
        QStringList out;
        for (const QVariantList& row : db.rows(QStringLiteral("select USUARIO, EVENTO, PACIENTE, DETALHE from ACESSO "
                                                              "where ID > %1 order by ID").arg(after)))
            out << row[0].toString() + u'|' + row[1].toString() + u'|' + row[2].toString() + u'|' + row[3].toString();
        return out;
    }
    qint64 last() const { return db.scalar(QStringLiteral("select coalesce(max(ID), 0) from ACESSO")).toLongLong(); }
};

} // namespace

TEST_F(AccessLogTest, ASessionOfUseIsLoggedUnderTheUserWhoLoggedIn)
{
    addPatient(7, "Ana");
    addPatient(8, "Bruno");
    testusers::ScopedUser user(db.location(), testusers::uniqueName(QStringLiteral("LOG")),
                               testusers::ScopedUser::Role::Therapist);
    const QString name = user.name();
    const qint64 before = last();
    Clock::set(QDateTime(QDate(2026, 3, 4), QTime(8, 15, 0)));

    Tdm session(db.folder());
    EXPECT_THROW(session.logIn(name, QStringLiteral("senha-errada")), store::EAccessRefused);
    EXPECT_TRUE(entriesAfter(before).isEmpty());   // nothing to record it with yet
    session.logIn(name, user.password());
    session.qryPaciente.open();   // Ana's record is shown
    session.qryPaciente.next();   // then Bruno's
    session.qryPaciente.first();  // Ana's again: not logged twice
    session.changeOwnPassword(user.password(), QStringLiteral("outra-senha-1"));
    EXPECT_EQ(entriesAfter(before),
              (QStringList{name + u"|LOGIN||"_qs,
                           name + u"|LOGIN_RECUSADO||usuário tentado: "_qs + name + u", em 04/03/2026 08:15:00 (neste computador)"_qs,
                           name + u"|PRONTUARIO|7|"_qs, name + u"|PRONTUARIO|8|"_qs,
                           name + u"|USUARIOS||senha própria"_qs}));

    // The refusal is recorded once; a new start of the program logs the records it shows again.
    const qint64 second = last();
    Tdm again(db.folder());
    again.logIn(name, QStringLiteral("outra-senha-1"));
    again.qryPaciente.open();
    EXPECT_EQ(entriesAfter(second), (QStringList{name + u"|LOGIN||"_qs, name + u"|PRONTUARIO|7|"_qs}));

    const qint64 third = last();
    store::UserAdmin(db.location(), testusers::administrator()).setActive(name, false);
    EXPECT_EQ(entriesAfter(third), QStringList{testusers::administrator().user + u"|USUARIOS||desativado "_qs + name});
}

TEST_F(AccessLogTest, OnlyTheProcedureWritesTheLogAndOnlyAdministratorsReadIt)
{
    fb::ConnectParams p;
    p.database = db.location();
    const store::Account& therapist = testusers::therapist();
    p.user = therapist.user;
    p.password = therapist.password;
    p.role = therapist.role;
    fb::Connection c;
    c.connect(p);
    const auto refusal = [&](const QString& sql) { return runAs(db, therapist, {sql}); };
    EXPECT_TRUE(refusal(QStringLiteral("INSERT INTO ACESSO (ID, MOMENTO, USUARIO, EVENTO) VALUES (-1, "
                                       "current_timestamp, 'OUTRA', 'LOGIN')"))
                    .contains(QStringLiteral("no permission for INSERT access to TABLE ACESSO")));
    EXPECT_TRUE(refusal(QStringLiteral("SELECT COUNT(*) FROM ACESSO"))
                    .contains(QStringLiteral("no permission for SELECT access to TABLE ACESSO")));
    // The procedure takes no user: the entry is the connection's.
    store::recordAccess(c, store::AccessEvent::RecordShown, 7, QStringLiteral("x"));
    EXPECT_EQ(db.column(QStringLiteral("select USUARIO from ACESSO where EVENTO = 'PRONTUARIO'")), QVariantList{therapist.user});
}
