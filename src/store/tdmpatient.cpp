// The patient row: its number and status texts, the state-code check, and
// the detail data sets that follow the current patient.

#include "store/patientnumber.h"
#include "store/tdm.h"
#include "store/ufinvalida.h"

namespace {

const QString kStates =
    QStringLiteral("SP/MG/PR/RJ/SC/DF/ES/GO/MS/RS/BA/MT/TO/AL/SE/PB/PE/PI/RO/AC/AP/AM/CE/MA/PA/RN/RR");

struct Status {
    QChar code;
    QString text;   // upper case, as entered words are compared
    QString shown;
};

const Status kStatuses[] = {
    {u'A', QStringLiteral("ATIVO"), QStringLiteral("Ativo")},
    {u'S', QStringLiteral("SUSPENSO"), QStringLiteral("Suspenso")},
    {u'F', QStringLiteral("FINALIZADO"), QStringLiteral("Finalizado")},
};

} // namespace

QString Tdm::qryPacienteIDGetText(const ds::Field& sender, bool)
{
    const ds::Field& cadastro = sender.dataSet().fieldByName(QStringLiteral("CADASTRO"));
    // While the number is being edited the bare number is shown (the main window sets the tag).
    return store::patientNumberText(sender.value(), sender.tag() == 1 ? QDate() : cadastro.asDate());
}

QString Tdm::qryPacienteSTATUSGetText(const ds::Field& sender, bool)
{
    const QString value = sender.asString();
    if (value.isEmpty())
        return {};
    for (const Status& s : kStatuses)
        if (value.front() == s.code)
            return s.shown;
    return {};
}

void Tdm::qryPacienteSTATUSSetText(ds::Field& sender, const QString& text)
{
    const QString upper = text.toUpper();
    for (const Status& s : kStatuses) {
        if (upper == s.text) {
            sender.setValue(QString(s.code));
            return;
        }
    }
    sender.setDefaultText(upper);   // the one-character column keeps the first letter
}

void Tdm::qryPacienteUFValidate(ds::Field&, const QVariant& newValue)
{
    const QString code = newValue.toString();
    if (code.isEmpty() || kStates.contains(code))
        return;
    throw UFInvalida(QStringLiteral(u"UF inválida"));
}

void Tdm::qryPacienteAfterScroll(ds::DataSet&)
{
    OpenDetalhe(qryPai, QStringLiteral("PACIENTE"));
    OpenDetalhe(qryMae, QStringLiteral("PACIENTE"));
    OpenDetalhe(qryIrmao, QStringLiteral("PACIENTE"));
    OpenDetalhe(qryConsulta, QStringLiteral("PACIENTE"));
    OpenDetalhe(qryReavaliacao, QStringLiteral("PACIENTE"));
    OpenDetalhe(qryIndicacao, QStringLiteral("PACIENTE"));
    OpenDetalhe(qryOrientacao, QStringLiteral("PACIENTE"));
    OpenDetalhe(qryHistorico, QStringLiteral("ID"));
    // Logged once per patient for each start of the program.
    if (const int patient = currentPatient(); patient > 0 && !m_shownPatients.contains(patient)) {
        recordAccess(store::AccessEvent::RecordShown, patient);
        m_shownPatients.insert(patient);
    }
    if (PacienteAfterScrollCallBack)
        PacienteAfterScrollCallBack();
}

void Tdm::OpenDetalhe(ds::SqlDataSet& dataSet, const QString& paramName)
{
    dataSet.close();   // saves a pending edit first, or stops here with its error
    dataSet.paramByName(paramName).setAsInteger(currentPatient());
    dataSet.open();
}
