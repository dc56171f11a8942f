#include "app/startup.h"

#include "dialogs/tfrmlogin.h"
#include "dialogs/tfrmsobre.h"
#include "fb/fberror.h"
#include "icons/icons.h"
#include "mainwin/tfrmclin.h"
#include "platform/qttranslations.h"
#include "reportengine/language.h"
#include "reports/treports.h"
#include "store/tdm.h"

#include <QApplication>
#include <memory>

namespace app {

int runMarvok(const QString& programFolder)
{
    // Qt's own windows (the backup and report file dialogs) speak Portuguese too.
    platform::loadQtTranslations();
    // Every window carries the program's icon; the desktop finds the menu entry by its name.
    QApplication::setWindowIcon(icons::get(QStringLiteral("marvok")));
    QGuiApplication::setDesktopFileName(QStringLiteral("br.com.marvok.Marvok"));

    // The splash: the about box without its button, painted at once.
    auto about = std::make_unique<TfrmSobre>();
    about->ShowSplash();
    QApplication::setApplicationName(QStringLiteral("Marvok"));

    // The data module outlives the window; the window's creation connects.
    // The report engine's windows speak the program's language from here on;
    // the reports are installed into it for as long as it lives.
    Tdm dm(programFolder);
    report::loadProgramLanguage();
    // The user logs in before anything of the record is read; giving up ends the program.
    const bool loggedIn = Login([&dm](const QString& user, const QString& password) {
        try {
            dm.logIn(user, password);
        } catch (const fb::FbError& error) {
            throw EError(QStringLiteral(u"Erro na abertura do banco de dados:\r\r") + error.message());
        }
    });
    if (!loggedIn)
        return 0;
    TReports reports(dm);
    TfrmClin frmClin(dm);

    about->hide();
    about->ShowModal();
    about.reset();

    frmClin.show();
    return QApplication::exec();
}

} // namespace app
