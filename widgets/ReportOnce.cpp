#include "widgets/ReportOnce.h"

#include "widgets/ErrorGuard.h"

#include <exception>

namespace tickwell {

void ReportOnce::run(QWidget* owner, const std::function<void()>& pass) {
    try {
        pass();
    } catch (const std::exception& error) {
        const QString text = errorText(error);
        if (text == lastReported_) {
            return;
        }
        // Remembered before the box opens: the timer goes on firing while it waits.
        lastReported_ = text;
        reportError(owner, text);
        return;
    }
    lastReported_.reset();
}

} // namespace tickwell
