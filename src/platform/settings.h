#pragma once
// The program's settings: the machine's file /etc/xdg/marvok/marvok.conf
// (the package installs it) and a user's own ~/.config/marvok/marvok.conf,
// whose keys win. Every setting is read here and nowhere else.

#include <QString>
#include <memory>
#include <optional>

class QSettings;

namespace platform {

// The settings as the user sees them: her own file over the machine's.
std::unique_ptr<QSettings> settings();

// The server on this computer, as the program names it wherever it means
// that one ("localhost").
QString thisComputer();

// The database named by the settings: a server and a database on it.
struct DatabaseSettings {
    QString server;     // host name or address, "host/port" for another port
    QString database;   // an alias of the server's databases.conf, or a path on the server

    // "server:database", the way the Firebird client names a remote database.
    QString location() const { return server + u':' + database; }
};

// The settings' database, or nothing when no settings file names a server
// or a database (a build folder, the tests): then the program opens the
// marvok.fdb of its own folder. A file that names only one of the two
// takes the other's default: this machine ("localhost"), the alias "marvok".
std::optional<DatabaseSettings> databaseSettings();

// The user name last logged in with on this PC (the user's own file);
// empty when there is none.
QString rememberedUser();
void rememberUser(const QString& name);

} // namespace platform
