#include "backup/backupfixture.h"
#include "backup/backuptexts.h"
#include "dialogs/backupcommands.h"
#include "dialogs/backupprogressdialog.h"
#include "support/scriptedfiledialogs.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

using namespace backuptexts;
using platform::MsgType;

namespace {

// Message boxes that also note whether the busy pointer or a modal window was
// still up when they were shown.
class WatchedMessages : public ScriptedMessages {
public:
    platform::MsgButton show(const platform::MessageRequest& request) override
    {
        busyAtMessage << (QApplication::overrideCursor() != nullptr);
        modalAtMessage << (QApplication::activeModalWidget() != nullptr);
        return ScriptedMessages::show(request);
    }
    QList<bool> busyAtMessage;
    QList<bool> modalAtMessage;
};

// Looks at the program every few milliseconds while a command runs.
class Watch : public QObject {
public:
    Watch()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { look(); });
        m_timer.start(5);
    }

    int ticksWithWindow = 0;
    int paintsWhileRunning = 0;
    QStringList titles;
    QStringList steps;
    QList<int> values;
    bool modal = true;
    bool busy = true;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paintsWhileRunning;
        return false;
    }

private:
    void look()
    {
        auto* dialog = qobject_cast<BackupProgressDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        ++ticksWithWindow;
        if (!m_watched.contains(dialog)) {
            m_watched << dialog;
            dialog->progressBar()->installEventFilter(this);
            dialog->stepLabel()->installEventFilter(this);
        }
        if (!titles.contains(dialog->windowTitle()))
            titles << dialog->windowTitle();
        if (steps.isEmpty() || steps.last() != dialog->stepLabel()->text())
            steps << dialog->stepLabel()->text();
        if (values.isEmpty() || values.last() != dialog->progressBar()->value())
            values << dialog->progressBar()->value();
        modal = modal && dialog->windowModality() == Qt::ApplicationModal;
        busy = busy && QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    }

    QTimer m_timer;
    QList<QObject*> m_watched;
};

class BackupCommandsTest : public BackupTest {
protected:
    void SetUp() override
    {
        addPatient(db, 1, QStringLiteral("Bruno"));
        addPatient(db, 2, QStringLiteral("Ana"));
        dm.qryPaciente.open();
        dm.qryPaciente.last();
    }
    ScriptedFileDialogs fileDialogs;
    WatchedMessages watched;
};

TEST_F(BackupCommandsTest, TheFileDialogsAreAskedAsListedAndCancelDoesNothing)
{
    installRecordingTool();
    runBackupCommand(dm, nullptr);
    runRestoreCommand(dm, nullptr);

    ASSERT_EQ(fileDialogs.asked.size(), 2);
    struct Expected {
        ScriptedFileDialogs::Kind kind;
        QString title;
        QString folder;
    };
    const Expected expected[] = {{ScriptedFileDialogs::Kind::Save, QStringLiteral(u"Cópia de Segurança"), QStringLiteral(".")},
                                 {ScriptedFileDialogs::Kind::Open, QStringLiteral(u"Restaurar Cópia de Segurança"), {}}};
    for (int i = 0; i < 2; ++i) {
        const auto& [kind, request] = fileDialogs.asked[i];
        EXPECT_EQ(kind, expected[i].kind);
        EXPECT_EQ(request.title, expected[i].title);
        EXPECT_EQ(request.filters,
                  (QStringList{QStringLiteral("Arquivos de Backup (*.bak)"), QStringLiteral("Todos os Arquivos (*.*)")}));
        EXPECT_EQ(request.selectedFilter, 0);
        EXPECT_EQ(request.defaultSuffix, QStringLiteral("bak"));
        EXPECT_EQ(request.fileName, QStringLiteral("marvok.bak"));
        EXPECT_EQ(request.folder, expected[i].folder);
    }

    EXPECT_FALSE(toolRan());
    EXPECT_TRUE(watched.requests.isEmpty());
    EXPECT_EQ(dm.qryPaciente.recNo(), 1);
}

TEST_F(BackupCommandsTest, BackupShowsAModalProgressWindowThatKeepsRepaintingWhileTheToolRuns)
{
    const QString file = backupFile(QStringLiteral(u"cópia de hoje.bak"));
    fileDialogs.answers.enqueue(file);
    Watch watch;

    runBackupCommand(dm, nullptr);

    EXPECT_EQ(watch.titles, QStringList{kBackupTitle});
    EXPECT_GT(watch.ticksWithWindow, 3);
    EXPECT_GT(watch.paintsWhileRunning, 0);
    EXPECT_TRUE(watch.modal);
    EXPECT_TRUE(watch.busy);
    // The tool's tables pass by as it writes the backup and as the backup is restored to check it.
    EXPECT_FALSE(watch.steps.filter(QStringLiteral(u"Gravando a cópia: tabela ")).isEmpty())
        << watch.steps.join(u'|').toStdString();
    EXPECT_FALSE(watch.steps.filter(QStringLiteral(u"Conferindo a cópia")).isEmpty())
        << watch.steps.join(u'|').toStdString();
    EXPECT_GT(watch.values.size(), 2);
    ASSERT_EQ(watched.requests.size(), 1);
    EXPECT_EQ(watched.requests[0].text, kCreated);
    EXPECT_EQ(watched.busyAtMessage, QList<bool>{false});
    EXPECT_EQ(watched.modalAtMessage, QList<bool>{false});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(dm.qryPaciente.recNo(), 0);
}

TEST_F(BackupCommandsTest, RestoreShowsItsProgressWindowAndThenTheFirstPatient)
{
    TestDatabase source(QStringLiteral("marvok origem XXXXXX"));
    addPatient(source, 5, QStringLiteral(u"Júlia"));
    addPatient(source, 6, QStringLiteral(u"Caio"));
    fileDialogs.answers.enqueue(backupOf(source, QStringLiteral("origem.bak")));
    Watch watch;

    runRestoreCommand(dm, nullptr);

    EXPECT_EQ(watch.titles, QStringList{kRestoreTitle});
    EXPECT_GT(watch.ticksWithWindow, 3);
    EXPECT_TRUE(watch.busy);
    ASSERT_EQ(watched.requests.size(), 1);
    EXPECT_EQ(watched.requests[0].type, MsgType::Information);
    EXPECT_TRUE(watched.requests[0].text.startsWith(kRestored));
    EXPECT_EQ(watched.busyAtMessage, QList<bool>{false});
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Caio"), QStringLiteral(u"Júlia")}));
    EXPECT_EQ(dm.qryPaciente.recNo(), 0);
    EXPECT_EQ(currentName(), QStringLiteral("Caio"));
}

} // namespace
