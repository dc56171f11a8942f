#include "store/tdm.h"
#include "platform/settings.h"
#include "store/agetext.h"

#include <QCoreApplication>
#include <QDir>

namespace {
const QString kDatabaseFile = QStringLiteral("marvok.fdb");

QString withTrailingSeparator(QString folder)
{
    folder = QDir::fromNativeSeparators(folder);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}
} // namespace

Tdm::Tdm(const QString& programFolder, store::Account account)
    : qryCarater(QStringLiteral("qryCarater"), &ZConnection1, QStringLiteral("select * from CARATER order by CARATER")),
      qryTerapeuta(QStringLiteral("qryTerapeuta"), &ZConnection1, QStringLiteral("select * from TERAPEUTA order by NOME")),
      qryBrinquedo(QStringLiteral("qryBrinquedo"), &ZConnection1,
                   QStringLiteral("select * from BRINQUEDO order by BRINQUEDO")),
      qryEscola(QStringLiteral("qryEscola"), &ZConnection1, QStringLiteral("SELECT * FROM ESCOLA order by NOME")),
      qryInstrucao(QStringLiteral("qryInstrucao"), &ZConnection1, QStringLiteral("SELECT * FROM INSTRUCAO")),
      qryTipoOrientacao(QStringLiteral("qryTipoOrientacao"), &ZConnection1,
                        QStringLiteral("SELECT * FROM TIPO_ORIENTACAO order by ID")),
      qryPaciente(QStringLiteral("qryPaciente"), &ZConnection1, QStringLiteral("select * from PACIENTE order by NOME")),
      qryPai(QStringLiteral("qryPai"), &ZConnection1,
             QStringLiteral("SELECT * FROM PAIS \r\nWHERE PACIENTE = :PACIENTE AND\r\n             TIPO = 'P'")),
      qryMae(QStringLiteral("qryMae"), &ZConnection1,
             QStringLiteral("SELECT * FROM PAIS\r\nWHERE PACIENTE = :PACIENTE AND\r\n             TIPO = 'M'")),
      qryIrmao(QStringLiteral("qryIrmao"), &ZConnection1,
               QStringLiteral("SELECT * FROM IRMAO\r\nWHERE PACIENTE = :PACIENTE\r\norder by NASCIMENTO")),
      qryConsulta(QStringLiteral("qryConsulta"), &ZConnection1,
                  QStringLiteral("SELECT * FROM CONSULTA\r\nWHERE PACIENTE = :PACIENTE\r\nORDER BY DATA, HORA")),
      qryBrinquedoNaConsulta(QStringLiteral("qryBrinquedoNaConsulta"), &ZConnection1,
                             QStringLiteral("SELECT * FROM BRINQUEDO_NA_CONSULTA\r\nWHERE CONSULTA = :CONSULTA")),
      qryReavaliacao(QStringLiteral("qryReavaliacao"), &ZConnection1,
                     QStringLiteral("SELECT * FROM REAVALIACAO\r\nWHERE PACIENTE = :PACIENTE")),
      qryIndicacao(QStringLiteral("qryIndicacao"), &ZConnection1,
                   QStringLiteral("SELECT * FROM INDICACAO\r\nWHERE PACIENTE = :PACIENTE")),
      qryOrientacao(QStringLiteral("qryOrientacao"), &ZConnection1,
                    QStringLiteral("SELECT * FROM ORIENTACAO\r\nWHERE PACIENTE = :PACIENTE AND\r\n             TIPO "
                                   "        = :TIPO\r\norder by DATA, ID")),
      qryHistorico(QStringLiteral("qryHistorico"), &ZConnection1,
                   QStringLiteral("select * from HISTORICO\r\nwhere PACIENTE = :ID")),
      m_programFolder(withTrailingSeparator(programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                                    : programFolder)),
      m_databaseLocation(programFolder.isEmpty() ? programDatabase() : folderDatabase(m_programFolder))
{
    useAccount(account);
    ZConnection1.settings.dialect = 3;
    // Portuguese text must round-trip between the program and the database.
    ZConnection1.settings.charset = QStringLiteral("UTF8");
    ZConnection1.beforeConnect = [this](ds::Connection& c) { ZConnection1BeforeConnect(c); };
    ZConnection1.afterConnect = [this](ds::Connection& c) { ZConnection1AfterConnect(c); };
    ZConnection1.afterReattach = [this](ds::Connection& c) { ZConnection1AfterReattach(c); };
    ZConnection1.beforeDisconnect = [this](ds::Connection& c) { ZConnection1BeforeDisconnect(c); };
    defineFields();
    attachRules();
    defineReportDataSets();
    DataModuleCreate();
}

Tdm::~Tdm() { DataModuleDestroy(); }

void Tdm::DataModuleCreate()
{
    ZSequence1 = new TZSequence;
    ZSequence1->setConnection(&ZConnection1);
    ZSequence1->setSequenceName(QStringLiteral("GERADOR"));
    seqPaciente = new TZSequence;
    seqPaciente->setConnection(&ZConnection1);
    seqPaciente->setSequenceName(QStringLiteral("GEN_PACIENTE"));
    // The report engine's language file is loaded by the main routine right
    // after it has created the data module (report::loadProgramLanguage), so
    // that the record store does not link the report engine and its printing.
}

void Tdm::DataModuleDestroy()
{
    delete ZSequence1;
    ZSequence1 = nullptr;
    delete seqPaciente;
    seqPaciente = nullptr;
}

QString Tdm::databaseFile() const { return m_programFolder + kDatabaseFile; }

QString Tdm::folderDatabase(const QString& folder)
{
    return platform::thisComputer() + u':' + withTrailingSeparator(folder) + kDatabaseFile;
}

QString Tdm::programDatabase()
{
    if (const std::optional<platform::DatabaseSettings> settings = platform::databaseSettings())
        return settings->location();
    return folderDatabase(QCoreApplication::applicationDirPath());
}

std::vector<ds::SqlDataSet*> Tdm::referenceLists()
{
    return {&qryCarater, &qryTerapeuta, &qryBrinquedo, &qryEscola, &qryInstrucao, &qryTipoOrientacao};
}

std::vector<ds::SqlDataSet*> Tdm::recordDataSets()
{
    std::vector<ds::SqlDataSet*> all = referenceLists();
    all.insert(all.end(), {&qryPaciente, &qryPai, &qryMae, &qryIrmao, &qryConsulta, &qryBrinquedoNaConsulta,
                           &qryReavaliacao, &qryIndicacao, &qryOrientacao, &qryHistorico});
    return all;
}

std::vector<ds::SqlDataSet*> Tdm::closingOrder()
{
    return {&qryHistorico, &qryOrientacao, &qryIndicacao, &qryReavaliacao, &qryBrinquedoNaConsulta,
            &qryConsulta,  &qryIrmao,      &qryMae,       &qryPai,         &qryPaciente};
}

QString Tdm::CalcIdade(const QDate& start, const QDate& end)
{
    return store::ageText(start, end, QStringLiteral(" meses"));
}
