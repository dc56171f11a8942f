#include "backup/backupfixture.h"
#include "backup/backuptexts.h"
#include "dialogs/backupcommands.h"
#include "dialogs/backupprogressdialog.h"
#include "support/childprocesses.h"
#include "support/scriptedfiledialogs.h"
#include "support/testaccount.h"

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
    // Processes started meanwhile that were given the password, as they were started.
    QStringList givenThePassword;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        ++paintsWhileRunning;
        // The window paints every step as it comes.
        if (auto* label = qobject_cast<QLabel*>(watched); label && (steps.isEmpty() || steps.last() != label->text()))
            steps << label->text();
        return false;
    }

private:
    void look()
    {
        // The logged-in administrator's password, and the server's administrator's.
        for (const ChildProcess& child : childProcesses())
            for (const QString& password : {testusers::administrator().password, testAccount().password})
                if (child.mentions(password.toUtf8()))
                    givenThePassword << QString::fromLocal8Bit(child.arguments.join(' '));
        auto* dialog = qobject_cast<BackupProgressDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        ++ticksWithWindow;
        if (!m_watched.contains(dialog)) {
            m_watched << dialog;
            dialog->progressBar()->installEventFilter(this);
            dialog->stepLabel()->installEventFilter(this);
            // Every count the bar shows from now on, however fast they pass.
            values << dialog->progressBar()->value();
            connect(dialog->progressBar(), &QProgressBar::valueChanged, this, [this](int value) { values << value; });
        }
        if (!titles.contains(dialog->windowTitle()))
            titles << dialog->windowTitle();
        if (steps.isEmpty() || steps.last() != dialog->stepLabel()->text())
            steps << dialog->stepLabel()->text();
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

    EXPECT_TRUE(watched.requests.isEmpty());
    EXPECT_EQ(entries(db.folder()), QStringList{QStringLiteral("marvok.fdb")});
    EXPECT_EQ(dm.qryPaciente.recNo(), 1);   // never closed
}

TEST_F(BackupCommandsTest, AnExistingFileAnsweredNoChangesNothing)
{
    const QString file = backupFile(QStringLiteral("marvok.bak"));
    write(file, "old");
    fileDialogs.answers.enqueue(file);
    watched.answers.enqueue(platform::MsgButton::No);
    Watch watch;

    runBackupCommand(dm, nullptr);

    ASSERT_EQ(watched.requests.size(), 1);
    EXPECT_EQ(watched.requests[0].type, MsgType::Confirmation);
    EXPECT_EQ(watched.requests[0].text, kOverwrite);
    EXPECT_EQ(watched.requests[0].buttons, (QList<platform::MsgButton>{platform::MsgButton::Yes, platform::MsgButton::No}));
    EXPECT_EQ(bytes(file), QByteArray("old"));
    EXPECT_EQ(watch.ticksWithWindow, 0);
    EXPECT_EQ(entries(db.folder()), QStringList{QStringLiteral("marvok.fdb")});
    EXPECT_EQ(dm.qryPaciente.recNo(), 1);   // never closed
}

// A file that does not restore: the box gives the program's reason first,
// the server's own words below it, and then what became of the database.
TEST_F(BackupCommandsTest, ARestoreThatFailsSaysWhyInPortugueseFirst)
{
    const QString file = backupFile(QStringLiteral("cortada.bak"));
    TestDatabase source(QStringLiteral("marvok origem XXXXXX"));
    write(file, bytes(backupOf(source, QStringLiteral("inteira.bak"))).left(3000));
    fileDialogs.answers.enqueue(file);

    runRestoreCommand(dm, nullptr);

    ASSERT_EQ(watched.requests.size(), 1);
    EXPECT_EQ(watched.requests[0].type, MsgType::Error);
    const QStringList paragraphs = watched.requests[0].text.split(QStringLiteral("\r\r"));
    ASSERT_EQ(paragraphs.size(), 4) << watched.requests[0].text.toStdString();
    EXPECT_EQ(paragraphs[0], kNotRestored);
    EXPECT_EQ(paragraphs[1], QStringLiteral(u"O arquivo escolhido não é uma cópia de segurança que possa ser "
                                            u"restaurada: está incompleto, danificado ou é de outro tipo."));
    EXPECT_TRUE(paragraphs[2].startsWith(kTheirWords + u'\r')) << paragraphs[2].toStdString();
    EXPECT_GT(paragraphs[2].size(), kTheirWords.size() + 1);
    EXPECT_EQ(paragraphs[3], kUnchanged);
    EXPECT_EQ(watched.busyAtMessage, QList<bool>{false});
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
}

TEST_F(BackupCommandsTest, BackupShowsAModalProgressWindowThatKeepsRepaintingWhileTheServerWorks)
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
    // The tables pass by as the server writes the backup and restores it to check it.
    EXPECT_FALSE(watch.steps.filter(kWriting + QStringLiteral(": tabela ")).isEmpty())
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

// Nothing started while a backup and a restore work is given a password:
// no command line and no environment holds it. Both run as the logged-in
// administrator.
TEST_F(BackupCommandsTest, NoProcessStartedMeanwhileIsGivenThePassword)
{
    ASSERT_EQ(dm.ZConnection1.settings.user, testusers::administrator().user);
    const QString file = backupFile(QStringLiteral("sigilo.bak"));
    fileDialogs.answers.enqueue(file);
    fileDialogs.answers.enqueue(file);
    Watch watch;

    runBackupCommand(dm, nullptr);
    runRestoreCommand(dm, nullptr);

    EXPECT_EQ(watch.titles, (QStringList{kBackupTitle, kRestoreTitle}));
    EXPECT_GT(watch.ticksWithWindow, 3);
    EXPECT_EQ(watch.givenThePassword, QStringList());
    ASSERT_EQ(watched.requests.size(), 2);
    EXPECT_EQ(watched.requests[0].text, kCreated);
    EXPECT_EQ(watched.requests[1].type, MsgType::Information);
    EXPECT_TRUE(watched.requests[1].text.startsWith(kRestored)) << watched.requests[1].text.toStdString();
}

} // namespace
