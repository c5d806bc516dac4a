#include "platform/ScreenInfo.h"

#include "platform/Seams.h"

#include <QGuiApplication>
#include <QScreen>

namespace tickwell {

namespace {

class QtScreen final : public ScreenInfo {
public:
    QRect workArea() const override {
        const QScreen* screen = primary();
        return screen != nullptr ? screen->availableGeometry() : QRect();
    }
    QSize primaryScreenSize() const override {
        const QScreen* screen = primary();
        return screen != nullptr ? screen->geometry().size() : QSize();
    }
    qreal devicePixelRatio() const override {
        const QScreen* screen = primary();
        return screen != nullptr ? screen->devicePixelRatio() : 1.0;
    }
    QRect desktopArea() const override {
        const QScreen* screen = primary();
        return screen != nullptr ? screen->virtualGeometry() : QRect();
    }

private:
    static QScreen* primary() {
        return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                   ? QGuiApplication::primaryScreen()
                   : nullptr;
    }
};

} // namespace

ScreenInfo& screenInfo() {
    static QtScreen real;
    ScreenInfo* installed = installedSeams().screen;
    return installed != nullptr ? *installed : real;
}

} // namespace tickwell
