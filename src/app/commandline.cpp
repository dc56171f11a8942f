#include "app/commandline.h"

#include "fb/connection.h"
#include "fb/fberror.h"
#include "platform/fileversion.h"
#include "platform/qttranslations.h"
#include "store/schemaversion.h"
#include "store/tdm.h"
#include "store/useradmin.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstring>

namespace app {

namespace {

const char kUpgradeOption[] = "--upgrade-database";
const char kAdministratorOption[] = "--create-administrator";

// Messages are written with \r line breaks for the message boxes.
QString forTerminal(QString text) { return text.replace(u'\r', u'\n'); }

// The account of the set-up, from the client's own variables.
fb::ConnectParams setUpAccount(const QString& location)
{
    fb::ConnectParams params;
    params.database = location;
    return params;
}

int refused(const QString& location, const EError& error)
{
    QTextStream err(stderr);
    err << QStringLiteral(u"marvok: %1: %2").arg(location, forTerminal(error.message())) << '\n';
    if (qEnvironmentVariableIsEmpty("ISC_USER"))
        err << QStringLiteral(u"marvok: a conta vem de ISC_USER e ISC_PASSWORD, que não estão definidas.") << '\n';
    return 1;
}

int upgradeDatabase(const QString& location)
{
    QTextStream out(stdout);
    try {
        fb::Connection connection;
        connection.connect(setUpAccount(location));
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
        return refused(location, error);
    }
}

// The first administrator of a database, made by the set-up: a new user
// with the password read from standard input, or a user the server has
// already (her password unchanged), given the administrator's role here.
int createAdministrator(const QString& typedName, const QString& location)
{
    QTextStream out(stdout);
    const QString name = store::userName(typedName);
    try {
        fb::Connection connection;
        connection.connect(setUpAccount(location));
        store::checkSchemaVersion(connection);
        store::UserAdmin admin(connection);
        if (admin.exists(name)) {
            admin.admit(name, store::UserRole::Administrator);
            out << QStringLiteral(u"marvok: %1 já era um usuário do servidor e agora é administrador do Marvok em %2; "
                                  u"a senha dele não mudou.")
                       .arg(name, location)
                << '\n';
        } else {
            const QString password = QTextStream(stdin).readLine();
            admin.create(name, password, store::UserRole::Administrator);
            out << QStringLiteral(u"marvok: administrador %1 criado em %2.").arg(name, location) << '\n';
        }
        connection.disconnect();
        return 0;
    } catch (const EError& error) {
        return refused(location, error);
    }
}

} // namespace

bool isCommandLineTask(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strncmp(a, kUpgradeOption, sizeof kUpgradeOption - 1) == 0 ||
            std::strncmp(a, kAdministratorOption, sizeof kAdministratorOption - 1) == 0 || std::strcmp(a, "--help") == 0 ||
            std::strcmp(a, "-h") == 0 || std::strcmp(a, "--version") == 0 || std::strcmp(a, "-v") == 0)
            return true;
    }
    return false;
}

int runCommandLineTask()
{
    QCoreApplication::setApplicationName(QStringLiteral("marvok"));
    QCoreApplication::setApplicationVersion(platform::fileVersionText(QCoreApplication::applicationFilePath()));
    // The parser's own words (usage, options, an unknown option) in Portuguese too.
    platform::loadQtTranslations();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(u"Marvok: o prontuário clínico do consultório."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption upgrade(
        QStringLiteral("upgrade-database"),
        QStringLiteral(u"Atualiza o banco de dados para a versão deste programa e termina, com a conta de "
                       u"ISC_USER e ISC_PASSWORD."));
    parser.addOption(upgrade);
    const QCommandLineOption administrator(
        QStringLiteral("create-administrator"),
        QStringLiteral(u"Cria o primeiro administrador do Marvok no banco de dados, com a senha lida da entrada "
                       u"padrão (um usuário que o servidor já tem fica com a senha dele), e termina; com a conta de "
                       u"ISC_USER e ISC_PASSWORD."),
        QStringLiteral("NOME"));
    parser.addOption(administrator);
    parser.addPositionalArgument(QStringLiteral("BANCO"),
                                 QStringLiteral(u"O banco de dados (servidor:caminho ou servidor:apelido); sem ele, "
                                                u"o que o programa abre."),
                                 QStringLiteral("[BANCO]"));
    parser.process(*QCoreApplication::instance());
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        parser.showHelp(2);
    const QString location = positional.isEmpty() ? Tdm::programDatabase() : positional.first();
    if (parser.isSet(administrator))
        return createAdministrator(parser.value(administrator), location);
    return upgradeDatabase(location);
}

} // namespace app
