#include "Clock.h"

#include "DayCount.h"

namespace tickwell {

namespace {

class SystemClock final : public Clock {
public:
    QDateTime currentDateTime() const override { return QDateTime::currentDateTime(); }
};

Clock* installed = nullptr;

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
    return installed != nullptr ? *installed : system;
}

void setClock(Clock* replacement) {
    installed = replacement;
}

} // namespace tickwell
