#include "QtPrinters.h"
#include "TestSeams.h"
#include "platform/NotificationSound.h"
#include "platform/ScreenInfo.h"
#include "platform/Seams.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QSoundEffect>
#include <gtest/gtest.h>

using namespace tickwell;

namespace {

TEST(NotificationSound, RealSoundLoadsTheEmbeddedWaveAndPlaysWithoutAnAudioDevice) {
    const SeamsGuard real(Seams{});
    for (int i = 0; i < 3; ++i) {
        notificationSound().play(); // each one replaces the one before
    }
    auto* effect = qApp->findChild<QSoundEffect*>(QStringLiteral("notificationSound"));
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->source(), QUrl(QStringLiteral("qrc:/tickwell/SOUND")));
    // Loading runs on its own; wait for its end, not for a time.
    if (effect->status() == QSoundEffect::Loading) {
        QSignalSpy statusChanged(effect, &QSoundEffect::statusChanged);
        statusChanged.wait(10000);
    }
    EXPECT_EQ(effect->status(), QSoundEffect::Ready);
}

TEST(ScreenInfo, RealScreenIsTheApplicationsPrimaryScreen) {
    const SeamsGuard real(Seams{});
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(screenInfo().workArea(), primary->availableGeometry());
    EXPECT_EQ(screenInfo().primaryScreenSize(), primary->geometry().size());
    EXPECT_TRUE(screenInfo().desktopArea().contains(primary->geometry()));
}

TEST(ScreenInfo, FakeScreenIsWhatTheProgramSeesWhileItsSeamsLive) {
    const SeamsGuard realSeams(Seams{});
    const QRect real = screenInfo().workArea();
    {
        test::TestSeams seams;
        test::FakeScreen& screen = seams.screen;
        screen.setWorkArea({0, 0, 1024, 738});
        screen.setPrimaryScreenSize({1024, 768});
        screen.setDesktopArea({0, 0, 2304, 1024});
        EXPECT_EQ(screenInfo().workArea(), QRect(0, 0, 1024, 738));
        EXPECT_EQ(screenInfo().primaryScreenSize(), QSize(1024, 768));
        EXPECT_EQ(screenInfo().desktopArea(), QRect(0, 0, 2304, 1024));
    }
    EXPECT_EQ(screenInfo().workArea(), real);
}

} // namespace
