#pragma once
// Keeps a test program, and every program it starts, away from the Marvok
// settings of the machine and of the user (an installed package brings
// /etc/xdg/marvok/marvok.conf): both settings folders point into an empty
// folder of the run's own. Called first thing in main, before Qt reads them.

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

inline void isolateSettings()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/marvok-settings-XXXXXX"));
    const QString user = folder.path() + QStringLiteral("/user");
    const QString system = folder.path() + QStringLiteral("/system");
    QDir().mkpath(user);
    QDir().mkpath(system);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(user));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(system));
}
