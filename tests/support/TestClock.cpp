#include "TestClock.h"

namespace tickwell::test {

TestClock::TestClock(QDateTime start) : now_(std::move(start)) {
    setClock(this);
}

TestClock::~TestClock() {
    setClock(nullptr);
}

} // namespace tickwell::test
