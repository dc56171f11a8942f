#include "demowords.h"

#include "core/eerror.h"

#include <QFile>
#include <QHash>

namespace words {

namespace {

// KEY = item|item|... one list a line; "#" starts a comment line.
QHash<QString, QList<QStringList>> load()
{
    QFile f(QStringLiteral(":/demowords.txt"));
    if (!f.open(QIODevice::ReadOnly))
        throw EError(QStringLiteral("demowords.txt is missing from the program's resources"));
    QHash<QString, QList<QStringList>> out;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        const qsizetype eq = line.indexOf(QStringLiteral(" = "));
        if (line.startsWith(u'#') || eq < 0)
            continue;
        out[line.left(eq).trimmed()].append(line.mid(eq + 3).trimmed().split(u'|'));
    }
    return out;
}

const QHash<QString, QList<QStringList>>& all()
{
    static const QHash<QString, QList<QStringList>> words = load();
    return words;
}

} // namespace

const QList<QStringList>& lines(const QString& key)
{
    const auto it = all().constFind(key);
    if (it == all().constEnd() || it->isEmpty())
        throw EError(QStringLiteral("demowords.txt has no list \"%1\"").arg(key));
    return *it;
}

const QStringList& list(const QString& key) { return lines(key).first(); }

// name;state;area code;CEP prefix;weight;neighbourhoods (items of the city line joined by "|")
const QVector<City>& cities()
{
    static const QVector<City> towns = [] {
        QVector<City> out;
        for (const QStringList& line : lines(QStringLiteral("city"))) {
            const QStringList f = line.join(u'|').split(u';');
            if (f.size() != 6)
                throw EError(QStringLiteral("demowords.txt: a city line needs six fields: ") + line.join(u'|'));
            out.append({f[0], f[1], f[2], f[3], f[4].toInt(),
                        f[5].isEmpty() ? QStringList() : f[5].split(u'|')});
        }
        return out;
    }();
    return towns;
}

int childLevels()
{
    const QStringList& levels = list(QStringLiteral("table.INSTRUCAO"));
    for (int i = 0; i < levels.size(); ++i)
        if (levels[i].startsWith(QStringLiteral("9º")))
            return i + 1;
    throw EError(QStringLiteral("demowords.txt: table.INSTRUCAO has no 9th year"));
}

} // namespace words
