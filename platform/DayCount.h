#pragma once

#include <QDate>
#include <QDateTime>

namespace tickwell {

// Dates as the store keeps them: a double counting days since 1899-12-30, the whole part the day
// and the fraction the time of day. For days before 1899-12-30 the fraction still counts forward
// from midnight (-1.25 is 1899-12-29 06:00).

// The day count of `date` at midnight; `date` must be valid.
double dayCountFromDate(const QDate& date);
// The day count of a local date and time, to the millisecond.
double dayCountFromDateTime(const QDateTime& dateTime);
// The date of a day count (its time of day dropped); an invalid QDate for a count that is not a
// finite number or lies outside the years 1 to 9999.
QDate dateFromDayCount(double days);
// The local date and time of a day count, to the nearest millisecond; invalid as above.
QDateTime dateTimeFromDayCount(double days);

} // namespace tickwell
