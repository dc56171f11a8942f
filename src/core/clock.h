#pragma once
// The one source of "today" and "now" for the whole program. Tests set a
// fixed moment, or a source of their own; the program reads the system clock.

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <functional>
#include <optional>

class Clock {
public:
    using Source = std::function<QDateTime()>;

    static QDateTime now() { return source() ? source()() : QDateTime::currentDateTime(); }
    static QDate today() { return now().date(); }
    static QTime time() { return now().time(); }
    // Freezes the clock at the given moment; std::nullopt returns to the system clock.
    static void set(std::optional<QDateTime> moment)
    {
        source() = moment ? Source([at = *moment] { return at; }) : Source();
    }
    // Every reading asks the source (a clock that moves as the test wants); empty: the system clock.
    static void setSource(Source readings) { source() = std::move(readings); }

private:
    static Source& source()
    {
        static Source value;
        return value;
    }
};
