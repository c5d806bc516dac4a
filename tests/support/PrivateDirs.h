#pragma once

#include <QString>

namespace tickwell::test {

// A throw-away home for one test process: HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME
// and XDG_RUNTIME_DIR point into a fresh folder (mode 700) for as long as this object lives,
// so that no test reads or writes the settings of the person running it. The folder is removed
// at the end unless TICKWELL_KEEP_TEST_DIRS is set.
class PrivateDirs {
public:
    PrivateDirs();
    ~PrivateDirs();

    PrivateDirs(const PrivateDirs&) = delete;
    PrivateDirs& operator=(const PrivateDirs&) = delete;

    QString root() const { return root_; }

private:
    QString root_;
};

} // namespace tickwell::test
