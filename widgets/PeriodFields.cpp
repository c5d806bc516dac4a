#include "widgets/PeriodFields.h"

#include "widgets/UpDown.h"

#include <cstdint>

namespace tickwell {

namespace {
// Whole units of `size` in `value`, rounded down also for negative values.
std::int64_t floorDiv(std::int64_t value, std::int64_t size) {
    const std::int64_t quotient = value / size;
    return (value % size != 0 && value < 0) ? quotient - 1 : quotient;
}

int clampToInt(std::int64_t value) {
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int>(value);
}
} // namespace

int periodSeconds(const UpDown& hours, const UpDown& minutes, const UpDown& secondsField) {
    return hours.position() * 3600 + minutes.position() * 60 + secondsField.position();
}

void showPeriod(int seconds, UpDown& hours, UpDown& minutes, UpDown& secondsField) {
    const std::int64_t total = seconds;
    hours.setPosition(clampToInt(floorDiv(total, 3600)));
    const std::int64_t afterHours = total - std::int64_t{hours.position()} * 3600;
    minutes.setPosition(clampToInt(floorDiv(afterHours, 60)));
    secondsField.setPosition(clampToInt(afterHours - std::int64_t{minutes.position()} * 60));
}

} // namespace tickwell
