// The practice's data, which every printed report and the record export
// carry above their title: the command of the "Ferramentas" menu.

#include "dialogs/tfrmconsultorio.h"
#include "mainwin/tfrmclin.h"

void TfrmClin::Dadosdoconsultorio1Click()
{
    // Who may change the practice's data is decided here, before the window opens.
    TfrmConsultorio dialog(dm, this);
    dialog.exec();
}
