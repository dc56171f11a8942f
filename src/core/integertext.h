#pragma once
// Reads a whole text as a signed 32-bit integer, the way a number typed by
// the user is read: leading blanks skipped, an optional sign, then decimal
// digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X". Anything
// else in the text, an empty text and a value out of range give no number.

#include <QString>
#include <limits>
#include <optional>

inline std::optional<qint32> integerFromText(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    int base = 10;
    if (i < n && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i < n && (text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return std::nullopt;
    // The magnitude is gathered as 64 bits and checked after every digit.
    const qint64 limit = negative ? -qint64(std::numeric_limits<qint32>::min()) : std::numeric_limits<qint32>::max();
    qint64 value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        const int digit = c >= u'0' && c <= u'9'                ? c - u'0'
                          : base == 16 && c >= u'a' && c <= u'f' ? c - u'a' + 10
                          : base == 16 && c >= u'A' && c <= u'F' ? c - u'A' + 10
                                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    return qint32(negative ? -value : value);
}
