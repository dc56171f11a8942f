#pragma once
// The Marvok settings files of a test run, in the empty folders that
// isolateSettings() pointed the settings at: written by one test, emptied
// when it ends.

#include <QSettings>
#include <QString>
#include <QVariant>

class SettingsFiles {
public:
    SettingsFiles() = default;
    ~SettingsFiles()
    {
        for (const QString& path : {systemFile(), userFile()}) {
            QSettings s(path, QSettings::NativeFormat);
            s.clear();
        }
    }
    SettingsFiles(const SettingsFiles&) = delete;
    SettingsFiles& operator=(const SettingsFiles&) = delete;

    // The machine's file (the package's) and the user's own.
    static QString systemFile() { return qEnvironmentVariable("XDG_CONFIG_DIRS") + QStringLiteral("/marvok/marvok.conf"); }
    static QString userFile() { return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/marvok/marvok.conf"); }

    void setSystem(const QString& key, const QVariant& value) { QSettings(systemFile(), QSettings::NativeFormat).setValue(key, value); }
    void setUser(const QString& key, const QVariant& value) { QSettings(userFile(), QSettings::NativeFormat).setValue(key, value); }
};
