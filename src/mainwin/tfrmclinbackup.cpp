// Backup and restore of the whole database through the server's own tool.

#include "mainwin/tfrmclin.h"

// "Salvar...": saves the database into a backup file.
void TfrmClin::Salvar1Click() {}

// "Restaurar...": replaces the database with a backup file.
void TfrmClin::Restaurar1Click() {}
