#pragma once
// Names and texts written into SQL that takes no parameters (user and role
// statements): quoted the way the server reads them back unchanged.

#include <QString>

namespace fb {

// "name", inner double quotes doubled: the server keeps case, blanks and
// accents exactly.
QString quoteIdentifier(const QString& name);
// 'text', inner single quotes doubled.
QString quoteLiteral(const QString& text);

} // namespace fb
