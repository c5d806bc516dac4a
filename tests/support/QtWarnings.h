#pragma once

#include <QRegularExpression>
#include <QString>

namespace tickwell::test {

// Turns every qWarning and qCritical into a test failure, unless a test said it expects it.
// Installed once by the support main.
void failOnQtWarnings();
// How many unexpected warnings came so far.
int unexpectedQtWarnings();

// Within its lifetime, Qt warnings matching `pattern` are expected: they do not fail the test,
// and the test fails if none came by the end of the object's life.
class ExpectQtWarning {
public:
    explicit ExpectQtWarning(const QString& pattern);
    ~ExpectQtWarning();

    ExpectQtWarning(const ExpectQtWarning&) = delete;
    ExpectQtWarning& operator=(const ExpectQtWarning&) = delete;

    // How many matching warnings came so far.
    int seen() const;

private:
    friend class QtWarningRegistry;
    QRegularExpression pattern_;
    int seen_ = 0;
};

// Within its lifetime, Qt warnings matching `pattern` are tolerated, any number of them: for
// messages that depend on the machine (an audio back end that is not there).
class AllowQtWarnings {
public:
    explicit AllowQtWarnings(const QString& pattern);
    ~AllowQtWarnings();

    AllowQtWarnings(const AllowQtWarnings&) = delete;
    AllowQtWarnings& operator=(const AllowQtWarnings&) = delete;

private:
    friend class QtWarningRegistry;
    QRegularExpression pattern_;
};

} // namespace tickwell::test
