#pragma once
// The data module: the database connection and its schema upgrade, the
// record data sets with their rules, and the key sources. It knows no
// window: where it must reach the main window it calls a callback, and its
// questions and error boxes go through the platform's message service.

#include "dataset/connection.h"
#include "dataset/sqldataset.h"
#include "store/accesslog.h"
#include "store/account.h"
#include "store/tconsultorio.h"
#include "store/tperiodo.h"
#include "store/trelatorio.h"
#include "store/tzsequence.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <functional>

using TCallBack = std::function<void()>;

class Tdm {
public:
    // programFolder: where marvok.fdb lies. Empty: the database the settings
    // name (platform::databaseSettings), or else the marvok.fdb of the
    // running program's folder. account: the user and role to connect with
    // (the program's login finds the role, see logIn); without one the
    // connection refuses to open.
    explicit Tdm(const QString& programFolder = {}, store::Account account = {});
    ~Tdm();
    Tdm(const Tdm&) = delete;
    Tdm& operator=(const Tdm&) = delete;

    ds::Connection ZConnection1;

    ds::SqlDataSet qryCarater;
    ds::SqlDataSet qryTerapeuta;
    ds::SqlDataSet qryBrinquedo;
    ds::SqlDataSet qryEscola;
    ds::SqlDataSet qryInstrucao;
    ds::SqlDataSet qryTipoOrientacao;
    ds::SqlDataSet qryPaciente;
    ds::SqlDataSet qryPai;
    ds::SqlDataSet qryMae;
    ds::SqlDataSet qryIrmao;
    ds::SqlDataSet qryConsulta;
    ds::SqlDataSet qryBrinquedoNaConsulta;
    ds::SqlDataSet qryReavaliacao;
    ds::SqlDataSet qryIndicacao;
    ds::SqlDataSet qryOrientacao;
    ds::SqlDataSet qryHistorico;

    // --- reports (tdmreports.cpp). The read-only report data sets, closed
    // at rest and opened only while a report is produced: the nine of the
    // printed reports and the list of every session of the patient.
    ds::SqlDataSet qryRelFicha{QStringLiteral("qryRelFicha"), &ZConnection1, {}};
    ds::SqlDataSet qryRelPais{QStringLiteral("qryRelPais"), &ZConnection1, {}};
    ds::SqlDataSet qryRelIrmaos{QStringLiteral("qryRelIrmaos"), &ZConnection1, {}};
    ds::SqlDataSet qryRelSessao{QStringLiteral("qryRelSessao"), &ZConnection1, {}};
    ds::SqlDataSet qryRelSessaoDet{QStringLiteral("qryRelSessaoDet"), &ZConnection1, {}};
    ds::SqlDataSet qryRelReavaliacao{QStringLiteral("qryRelReavaliacao"), &ZConnection1, {}};
    ds::SqlDataSet qryRelIndicacao{QStringLiteral("qryRelIndicacao"), &ZConnection1, {}};
    ds::SqlDataSet qryRelOrientacoes{QStringLiteral("qryRelOrientacoes"), &ZConnection1, {}};
    ds::SqlDataSet qryRelHistorico{QStringLiteral("qryRelHistorico"), &ZConnection1, {}};
    ds::SqlDataSet qryRelSessoes{QStringLiteral("qryRelSessoes"), &ZConnection1, {}};

    // The six reports and the period dialog, installed by the program at
    // start-up (reports::TReports); empty until then.
    TRelatorio* repFicha = nullptr;
    TRelatorio* repSessao = nullptr;
    TRelatorio* repReavaliacao = nullptr;
    TRelatorio* repIndicacao = nullptr;
    TRelatorio* repOrientacoes = nullptr;
    TRelatorio* repHistorico = nullptr;
    TSelectPeriodo SelectPeriodoCallBack;

    // Prepares a report on the current patient (and session) without showing
    // it: asks for the period where the report needs one and none is given,
    // binds and opens its data sets, writes the patient into its title, has
    // it prepared and closes its data sets again. False when the user
    // cancelled the period. The report is the installed one unless given.
    bool PrepareRel(TRelTipo tipo, TRelatorio& report, const TRelOpcoes& opcoes = {});
    bool PrepareRel(TRelTipo tipo, const TRelOpcoes& opcoes = {});
    // The installed report of that kind; throws EError when there is none.
    TRelatorio& RelatorioInstalado(TRelTipo tipo);

    // The report commands: each prepares its report as above and shows it
    // in the modal preview.
    void OpenRelFicha();
    void OpenRelSessao();
    void OpenRelReavaliacoes();
    void OpenRelIndicacoes();
    void OpenRelOrientacoes();
    void OpenRelHistorico();
    // Writes the current patient's number text into MemoID (when the report
    // has one) and name into MemoNome.
    void SetRelPaciente(TRelatorio* report);
    // The current patient's number, "/" and the registration year in two
    // digits (57/08); the bare number when the registration date is empty.
    QString PacienteNumeroTexto() const;

    // Binding and text handlers of the report data sets.
    void qryRelFichaBeforeOpen(ds::DataSet& dataSet);
    void qryRelIndicacaoBeforeOpen(ds::DataSet& dataSet);
    void qryRelSessaoBeforeOpen(ds::DataSet& dataSet);
    void qryRelSessaoAfterOpen(ds::DataSet& dataSet);
    void qryRelSessaoDetBeforeOpen(ds::DataSet& dataSet);
    void qryRelSessaoBeforeClose(ds::DataSet& dataSet);
    QString qryRelFichaSTATUSGetText(const ds::Field& sender, bool displayText);
    QString qryRelSessaoHORAGetText(const ds::Field& sender, bool displayText);
    // --- end of reports

    // The practice's data (tdmpractice.cpp): empty until it is entered.
    // Both throw EError (EConnectionLost when the server cannot be reached).
    TConsultorio DadosConsultorio();
    void GravarDadosConsultorio(const TConsultorio& practice);

    TZSequence* ZSequence1 = nullptr;
    TZSequence* seqPaciente = nullptr;

    TPeriodo Periodo;
    TCallBack PacienteAfterScrollCallBack;
    // The main window's note loader, stopped before a list of sessions or
    // notes moves and started after it opened or moved.
    TCallBack NoteLoaderStart;
    TCallBack NoteLoaderStop;
    // The ID of the guidance type chosen in the main window; 0 while none is.
    int chosenGuidanceType = 0;

    // The folder of the program file, with its trailing separator.
    const QString& programFolder() const { return m_programFolder; }
    // The program's folder + "marvok.fdb".
    QString databaseFile() const;
    // Where the connection goes: "localhost:" + the program's folder +
    // "marvok.fdb", or the settings' server and database.
    QString databaseLocation() const { return m_databaseLocation; }
    // "localhost:" + folder + "marvok.fdb", folder ending in a separator.
    static QString folderDatabase(const QString& folder);
    // The database the program opens when no folder is given: the settings'
    // one, or the marvok.fdb of the running program's folder.
    static QString programDatabase();

    // The sixteen record data sets, in the order of the schema.
    std::vector<ds::SqlDataSet*> recordDataSets();
    // The six reference lists (characters, therapists, toys, schools,
    // education levels, guidance types), in the order of the schema.
    std::vector<ds::SqlDataSet*> referenceLists();
    // The patient's lists in the order the connection closes them, each
    // saving its pending edit first: the details, then the patient list.
    std::vector<ds::SqlDataSet*> closingOrder();

    // Whole 365-day years and 30-day months from start to end ("5 anos e 8 meses").
    static QString CalcIdade(const QDate& start, const QDate& end);

    // --- the user (tdmlogin.cpp)
    // Connects as that user under the program's role she holds, trying the
    // administrator's first. Raises store::EAccessRefused (wrong user name
    // or password, a deactivated user, one who is no user of the program
    // here) or the connection's own errors; the connection stays closed then.
    void logIn(const QString& typedUser, const QString& password);
    // The account of the connection (the role empty before a login).
    const store::Account& account() const { return m_account; }
    // The logged-in user's new password, once her current one is confirmed;
    // the connection goes on with it. Raises store::EAccessRefused.
    void changeOwnPassword(const QString& current, const QString& next);
    // One entry of the access log on the data module's connection (see
    // store::recordAccess); raises the connection's errors.
    void recordAccess(store::AccessEvent event, int patient = 0, const QString& detail = {});

    // --- rules shared by the record data sets
    void qryCaraterBeforePost(ds::DataSet& dataSet);
    void qryPacienteBeforePost(ds::DataSet& dataSet);
    void qryBrinquedoNaConsultaBeforePost(ds::DataSet& dataSet);
    void qryPacienteAfterPost(ds::DataSet& dataSet);
    void qryBrinquedoNaConsultaBeforeClose(ds::DataSet& dataSet);
    ds::ReconcileAction qryPacienteReconcileError(ds::DataSet& dataSet, const EError& error, ds::UpdateKind kind,
                                                  const ds::Row& row);

    // --- the patient
    QString qryPacienteIDGetText(const ds::Field& sender, bool displayText);
    QString qryPacienteSTATUSGetText(const ds::Field& sender, bool displayText);
    void qryPacienteSTATUSSetText(ds::Field& sender, const QString& text);
    void qryPacienteUFValidate(ds::Field& sender, const QVariant& newValue);
    void qryPacienteAfterScroll(ds::DataSet& dataSet);
    void OpenDetalhe(ds::SqlDataSet& dataSet, const QString& paramName);

    // --- the family
    void qryPaiAfterInsert(ds::DataSet& dataSet);
    void qryMaeAfterInsert(ds::DataSet& dataSet);
    void qryIrmaoAfterInsert(ds::DataSet& dataSet);
    void qryIrmaoBeforePost(ds::DataSet& dataSet);
    QString qryIrmaoNASCIMENTOGetText(const ds::Field& sender, bool displayText);

    // --- sessions and toys; the scroll rules also serve three note lists
    void qryConsultaAfterInsert(ds::DataSet& dataSet);
    void qryConsultaBeforeScroll(ds::DataSet& dataSet);
    void qryConsultaAfterScroll(ds::DataSet& dataSet);
    void qryConsultaBeforeDelete(ds::DataSet& dataSet);
    void qryBrinquedoNaConsultaBeforeInsert(ds::DataSet& dataSet);
    void qryBrinquedoNaConsultaAfterInsert(ds::DataSet& dataSet);

    // --- clinical notes
    void qryReavaliacaoAfterInsert(ds::DataSet& dataSet);
    void qryIndicacaoAfterInsert(ds::DataSet& dataSet);
    void qryOrientacaoAfterInsert(ds::DataSet& dataSet);
    void qryHistoricoAfterInsert(ds::DataSet& dataSet);

private:
    void DataModuleCreate();
    void DataModuleDestroy();
    void defineFields();
    void attachRules();
    void defineReportDataSets();
    const TSelectPeriodo& installedPeriodo() const;
    void ShowRel(TRelTipo tipo);
    // The current patient's number; 0 while the patient has none.
    int currentPatient() const;
    void ZConnection1BeforeConnect(ds::Connection& connection);
    void ZConnection1AfterConnect(ds::Connection& connection);
    void ZConnection1AfterReattach(ds::Connection& connection);
    void ZConnection1BeforeDisconnect(ds::Connection& connection);

    void useAccount(const store::Account& account);

    QString m_programFolder;
    QString m_databaseLocation;
    store::Account m_account;
    // The period the period reports read while one is prepared; Periodo at other times.
    const TPeriodo* m_periodoRel = nullptr;
    // The patients whose record was shown since the program started, each logged once.
    QSet<int> m_shownPatients;
};
