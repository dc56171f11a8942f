// The settings file's keys and their defaults.

#include "platform/settings.h"

#include <QSettings>

namespace platform {

namespace {
const QString kServerKey = QStringLiteral("database/server");
const QString kDatabaseKey = QStringLiteral("database/name");
const QString kUserKey = QStringLiteral("login/user");
} // namespace

std::unique_ptr<QSettings> settings()
{
    // Fixed names rather than the application's: the window title may
    // change, the files must not.
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("marvok"),
                                       QStringLiteral("marvok"));
}

QString thisComputer() { return QStringLiteral("localhost"); }

std::optional<DatabaseSettings> databaseSettings()
{
    const std::unique_ptr<QSettings> s = settings();
    const QString server = s->value(kServerKey).toString().trimmed();
    const QString database = s->value(kDatabaseKey).toString().trimmed();
    if (server.isEmpty() && database.isEmpty())
        return std::nullopt;
    return DatabaseSettings{server.isEmpty() ? thisComputer() : server,
                            database.isEmpty() ? QStringLiteral("marvok") : database};
}

QString rememberedUser() { return settings()->value(kUserKey).toString(); }

void rememberUser(const QString& name) { settings()->setValue(kUserKey, name); }

} // namespace platform
