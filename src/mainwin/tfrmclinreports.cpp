// The report commands: each saves the pending edits of what it prints, in
// its order, and then runs its report. A print button on a page triggers its
// menu item, so both roads run the same code. The record export saves every
// pending edit and writes the whole record of the patient into a ZIP file.

#include "mainwin/tfrmclin.h"
#include "platform/filedialogs.h"
#include "platform/messages.h"
#include "reports/recordexport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

void TfrmClin::Dadosgerais1Click()
{
    PostPendingEdit(dsIrmao);
    PostPendingEdit(dsMae);
    PostPendingEdit(dsPai);
    PostPendingEdit(dsPaciente);
    dm.OpenRelFicha();
}

void TfrmClin::Sesso1Click()
{
    PostPendingEdit(dsBrinquedoNaConsulta);
    PostPendingEdit(dsConsulta);
    dm.OpenRelSessao();
}

void TfrmClin::Reavaliaes1Click()
{
    PostPendingEdit(dsReavaliacao);
    dm.OpenRelReavaliacoes();
}

void TfrmClin::Indicaes1Click()
{
    PostPendingEdit(dsIndicacao);
    dm.OpenRelIndicacoes();
}

void TfrmClin::Orientaes1Click()
{
    PostPendingEdit(dsOrientacao);
    dm.OpenRelOrientacoes();
}

void TfrmClin::Histrico1Click()
{
    PostPendingEdit(dsHistorico);
    dm.OpenRelHistorico();
}

void TfrmClin::Exportarprontuario1Click()
{
    PostEveryPendingEdit();
    if (dm.PacienteNumeroTexto().isEmpty()) {
        platform::showInformation(QStringLiteral(u"Não há paciente para exportar."));
        return;
    }
    reports::RecordExport record(dm);
    platform::FileDialogRequest request;
    request.title = QStringLiteral(u"Exportar prontuário");
    request.filters = {QStringLiteral("Arquivos ZIP (*.zip)"), QStringLiteral("Todos os Arquivos (*.*)")};
    request.defaultSuffix = QStringLiteral("zip");
    request.fileName = record.proposedFileName();
    const QString file = platform::FileDialogs::instance().saveFileName(this, request);
    if (file.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(file);
    if (QFileInfo::exists(file) &&
        platform::askYesNo(QStringLiteral(u"O arquivo %1 já existe.\rDeseja substituí-lo?").arg(shown),
                           platform::MsgButton::No) != platform::MsgButton::Yes)
        return;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        record.write(file);
    }
    // The record left the program: logged once the file is complete.
    dm.recordAccess(store::AccessEvent::RecordExported, dm.qryPaciente.fieldByName(QStringLiteral("ID")).asInteger(),
                    shown);
    platform::showInformation(QStringLiteral(u"Prontuário exportado em\r%1").arg(shown));
}
