#include "platform/IntervalTimer.h"

#include <QTimer>

namespace tickwell {

namespace {

// Every living timer, so that manual time can find the ones that fall due.
IntervalTimer* firstLive = nullptr;
bool manualTimeOn = false;
qint64 manualNowMs = 0;
// Counts startings, so that timers due at the same moment fire in the order they were started.
quint64 armCounter = 0;

} // namespace

IntervalTimer::IntervalTimer(QObject* owner, const QString& name, int intervalMs, bool enabled)
    : QObject(owner), enabled_(enabled), interval_(intervalMs) {
    setObjectName(name);
    nextLive_ = firstLive;
    if (firstLive != nullptr) {
        firstLive->previousLive_ = this;
    }
    firstLive = this;
    restart();
}

IntervalTimer::~IntervalTimer() {
    if (previousLive_ != nullptr) {
        previousLive_->nextLive_ = nextLive_;
    } else {
        firstLive = nextLive_;
    }
    if (nextLive_ != nullptr) {
        nextLive_->previousLive_ = previousLive_;
    }
}

void IntervalTimer::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    restart();
}

void IntervalTimer::setInterval(int intervalMs) {
    if (intervalMs == interval_) {
        return;
    }
    interval_ = intervalMs;
    restart();
}

bool IntervalTimer::fireForTest() {
    if (!isRunning()) {
        return false;
    }
    restart();
    emitTimeout();
    return true;
}

// Starts a full interval from now if the timer runs, else stops it.
void IntervalTimer::restart() {
    if (!isRunning()) {
        stop();
        return;
    }
    armedOrder_ = ++armCounter;
    if (manualTimeOn) {
        if (timer_ != nullptr) {
            timer_->stop();
        }
        dueAt_ = manualNowMs + interval_;
        return;
    }
    if (timer_ == nullptr) {
        timer_ = new QTimer(this);
        // Reminders run for hours; a coarse timer could be minutes late on such intervals.
        timer_->setTimerType(Qt::PreciseTimer);
        connect(timer_, &QTimer::timeout, this, &IntervalTimer::emitTimeout);
    }
    timer_->start(interval_);
}

void IntervalTimer::stop() {
    if (timer_ != nullptr) {
        timer_->stop();
    }
}

void IntervalTimer::emitTimeout() {
    emit timeout();
}

void IntervalTimer::setManualTime(bool on) {
    manualTimeOn = on;
    manualNowMs = 0;
    for (IntervalTimer* timer = firstLive; timer != nullptr; timer = timer->nextLive_) {
        timer->restart();
    }
}

bool IntervalTimer::manualTime() {
    return manualTimeOn;
}

qint64 IntervalTimer::manualNow() {
    return manualNowMs;
}

IntervalTimer* IntervalTimer::nextDue(qint64 limitMs) {
    if (!manualTimeOn) {
        return nullptr;
    }
    IntervalTimer* best = nullptr;
    for (IntervalTimer* timer = firstLive; timer != nullptr; timer = timer->nextLive_) {
        if (!timer->isRunning() || timer->dueAt_ > limitMs) {
            continue;
        }
        if (best == nullptr || timer->dueAt_ < best->dueAt_ ||
            (timer->dueAt_ == best->dueAt_ && timer->armedOrder_ < best->armedOrder_)) {
            best = timer;
        }
    }
    return best;
}

void IntervalTimer::moveManualTimeTo(qint64 ms) {
    if (ms > manualNowMs) {
        manualNowMs = ms;
    }
}

void IntervalTimer::fireDue() {
    if (!manualTimeOn || !isRunning()) {
        return;
    }
    moveManualTimeTo(dueAt_);
    armedOrder_ = ++armCounter;
    dueAt_ = manualNowMs + interval_;
    emitTimeout();
}

} // namespace tickwell
