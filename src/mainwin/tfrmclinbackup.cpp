// Backup and restore of the whole database through the server's service
// manager. The commands themselves (file dialog, busy pointer, progress
// window, the work and its messages) live below the window; an error they
// raise (a pending edit that cannot be saved) reaches the error hook through
// the menu item's handler, with nothing closed and the edit still on screen.

#include "dialogs/backupcommands.h"
#include "mainwin/tfrmclin.h"

// "Salvar...": saves the database into a backup file.
void TfrmClin::Salvar1Click() { runBackupCommand(dm, this); }

// "Restaurar...": replaces the database with a backup file.
void TfrmClin::Restaurar1Click() { runRestoreCommand(dm, this); }
