#include "FadeMethod.h"

#include "X11Display.h"

#include <QGuiApplication>
#include <QString>

namespace tickwell {

namespace {
std::optional<FadeMethod> chosenForTest;
} // namespace

FadeMethod fadeMethodFor(const QString& platformName, std::optional<bool> compositingManager) {
    if (platformName == QLatin1String("xcb") && compositingManager == false) {
        return FadeMethod::Painted;
    }
    return FadeMethod::WindowOpacity;
}

FadeMethod currentFadeMethod() {
    if (chosenForTest) {
        return *chosenForTest;
    }
    return fadeMethodFor(QGuiApplication::platformName(), x11CompositingManagerRunning());
}

void setFadeMethodForTest(std::optional<FadeMethod> method) {
    chosenForTest = method;
}

} // namespace tickwell
