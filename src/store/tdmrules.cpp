// Which rule runs on which event of which data set.

#include "store/tdm.h"

using ds::DataSet;

void Tdm::attachRules()
{
    for (ds::SqlDataSet* d : recordDataSets()) {
        d->beforePost = [this](DataSet& x) { qryCaraterBeforePost(x); };
        d->afterPost = [this](DataSet& x) { qryPacienteAfterPost(x); };
        d->afterDelete = [this](DataSet& x) { qryPacienteAfterPost(x); };
        d->beforeClose = [this](DataSet& x) { qryBrinquedoNaConsultaBeforeClose(x); };
        d->onReconcileError = [this](DataSet& x, const EError& e, ds::UpdateKind k, const ds::Row& r) {
            return qryPacienteReconcileError(x, e, k, r);
        };
    }
    // Parents draw no key; a sibling or toy row left empty is dropped.
    qryPai.beforePost = nullptr;
    qryMae.beforePost = nullptr;
    qryIrmao.beforePost = [this](DataSet& x) { qryIrmaoBeforePost(x); };
    qryBrinquedoNaConsulta.beforePost = [this](DataSet& x) { qryBrinquedoNaConsultaBeforePost(x); };
    qryPaciente.beforePost = [this](DataSet& x) { qryPacienteBeforePost(x); };

    qryPaciente.afterScroll = [this](DataSet& x) { qryPacienteAfterScroll(x); };
    qryPaciente.fieldByName(QStringLiteral("ID")).onGetText = [this](const ds::Field& f, bool display) {
        return qryPacienteIDGetText(f, display);
    };
    ds::Field& status = qryPaciente.fieldByName(QStringLiteral("STATUS"));
    status.onGetText = [this](const ds::Field& f, bool display) { return qryPacienteSTATUSGetText(f, display); };
    status.onSetText = [this](ds::Field& f, const QString& text) { qryPacienteSTATUSSetText(f, text); };
    qryPaciente.fieldByName(QStringLiteral("UF")).onValidate = [this](ds::Field& f, const QVariant& v) {
        qryPacienteUFValidate(f, v);
    };

    qryPai.afterInsert = [this](DataSet& x) { qryPaiAfterInsert(x); };
    qryMae.afterInsert = [this](DataSet& x) { qryMaeAfterInsert(x); };
    qryIrmao.afterInsert = [this](DataSet& x) { qryIrmaoAfterInsert(x); };
    qryIrmao.fieldByName(QStringLiteral("NASCIMENTO")).onGetText = [this](const ds::Field& f, bool display) {
        return qryIrmaoNASCIMENTOGetText(f, display);
    };

    for (DataSet* d : {static_cast<DataSet*>(&qryConsulta), static_cast<DataSet*>(&qryReavaliacao),
                       static_cast<DataSet*>(&qryIndicacao), static_cast<DataSet*>(&qryOrientacao)}) {
        d->beforeScroll = [this](DataSet& x) { qryConsultaBeforeScroll(x); };
        d->afterScroll = [this](DataSet& x) { qryConsultaAfterScroll(x); };
        d->afterOpen = [this](DataSet& x) { qryConsultaAfterScroll(x); };
    }
    qryConsulta.afterInsert = [this](DataSet& x) { qryConsultaAfterInsert(x); };
    qryConsulta.beforeDelete = [this](DataSet& x) { qryConsultaBeforeDelete(x); };
    qryBrinquedoNaConsulta.beforeInsert = [this](DataSet& x) { qryBrinquedoNaConsultaBeforeInsert(x); };
    qryBrinquedoNaConsulta.afterInsert = [this](DataSet& x) { qryBrinquedoNaConsultaAfterInsert(x); };

    qryReavaliacao.afterInsert = [this](DataSet& x) { qryReavaliacaoAfterInsert(x); };
    qryIndicacao.afterInsert = [this](DataSet& x) { qryIndicacaoAfterInsert(x); };
    qryOrientacao.afterInsert = [this](DataSet& x) { qryOrientacaoAfterInsert(x); };
    qryHistorico.afterInsert = [this](DataSet& x) { qryHistoricoAfterInsert(x); };
}
