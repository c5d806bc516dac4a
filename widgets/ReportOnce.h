#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace tickwell {

// The failures of a pass that a timer repeats while the damage behind them lasts: a failure is
// reported once, in the error box of the handler guard; the same failure again is passed over
// silently until a pass has succeeded or the failure's text has changed. Without this a pass
// every few seconds would stack one modal box on the other for as long as nobody answers them.
class ReportOnce {
public:
    // Runs `pass`. A store or list error it raises ends it there and is reported with `owner` as
    // the error box's owner unless it was reported last; a pass that ends normally forgets it.
    void run(QWidget* owner, const std::function<void()>& pass);

private:
    std::optional<QString> lastReported_;
};

} // namespace tickwell
