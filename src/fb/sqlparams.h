#pragma once
// Named parameters (":NAME") in SQL texts: the positional text the server
// prepares and the name of every position.

#include <QString>
#include <QStringList>

namespace fb {

struct ParsedSql {
    QString sql;          // ":NAME" replaced by "?", everything else unchanged
    QStringList names;    // one entry per "?", upper-cased, in order
};

// Skips string literals, quoted identifiers and comments.
ParsedSql parseNamedParams(const QString& sql);

} // namespace fb
