#pragma once

#include <QUrl>

namespace tickwell {

// The desktop shell: opens web addresses in the user's default browser.
class Shell {
public:
    virtual ~Shell() = default;

    // Opens `address`; false when no program could be started for it.
    virtual bool openUrl(const QUrl& address) = 0;
};

// The shell the program uses: the desktop's unless a test installed another (Seams.h).
Shell& shell();

} // namespace tickwell
