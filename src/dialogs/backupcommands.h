#pragma once
// The two commands of the "Backup" menu, each whole in one call: the file
// dialog, the question before an existing file is replaced, the busy pointer,
// the progress window, the safe backup or restore, and the message that tells
// how it ended. The main window's handlers are one line:
//
//     void TfrmClin::Salvar1Click() { runBackupCommand(*dm, this); }
//     void TfrmClin::Restaurar1Click() { runRestoreCommand(*dm, this); }
//
// Both raise, for the window's error hook, the error of a pending edit that
// cannot be saved (nothing was closed, the edit is still pending and no file
// was touched), and, after their message, the error of a database that could
// not be opened again.

#include "backup/outcome.h"
#include "platform/filedialogs.h"

class QWidget;
class Tdm;

// "Salvar...": the save dialog (title "Cópia de Segurança"), then the backup.
void runBackupCommand(Tdm& dm, QWidget* parent);
// "Restaurar...": the open dialog (title "Restaurar Cópia de Segurança"), then the restore.
void runRestoreCommand(Tdm& dm, QWidget* parent);

// What the two file dialogs are asked.
platform::FileDialogRequest backupSaveRequest();
platform::FileDialogRequest backupOpenRequest();

// The message that tells how a backup or a restore ended.
QString backupMessage(const BackupOutcome& outcome);
QString restoreMessage(const RestoreOutcome& outcome);
