#pragma once

#include <QDate>
#include <QDateTime>

namespace tickwell {

// The wall clock, in local time, behind a seam so that tests set the date and time.
class Clock {
public:
    virtual ~Clock() = default;

    // The current local date and time.
    virtual QDateTime currentDateTime() const = 0;

    // Now as a day count (days since 1899-12-30, fraction the time of day).
    double now() const;
    // Today as a day count: the current local date at midnight, a whole number.
    double today() const;
    // The current local date.
    QDate currentDate() const;
};

// The clock the program uses: the system's unless a test installed another (Seams.h).
Clock& currentClock();

// The store's day counts (settings/DayCount.h) as the windows show them. A QDate must be valid;
// a count that is no date of the years 1 to 9999 gives an invalid QDate or QDateTime.
double dayCountFromDate(const QDate& date);
double dayCountFromDateTime(const QDateTime& dateTime);
// The date of a day count, its time of day dropped.
QDate dateFromDayCount(double days);
// The local date and time of a day count, to the nearest millisecond.
QDateTime dateTimeFromDayCount(double days);

} // namespace tickwell
