#include "app/commandline.h"

#include "fb/connection.h"
#include "fb/fberror.h"
#include "platform/fileversion.h"
#include "store/schemaversion.h"
#include "store/tdm.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstring>

namespace app {

namespace {

const char kUpgradeOption[] = "--upgrade-database";

// Messages are written with \r line breaks for the message boxes.
QString forTerminal(QString text) { return text.replace(u'\r', u'\n'); }

int upgradeDatabase(const QString& location)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    fb::ConnectParams params;
    params.database = location;
    try {
        fb::Connection connection;
        connection.connect(params);
        const int before = store::upgradeSchema(connection);
        const int after = store::programSchemaVersion();
        connection.disconnect();
        if (before == after)
            out << QStringLiteral(u"marvok: o banco de dados %1 já está na versão %2.").arg(location).arg(after) << '\n';
        else
            out << QStringLiteral(u"marvok: banco de dados %1 atualizado da versão %2 para a versão %3.")
                       .arg(location)
                       .arg(before)
                       .arg(after)
                << '\n';
        return 0;
    } catch (const EError& error) {
        err << QStringLiteral(u"marvok: %1: %2").arg(location, forTerminal(error.message())) << '\n';
        if (qEnvironmentVariableIsEmpty("ISC_USER"))
            err << QStringLiteral(u"marvok: a conta vem de ISC_USER e ISC_PASSWORD, que não estão definidas.") << '\n';
        return 1;
    }
}

} // namespace

bool isCommandLineTask(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strncmp(a, kUpgradeOption, sizeof kUpgradeOption - 1) == 0 || std::strcmp(a, "--help") == 0 ||
            std::strcmp(a, "-h") == 0 || std::strcmp(a, "--version") == 0 || std::strcmp(a, "-v") == 0)
            return true;
    }
    return false;
}

int runCommandLineTask()
{
    QCoreApplication::setApplicationName(QStringLiteral("marvok"));
    QCoreApplication::setApplicationVersion(platform::fileVersionText(QCoreApplication::applicationFilePath()));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(u"Marvok: o prontuário clínico do consultório."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption upgrade(
        QStringLiteral("upgrade-database"),
        QStringLiteral(u"Atualiza o banco de dados para a versão deste programa e termina, com a conta de "
                       u"ISC_USER e ISC_PASSWORD."));
    parser.addOption(upgrade);
    parser.addPositionalArgument(QStringLiteral("BANCO"),
                                 QStringLiteral(u"O banco de dados (servidor:caminho ou servidor:apelido); sem ele, "
                                                u"o que o programa abre."),
                                 QStringLiteral("[BANCO]"));
    parser.process(*QCoreApplication::instance());
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        parser.showHelp(2);
    return upgradeDatabase(positional.isEmpty() ? Tdm::programDatabase() : positional.first());
}

} // namespace app
