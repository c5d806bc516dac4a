#include "platform/Seams.h"

#include "platform/IntervalTimer.h"

namespace tickwell {

namespace {

Seams installed;

// Manual time starts again at 0 with every change of seams, real time hands every running
// timer back to the event loop with a full interval.
void install(const Seams& seams) {
    installed = seams;
    IntervalTimer::setManualTime(seams.manualTime);
}

} // namespace

const Seams& installedSeams() {
    return installed;
}

SeamsGuard::SeamsGuard(const Seams& seams) : previous_(installed) {
    install(seams);
}

SeamsGuard::~SeamsGuard() {
    install(previous_);
}

} // namespace tickwell
