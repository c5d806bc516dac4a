#include "settings/DayCount.h"

#include <chrono>
#include <cmath>

namespace tickwell {

namespace {

using namespace std::chrono;

constexpr long long msPerDay = 24LL * 60 * 60 * 1000;
constexpr sys_days epoch = sys_days{year{1899} / December / 30};

long long daysSinceEpoch(int y, int m, int d) {
    return (sys_days{year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)}} -
            epoch)
        .count();
}

// The whole day of a count, when it is a finite number within the years 1 to 9999.
std::optional<long long> wholeDay(double days) {
    static const double first = static_cast<double>(daysSinceEpoch(1, 1, 1));
    static const double last = static_cast<double>(daysSinceEpoch(9999, 12, 31));
    if (!std::isfinite(days)) {
        return std::nullopt;
    }
    const double whole = std::trunc(days);
    if (whole < first || whole > last) {
        return std::nullopt;
    }
    return static_cast<long long>(whole);
}

CivilDateTime civilOfDay(long long day, int msOfDay) {
    const year_month_day ymd{epoch + sys_days::duration{day}};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())), msOfDay};
}

} // namespace

double dayCountFromCivil(const CivilDateTime& when) {
    const auto day = static_cast<double>(daysSinceEpoch(when.year, when.month, when.day));
    const double fraction = static_cast<double>(when.msOfDay) / static_cast<double>(msPerDay);
    // Before the epoch the whole part counts back while the time of day still counts forward.
    return day < 0 ? day - fraction : day + fraction;
}

std::optional<CivilDateTime> civilFromDayCount(double days) {
    const std::optional<long long> day = wholeDay(days);
    if (!day) {
        return std::nullopt;
    }
    const double fraction = std::fabs(days - std::trunc(days));
    const long long ms = std::llround(fraction * static_cast<double>(msPerDay));
    if (ms >= msPerDay) {
        // Rounded up to the next midnight.
        return civilOfDay(*day + 1, 0);
    }
    return civilOfDay(*day, static_cast<int>(ms));
}

} // namespace tickwell
