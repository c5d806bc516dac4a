#pragma once

#include <functional>

class QAction;

namespace tickwell {

class IntervalTimer;

// Runs `handler`, the start/stop switch of what `timer` runs, whose state the tray item `mark`
// shows with its check mark. The tray item inverts its mark before its click arrives, and a
// store error can end the switch halfway: whatever ends the handler, the mark afterwards shows
// whether the timer runs. The error itself goes on to the handler guard.
void switchKeepingTrayMark(QAction& mark, const IntervalTimer& timer,
                           const std::function<void()>& handler);

} // namespace tickwell
