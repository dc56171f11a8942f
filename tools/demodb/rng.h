#pragma once
// A small random generator with a fixed algorithm (splitmix64), so that the
// same seed gives the same demo database on every machine and compiler.

#include <QDate>
#include <QStringList>
#include <QtGlobal>

class Rng {
public:
    explicit Rng(quint64 seed) : m_state(seed) {}
    // A stream of its own for each item (patient) of one seed: the item's
    // number is mixed in, so that neighbouring items are not related.
    static Rng forItem(quint64 seed, quint64 item)
    {
        Rng mixer(seed ^ (item * 0xD1B54A32D192ED03ull));
        return Rng(mixer.next());
    }

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from lo to hi, both included.
    int between(int lo, int hi) { return lo + int(next() % quint64(hi - lo + 1)); }
    bool chance(int percent) { return between(0, 99) < percent; }
    const QString& pick(const QStringList& list) { return list[between(0, int(list.size()) - 1)]; }
    QDate dayBetween(const QDate& first, const QDate& last)
    {
        return first.addDays(between(0, int(std::max<qint64>(0, first.daysTo(last)))));
    }
    QString digits(int count)
    {
        QString s;
        for (int i = 0; i < count; ++i)
            s += QChar(u'0' + between(0, 9));
        return s;
    }

private:
    quint64 m_state;
};
