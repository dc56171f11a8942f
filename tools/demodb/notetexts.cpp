#include "notetexts.h"

#include "demowords.h"

#include <algorithm>

namespace notes {

namespace {

// "{o}" becomes the ending of the child's gender, "{ele}"/"{Ele}" the pronoun, "{nome}" the name.
QString inflect(QString text, const Child& child)
{
    text.replace(QStringLiteral("{o}"), child.girl ? QStringLiteral("a") : QStringLiteral("o"));
    text.replace(QStringLiteral("{ele}"), child.girl ? QStringLiteral("ela") : QStringLiteral("ele"));
    text.replace(QStringLiteral("{Ele}"), child.girl ? QStringLiteral("Ela") : QStringLiteral("Ele"));
    text.replace(QStringLiteral("{nome}"), child.name);
    return text;
}

// count distinct phrases of the list, in the list's order.
QStringList some(Rng& rng, const QStringList& list, int count)
{
    QList<int> chosen;
    while (chosen.size() < std::min<qsizetype>(count, list.size())) {
        const int i = rng.between(0, int(list.size()) - 1);
        if (!chosen.contains(i))
            chosen << i;
    }
    std::sort(chosen.begin(), chosen.end());
    QStringList out;
    for (int i : chosen)
        out << list[i];
    return out;
}

QString listOf(const QStringList& items)
{
    QStringList lower;
    for (const QString& s : items)
        lower << s.toLower();
    if (lower.size() < 2)
        return lower.join(QString());
    const QString last = lower.takeLast();
    return lower.join(QStringLiteral(", ")) + QStringLiteral(" e ") + last;
}

} // namespace

QString session(Rng& rng, const Child& child, const QStringList& toys)
{
    QStringList parts;
    parts << rng.pick(words::list("session.opening"));
    if (!toys.isEmpty())
        parts << QString(rng.pick(words::list("session.toys"))).replace(QStringLiteral("{toys}"), listOf(toys));
    else
        parts << rng.pick(words::list("session.play"));
    parts << some(rng, words::list("session.theme"), rng.between(1, 2));
    if (rng.chance(60))
        parts << rng.pick(words::list("session.closing"));
    return inflect(parts.join(u' '), child);
}

QString reevaluation(Rng& rng, const Child& child, int sessions)
{
    QStringList parts;
    parts << QStringLiteral(u"Reavaliação após %1 sessões.").arg(sessions);
    parts << some(rng, words::list("reevaluation.finding"), rng.between(2, 3));
    parts << rng.pick(words::list("reevaluation.plan"));
    return inflect(parts.join(u' '), child);
}

QString guidance(Rng& rng, const Child& child, int type)
{
    const QList<QStringList>& byType = words::lines(QStringLiteral("guidance"));
    const QStringList& pool = byType[type % byType.size()];
    return inflect(some(rng, pool, rng.between(1, 3)).join(u' '), child);
}

QString phrase(Rng& rng, const Child& child, const char* key) { return inflect(rng.pick(words::list(key)), child); }

} // namespace notes
