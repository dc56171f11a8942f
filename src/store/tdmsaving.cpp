// The rules every record data set shares: keys from the generators, empty
// new rows dropped, every save and delete written at once, refused changes
// reported and undone, pending edits saved before a close.

#include "dataset/dberror.h"
#include "platform/messages.h"
#include "store/tdm.h"

namespace {

void assignKey(ds::DataSet& dataSet, TZSequence& sequence)
{
    if (dataSet.state() != ds::DataSetState::Insert)
        return;
    ds::Field& id = dataSet.fieldByName(QStringLiteral("ID"));
    if (id.isNull())
        id.setValue(sequence.GetNextValue());
}

} // namespace

void Tdm::qryCaraterBeforePost(ds::DataSet& dataSet) { assignKey(dataSet, *ZSequence1); }

void Tdm::qryPacienteBeforePost(ds::DataSet& dataSet) { assignKey(dataSet, *seqPaciente); }

void Tdm::qryBrinquedoNaConsultaBeforePost(ds::DataSet& dataSet)
{
    if (dataSet.state() != ds::DataSetState::Insert)
        return;
    // The hidden columns were filled in by the after-insert rules: only what the user sees counts.
    for (const auto& f : dataSet.fields())
        if (f->visible() && !f->asString().isEmpty())
            return;
    dataSet.cancel();
}

void Tdm::qryPacienteAfterPost(ds::DataSet& dataSet) { static_cast<ds::SqlDataSet&>(dataSet).applyUpdates(); }

void Tdm::qryBrinquedoNaConsultaBeforeClose(ds::DataSet& dataSet)
{
    if (dataSet.isEditing())
        dataSet.post();
}

ds::ReconcileAction Tdm::qryPacienteReconcileError(ds::DataSet&, const EError& error, ds::UpdateKind, const ds::Row&)
{
    platform::showError(QStringLiteral(u"Erro na gravação dos dados.\r\rMensagem do Banco de Dados:\r") +
                        error.message());
    return ds::ReconcileAction::Cancel;
}

int Tdm::currentPatient() const { return qryPaciente.fieldByName(QStringLiteral("ID")).asInteger(); }
