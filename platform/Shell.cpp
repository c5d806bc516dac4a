#include "platform/Shell.h"

#include "platform/Seams.h"

#include <QDesktopServices>

namespace tickwell {

namespace {

class DesktopShell final : public Shell {
public:
    bool openUrl(const QUrl& address) override { return QDesktopServices::openUrl(address); }
};

} // namespace

Shell& shell() {
    static DesktopShell real;
    Shell* installed = installedSeams().shell;
    return installed != nullptr ? *installed : real;
}

} // namespace tickwell
