// Who may do what: the rights of the program's two roles, a connection
// without one of them, the login with its refusals, user names and
// passwords that look like SQL, and the user's own new password.

#include "fb/connection.h"
#include "fb/fberror.h"
#include "fb/service.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "storefixture.h"
#include "store/attachmentcheck.h"
#include "store/useradmin.h"
#include "support/testaccount.h"

#include <QCoreApplication>
#include <QSet>

namespace {

// The tables of the record and the reference tables.
const QStringList kTables{"CARATER",   "TERAPEUTA",  "BRINQUEDO",  "ESCOLA",   "INSTRUCAO",
                          "TIPO_ORIENTACAO", "PACIENTE", "PAIS",   "IRMAO",    "CONSULTA",
                          "BRINQUEDO_NA_CONSULTA", "REAVALIACAO", "INDICACAO", "ORIENTACAO", "HISTORICO"};

// One statement as the account; empty when it worked, else the server's message.
QString tryAs(const TestDatabase& db, const store::Account& account, const QString& sql)
{
    return runAs(db, account, {sql});
}

// The server's backup through its service manager, by gbak, under that
// account (handed over in the client's variables).
QString backUpAs(const TestDatabase& db, const store::Account& account)
{
    // Through the server's service manager, as the program backs up.
    fb::ConnectParams p;
    p.user = account.user;
    p.password = account.password;
    p.role = account.role;
    try {
        fb::BackupStream stream(fb::parseLocation(db.location()), p);
        while (!stream.read().isEmpty()) {
        }
        return {};
    } catch (const EError& e) {
        return e.message();
    }
}

class AccessTest : public StoreTest {
protected:
    // Expects the login to be refused with exactly that message, the connection left closed.
    void expectRefused(const QString& typed, const QString& password, const QString& message)
    {
        SCOPED_TRACE(typed.toStdString());
        Tdm other(db.folder());
        try {
            other.logIn(typed, password);
            ADD_FAILURE() << "logged in";
        } catch (const EError& e) {
            EXPECT_EQ(e.message(), message);
        }
        EXPECT_FALSE(other.ZConnection1.connected());
        EXPECT_TRUE(other.account().role.isEmpty());
    }
    QString currentUser(Tdm& d)
    {
        return d.ZConnection1.use([](fb::Connection& c) {
            return queryRows(c, QStringLiteral("select CURRENT_USER, CURRENT_ROLE from RDB$DATABASE"))
                .value(0)
                .value(0)
                .toString()
                .trimmed();
        });
    }
    store::UserAdmin adminWindow() { return store::UserAdmin(db.location(), testusers::administrator()); }

    const QString wrong = QStringLiteral(u"Usuário ou senha incorretos (ou o usuário foi desativado).");
};

} // namespace

TEST_F(AccessTest, EachRoleHoldsExactlyItsRightsAndNobodyElseHoldsAny)
{
    QSet<QString> expected;
    for (const char* role : {"MARVOK_TERAPEUTA", "MARVOK_ADMIN"}) {
        for (const QString& table : kTables)
            for (const char* right : {"S", "I", "U", "D"})
                expected << QStringLiteral("%1 %2 %3").arg(QString::fromLatin1(role), QString::fromLatin1(right), table);
        expected << QStringLiteral("%1 S VERSAO_BANCO").arg(QString::fromLatin1(role))
                 << QStringLiteral("%1 S CONSULTORIO").arg(QString::fromLatin1(role))
                 << QStringLiteral("%1 G GERADOR").arg(QString::fromLatin1(role))
                 << QStringLiteral("%1 G GEN_PACIENTE").arg(QString::fromLatin1(role));
    }
    for (const char* right : {"I", "U", "D"})
        expected << QStringLiteral("MARVOK_ADMIN %1 CONSULTORIO").arg(QString::fromLatin1(right));
    // The audit trail: read by both roles, written only by its triggers; the
    // access log: written only by its procedure, which both roles run, and
    // read by administrators.
    for (const char* role : {"MARVOK_TERAPEUTA", "MARVOK_ADMIN"})
        expected << QStringLiteral("%1 S AUDITORIA").arg(QString::fromLatin1(role))
                 << QStringLiteral("%1 S AUDITORIA_CAMPO").arg(QString::fromLatin1(role))
                 << QStringLiteral("%1 X REGISTRAR_ACESSO").arg(QString::fromLatin1(role));
    expected << QStringLiteral("MARVOK_ADMIN S ACESSO");
    for (const QString& table : kTables)
        expected << QStringLiteral("AUD_%1 I AUDITORIA").arg(table) << QStringLiteral("AUD_%1 I AUDITORIA_CAMPO").arg(table)
                 << QStringLiteral("AUD_%1 G GEN_AUDITORIA").arg(table);
    expected << QStringLiteral("AUD_BRINQUEDO_NA_CONSULTA S CONSULTA") << QStringLiteral("REGISTRAR_ACESSO I ACESSO")
             << QStringLiteral("REGISTRAR_ACESSO G GEN_AUDITORIA");
    QSet<QString> granted;
    // Every right on the program's objects given to anyone (a role, a trigger, a procedure) but their owner
    // (the database's creator), and every membership of a program role.
    for (const QVariantList& row : db.rows(QStringLiteral(
             "select trim(P.RDB$USER), trim(P.RDB$PRIVILEGE), trim(P.RDB$RELATION_NAME) from RDB$USER_PRIVILEGES P "
             "where P.RDB$USER <> 'SYSDBA' and P.RDB$PRIVILEGE <> 'M' and (exists (select 1 from RDB$RELATIONS R "
             "where R.RDB$RELATION_NAME = P.RDB$RELATION_NAME and coalesce(R.RDB$SYSTEM_FLAG, 0) = 0) or exists "
             "(select 1 from RDB$GENERATORS G where G.RDB$GENERATOR_NAME = P.RDB$RELATION_NAME and "
             "coalesce(G.RDB$SYSTEM_FLAG, 0) = 0) or exists (select 1 from RDB$PROCEDURES R where R.RDB$PROCEDURE_NAME = "
             "P.RDB$RELATION_NAME and coalesce(R.RDB$SYSTEM_FLAG, 0) = 0))")))
        granted << row[0].toString() + u' ' + row[1].toString() + u' ' + row[2].toString();
    EXPECT_EQ(granted, expected);
}

TEST_F(AccessTest, AConnectionWithoutOneOfTheRolesReadsNothing)
{
    testusers::ScopedUser stranger(db.location(), testusers::uniqueName(QStringLiteral("SEM_PAPEL")),
                                   testusers::ScopedUser::Role::None);
    store::Account noRole = testusers::therapist();
    noRole.role.clear();
    store::Account wrongRole = testusers::therapist();
    wrongRole.role = store::kAdministratorRole;   // not hers: the server gives none
    for (const store::Account& account : {noRole, wrongRole, stranger.account()}) {
        SCOPED_TRACE(account.user.toStdString() + " role " + account.role.toStdString());
        for (const QString& table : kTables + QStringList{QStringLiteral("VERSAO_BANCO")}) {
            const QString refusal = tryAs(db, account, QStringLiteral("select count(*) from ") + table);
            EXPECT_TRUE(refusal.contains(QStringLiteral("no permission for SELECT access to TABLE ") + table))
                << refusal.toStdString();
        }
        EXPECT_FALSE(tryAs(db, account, QStringLiteral("select gen_id(GERADOR, 1) from RDB$DATABASE")).isEmpty());
    }
    // The data module refuses such a connection before reading anything.
    Tdm dm2(db.folder(), wrongRole);
    EXPECT_THROW(dm2.qryPaciente.open(), store::ENotInRole);
    EXPECT_FALSE(dm2.ZConnection1.connected());
}

TEST_F(AccessTest, ATherapistSavesASessionButCannotManageUsersNorBackUp)
{
    addPatient(7, "Ana");
    dm.qryPaciente.open();
    dm.qryConsulta.append();
    set(dm.qryConsulta, "DATA", QDate(2024, 5, 6));
    dm.qryConsulta.post();
    EXPECT_EQ(count(QStringLiteral("select count(*) from CONSULTA where PACIENTE = 7")), 1);
    EXPECT_EQ(currentUser(dm), testusers::therapist().user);

    EXPECT_THROW(store::UserAdmin(db.location(), testusers::therapist()), store::EAccessRefused);
    // The practice's data on the reports is an administrator's to change.
    EXPECT_TRUE(tryAs(db, testusers::therapist(), QStringLiteral("INSERT INTO CONSULTORIO (ID, NOME) VALUES (1, 'X')"))
                    .contains(QStringLiteral("no permission for INSERT access to TABLE CONSULTORIO")));
    const QString name = testusers::uniqueName(QStringLiteral("INTRUSA"));
    const QString created = tryAs(db, testusers::therapist(), QStringLiteral("CREATE USER %1 PASSWORD 'x12345678'").arg(name));
    EXPECT_TRUE(created.contains(QStringLiteral("no permission"))) << created.toStdString();
    EXPECT_FALSE(store::UserAdmin(db.location(), testusers::administrator()).exists(name));
    const QString granted = tryAs(db, testusers::therapist(), QStringLiteral("GRANT MARVOK_ADMIN TO %1").arg(testusers::therapist().user));
    EXPECT_FALSE(granted.isEmpty());

    const QString backup = backUpAs(db, testusers::therapist());
    EXPECT_TRUE(backup.contains(QStringLiteral("SYSDBA or owner"))) << backup.toStdString();
    // An administrator may, under the server's administration role.
    store::Account administrator = testusers::administrator();
    administrator.role = store::kServerAdminRole;
    EXPECT_EQ(backUpAs(db, administrator), QString());
}

TEST_F(AccessTest, TheLoginFindsTheRoleAndRefusesWhatItMust)
{
    const store::Account& therapist = testusers::therapist();
    const store::Account& administrator = testusers::administrator();
    for (const auto& [typed, account] : {std::pair{u"  "_qs + therapist.user.toLower() + u" "_qs, therapist},
                                         std::pair{administrator.user, administrator}}) {
        Tdm d(db.folder());
        d.logIn(typed, account.password);
        EXPECT_EQ(d.account().user, account.user);
        EXPECT_EQ(d.account().role, account.role);
        EXPECT_EQ(currentUser(d), account.user);
        d.qryPaciente.open();   // the record opens under that role
    }

    testusers::ScopedUser deactivated(db.location(), testusers::uniqueName(QStringLiteral("INATIVA")),
                                      testusers::ScopedUser::Role::Therapist);
    adminWindow().setActive(deactivated.name(), false);
    testusers::ScopedUser stranger(db.location(), testusers::uniqueName(QStringLiteral("ALHEIA")),
                                   testusers::ScopedUser::Role::None);
    expectRefused(therapist.user, therapist.password + u'x', wrong);
    expectRefused(therapist.user, therapist.password.toLower(), wrong);   // passwords keep their case
    expectRefused(testusers::uniqueName(QStringLiteral("NINGUEM")), QStringLiteral("qualquer1"), wrong);
    expectRefused(deactivated.name(), deactivated.password(), wrong);
    expectRefused(stranger.name(), stranger.password(),
                  QStringLiteral(u"O usuário %1 não tem acesso ao Marvok neste banco de dados.\rPeça a um "
                                 u"administrador do Marvok que o inclua em \"Usuários\".")
                      .arg(stranger.name()));
    expectRefused(testAccount().user.toLower(), testAccount().password,
                  QStringLiteral(u"O administrador do servidor (SYSDBA) não trabalha no Marvok: entre com o seu "
                                 u"próprio usuário."));
    expectRefused(QStringLiteral("   "), QStringLiteral("x"), QStringLiteral(u"Informe o nome do usuário."));
    expectRefused(therapist.user, QString(), QStringLiteral(u"Informe a senha."));

    // Activated again, she logs in.
    adminWindow().setActive(deactivated.name(), true);
    Tdm back(db.folder());
    EXPECT_NO_THROW(back.logIn(deactivated.name(), deactivated.password()));

    // Without a login the data module opens nothing, whatever the client's variables say.
    qputenv("ISC_USER", testAccount().user.toUtf8());
    qputenv("ISC_PASSWORD", testAccount().password.toUtf8());
    Tdm nobody(db.folder());
    EXPECT_THROW(nobody.qryPaciente.open(), store::EAccessRefused);
    qunsetenv("ISC_USER");
    qunsetenv("ISC_PASSWORD");
}

TEST_F(AccessTest, NamesAndPasswordsThatLookLikeSqlAreUsersLikeAnyOther)
{
    const QStringList hostile{u"o'brien"_qs,
                              u"ana \"nina\" lúcia"_qs,
                              u"x'); drop table paciente;--"_qs,
                              u"\"; grant rdb$admin to public"_qs,
                              u"joão da silva"_qs};
    const QString password = QStringLiteral(u"s'en\"ha; drop -- ção");
    store::UserAdmin admin = adminWindow();
    for (int i = 0; i < hostile.size(); ++i) {
        // The run's prefix keeps the name its own; the server keeps up to 31 bytes.
        const QString typed = QStringLiteral("mvktest_%1_%2").arg(QCoreApplication::applicationPid()).arg(i) + hostile[i].left(12);
        const QString name = store::userName(typed);
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(store::userNameProblem(name).isEmpty()) << store::userNameProblem(name).toStdString();
        struct Drop {
            QString location, name;
            ~Drop() { testusers::dropUser(location, name); }
        } drop{db.location(), name};

        admin.create(name, password, store::UserRole::Therapist);
        EXPECT_TRUE(admin.users().contains(store::UserEntry{name, store::UserRole::Therapist, true}));
        Tdm d(db.folder());
        d.logIn(typed, password);
        EXPECT_EQ(currentUser(d), name);
        EXPECT_EQ(d.account().role, store::kTherapistRole);
        d.ZConnection1.disconnect();

        admin.setRole(name, store::UserRole::Administrator);
        admin.setPassword(name, password + u'2');
        d.logIn(typed, password + u'2');
        EXPECT_EQ(d.account().role, store::kAdministratorRole);
        d.ZConnection1.disconnect();
        // The server's service manager takes the same name for a backup.
        EXPECT_EQ(backUpAs(db, store::Account{name, password + u'2', store::kServerAdminRole}), QString());
        admin.setActive(name, false);
        EXPECT_THROW(d.logIn(typed, password + u'2'), store::EAccessRefused);
    }
    // Nothing of the names ran as SQL.
    EXPECT_EQ(count(QStringLiteral("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'PACIENTE'")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from RDB$USER_PRIVILEGES where RDB$USER = 'PUBLIC' and "
                                   "RDB$RELATION_NAME not starting with 'RDB$' and RDB$RELATION_NAME not starting with 'MON$'"
                                   " and RDB$RELATION_NAME not starting with 'SEC$'")),
              0);
}

TEST_F(AccessTest, AnAdministratorManagesOnlyTheProgramsUsersAndNeverLocksHerselfOut)
{
    testusers::ScopedUser stranger(db.location(), testusers::uniqueName(QStringLiteral("OUTRO_SISTEMA")),
                                   testusers::ScopedUser::Role::None);
    store::UserAdmin admin = adminWindow();
    const QList<store::UserEntry> users = admin.users();
    EXPECT_TRUE(users.contains(store::UserEntry{testusers::therapist().user, store::UserRole::Therapist, true}));
    EXPECT_TRUE(users.contains(store::UserEntry{testusers::administrator().user, store::UserRole::Administrator, true}));
    for (const store::UserEntry& u : users)
        EXPECT_NE(u.name, stranger.name());

    const struct {
        std::function<void()> change;
        QString message;
    } refused[] = {
        {[&] { admin.setPassword(stranger.name(), QStringLiteral("outrasenha1")); },
         stranger.name() + QStringLiteral(u" não é um usuário do Marvok neste banco de dados.")},
        {[&] { admin.setPassword(QStringLiteral("SYSDBA"), QStringLiteral("outrasenha1")); },
         QStringLiteral(u"O administrador do servidor (SYSDBA) não trabalha no Marvok: entre com o seu próprio usuário.")},
        {[&] { admin.setActive(testusers::administrator().user, false); },
         QStringLiteral(u"Você não pode desativar o seu próprio usuário.")},
        {[&] { admin.setRole(testusers::administrator().user, store::UserRole::Therapist); },
         QStringLiteral(u"O seu próprio usuário não pode deixar de ser administrador: peça isso a outro administrador.")},
        {[&] { admin.create(testusers::therapist().user, QStringLiteral("outrasenha1"), store::UserRole::Therapist); },
         QStringLiteral(u"Já existe um usuário %1 no servidor do banco de dados.").arg(testusers::therapist().user)},
        {[&] { admin.create(testusers::uniqueName(QStringLiteral("CURTA")), QStringLiteral("1234567"), store::UserRole::Therapist); },
         QStringLiteral(u"A senha deve ter pelo menos 8 caracteres.")},
    };
    for (const auto& r : refused) {
        try {
            r.change();
            ADD_FAILURE() << "done: " << r.message.toStdString();
        } catch (const store::EAccessRefused& e) {
            EXPECT_EQ(e.message(), r.message);
        }
    }
    EXPECT_EQ(admin.users(), users);
    // The other system's user keeps her password: she is refused for having no role, not for a wrong password.
    Tdm d(db.folder());
    EXPECT_THROW(d.logIn(stranger.name(), stranger.password()), store::ENotInRole);
}

TEST_F(AccessTest, TheUsersOwnNewPasswordNeedsHerCurrentOneAndKeepsHerConnectionGoing)
{
    testusers::ScopedUser user(db.location(), testusers::uniqueName(QStringLiteral("SENHA")),
                               testusers::ScopedUser::Role::Therapist);
    Tdm d(db.folder());
    d.logIn(user.name(), user.password());
    const QString next = QStringLiteral(u"nova 'senha' ção");
    EXPECT_THROW(d.changeOwnPassword(QStringLiteral("errada123"), next), store::EAccessRefused);
    EXPECT_THROW(d.changeOwnPassword(user.password(), QStringLiteral("curta")), store::EAccessRefused);
    d.changeOwnPassword(user.password(), next);
    // A reconnection (a backup, a lost connection) uses the new one.
    d.ZConnection1.disconnect();
    EXPECT_NO_THROW(d.qryPaciente.open());
    Tdm old(db.folder());
    EXPECT_THROW(old.logIn(user.name(), user.password()), store::EAccessRefused);
    EXPECT_NO_THROW(old.logIn(user.name(), next));
}

TEST(AttachmentCheck, OnlyTheMachineItselfMayGoUnencrypted)
{
    const struct {
        const char* location;
        bool thisMachine;
    } cases[] = {
        {"/var/lib/marvok/marvok.fdb", true},  {"localhost:/pasta/marvok.fdb", true}, {"LocalHost:marvok", true},
        {"localhost/3051:marvok", true},       {"127.0.0.1:marvok", true},            {"[::1]/3050:marvok", true},
        {"127.0.0.2/3051:marvok", false},      {"192.168.0.10:marvok", false},        {"servidor:marvok", false},
        {"servidor/3050:/var/lib/marvok/marvok.fdb", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(store::isThisMachine(QString::fromLatin1(c.location)), c.thisMachine) << c.location;
}
