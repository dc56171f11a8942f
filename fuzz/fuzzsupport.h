#pragma once
// What the fuzz targets share (fuzzsupport.cpp also starts the Qt application
// every target runs in): typing into widgets, and a reader that turns the
// fuzzer's bytes into choices and texts.

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace fuzz {

// A target's own check failed: stop with a message, as a sanitizer would.
[[noreturn]] inline void fail(const char* what, const QString& detail = {})
{
    fprintf(stderr, "fuzz check failed: %s %s\n", what, qPrintable(detail));
    abort();
}

// Types a text into a widget key by key: printable ASCII as QTest's keys, any
// other character as a key event that carries it, as an input method sends it.
inline void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
            QTest::keyClick(widget, char(c.unicode()));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &release);
    }
}

class Bytes;
// Runs one of the ways, chosen by the next byte.
void oneOf(Bytes& bytes, std::initializer_list<void (*)(Bytes&)> ways);

class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    uint8_t byte() { return empty() ? 0 : m_data[m_pos++]; }
    // A number in [0, n).
    int pick(int n) { return n <= 0 ? 0 : byte() % n; }
    int32_t int32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = v << 8 | byte();
        return int32_t(v);
    }
    double float64()
    {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = bits << 8 | byte();
        double d;
        memcpy(&d, &bits, sizeof d);
        return d;
    }
    // A text up to the next NUL byte (or the end), read as UTF-8.
    QString text()
    {
        const size_t start = m_pos;
        while (m_pos < m_size && m_data[m_pos] != 0)
            ++m_pos;
        const QString t = QString::fromUtf8(reinterpret_cast<const char*>(m_data + start), qsizetype(m_pos - start));
        if (m_pos < m_size)
            ++m_pos;
        return t;
    }
    // Everything not read yet.
    QString rest()
    {
        const QString t = QString::fromUtf8(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(m_size - m_pos));
        m_pos = m_size;
        return t;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

} // namespace fuzz
