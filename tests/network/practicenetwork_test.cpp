// The practice's network, on a server of the test's own set up by the
// practice's set-up command on 127.0.0.2: the program works over it with
// the wire encrypted; the server itself refuses unencrypted clients, legacy
// logins and databases outside its folder; and the program refuses to work
// with a server of another machine that does not encrypt.

#include "fb/fberror.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "practiceserver.h"
#include "store/attachmentcheck.h"
#include "store/tdm.h"
#include "store/useradmin.h"
#include "support/scriptedmessages.h"
#include "support/settingsfiles.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

class PracticeNetworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.setSystem(QStringLiteral("database/server"), practice.server());
        settings.setSystem(QStringLiteral("database/name"), QStringLiteral("marvok"));
        fb::Connection c;
        c.connect(practice.administrator(practice.database()));
        fb::Transaction tx(c);
        fb::executeSql(tx, QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                                          "VALUES (1, 'Conceição', '2015-04-12', '2021-08-03', 'A')"));
        tx.commit();
    }
    static QString wireEncrypted(Tdm& dm)
    {
        return dm.ZConnection1.use([](fb::Connection& c) {
            return queryRows(c, QStringLiteral("select RDB$GET_CONTEXT('SYSTEM', 'WIRE_ENCRYPTED') from RDB$DATABASE"))
                .value(0)
                .value(0)
                .toString();
        });
    }

    PracticeServer practice;
    SettingsFiles settings;
    ScriptedMessages messages;
};

} // namespace

TEST_F(PracticeNetworkTest, TheProgramWorksEncryptedAndTheServerRefusesWhatItMust)
{
    Tdm dm;   // the database the settings name
    EXPECT_EQ(dm.databaseLocation(), practice.database());
    EXPECT_FALSE(store::isThisMachine(dm.databaseLocation()));
    dm.logIn(practice.therapist().user.toLower(), practice.therapist().password);
    dm.qryPaciente.open();
    EXPECT_EQ(dm.qryPaciente.fieldByName(QStringLiteral("NOME")).asString(), QStringLiteral(u"Conceição"));
    EXPECT_EQ(wireEncrypted(dm), QStringLiteral("TRUE"));

    // An administrator manages the users over the network as well.
    store::UserAdmin admin(dm.databaseLocation(), practice.marvokAdministrator());
    admin.create(QStringLiteral("CLARA"), QStringLiteral("senha-da-clara"), store::UserRole::Therapist);
    Tdm second;
    EXPECT_NO_THROW(second.logIn(QStringLiteral("clara"), QStringLiteral("senha-da-clara")));

    const QString connect = QStringLiteral("connect '%1' user '%2' password '%3';\nselect 'ENTROU' from RDB$DATABASE;\n")
                                .arg(practice.database(), practice.therapist().user, practice.therapist().password);
    EXPECT_TRUE(practice.clientIsql({}, connect).contains(QStringLiteral("ENTROU")));
    const QString unencrypted = practice.clientIsql({QStringLiteral("WireCrypt = Disabled")}, connect);
    EXPECT_FALSE(unencrypted.contains(QStringLiteral("ENTROU")));
    EXPECT_TRUE(unencrypted.contains(QStringLiteral("Incompatible wire encryption levels"))) << unencrypted.toStdString();
    const QString legacy = practice.clientIsql({QStringLiteral("AuthClient = Legacy_Auth")}, connect);
    EXPECT_FALSE(legacy.contains(QStringLiteral("ENTROU")));
    EXPECT_TRUE(legacy.contains(QStringLiteral("Error occurred during login"))) << legacy.toStdString();

    // Only the databases of its own folder.
    QTemporaryDir elsewhere;
    QFile::setPermissions(elsewhere.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                                QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    try {
        fb::Connection c;
        c.create(practice.administrator(practice.server() + u':' + elsewhere.path() + QStringLiteral("/outro.fdb")));
        ADD_FAILURE() << "a database outside the server's folder was created";
    } catch (const fb::FbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("not allowed by server configuration"))) << e.message().toStdString();
    }
    // It listens on its own address only.
    try {
        fb::Connection c;
        c.connect(practice.administrator(practice.database().replace(QStringLiteral("127.0.0.2"), QStringLiteral("127.0.0.1"))));
        ADD_FAILURE() << "the server answered on 127.0.0.1";
    } catch (const fb::FbError& e) {
        EXPECT_TRUE(e.isConnectionFailure()) << e.message().toStdString();
    }
}

TEST_F(PracticeNetworkTest, TheProgramRefusesAnotherMachinesServerThatDoesNotEncrypt)
{
    // A server left as installed, without the set-up's encryption.
    practice.reconfigure(QStringLiteral("WireCrypt = Required"), QStringLiteral("WireCrypt = Disabled"));
    const QString refusal =
        QStringLiteral(u"A conexão com o servidor do banco de dados (%1) não é criptografada, e o Marvok não trabalha "
                       u"sem criptografia com outro computador.\rPeça ao administrador que configure o servidor para a "
                       u"rede do consultório (marvok-setup server).")
            .arg(practice.database());
    Tdm dm;
    try {
        dm.logIn(practice.therapist().user, practice.therapist().password);
        ADD_FAILURE() << "logged in unencrypted";
    } catch (const store::EUnencryptedConnection& e) {
        EXPECT_EQ(e.message(), refusal);
    }
    EXPECT_FALSE(dm.ZConnection1.connected());
    EXPECT_THROW(store::UserAdmin(practice.database(), practice.marvokAdministrator()), store::EUnencryptedConnection);
}
