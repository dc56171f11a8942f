// marvok-demodb [--patients N] DATABASE
// Fills the empty database DATABASE ("localhost:/folder/marvok.fdb") with
// N fictional patients and their records (default 300), under the account
// of the Firebird client's ISC_USER and ISC_PASSWORD.

#include "core/eerror.h"
#include "demogenerator.h"
#include "fb/connection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>

namespace {

int usage(const QString& problem)
{
    std::fprintf(stderr, "marvok-demodb: %s\nUso: marvok-demodb [--patients N] LOCALIZACAO\n",
                 problem.toUtf8().constData());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int patients = 300;
    QString location;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == QLatin1String("--patients")) {
            bool ok = false;
            patients = args.isEmpty() ? 0 : args.takeFirst().toInt(&ok);
            if (!ok || patients < 1)
                return usage(QStringLiteral(u"--patients pede um número inteiro positivo."));
        } else if (location.isEmpty() && !a.startsWith(u'-')) {
            location = a;
        } else {
            return usage(QStringLiteral(u"argumento inesperado: ") + a);
        }
    }
    if (location.isEmpty())
        return usage(QStringLiteral(u"falta a localização do banco de dados."));
    if (qEnvironmentVariableIsEmpty("ISC_USER"))
        return usage(QStringLiteral(u"a conta vem de ISC_USER e ISC_PASSWORD, que não estão definidas."));

    try {
        QElapsedTimer timer;
        timer.start();
        fb::Connection connection;
        fb::ConnectParams params;
        params.database = location;   // the account: the client's ISC_USER and ISC_PASSWORD
        connection.connect(params);
        DemoGenerator generator(connection, patients);
        generator.run();
        connection.disconnect();
        std::printf("marvok-demodb: %d pacientes, %llu registros em %.1f s\n", patients,
                    static_cast<unsigned long long>(generator.rowsWritten()), double(timer.elapsed()) / 1000.0);
        return 0;
    } catch (const EError& e) {
        std::fprintf(stderr, "marvok-demodb: %s\n", e.message().toUtf8().constData());
        return 1;
    }
}
