#include "widgets/TabPage.h"

#include "widgets/FormDesign.h"

namespace tickwell {

TabPage::TabPage(const char* name, const char* caption) : caption_(QString::fromUtf8(caption)) {
    setObjectName(QLatin1String(name));
    resize(design::tabPageSize);
}

void TabPage::FormResize(int /*windowWidth*/) {}

void TabPage::refreshDetails() {}

} // namespace tickwell
