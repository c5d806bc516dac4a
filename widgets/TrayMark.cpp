#include "widgets/TrayMark.h"

#include "platform/IntervalTimer.h"

#include <QAction>

namespace tickwell {

void switchKeepingTrayMark(QAction& mark, const IntervalTimer& timer,
                           const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        mark.setChecked(timer.enabled());
        throw;
    }
}

} // namespace tickwell
