// What a new re-evaluation, referral, guidance or history note fills in.

#include "core/clock.h"
#include "store/tdm.h"

namespace {

void datedNoteDefaults(ds::DataSet& dataSet, int patient)
{
    dataSet.fieldByName(QStringLiteral("PACIENTE")).setValue(patient);
    dataSet.fieldByName(QStringLiteral("DATA")).setValue(Clock::today());
}

} // namespace

void Tdm::qryReavaliacaoAfterInsert(ds::DataSet& dataSet) { datedNoteDefaults(dataSet, currentPatient()); }

void Tdm::qryIndicacaoAfterInsert(ds::DataSet& dataSet) { datedNoteDefaults(dataSet, currentPatient()); }

void Tdm::qryOrientacaoAfterInsert(ds::DataSet& dataSet)
{
    datedNoteDefaults(dataSet, currentPatient());
    dataSet.fieldByName(QStringLiteral("TIPO")).setValue(chosenGuidanceType);
}

void Tdm::qryHistoricoAfterInsert(ds::DataSet& dataSet)
{
    ds::Field& data = dataSet.fieldByName(QStringLiteral("DATA"));
    if (data.isNull())
        data.setValue(Clock::today());
    dataSet.fieldByName(QStringLiteral("PACIENTE")).setValue(currentPatient());
}
