// Sessions and the toys used in them, and the hand-shake with the main
// window's note loader that the session and note lists share.

#include "core/clock.h"
#include "dataset/dberror.h"
#include "platform/messages.h"
#include "store/tdm.h"

void Tdm::qryConsultaAfterInsert(ds::DataSet& dataSet)
{
    dataSet.fieldByName(QStringLiteral("PACIENTE")).setValue(currentPatient());
    // One reading of the clock: at midnight two would give the new day's
    // hour with the old day's date.
    const QDateTime now = Clock::now();
    dataSet.fieldByName(QStringLiteral("DATA")).setValue(now.date());
    dataSet.fieldByName(QStringLiteral("HORA")).setValue(now.time());
}

void Tdm::qryConsultaBeforeScroll(ds::DataSet&)
{
    qryBrinquedoNaConsultaBeforeClose(qryBrinquedoNaConsulta);
    if (NoteLoaderStop)
        NoteLoaderStop();
}

void Tdm::qryConsultaAfterScroll(ds::DataSet& dataSet)
{
    if (NoteLoaderStart)
        NoteLoaderStart();
    if (&dataSet != &qryConsulta)
        return;
    qryBrinquedoNaConsulta.close();
    qryBrinquedoNaConsulta.paramByName(QStringLiteral("CONSULTA"))
        .setAsInteger(qryConsulta.fieldByName(QStringLiteral("ID")).asInteger());
    qryBrinquedoNaConsulta.open();
}

void Tdm::qryConsultaBeforeDelete(ds::DataSet&)
{
    if (platform::askYesNo(QStringLiteral(u"Excluir sessão?"), platform::MsgButton::No) != platform::MsgButton::Yes)
        throw ds::EAbort();
}

void Tdm::qryBrinquedoNaConsultaBeforeInsert(ds::DataSet&)
{
    if (qryConsulta.state() != ds::DataSetState::Insert)
        return;
    // The toy row needs the session's ID, which it gets when it is saved.
    const ds::Bookmark session = qryConsulta.bookmark();
    qryConsulta.post();
    // A session the database refused is gone: no toy may go to the session
    // that took its place.
    if (qryConsulta.bookmark() != session)
        throw ds::EAbort();
}

void Tdm::qryBrinquedoNaConsultaAfterInsert(ds::DataSet& dataSet)
{
    dataSet.fieldByName(QStringLiteral("CONSULTA")).setValue(qryConsulta.fieldByName(QStringLiteral("ID")).asInteger());
}
