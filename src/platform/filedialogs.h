#pragma once
// The program's file open and save dialogs. The program shows Qt's file
// dialog; tests install a service that answers by script and keeps what was
// asked.

#include <QString>
#include <QStringList>

class QWidget;

namespace platform {

struct FileDialogRequest {
    QString title;
    // Each filter as shown, its patterns in parentheses: "Arquivos de Backup (*.bak)".
    QStringList filters;
    int selectedFilter = 0;
    // Added to a typed name that has no extension of its own.
    QString defaultSuffix;
    // The name proposed in the name box.
    QString fileName;
    // Where the dialog starts; empty leaves it to the dialog.
    QString folder;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file's whole path; empty when the user cancelled. The save
    // dialog never asks about an existing file: its caller does.
    virtual QString saveFileName(QWidget* parent, const FileDialogRequest& request);
    virtual QString openFileName(QWidget* parent, const FileDialogRequest& request);

    // The service in force; by default Qt's file dialog.
    static FileDialogs& instance();
    // Installs another service (tests); nullptr restores the default. Not owned.
    static void setInstance(FileDialogs* dialogs);
};

} // namespace platform
