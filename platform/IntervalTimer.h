#pragma once

#include <QObject>
#include <QString>

class QTimer;

namespace tickwell {

// A named interval timer as the program's forms use it. It runs only while it is enabled and its
// interval is above 0, so an interval of 0 never fires. Enabling it, or changing its interval
// while it is enabled, starts a full interval afresh; setting a property to the value it already
// has changes nothing. Its owner (QObject parent) finds it again by its name (objectName).
//
// Time comes from the event loop, or, for tests, from a manual timeline: while manual time is on,
// no timer fires by itself and a test moves time forward, firing every timer that falls due.
class IntervalTimer : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled)
    Q_PROPERTY(int interval READ interval WRITE setInterval)

public:
    // A timer owned by `owner` and named `name`, with the given interval (ms) and state.
    explicit IntervalTimer(QObject* owner, const QString& name = {}, int intervalMs = 0,
                           bool enabled = false);
    ~IntervalTimer() override;

    IntervalTimer(const IntervalTimer&) = delete;
    IntervalTimer& operator=(const IntervalTimer&) = delete;

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // Interval in milliseconds; 0 or less means the timer never fires.
    int interval() const { return interval_; }
    void setInterval(int intervalMs);

    // True while the timer counts towards a firing: enabled with an interval above 0.
    bool isRunning() const { return enabled_ && interval_ > 0; }

    // Fires as if its interval had just passed, if it is running: a full interval starts afresh
    // and timeout() is emitted. Returns whether it fired.
    bool fireForTest();

    // --- Manual time, for tests (tests/support/TestTimeline drives it) -----------------------
    // Turns manual time on or off for every timer in the process. Turning it on starts manual
    // time at 0 and counts every running timer's interval afresh from there; turning it off
    // hands the running timers back to the event loop, each with a full interval.
    static void setManualTime(bool on);
    static bool manualTime();
    // The manual time, in milliseconds since manual time was turned on.
    static qint64 manualNow();
    // The running timer that falls due first at or before `limitMs` of manual time (ties go to
    // the one started earlier), or nullptr.
    static IntervalTimer* nextDue(qint64 limitMs);
    // Moves manual time forward to `ms` (never backwards) without firing anything.
    static void moveManualTimeTo(qint64 ms);
    // Manual time at which this timer fires next; meaningful while it runs under manual time.
    qint64 dueAt() const { return dueAt_; }
    // Moves manual time to this timer's due time, schedules its next firing a full interval
    // later and emits timeout(). Only for a running timer under manual time.
    void fireDue();

signals:
    // The interval has passed.
    void timeout();

private:
    void restart();
    void stop();
    void emitTimeout();

    bool enabled_ = false;
    int interval_ = 0;
    QTimer* timer_ = nullptr;
    qint64 dueAt_ = 0;
    quint64 armedOrder_ = 0;
    IntervalTimer* nextLive_ = nullptr;
    IntervalTimer* previousLive_ = nullptr;
};

} // namespace tickwell
