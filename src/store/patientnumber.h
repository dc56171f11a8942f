#pragma once
// The patient number text: the number, "/", and the year of the
// registration date modulo 100 in two digits (57/08); the bare number when
// there is no registration date, an empty text when there is no number.

#include <QDate>
#include <QString>
#include <QVariant>

namespace store {

QString patientNumberText(const QVariant& id, const QDate& cadastro);

} // namespace store
