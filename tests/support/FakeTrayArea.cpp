#include "FakeTrayArea.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace tickwell::test {

TrayAreaIcon* FakeTrayArea::createIcon(QObject* owner) {
    auto* icon = new FakeTrayAreaIcon(owner);
    icons_.emplace_back(icon);
    return icon;
}

FakeTrayAreaIcon& FakeTrayArea::icon() const {
    if (icons_.empty() || icons_.back() == nullptr) {
        ADD_FAILURE() << "no tray icon exists";
        throw std::logic_error("no tray icon exists");
    }
    return *icons_.back();
}

} // namespace tickwell::test
