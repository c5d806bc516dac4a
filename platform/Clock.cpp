#include "platform/Clock.h"

#include "platform/Seams.h"
#include "settings/DayCount.h"

#include <cmath>

namespace tickwell {

namespace {

class SystemClock final : public Clock {
public:
    QDateTime currentDateTime() const override { return QDateTime::currentDateTime(); }
};

CivilDateTime civil(const QDate& date, int msOfDay) {
    return {date.year(), date.month(), date.day(), msOfDay};
}

} // namespace

double Clock::now() const {
    return dayCountFromDateTime(currentDateTime());
}

double Clock::today() const {
    return dayCountFromDate(currentDate());
}

QDate Clock::currentDate() const {
    return currentDateTime().date();
}

Clock& currentClock() {
    static SystemClock system;
    Clock* installed = installedSeams().clock;
    return installed != nullptr ? *installed : system;
}

double dayCountFromDate(const QDate& date) {
    return dayCountFromCivil(civil(date, 0));
}

double dayCountFromDateTime(const QDateTime& dateTime) {
    return dayCountFromCivil(civil(dateTime.date(), dateTime.time().msecsSinceStartOfDay()));
}

QDate dateFromDayCount(double days) {
    // The whole part is the day, whatever the time of day would round to.
    const std::optional<CivilDateTime> when = civilFromDayCount(std::trunc(days));
    return when ? QDate(when->year, when->month, when->day) : QDate();
}

QDateTime dateTimeFromDayCount(double days) {
    const std::optional<CivilDateTime> when = civilFromDayCount(days);
    if (!when) {
        return {};
    }
    return QDateTime(QDate(when->year, when->month, when->day),
                     QTime::fromMSecsSinceStartOfDay(when->msOfDay));
}

} // namespace tickwell
