#pragma once
// The words and phrases the demo database is made of, read from
// demowords.txt (compiled into the program): Brazilian names, places,
// professions, note texts and the reference tables' rows.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

namespace words {

// The list of a key (its first line); throws EError when the key is missing.
const QStringList& list(const QString& key);
inline const QStringList& list(const char* key) { return list(QString::fromLatin1(key)); }
// Every line of a key, each as its list.
const QList<QStringList>& lines(const QString& key);

struct City {
    QString name;
    QString uf;
    QString areaCode;          // two digits
    QString postalPrefix;      // the first digits of its CEPs
    int weight = 0;            // share of the patients, relative
    QStringList neighbourhoods;  // empty: the common list
};
const QVector<City>& cities();

// How many rows of table.INSTRUCAO, from the first, are children's levels.
int childLevels();

} // namespace words
