#include "TestSeams.h"

#include <gtest/gtest.h>

namespace tickwell::test {

namespace {

Seams allOf(TestSeams& s) {
    return {.dialogs = &s.dialogs,
            .clock = &s.clock,
            .trayArea = &s.trayArea,
            .screen = &s.screen,
            .shell = &s.shell,
            .sound = &s.sound,
            .windowSystem = &s.windowSystem,
            .manualTime = true};
}

void unset(const char* seam) {
    ADD_FAILURE() << "The test reached " << seam << " without putting a fake in its place";
}

class StrictClock final : public Clock {
public:
    QDateTime currentDateTime() const override {
        unset("the clock");
        return QDateTime(QDate(2000, 1, 1), QTime(0, 0));
    }
};

class StrictTrayArea final : public TrayArea {
public:
    bool isAvailable() const override {
        unset("the notification area");
        return false;
    }
    TrayAreaIcon* createIcon(QObject* owner) override {
        unset("the notification area");
        return icons_.createIcon(owner);
    }

private:
    FakeTrayArea icons_;
};

class StrictScreen final : public ScreenInfo {
public:
    QRect workArea() const override { return failed(); }
    QSize primaryScreenSize() const override { return failed().size(); }
    QRect desktopArea() const override { return failed(); }
    qreal devicePixelRatio() const override {
        failed();
        return 1.0;
    }

private:
    static QRect failed() {
        unset("the screen");
        return {0, 0, 1280, 800};
    }
};

class StrictShell final : public Shell {
public:
    bool openUrl(const QUrl& /*address*/) override {
        unset("the shell");
        return false;
    }
};

class StrictSound final : public NotificationSound {
public:
    void play() override { unset("the sound"); }
};

class StrictWindowSystem final : public WindowSystem {
public:
    std::optional<bool> showsWindowOpacity() const override {
        unset("the window system");
        return std::nullopt;
    }
    std::optional<QMargins> frameExtents(const QWidget& /*window*/) const override {
        unset("the window system");
        return std::nullopt;
    }
    void flushRequests() override { unset("the window system"); }
    ScreenPicture grabScreen(const QRect& /*area*/) const override {
        unset("the window system");
        return {};
    }
};

} // namespace

TestSeams::TestSeams() : guard_(allOf(*this)) {}

struct StrictSeams::Fakes {
    // An empty script: every dialog fails the test.
    ScriptedDialogs dialogs;
    StrictClock clock;
    StrictTrayArea trayArea;
    StrictScreen screen;
    StrictShell shell;
    StrictSound sound;
    StrictWindowSystem windowSystem;
};

StrictSeams::StrictSeams() : fakes_(std::make_unique<Fakes>()) {
    guard_ = std::make_unique<SeamsGuard>(Seams{.dialogs = &fakes_->dialogs,
                                                .clock = &fakes_->clock,
                                                .trayArea = &fakes_->trayArea,
                                                .screen = &fakes_->screen,
                                                .shell = &fakes_->shell,
                                                .sound = &fakes_->sound,
                                                .windowSystem = &fakes_->windowSystem,
                                                .manualTime = true});
}

StrictSeams::~StrictSeams() {
    guard_.reset(); // the seams go before the fakes they name
}

} // namespace tickwell::test
