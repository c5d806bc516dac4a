#pragma once

#include "platform/Clock.h"

#include <utility>

namespace tickwell::test {

// A clock that stands still until the test sets or moves it.
class TestClock final : public Clock {
public:
    // Starts at `start` (local time).
    explicit TestClock(QDateTime start = QDateTime(QDate(2024, 3, 15), QTime(9, 0)))
        : now_(std::move(start)) {}

    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

    QDateTime currentDateTime() const override { return now_; }

    void set(const QDateTime& dateTime) { now_ = dateTime; }
    // Another day, same time of day.
    void setDate(const QDate& date) { now_.setDate(date); }
    void advance(qint64 ms) { now_ = now_.addMSecs(ms); }

private:
    QDateTime now_;
};

} // namespace tickwell::test
