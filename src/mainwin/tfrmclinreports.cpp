// The report commands: each saves the pending edits of what it prints, in
// its order, and then runs its report. A print button on a page triggers its
// menu item, so both roads run the same code.

#include "mainwin/tfrmclin.h"

void TfrmClin::Dadosgerais1Click()
{
    PostPendingEdit(dsIrmao);
    PostPendingEdit(dsMae);
    PostPendingEdit(dsPai);
    PostPendingEdit(dsPaciente);
    RunFichaReport();
}

void TfrmClin::Sesso1Click()
{
    PostPendingEdit(dsBrinquedoNaConsulta);
    PostPendingEdit(dsConsulta);
    RunSessaoReport();
}

void TfrmClin::Reavaliaes1Click()
{
    PostPendingEdit(dsReavaliacao);
    RunReavaliacoesReport();
}

void TfrmClin::Indicaes1Click()
{
    PostPendingEdit(dsIndicacao);
    RunIndicacoesReport();
}

void TfrmClin::Orientaes1Click()
{
    PostPendingEdit(dsOrientacao);
    RunOrientacoesReport();
}

void TfrmClin::Histrico1Click()
{
    PostPendingEdit(dsHistorico);
    RunHistoricoReport();
}

// The reports themselves are the data module's; these call its operations
// once the report definitions are part of the program.
void TfrmClin::RunFichaReport() {}          // dm.OpenRelFicha()
void TfrmClin::RunSessaoReport() {}         // dm.OpenRelSessao()
void TfrmClin::RunReavaliacoesReport() {}   // dm.OpenRelReavaliacoes()
void TfrmClin::RunIndicacoesReport() {}     // dm.OpenRelIndicacoes()
void TfrmClin::RunOrientacoesReport() {}    // dm.OpenRelOrientacoes()
void TfrmClin::RunHistoricoReport() {}      // dm.OpenRelHistorico()
