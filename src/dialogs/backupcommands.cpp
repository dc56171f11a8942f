#include "dialogs/backupcommands.h"

#include "backup/backuptexts.h"
#include "backup/safebackup.h"
#include "backup/saferestore.h"
#include "dialogs/backupprogressdialog.h"
#include "platform/messages.h"
#include "store/tdm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <memory>

using namespace backuptexts;

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

    void end()
    {
        if (!m_dialog)
            return;
        m_dialog.reset();
        QApplication::restoreOverrideCursor();
    }

private:
    void begin(const QString& title)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_dialog = std::make_unique<BackupProgressDialog>(m_parent);
        m_dialog->begin(title);
    }

    QWidget* m_parent;
    std::unique_ptr<BackupProgressDialog> m_dialog;
};

// The reason, and below it the words of whoever failed.
QString failureText(const Failure& failure)
{
    QString text = failure.reason;
    if (!failure.details.isEmpty())
        text += QStringLiteral("\r\r") + kTheirWords + u'\r' + QString(failure.details).replace(u'\n', u'\r');
    return text;
}

} // namespace

QString backupMessage(const BackupOutcome& outcome)
{
    switch (outcome.result) {
    case BackupOutcome::Result::Created:
        return kCreated;
    case BackupOutcome::Result::IsTheDatabase:
        return kNotCreated + QStringLiteral("\r\r") + kIsTheDatabase;
    case BackupOutcome::Result::Failed:
        break;
    }
    return kNotCreated + QStringLiteral("\r\r") + failureText(outcome.failure) +
           (outcome.oldFileKept ? QStringLiteral("\r\r") + kOldFileKept : QString());
}

QString restoreMessage(const RestoreOutcome& outcome)
{
    const QString previous = outcome.previous.isEmpty() ? QString() : kPreviousKept + u'\r' + outcome.previous;
    if (outcome.restored)
        return previous.isEmpty() ? kRestored : kRestored + QStringLiteral("\r\r") + previous;
    QString state;
    switch (outcome.database) {
    case RestoreOutcome::Database::Unchanged:
        state = kUnchanged;
        break;
    case RestoreOutcome::Database::PutBack:
        state = kPutBack;
        break;
    case RestoreOutcome::Database::PreviousKept:
        state = previous;
        break;
    }
    return kNotRestored + QStringLiteral("\r\r") + failureText(outcome.failure) + QStringLiteral("\r\r") + state;
}

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
    SafeBackup backup(dm, window.events());
    if (!backup.isTheDatabase(file) && QFileInfo::exists(file) &&
        platform::askYesNo(kOverwrite) != platform::MsgButton::Yes)
        return;
    const BackupOutcome outcome = backup.run(file);
    window.end();
    platform::showMessage(backupMessage(outcome));
    if (outcome.reopenError)
        std::rethrow_exception(outcome.reopenError);
    if (outcome.result == BackupOutcome::Result::Created)
        dm.recordAccess(store::AccessEvent::BackedUp, 0, QDir::toNativeSeparators(file));
}

void runRestoreCommand(Tdm& dm, QWidget* parent)
{
    const QString file = platform::FileDialogs::instance().openFileName(parent, backupOpenRequest());
    if (file.isEmpty())
        return;
    ProgressWindow window(parent);
    const RestoreOutcome outcome = SafeRestore(dm, window.events()).run(file);
    window.end();
    if (outcome.restored)
        platform::showInformation(restoreMessage(outcome));
    else
        platform::showError(restoreMessage(outcome));
    if (outcome.reopenError)
        std::rethrow_exception(outcome.reopenError);
    // Into the restored database's log, which replaced the one before.
    if (outcome.restored)
        dm.recordAccess(store::AccessEvent::Restored, 0, QDir::toNativeSeparators(file));
}
