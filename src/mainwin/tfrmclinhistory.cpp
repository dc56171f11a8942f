// The current patient's change history, from the "Relatórios" menu and the
// button of the patient's page. What is being typed is saved first, so that
// the history shows it.

#include "dialogs/tfrmhistoricoalteracoes.h"
#include "mainwin/tfrmclin.h"
#include "platform/messages.h"

void TfrmClin::Historicodealteracoes1Click()
{
    PostEveryPendingEdit();
    const int patient = dm.qryPaciente.isEmpty() ? 0 : dm.qryPaciente.fieldByName(QStringLiteral("ID")).value().toInt();
    if (patient == 0) {
        platform::showInformation(QStringLiteral(u"Não há paciente para mostrar o histórico de alterações."));
        return;
    }
    TfrmHistoricoAlteracoes dialog(dm, patient, dm.qryPaciente.fieldByName(QStringLiteral("NOME")).value().toString(),
                                   this);
    dialog.exec();
}
