// The report side of the data module: the report data sets with their
// statements, columns and binding handlers, the one way a report is prepared,
// and the six report commands, which show what it prepared.
// The reports themselves and the period dialog are installed by the program
// (repFicha ... repHistorico, SelectPeriodoCallBack).

#include "core/eerror.h"
#include "store/patientnumber.h"
#include "store/phonemask.h"
#include "store/tdm.h"

#include <QScopeGuard>

using ds::FieldType;

namespace {

// Telephones are stored as digits only and printed as "(11) 3456-7890".
const QString kPrintedPhoneMask = store::phoneMask(store::PhoneStyle::Print);
// The CEP: eight digits when stored, "13233-897" when printed.
const QString kPrintedPostalCodeMask = QStringLiteral("00000\\-999;0; ");

const QString kRelFicha = QStringLiteral(
    "SELECT   P.ID,\r\n         P.NOME,\r\n         P.NASCIMENTO,\r\n         P.CADASTRO,\r\n         P.SAIDA,\r\n"
    "         P.STATUS,\r\n         P.FONE,\r\n         P.FONE2,\r\n         P.ENDERECO,\r\n         P.BAIRRO,\r\n"
    "         P.CIDADE,\r\n         P.UF,\r\n         P.CEP,\r\n         P.PROCEDENCIA,\r\n"
    "         I.DESCRICAO AS INSTRUCAO,\r\n         E.NOME ESCOLA,\r\n         C.CARATER,\r\n         T.NOME TERAPEUTA\r\n"
    "FROM     (((PACIENTE P left join\r\n         CARATER C on P.CARATER = C.ID) left join\r\n"
    "         ESCOLA E on P.ESCOLA = E.ID) left join\r\n         INSTRUCAO I on P.INSTRUCAO = I.ID) left join\r\n"
    "         TERAPEUTA T on P.TERAPEUTA = T.ID \r\nWHERE    P.ID = :ID");

// Father and mother side by side. Each side is chosen before the join, so
// that a patient with only one parent recorded still has that parent's row
// (with the other side empty); the second occurrence of each column name is
// read as NAME_1.
const QString kRelPais = QStringLiteral(
    "SELECT   P.NOME,\r\n         P.NASCIMENTO,\r\n         P.FONE_RES  RESIDENCIAL,\r\n"
    "         P.FONE_PROF PROFISSIONAL,\r\n         P.FONE_CEL  CELULAR,\r\n         P.PROFISSAO,\r\n"
    "         IP.DESCRICAO INSTRUCAO,\r\n         M.NOME,\r\n         M.NASCIMENTO,\r\n"
    "         M.FONE_RES  RESIDENCIAL,\r\n         M.FONE_PROF PROFISSIONAL,\r\n         M.FONE_CEL  CELULAR,\r\n"
    "         M.PROFISSAO,\r\n         IM.DESCRICAO INSTRUCAO\r\n"
    "FROM     (((SELECT * FROM PAIS WHERE PACIENTE = :ID AND TIPO = 'P') P full join\r\n"
    "         (SELECT * FROM PAIS WHERE PACIENTE = :ID AND TIPO = 'M') M on  P.PACIENTE = M.PACIENTE) left join\r\n"
    "         INSTRUCAO IP on P.instrucao = ip.id) left join\r\n         INSTRUCAO IM on m.instrucao = im.id");

const QString kRelIrmaos = QStringLiteral(
    "SELECT   PACIENTE,\r\n         NOME,\r\n         NASCIMENTO\r\nFROM     IRMAO\r\nWHERE PACIENTE = :ID\r\n"
    "ORDER BY NASCIMENTO");

const QString kRelSessao = QStringLiteral(
    "select  C.ID,\r\n        C.DATA,\r\n        C.HORA,\r\n        P.NOME AS PACIENTE,\r\n        C.OBSERVACOES\r\n"
    "from    CONSULTA C,\r\n        PACIENTE P\r\nwhere   P.ID = C.PACIENTE and\r\n        C.ID = :ID");

const QString kRelSessaoDet = QStringLiteral(
    "select  BRINQUEDO\r\nfrom    BRINQUEDO\r\nwhere   ID IN (\r\n            select BRINQUEDO\r\n"
    "            from   BRINQUEDO_NA_CONSULTA\r\n            where  CONSULTA = :ID\r\n        )");

const QString kRelReavaliacao = QStringLiteral(
    "select * from REAVALIACAO\r\nwhere PACIENTE = :ID and\r\n      DATA between :INICIO and :FINAL");

const QString kRelIndicacao = QStringLiteral(
    "select * from INDICACAO\r\nwhere PACIENTE = :ID and\r\n      DATA between :INICIO and :FINAL");

const QString kRelOrientacoes = QStringLiteral(
    "SELECT   T.DESCRICAO,\r\n         O.DATA,\r\n         O.CONTEUDO\r\nFROM     ORIENTACAO O,\r\n"
    "         TIPO_ORIENTACAO T,\r\n         PACIENTE P\r\nWHERE    O.PACIENTE = P.ID AND\r\n"
    "         O.TIPO = T.ID AND\r\n         P.ID = :ID AND\r\n         O.DATA BETWEEN :INICIO AND :FINAL\r\n"
    "ORDER BY T.DESCRICAO,\r\n         O.DATA");

const QString kRelHistorico = QStringLiteral("select * from HISTORICO\r\nwhere PACIENTE = :ID\r\norder by DATA");

// Every session of the patient in date order, the names of its toys one a line.
const QString kRelSessoes = QStringLiteral(
    "select  C.ID,\r\n        C.DATA,\r\n        C.HORA,\r\n"
    "        (select list(B.BRINQUEDO, ascii_char(10))\r\n         from   BRINQUEDO_NA_CONSULTA N join\r\n"
    "                BRINQUEDO B on B.ID = N.BRINQUEDO\r\n         where  N.CONSULTA = C.ID) BRINQUEDOS,\r\n"
    "        C.OBSERVACOES\r\nfrom    CONSULTA C\r\nwhere   C.PACIENTE = :ID\r\norder by C.DATA, C.HORA, C.ID");

struct Column {
    const char* name;
    FieldType type;
    int size = 0;
};

void declare(ds::SqlDataSet& d, const QString& sql, std::initializer_list<Column> columns)
{
    d.setSql(sql);
    for (const Column& c : columns)
        d.addField(QString::fromLatin1(c.name), c.type, c.size);
    d.setReadOnly(true);
}

ds::SqlDataSet& sql(ds::DataSet& d) { return static_cast<ds::SqlDataSet&>(d); }

const QString kID = QStringLiteral("ID");

// The commands need the reports the program installs at start-up.
[[noreturn]] void notInstalled() { throw EError(QStringLiteral(u"Os relatórios não foram instalados.")); }

TRelatorio& installed(TRelatorio* report)
{
    if (!report)
        notInstalled();
    return *report;
}

} // namespace

void Tdm::defineReportDataSets()
{
    declare(qryRelFicha, kRelFicha,
            {{"ID", FieldType::Integer}, {"NOME", FieldType::Text, 60}, {"NASCIMENTO", FieldType::Date},
             {"CADASTRO", FieldType::Date}, {"SAIDA", FieldType::Date}, {"STATUS", FieldType::Text, 1},
             {"FONE", FieldType::Text, 12}, {"FONE2", FieldType::Text, 12}, {"ENDERECO", FieldType::Text, 100},
             {"BAIRRO", FieldType::Text, 40}, {"CIDADE", FieldType::Text, 60}, {"UF", FieldType::Text, 2},
             {"CEP", FieldType::Text, 8}, {"PROCEDENCIA", FieldType::Text, 30}, {"INSTRUCAO", FieldType::Text, 40},
             {"ESCOLA", FieldType::Text, 60}, {"CARATER", FieldType::Text, 20}, {"TERAPEUTA", FieldType::Text, 60}});
    for (const char* phone : {"FONE", "FONE2"})
        qryRelFicha.fieldByName(QString::fromLatin1(phone)).setEditMask(kPrintedPhoneMask);

    qryRelPais.setSql(kRelPais);
    for (const char* suffix : {"", "_1"}) {
        auto column = [&](const char* name, FieldType type, int size = 0) -> ds::Field& {
            return qryRelPais.addField(QString::fromLatin1(name) + QString::fromLatin1(suffix), type, size);
        };
        column("NOME", FieldType::Text, 60);
        column("NASCIMENTO", FieldType::Date);
        for (const char* phone : {"RESIDENCIAL", "PROFISSIONAL", "CELULAR"})
            column(phone, FieldType::Text, 12).setEditMask(kPrintedPhoneMask);
        column("PROFISSAO", FieldType::Text, 40);
        column("INSTRUCAO", FieldType::Text, 40);
    }
    qryRelPais.setReadOnly(true);

    declare(qryRelIrmaos, kRelIrmaos,
            {{"PACIENTE", FieldType::Integer}, {"NOME", FieldType::Text, 60}, {"NASCIMENTO", FieldType::Date}});
    declare(qryRelSessao, kRelSessao,
            {{"ID", FieldType::Integer}, {"DATA", FieldType::Date}, {"HORA", FieldType::Time},
             {"PACIENTE", FieldType::Text, 60}, {"OBSERVACOES", FieldType::Memo}});
    declare(qryRelSessaoDet, kRelSessaoDet, {{"BRINQUEDO", FieldType::Text, 20}});
    declare(qryRelReavaliacao, kRelReavaliacao,
            {{"ID", FieldType::Integer}, {"PACIENTE", FieldType::Integer}, {"DATA", FieldType::Date},
             {"OBSERVACOES", FieldType::Memo}});
    declare(qryRelIndicacao, kRelIndicacao,
            {{"ID", FieldType::Integer}, {"PACIENTE", FieldType::Integer}, {"DATA", FieldType::Date},
             {"INDICACAO", FieldType::Text, 40}, {"OBSERVACOES", FieldType::Memo}});
    declare(qryRelOrientacoes, kRelOrientacoes,
            {{"DESCRICAO", FieldType::Text, 40}, {"DATA", FieldType::Date}, {"CONTEUDO", FieldType::Memo}});
    declare(qryRelHistorico, kRelHistorico,
            {{"PACIENTE", FieldType::Integer}, {"DATA", FieldType::Date}, {"NOTA", FieldType::Text, 120}});
    declare(qryRelSessoes, kRelSessoes,
            {{"ID", FieldType::Integer}, {"DATA", FieldType::Date}, {"HORA", FieldType::Time},
             {"BRINQUEDOS", FieldType::Memo}, {"OBSERVACOES", FieldType::Memo}});

    qryRelFicha.fieldByName(QStringLiteral("CEP")).setEditMask(kPrintedPostalCodeMask);
    qryRelFicha.fieldByName(QStringLiteral("STATUS")).onGetText = [this](const ds::Field& f, bool display) {
        return qryRelFichaSTATUSGetText(f, display);
    };
    for (ds::SqlDataSet* d : {&qryRelSessao, &qryRelSessoes})
        d->fieldByName(QStringLiteral("HORA")).onGetText = [this](const ds::Field& f, bool display) {
            return qryRelSessaoHORAGetText(f, display);
        };
    for (ds::SqlDataSet* d : {&qryRelFicha, &qryRelHistorico, &qryRelSessoes})
        d->beforeOpen = [this](ds::DataSet& x) { qryRelFichaBeforeOpen(x); };
    for (ds::SqlDataSet* d : {&qryRelIndicacao, &qryRelReavaliacao, &qryRelOrientacoes})
        d->beforeOpen = [this](ds::DataSet& x) { qryRelIndicacaoBeforeOpen(x); };
    qryRelSessao.beforeOpen = [this](ds::DataSet& d) { qryRelSessaoBeforeOpen(d); };
    qryRelSessao.afterOpen = [this](ds::DataSet& d) { qryRelSessaoAfterOpen(d); };
    qryRelSessao.beforeClose = [this](ds::DataSet& d) { qryRelSessaoBeforeClose(d); };
    qryRelSessaoDet.beforeOpen = [this](ds::DataSet& d) { qryRelSessaoDetBeforeOpen(d); };
}

// --- binding and text handlers

void Tdm::qryRelFichaBeforeOpen(ds::DataSet& dataSet)
{
    sql(dataSet).paramByName(kID).setAsInteger(currentPatient());
}

void Tdm::qryRelIndicacaoBeforeOpen(ds::DataSet& dataSet)
{
    ds::SqlDataSet& d = sql(dataSet);
    d.paramByName(kID).setAsInteger(currentPatient());
    const TPeriodo& periodo = m_periodoRel ? *m_periodoRel : Periodo;
    d.paramByName(QStringLiteral("INICIO")).setAsDate(periodo.Inicio);
    d.paramByName(QStringLiteral("FINAL")).setAsDate(periodo.Fim);
}

void Tdm::qryRelSessaoBeforeOpen(ds::DataSet& dataSet)
{
    qryRelSessaoDet.close();
    // The sessions list closed: the patient's latest session is printed.
    if (!qryConsulta.isActive()) {
        OpenDetalhe(qryConsulta, QStringLiteral("PACIENTE"));
        qryConsulta.last();
    }
    sql(dataSet).paramByName(kID).setAsInteger(qryConsulta.fieldByName(kID).asInteger());
}

void Tdm::qryRelSessaoAfterOpen(ds::DataSet&) { qryRelSessaoDet.open(); }

void Tdm::qryRelSessaoDetBeforeOpen(ds::DataSet& dataSet)
{
    sql(dataSet).paramByName(kID).setAsInteger(qryRelSessao.fieldByName(kID).asInteger());
}

void Tdm::qryRelSessaoBeforeClose(ds::DataSet&) { qryRelSessaoDet.close(); }

QString Tdm::qryRelFichaSTATUSGetText(const ds::Field& sender, bool displayText)
{
    // The same words as the patient's own status column.
    return qryPacienteSTATUSGetText(sender, displayText);
}

QString Tdm::qryRelSessaoHORAGetText(const ds::Field& sender, bool)
{
    // Hours and minutes: the session's time fits the title's box beside its date.
    return sender.isNull() ? QString() : sender.asTime().toString(QStringLiteral("hh:mm"));
}

// --- the patient in the titles

QString Tdm::PacienteNumeroTexto() const
{
    if (!qryPaciente.isActive() || qryPaciente.isEmpty())
        return {};
    return store::patientNumberText(qryPaciente.fieldByName(kID).value(),
                                    qryPaciente.fieldByName(QStringLiteral("CADASTRO")).asDate());
}

void Tdm::SetRelPaciente(TRelatorio* report)
{
    TRelatorio& r = installed(report);
    r.SetObjectText(QStringLiteral("MemoID"), PacienteNumeroTexto());
    const bool active = qryPaciente.isActive() && !qryPaciente.isEmpty();
    r.SetObjectText(QStringLiteral("MemoNome"),
                    active ? qryPaciente.fieldByName(QStringLiteral("NOME")).asString() : QString());
}

// --- preparing and showing

namespace {

// What a report run binds and closes, and whether it asks for a period and
// writes the patient into the report's title.
struct RelRun {
    TRelatorio* Tdm::*report;
    bool periodo;
    bool titulo;
    std::vector<ds::SqlDataSet Tdm::*> dataSets; // closed in this order, before and after
};

const RelRun& relRun(TRelTipo tipo)
{
    static const RelRun runs[] = {
        {&Tdm::repFicha, false, false, {&Tdm::qryRelPais, &Tdm::qryRelIrmaos, &Tdm::qryRelFicha}},
        {&Tdm::repSessao, false, true, {&Tdm::qryRelSessaoDet, &Tdm::qryRelSessao}},
        {&Tdm::repReavaliacao, true, true, {&Tdm::qryRelReavaliacao}},
        {&Tdm::repIndicacao, true, true, {&Tdm::qryRelIndicacao}},
        {&Tdm::repOrientacoes, true, true, {&Tdm::qryRelOrientacoes}},
        {&Tdm::repHistorico, false, true, {&Tdm::qryRelHistorico}},
        {nullptr, false, true, {&Tdm::qryRelSessoes}},
    };
    return runs[int(tipo)];
}

// Puts the rows of the data sets in date order while it lives; a data set
// keeps its own order after the date (the guidance notes their type).
class DateOrder {
public:
    DateOrder(const std::vector<ds::SqlDataSet*>& dataSets, bool on)
    {
        if (!on)
            return;
        for (ds::SqlDataSet* d : dataSets) {
            if (!d->findField(QStringLiteral("DATA")))
                continue;
            m_saved.emplace_back(d, d->sortFields());
            d->setSortFields(QStringList{QStringLiteral("DATA")} + d->sortFields());
        }
    }
    ~DateOrder()
    {
        for (auto& [d, fields] : m_saved)
            d->setSortFields(fields);
    }
    DateOrder(const DateOrder&) = delete;
    DateOrder& operator=(const DateOrder&) = delete;

private:
    std::vector<std::pair<ds::SqlDataSet*, QStringList>> m_saved;
};

} // namespace

TRelatorio& Tdm::RelatorioInstalado(TRelTipo tipo)
{
    TRelatorio* Tdm::*report = relRun(tipo).report;
    return installed(report ? this->*report : nullptr);
}

bool Tdm::PrepareRel(TRelTipo tipo, const TRelOpcoes& opcoes) { return PrepareRel(tipo, RelatorioInstalado(tipo), opcoes); }

bool Tdm::PrepareRel(TRelTipo tipo, TRelatorio& report, const TRelOpcoes& opcoes)
{
    const RelRun& run = relRun(tipo);
    TPeriodo periodo = opcoes.periodo.value_or(Periodo);
    if (run.periodo && !opcoes.periodo) {
        if (!installedPeriodo()(Periodo, QString()))
            return false;
        periodo = Periodo;
    }
    std::vector<ds::SqlDataSet*> dataSets;
    for (ds::SqlDataSet Tdm::*d : run.dataSets)
        dataSets.push_back(&(this->*d));
    auto closeAll = [&] {
        for (ds::SqlDataSet* d : dataSets)
            d->close();
    };
    closeAll();
    const DateOrder order(dataSets, opcoes.emOrdemDeData);
    m_periodoRel = &periodo;
    const auto restore = qScopeGuard([this] { m_periodoRel = nullptr; });
    switch (tipo) {
    case TRelTipo::Ficha:
        qryRelPais.paramByName(kID).setAsInteger(currentPatient());
        qryRelIrmaos.paramByName(kID).setAsInteger(currentPatient());
        break;
    case TRelTipo::Sessao:
        // Its handlers bind it to the current session and open the toys of that session.
        qryRelSessao.open();
        break;
    default:
        break;
    }
    if (run.titulo)
        SetRelPaciente(&report);
    report.PrepareReport();
    if (opcoes.comDadosAbertos)
        opcoes.comDadosAbertos();
    closeAll();
    return true;
}

void Tdm::ShowRel(TRelTipo tipo)
{
    TRelatorio& report = RelatorioInstalado(tipo);
    if (!PrepareRel(tipo, report))
        return;
    const int patient = currentPatient();
    report.ShowPreparedReport(
        [this, patient](const QString& what) { recordAccess(store::AccessEvent::ReportHandedOut, patient, what); });
}

void Tdm::OpenRelFicha() { ShowRel(TRelTipo::Ficha); }
void Tdm::OpenRelSessao() { ShowRel(TRelTipo::Sessao); }
void Tdm::OpenRelReavaliacoes() { ShowRel(TRelTipo::Reavaliacoes); }
void Tdm::OpenRelIndicacoes() { ShowRel(TRelTipo::Indicacoes); }
void Tdm::OpenRelOrientacoes() { ShowRel(TRelTipo::Orientacoes); }
void Tdm::OpenRelHistorico() { ShowRel(TRelTipo::Historico); }

const TSelectPeriodo& Tdm::installedPeriodo() const
{
    if (!SelectPeriodoCallBack)
        notInstalled();
    return SelectPeriodoCallBack;
}
