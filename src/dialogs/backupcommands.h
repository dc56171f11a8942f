#pragma once
// The two commands of the "Backup" menu, each whole in one call: the file
// dialog, the busy pointer, the progress window and the safe backup or
// restore with its messages. The main window's handlers are one line:
//
//     void TfrmClin::Salvar1Click() { runBackupCommand(*dm, this); }
//     void TfrmClin::Restaurar1Click() { runRestoreCommand(*dm, this); }
//
// Both raise, for the window's error hook, "Gbak não encontrado." when there
// is no tool and the error of a pending edit that cannot be saved; in both
// cases nothing was closed, the edit is still pending and no file was
// touched. Every other outcome is told in a message box of the command's own.

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
