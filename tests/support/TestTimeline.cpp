#include "TestTimeline.h"

#include "TestClock.h"
#include "platform/IntervalTimer.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

namespace tickwell::test {

TestTimeline::TestTimeline(TestClock* clock) : clock_(clock) {}

int TestTimeline::advance(qint64 ms) {
    if (!IntervalTimer::manualTime()) {
        ADD_FAILURE() << "A test timeline moves time only while the seams have manual time on";
        return 0;
    }
    const qint64 end = IntervalTimer::manualNow() + ms;
    int firings = 0;
    while (IntervalTimer* timer = IntervalTimer::nextDue(end)) {
        if (clock_ != nullptr) {
            clock_->advance(timer->dueAt() - IntervalTimer::manualNow());
        }
        timer->fireDue();
        ++firings;
        deliverPostedEvents();
    }
    if (clock_ != nullptr) {
        clock_->advance(end - IntervalTimer::manualNow());
    }
    IntervalTimer::moveManualTimeTo(end);
    return firings;
}

qint64 TestTimeline::now() const {
    return IntervalTimer::manualNow();
}

void deliverPostedEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace tickwell::test
