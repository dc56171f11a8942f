#include "fb/sqlquote.h"

namespace fb {

namespace {
QString quoted(QString text, QChar mark)
{
    text.replace(mark, QString(2, mark));
    return mark + text + mark;
}
} // namespace

QString quoteIdentifier(const QString& name) { return quoted(name, u'"'); }

QString quoteLiteral(const QString& text) { return quoted(text, u'\''); }

} // namespace fb
