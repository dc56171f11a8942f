#include "dialogs/backupcommands.h"

#include "backup/safebackup.h"
#include "backup/saferestore.h"
#include "dialogs/backupprogressdialog.h"

#include <QApplication>
#include <memory>

namespace {

platform::FileDialogRequest backupFileRequest(const QString& title)
{
    platform::FileDialogRequest request;
    request.title = title;
    request.filters = {QStringLiteral("Arquivos de Backup (*.bak)"), QStringLiteral("Todos os Arquivos (*.*)")};
    request.selectedFilter = 0;
    request.defaultSuffix = QStringLiteral("bak");
    request.fileName = QStringLiteral("marvok.bak");
    return request;
}

// The progress window and the busy pointer, from the work's beginning to its end.
class ProgressWindow {
public:
    explicit ProgressWindow(QWidget* parent) : m_parent(parent) {}
    ~ProgressWindow() { end(); }

    BackupEvents events()
    {
        BackupEvents e;
        e.started = [this](const QString& title) { begin(title); };
        e.progress = [this](const BackupProgress& p) {
            if (m_dialog)
                m_dialog->setProgress(p);
        };
        e.finished = [this] { end(); };
        return e;
    }

private:
    void begin(const QString& title)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_dialog = std::make_unique<BackupProgressDialog>(m_parent);
        m_dialog->begin(title);
    }
    void end()
    {
        if (!m_dialog)
            return;
        m_dialog.reset();
        QApplication::restoreOverrideCursor();
    }

    QWidget* m_parent;
    std::unique_ptr<BackupProgressDialog> m_dialog;
};

} // namespace

platform::FileDialogRequest backupSaveRequest()
{
    platform::FileDialogRequest request = backupFileRequest(QStringLiteral(u"Cópia de Segurança"));
    request.folder = QStringLiteral(".");
    return request;
}

platform::FileDialogRequest backupOpenRequest()
{
    return backupFileRequest(QStringLiteral(u"Restaurar Cópia de Segurança"));
}

void runBackupCommand(Tdm& dm, QWidget* parent)
{
    const QString file = platform::FileDialogs::instance().saveFileName(parent, backupSaveRequest());
    if (file.isEmpty())
        return;
    ProgressWindow window(parent);
    SafeBackup(dm, window.events()).run(file);
}

void runRestoreCommand(Tdm& dm, QWidget* parent)
{
    const QString file = platform::FileDialogs::instance().openFileName(parent, backupOpenRequest());
    if (file.isEmpty())
        return;
    ProgressWindow window(parent);
    SafeRestore(dm, window.events()).run(file);
}
