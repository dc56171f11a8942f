#include "store/patientnumber.h"

namespace store {

QString patientNumberText(const QVariant& id, const QDate& cadastro)
{
    const QString number = id.isNull() || !id.isValid() ? QString() : QString::number(id.toInt());
    if (!cadastro.isValid())
        return number;
    return number + u'/' + QStringLiteral("%1").arg(cadastro.year() % 100, 2, 10, QChar(u'0'));
}

} // namespace store
