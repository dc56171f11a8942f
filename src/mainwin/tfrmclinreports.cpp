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
