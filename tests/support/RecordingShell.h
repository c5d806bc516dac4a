#pragma once

#include "platform/Shell.h"

#include <QList>

namespace tickwell::test {

// A shell that opens nothing and records every address it was asked to open.
class RecordingShell final : public Shell {
public:
    RecordingShell() = default;

    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    bool openUrl(const QUrl& address) override {
        opened_.append(address);
        return succeeds_;
    }

    const QList<QUrl>& opened() const { return opened_; }
    // What openUrl reports from now on (true at first).
    void setSucceeds(bool succeeds) { succeeds_ = succeeds; }

private:
    QList<QUrl> opened_;
    bool succeeds_ = true;
};

} // namespace tickwell::test
