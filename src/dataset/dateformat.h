#pragma once
// The program-wide short date format and the day-count scale of dates
// (day 0 is 30/12/1899). Every conversion between dates and texts uses these.

#include <QDate>
#include <QString>

namespace ds {

// Two-digit years above it are of the 1900s, the others of the 2000s.
constexpr int kCenturyWindow = 30;

QString shortDateFormat();                 // Qt format text, "dd/MM/yyyy" by default
void setShortDateFormat(const QString& format);

QString dateToText(const QDate& date);     // empty text for an invalid date
// Reads a date as users type it, in the order and with the separator of the
// short date format: one or two digits for the day and the month, two or
// four for the year ("5/3/2011", "05/03/11"); a two-digit year follows the
// century window. Blanks around the parts are allowed. A date that does not
// exist is refused.
QDate textToDate(const QString& text, bool* ok = nullptr, int centuryWindow = kCenturyWindow);

double dateToDays(const QDate& date);      // 0 for an invalid date
QDate daysToDate(double days);             // whole-day part; day 0 is 30/12/1899; invalid for no number

} // namespace ds
