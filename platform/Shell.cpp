#include "Shell.h"

#include <QDesktopServices>

namespace tickwell {

namespace {

class DesktopShell final : public Shell {
public:
    bool openUrl(const QUrl& address) override { return QDesktopServices::openUrl(address); }
};

Shell* installed = nullptr;

} // namespace

Shell& shell() {
    static DesktopShell real;
    return installed != nullptr ? *installed : real;
}

void setShell(Shell* replacement) {
    installed = replacement;
}

} // namespace tickwell
