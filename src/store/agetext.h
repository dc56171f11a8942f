#pragma once
// Ages and elapsed times as short Portuguese texts of whole years and
// months, counted the practice's way: every year 365 days, every month 30.

#include <QDate>
#include <QString>

namespace store {

// The word after a plural number of months, with its leading blank: the
// data module writes " meses", the main window's hints " mêses".
// An invalid date counts as day 0 of the date scale (30/12/1899).
QString ageText(const QDate& start, const QDate& end, const QString& pluralMonths);

} // namespace store
