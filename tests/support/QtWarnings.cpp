#include "QtWarnings.h"

#include <QtGlobal>
#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

namespace tickwell::test {

// The expectations in force; Qt may warn from its own threads, hence the lock.
class QtWarningRegistry {
public:
    static QtWarningRegistry& instance() {
        static QtWarningRegistry registry;
        return registry;
    }

    void add(ExpectQtWarning* expectation) {
        const std::lock_guard lock(mutex_);
        expected_.push_back(expectation);
    }
    void remove(ExpectQtWarning* expectation) {
        const std::lock_guard lock(mutex_);
        std::erase(expected_, expectation);
    }
    void add(AllowQtWarnings* allowance) {
        const std::lock_guard lock(mutex_);
        allowed_.push_back(allowance);
    }
    void remove(AllowQtWarnings* allowance) {
        const std::lock_guard lock(mutex_);
        std::erase(allowed_, allowance);
    }
    int seen(const ExpectQtWarning* expectation) {
        const std::lock_guard lock(mutex_);
        return expectation->seen_;
    }

    // Whether an expectation or allowance takes the message; counts it if so.
    bool takes(const QString& message) {
        const std::lock_guard lock(mutex_);
        for (ExpectQtWarning* expectation : expected_) {
            if (expectation->pattern_.match(message).hasMatch()) {
                ++expectation->seen_;
                return true;
            }
        }
        return std::any_of(allowed_.begin(), allowed_.end(), [&](AllowQtWarnings* allowance) {
            return allowance->pattern_.match(message).hasMatch();
        });
    }

private:
    std::mutex mutex_;
    std::vector<ExpectQtWarning*> expected_;
    std::vector<AllowQtWarnings*> allowed_;
};

namespace {

QtMessageHandler previousHandler = nullptr;
std::atomic<int> unexpectedCount{0};

void handleQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool warning = type == QtWarningMsg || type == QtCriticalMsg;
    if (warning && QtWarningRegistry::instance().takes(message)) {
        return;
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    }
    if (warning) {
        ++unexpectedCount;
        ADD_FAILURE() << "Unexpected Qt " << (type == QtWarningMsg ? "warning" : "critical") << ": "
                      << message.toStdString();
    }
}

} // namespace

void failOnQtWarnings() {
    previousHandler = qInstallMessageHandler(handleQtMessage);
}

int unexpectedQtWarnings() {
    return unexpectedCount;
}

ExpectQtWarning::ExpectQtWarning(const QString& pattern) : pattern_(pattern) {
    QtWarningRegistry::instance().add(this);
}

ExpectQtWarning::~ExpectQtWarning() {
    QtWarningRegistry::instance().remove(this);
    if (seen_ == 0) {
        ADD_FAILURE() << "Expected a Qt warning matching \"" << pattern_.pattern().toStdString()
                      << "\", none came";
    }
}

int ExpectQtWarning::seen() const {
    return QtWarningRegistry::instance().seen(this);
}

AllowQtWarnings::AllowQtWarnings(const QString& pattern) : pattern_(pattern) {
    QtWarningRegistry::instance().add(this);
}

AllowQtWarnings::~AllowQtWarnings() {
    QtWarningRegistry::instance().remove(this);
}

} // namespace tickwell::test
