// Where the settings say the database is: the machine's file, the user's own
// over it, the defaults of a file that names only half, and no file at all.

#include "platform/settings.h"
#include "support/settingsfiles.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct SettingsCase {
    const char* name;
    QString systemServer, systemDatabase, userServer, userDatabase;   // empty: not in the file
    std::optional<platform::DatabaseSettings> expected;
};

void setIfGiven(SettingsFiles& files, bool system, const char* key, const QString& value)
{
    if (value.isEmpty())
        return;
    system ? files.setSystem(QLatin1String(key), value) : files.setUser(QLatin1String(key), value);
}

} // namespace

TEST(Settings, DatabaseComesFromTheUsersFileOverTheMachinesWithDefaultsForWhatNeitherNames)
{
    using DS = platform::DatabaseSettings;
    const SettingsCase cases[] = {
        {"no file names a database", {}, {}, {}, {}, std::nullopt},
        {"the package's file", "localhost", "marvok", {}, {}, DS{"localhost", "marvok"}},
        {"a user's server over the machine's", "localhost", "marvok", "192.168.0.10/3051", {},
         DS{"192.168.0.10/3051", "marvok"}},
        {"a user's database over the machine's", "servidor", "marvok", {}, "/dados/outro.fdb",
         DS{"servidor", "/dados/outro.fdb"}},
        {"only a server: the alias marvok", {}, {}, "consultorio", {}, DS{"consultorio", "marvok"}},
        {"only a database: this machine", "", "clinica", {}, {}, DS{"localhost", "clinica"}},
        {"blanks are no value", "  ", " ", {}, {}, std::nullopt},
    };
    for (const SettingsCase& c : cases) {
        SettingsFiles files;
        setIfGiven(files, true, "database/server", c.systemServer);
        setIfGiven(files, true, "database/name", c.systemDatabase);
        setIfGiven(files, false, "database/server", c.userServer);
        setIfGiven(files, false, "database/name", c.userDatabase);
        const std::optional<platform::DatabaseSettings> got = platform::databaseSettings();
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.name;
        if (got) {
            EXPECT_EQ(got->server, c.expected->server) << c.name;
            EXPECT_EQ(got->database, c.expected->database) << c.name;
        }
    }
}
