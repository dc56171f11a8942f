#pragma once
// The program-wide short date format and the day-count scale of dates
// (day 0 is 30/12/1899). Every conversion between dates and texts uses these.

#include <QDate>
#include <QString>

namespace ds {

QString shortDateFormat();                 // Qt format text, "dd/MM/yyyy" by default
void setShortDateFormat(const QString& format);

QString dateToText(const QDate& date);     // empty text for an invalid date
QDate textToDate(const QString& text, bool* ok = nullptr);

double dateToDays(const QDate& date);      // 0 for an invalid date
QDate daysToDate(double days);             // whole-day part; day 0 is 30/12/1899; invalid for no number

} // namespace ds
