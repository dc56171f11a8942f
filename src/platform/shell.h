#pragma once
// The operating system shell's "open": mail addresses, web addresses and files
// handed to the user's default programs. Tests install a service that records
// the targets instead of opening them.

#include <QString>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens the target as it stands; the outcome is not reported.
    virtual void openUrl(const QString& target);

    // The service in force; by default the desktop's own.
    static Shell& instance();
    // Installs another service (tests); nullptr restores the default. Not owned.
    static void setInstance(Shell* shell);
};

} // namespace platform
