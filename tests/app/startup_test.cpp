// The main routine: what the user sees, in order: the login over the splash,
// then the about box, then the window; when the database cannot be opened
// the login says so and Cancelar ends the program. The report windows speak
// the language of the file found in the working directory; an error that
// reaches the event loop is shown in one box.

#include "app/startup.h"
#include "dataset/dberror.h"
#include "dialogs/tfrmlogin.h"
#include "dialogs/tfrmsobre.h"
#include "mainwin/tfrmclin.h"
#include "platform/settings.h"
#include "reportengine/language.h"
#include "reportengine/preparedreport.h"
#include "reportengine/previewdialog.h"
#include "support/modaldriver.h"
#include "support/scriptedmessages.h"
#include "support/settingsfiles.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// What is on the screen: the about box (as a splash or with its OK button)
// and the main window.
QString onScreen()
{
    QStringList shown;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        if (auto* about = qobject_cast<TfrmSobre*>(top))
            shown << (about->Button1->isVisible() ? QStringLiteral("sobre com OK") : QStringLiteral("splash"));
        else if (qobject_cast<TfrmLogin*>(top))
            shown << QStringLiteral("login");
        else if (qobject_cast<TfrmClin*>(top))
            shown << QStringLiteral("janela");
    }
    shown.sort();
    return shown.join(u'+');
}

// Records what is on the screen whenever a message box comes up.
class WatchingMessages : public ScriptedMessages {
public:
    platform::MsgButton show(const platform::MessageRequest& request) override
    {
        seen << QStringLiteral("caixa sobre ") + onScreen();
        return ScriptedMessages::show(request);
    }
    QStringList seen;
};

// An object whose events raise the error it is given.
class Raiser : public QObject {
public:
    std::function<void()> raise;
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            raise();
        return QObject::event(event);
    }
};

// Types into the login window and presses OK.
void logIn(TfrmLogin* login, const QString& user, const QString& password)
{
    login->edtUsuario->clear();
    QTest::keyClicks(login->edtUsuario, user);
    login->edtSenha->clear();
    QTest::keyClicks(login->edtSenha, password);
    QTest::mouseClick(login->btnOK, Qt::LeftButton);
}

// Closes the main window as soon as it is on screen, noting what is shown then.
class WindowCloser : public QTimer {
public:
    explicit WindowCloser(QStringList& seen)
    {
        connect(this, &QTimer::timeout, [this, &seen] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* window = qobject_cast<TfrmClin*>(top); window && window->isVisible()) {
                    stop();
                    seen << onScreen();
                    patients = window->dm.qryPaciente.isActive() ? window->dm.qryPaciente.recordCount() : -1;
                    window->close();
                }
        });
        start(20);
    }
    int patients = -2;
};

TEST(StartupTest, TheUserLogsInOverTheSplashThenSeesTheAboutBoxAndTheWindow)
{
    TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                           "VALUES (1, 'Ana', '2005-06-10', '2011-03-05', 'A')"));
    SettingsFiles settings;
    const store::Account& user = testusers::therapist();
    ScriptedMessages messages;
    QStringList seen;
    std::unique_ptr<ModalDriver> about;
    ModalDriver login([&](QWidget* modal) {
        seen << onScreen();
        auto* dialog = qobject_cast<TfrmLogin*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->edtUsuario->text(), QString());   // nobody logged in on this PC yet
        logIn(dialog, user.user.toLower(), QStringLiteral("errada"));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->lblMensagem->text(), QStringLiteral(u"Usuário ou senha incorretos (ou o usuário foi desativado)."));
        EXPECT_EQ(dialog->edtSenha->text(), QString());
        EXPECT_EQ(dialog->edtUsuario->text(), user.user.toLower());   // what she typed stays
        seen << onScreen();
        about = std::make_unique<ModalDriver>([&](QWidget* box) {
            seen << onScreen();
            QTest::mouseClick(qobject_cast<TfrmSobre*>(box)->Button1, Qt::LeftButton);
        });
        QTest::keyClicks(dialog->edtSenha, user.password);
        QTest::keyClick(dialog->edtSenha, Qt::Key_Return);
    });
    WindowCloser window(seen);

    EXPECT_EQ(app::runMarvok(db.folder()), 0);

    EXPECT_TRUE(login.acted());
    ASSERT_TRUE(about && about->acted());
    EXPECT_EQ(seen, (QStringList{"login+splash", "login+splash", "sobre com OK", "janela"}));
    EXPECT_EQ(window.patients, 1);
    EXPECT_TRUE(messages.requests.isEmpty());
    // The next start on this PC offers her name.
    EXPECT_EQ(platform::rememberedUser(), user.user.toLower());
    TfrmLogin again([](const QString&, const QString&) {});
    EXPECT_EQ(again.edtUsuario->text(), user.user.toLower());
}

TEST(StartupTest, WithTheDatabaseUnreachableTheLoginSaysSoAndCancelarEndsTheProgram)
{
    QTemporaryDir noDatabase;
    const QString home = QDir::currentPath();
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Brazil.frc"),
                            noDatabase.filePath(QStringLiteral("Brazil.frc"))));
    QDir::setCurrent(noDatabase.path());
    ScriptedMessages messages;
    QStringList seen;
    ModalDriver login([&](QWidget* modal) {
        auto* dialog = qobject_cast<TfrmLogin*>(modal);
        ASSERT_NE(dialog, nullptr);
        logIn(dialog, testusers::therapist().user, testusers::therapist().password);
        seen << onScreen();
        EXPECT_TRUE(dialog->lblMensagem->text().startsWith(QStringLiteral("Erro na abertura do banco de dados:\n\n")))
            << dialog->lblMensagem->text().toStdString();
        EXPECT_GT(dialog->lblMensagem->text().size(), 40);   // the server's own message follows
        QTest::mouseClick(dialog->btnCancelar, Qt::LeftButton);
    });
    WindowCloser window(seen);

    EXPECT_EQ(app::runMarvok(noDatabase.path()), 0);

    EXPECT_TRUE(login.acted());
    EXPECT_EQ(seen, QStringList{"login+splash"});   // no about box, no window
    EXPECT_TRUE(messages.requests.isEmpty());
    EXPECT_EQ(report::PreviewDialog(report::PreparedReport{}, QString()).windowTitle(), QStringLiteral("Visualização"));
    report::unloadLanguageFile();
    QDir::setCurrent(home);
}

TEST(StartupTest, AnErrorReachingTheEventLoopIsShownOnceInTheWordsOfTheErrorHook)
{
    QTemporaryDir noDatabase;
    ScriptedMessages messages;
    Tdm dm(noDatabase.path(), testusers::therapist());
    TfrmClin window(dm);
    messages.requests.clear();
    Raiser raiser;

    raiser.raise = [] { throw ds::EDatabaseError(QStringLiteral("Field 'NOME' must have a value")); };
    QCoreApplication::postEvent(&raiser, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    raiser.raise = [] { throw ds::EAbort(); };   // an abandoned operation says nothing
    QCoreApplication::postEvent(&raiser, new QEvent(QEvent::User));
    QCoreApplication::processEvents();

    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].text, QStringLiteral("Campo 'NOME' deve ter um valor"));
    EXPECT_EQ(messages.requests[0].type, platform::MsgType::Plain);
}

} // namespace
