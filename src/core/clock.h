#pragma once
// The one source of "today" and "now" for the whole program. Tests set a
// fixed moment; the program reads the system clock.

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <optional>

class Clock {
public:
    static QDateTime now() { return fixed() ? *fixed() : QDateTime::currentDateTime(); }
    static QDate today() { return now().date(); }
    static QTime time() { return now().time(); }
    // Freezes the clock at the given moment; std::nullopt returns to the system clock.
    static void set(std::optional<QDateTime> moment) { fixed() = moment; }

private:
    static std::optional<QDateTime>& fixed()
    {
        static std::optional<QDateTime> value;
        return value;
    }
};
