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

// The clock the program uses: the system's unless a test installed another.
Clock& currentClock();
// Installs `replacement` (not owned) for the whole process; nullptr restores the system clock.
void setClock(Clock* replacement);

} // namespace tickwell
