// Father, mother and siblings of the current patient.

#include "core/clock.h"
#include "store/tdm.h"

namespace {

void belongsToPatient(ds::DataSet& dataSet, int patient)
{
    dataSet.fieldByName(QStringLiteral("PACIENTE")).setValue(patient);
}

void parentDefaults(ds::DataSet& dataSet, int patient, const QString& kind)
{
    belongsToPatient(dataSet, patient);
    dataSet.fieldByName(QStringLiteral("TIPO")).setValue(kind);
}

} // namespace

void Tdm::qryPaiAfterInsert(ds::DataSet& dataSet) { parentDefaults(dataSet, currentPatient(), QStringLiteral("P")); }

void Tdm::qryMaeAfterInsert(ds::DataSet& dataSet) { parentDefaults(dataSet, currentPatient(), QStringLiteral("M")); }

void Tdm::qryIrmaoAfterInsert(ds::DataSet& dataSet) { belongsToPatient(dataSet, currentPatient()); }

void Tdm::qryIrmaoBeforePost(ds::DataSet& dataSet)
{
    qryBrinquedoNaConsultaBeforePost(dataSet);
    qryCaraterBeforePost(dataSet);   // draws nothing once the empty row was dropped
}

QString Tdm::qryIrmaoNASCIMENTOGetText(const ds::Field& sender, bool)
{
    const QString date = sender.asString();
    if (date.isEmpty())
        return {};
    return date + QStringLiteral(" (") + CalcIdade(sender.asDate(), Clock::today()) + u')';
}
