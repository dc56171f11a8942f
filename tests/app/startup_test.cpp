// The main routine: what the user sees, in order, when the database cannot
// be opened, with the report windows in the language of the file found in the
// working directory; and an error that reaches the event loop is shown in one box.

#include "app/startup.h"
#include "dataset/dberror.h"
#include "dialogs/tfrmsobre.h"
#include "mainwin/tfrmclin.h"
#include "reportengine/language.h"
#include "reportengine/preparedreport.h"
#include "reportengine/previewdialog.h"
#include "support/modaldriver.h"
#include "support/scriptedmessages.h"

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

TEST(StartupTest, WithTheDatabaseUnreachableTheUserSeesSplashErrorAboutBoxThenTheWindow)
{
    QTemporaryDir noDatabase;
    const QString home = QDir::currentPath();
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Brazil.frc"),
                            noDatabase.filePath(QStringLiteral("Brazil.frc"))));
    QDir::setCurrent(noDatabase.path());
    WatchingMessages messages;
    QStringList& seen = messages.seen;
    ModalDriver about([&](QWidget* modal) {
        seen << onScreen();
        auto* box = qobject_cast<TfrmSobre*>(modal);
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box->Button1, Qt::LeftButton);
    });
    QTimer mainWindow;
    QObject::connect(&mainWindow, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<TfrmClin*>(top); window && window->isVisible()) {
                mainWindow.stop();
                seen << onScreen();
                EXPECT_FALSE(window->dm.qryPaciente.isActive());
                window->close();
            }
    });
    mainWindow.start(20);

    EXPECT_EQ(app::runMarvok(noDatabase.path()), 0);

    EXPECT_TRUE(about.acted());
    EXPECT_EQ(seen, (QStringList{"caixa sobre splash", "sobre com OK", "janela"}));
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].type, platform::MsgType::Plain);
    EXPECT_TRUE(messages.requests[0].text.startsWith(QStringLiteral("Erro na abertura do banco de dados:\r\r")))
        << messages.requests[0].text.toStdString();
    EXPECT_GT(messages.requests[0].text.size(), 40);   // the server's own message follows
    EXPECT_EQ(report::PreviewDialog(report::PreparedReport{}, QString()).windowTitle(), QStringLiteral("Visualização"));
    report::unloadLanguageFile();
    QDir::setCurrent(home);
}

TEST(StartupTest, AnErrorReachingTheEventLoopIsShownOnceInTheWordsOfTheErrorHook)
{
    QTemporaryDir noDatabase;
    ScriptedMessages messages;
    Tdm dm(noDatabase.path());
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
