#pragma once

#include <QtGlobal>

namespace tickwell::test {

class TestClock;

// Time under the test's control, while the seams have manual time on (TestSeams.h): advance()
// moves time forward and fires every running timer that falls due on the way, in order of due
// time, delivering after each firing the events its handler posted (as returning to the event
// loop would). A TestClock given to it moves along by the same amounts.
class TestTimeline {
public:
    explicit TestTimeline(TestClock* clock = nullptr);

    TestTimeline(const TestTimeline&) = delete;
    TestTimeline& operator=(const TestTimeline&) = delete;

    // Moves time forward by `ms`; returns how many firings there were.
    int advance(qint64 ms);
    // Milliseconds since the timeline began.
    qint64 now() const;

private:
    TestClock* clock_;
};

// Delivers the events posted so far, deferred deletions included, as the event loop would
// between two handlers.
void deliverPostedEvents();

} // namespace tickwell::test
