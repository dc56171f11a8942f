// The data module's connection: location (the program's folder or the
// settings), failures, the opening of reference data and the closing order
// before a disconnection.

#include "fb/fberror.h"
#include "store/tdm.h"
#include "support/settingsfiles.h"
#include "support/testdatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Records the order in which data sets open and close.
struct OpenCloseLog {
    QStringList opened, closed;
    void watch(ds::DataSet& d)
    {
        d.afterOpen = [this](ds::DataSet& x) { opened << x.name(); };
        d.afterClose = [this](ds::DataSet& x) { closed << x.name(); };
    }
};

} // namespace

TEST(TdmConnection, DatabaseLiesInTheProgramFolderWhateverTheWorkingDirectory)
{
    TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                           "VALUES (1, 'Conceição', '2005-06-10', '2011-03-05', 'A')"));
    QTemporaryDir elsewhere;
    const QString saved = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    Tdm dm(db.folder().chopped(1), testusers::therapist());   // also without the trailing separator
    EXPECT_EQ(dm.databaseLocation(), db.location());
    dm.qryPaciente.open();
    EXPECT_EQ(dm.qryPaciente.fieldByName(QStringLiteral("NOME")).asString(), QStringLiteral(u"Conceição"));
    QDir::setCurrent(saved);
    EXPECT_EQ(Tdm().programFolder(), QCoreApplication::applicationDirPath() + u'/');
}

TEST(TdmConnection, WithoutAFolderTheDatabaseIsTheOneTheSettingsName)
{
    TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                           "VALUES (1, 'Conceição', '2005-06-10', '2011-03-05', 'A')"));
    const QString ownFolder = QStringLiteral("localhost:") + QCoreApplication::applicationDirPath() +
                              QStringLiteral("/marvok.fdb");
    EXPECT_EQ(Tdm().databaseLocation(), ownFolder);   // no settings: as ever

    SettingsFiles settings;
    settings.setSystem(QStringLiteral("database/name"), db.folder() + QStringLiteral("marvok.fdb"));
    Tdm dm({}, testusers::therapist());
    EXPECT_EQ(dm.databaseLocation(), db.location());
    dm.qryPaciente.open();
    EXPECT_EQ(dm.qryPaciente.fieldByName(QStringLiteral("NOME")).asString(), QStringLiteral(u"Conceição"));
    // A folder given names the database itself, whatever the settings say.
    QTemporaryDir other;
    EXPECT_EQ(Tdm(other.path()).databaseLocation(), QStringLiteral("localhost:") + other.path() + QStringLiteral("/marvok.fdb"));
}

TEST(TdmConnection, MissingDatabaseRaisesTheDriversMessageAndStaysClosed)
{
    QTemporaryDir empty;
    Tdm dm(empty.path(), testusers::therapist());
    try {
        dm.qryPaciente.open();
        FAIL() << "there is no database to open";
    } catch (const fb::FbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("marvok.fdb"))) << e.message().toStdString();
    }
    EXPECT_FALSE(dm.ZConnection1.connected());
    for (ds::SqlDataSet* d : dm.recordDataSets())
        EXPECT_FALSE(d->isActive()) << d->name().toStdString();
}

TEST(TdmConnection, PatientListOpensItsReferenceDataFirstAndEveryDataSetMatchesTheSchema)
{
    TestDatabase db;
    Tdm dm(db.folder(), testusers::therapist());
    OpenCloseLog log;
    for (ds::SqlDataSet* d : dm.recordDataSets())
        log.watch(*d);
    dm.qryPaciente.open();
    EXPECT_EQ(log.opened, (QStringList{"qryInstrucao", "qryEscola", "qryTerapeuta", "qryCarater", "qryPaciente"}));
    // Every declared column exists in its table: each data set opens.
    for (ds::SqlDataSet* d : dm.recordDataSets()) {
        EXPECT_NO_THROW(d->open()) << d->name().toStdString();
        EXPECT_TRUE(d->isActive()) << d->name().toStdString();
    }
    EXPECT_EQ(dm.qryOrientacao.paramByName(QStringLiteral("TIPO")).asInteger(), 24);
    EXPECT_EQ(dm.qryPai.fieldByName(QStringLiteral("NOME")).displayLabel(), QStringLiteral("PAI"));
    EXPECT_EQ(dm.qryMae.fieldByName(QStringLiteral("NOME")).displayLabel(), QStringLiteral(u"MÃE"));
    EXPECT_FALSE(dm.qryPaciente.fieldByName(QStringLiteral("ESCOLA")).visible());
    EXPECT_EQ(dm.qryPaciente.fields()[19]->name(), QStringLiteral("DescrInstrucao"));
    EXPECT_EQ(dm.qryPai.fields()[6]->name(), QStringLiteral("DescrInstrucao"));
    EXPECT_EQ(dm.ZSequence1->SequenceName(), QStringLiteral("GERADOR"));
    EXPECT_EQ(dm.seqPaciente->SequenceName(), QStringLiteral("GEN_PACIENTE"));
}

TEST(TdmConnection, DisconnectClosesTheRecordDataSetsInOrderAndKeepsReferenceData)
{
    TestDatabase db;
    Tdm dm(db.folder(), testusers::therapist());
    for (ds::SqlDataSet* d : dm.recordDataSets())
        d->open();
    OpenCloseLog log;
    for (ds::SqlDataSet* d : dm.recordDataSets())
        log.watch(*d);
    dm.ZConnection1.disconnect();
    EXPECT_EQ(log.closed, (QStringList{"qryHistorico", "qryOrientacao", "qryIndicacao", "qryReavaliacao",
                                       "qryBrinquedoNaConsulta", "qryConsulta", "qryIrmao", "qryMae", "qryPai",
                                       "qryPaciente"}));
    EXPECT_FALSE(dm.ZConnection1.connected());
    EXPECT_TRUE(dm.qryCarater.isActive());
}
