#include "DayCount.h"

#include <cmath>

namespace tickwell {

namespace {

constexpr qint64 msPerDay = 24LL * 60 * 60 * 1000;

qint64 epochJulianDay() {
    return QDate(1899, 12, 30).toJulianDay();
}

// The whole day of a count, when it is a finite number within the years 1 to 9999.
bool wholeDay(double days, qint64& day) {
    if (!std::isfinite(days)) {
        return false;
    }
    const double whole = std::trunc(days);
    const double first = static_cast<double>(QDate(1, 1, 1).toJulianDay() - epochJulianDay());
    const double last = static_cast<double>(QDate(9999, 12, 31).toJulianDay() - epochJulianDay());
    if (whole < first || whole > last) {
        return false;
    }
    day = static_cast<qint64>(whole);
    return true;
}

} // namespace

double dayCountFromDate(const QDate& date) {
    return static_cast<double>(date.toJulianDay() - epochJulianDay());
}

double dayCountFromDateTime(const QDateTime& dateTime) {
    const double day = dayCountFromDate(dateTime.date());
    const double fraction =
        static_cast<double>(dateTime.time().msecsSinceStartOfDay()) / static_cast<double>(msPerDay);
    // Before the epoch the whole part counts back while the time of day still counts forward.
    return day < 0 ? day - fraction : day + fraction;
}

QDate dateFromDayCount(double days) {
    qint64 day = 0;
    if (!wholeDay(days, day)) {
        return {};
    }
    return QDate::fromJulianDay(epochJulianDay() + day);
}

QDateTime dateTimeFromDayCount(double days) {
    qint64 day = 0;
    if (!wholeDay(days, day)) {
        return {};
    }
    const double fraction = std::fabs(days - std::trunc(days));
    qint64 ms = std::llround(fraction * static_cast<double>(msPerDay));
    QDate date = QDate::fromJulianDay(epochJulianDay() + day);
    if (ms >= msPerDay) {
        // Rounded up to the next midnight.
        date = date.addDays(1);
        ms = 0;
    }
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

} // namespace tickwell
