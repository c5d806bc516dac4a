#include "CountingSound.h"
#include "FakeScreen.h"
#include "NotificationSound.h"
#include "QtPrinters.h"
#include "RecordingShell.h"
#include "ScreenInfo.h"
#include "Shell.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

using namespace tickwell;

namespace {

TEST(NotificationSound, RealSoundReturnsAtOnceEvenWithoutAnAudioDevice) {
    QElapsedTimer elapsed;
    elapsed.start();
    for (int i = 0; i < 5; ++i) {
        notificationSound().play(); // each one replaces the one before
    }
    EXPECT_LT(elapsed.elapsed(), 2000) << "playing must not wait for the sound";
}

TEST(NotificationSound, CountingSoundStandsInForTheRealOne) {
    test::CountingSound counting;
    notificationSound().play();
    notificationSound().play();
    EXPECT_EQ(counting.plays(), 2);
}

TEST(ScreenInfo, RealScreenIsTheApplicationsPrimaryScreen) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(screenInfo().workArea(), primary->availableGeometry());
    EXPECT_EQ(screenInfo().primaryScreenSize(), primary->geometry().size());
    EXPECT_TRUE(screenInfo().desktopArea().contains(primary->geometry()));
}

TEST(ScreenInfo, FakeScreenIsWhatTheProgramSeesWhileItLives) {
    const QRect real = screenInfo().workArea();
    {
        test::FakeScreen screen;
        screen.setWorkArea({0, 0, 1024, 738});
        screen.setPrimaryScreenSize({1024, 768});
        screen.setDesktopArea({0, 0, 2304, 1024});
        EXPECT_EQ(screenInfo().workArea(), QRect(0, 0, 1024, 738));
        EXPECT_EQ(screenInfo().primaryScreenSize(), QSize(1024, 768));
        EXPECT_EQ(screenInfo().desktopArea(), QRect(0, 0, 2304, 1024));
    }
    EXPECT_EQ(screenInfo().workArea(), real);
}

TEST(Shell, RecordingShellKeepsEveryAddressAndOpensNothing) {
    test::RecordingShell recording;
    EXPECT_TRUE(shell().openUrl(QUrl("https://example.org/tickwell")));
    recording.setSucceeds(false);
    EXPECT_FALSE(shell().openUrl(QUrl("https://example.org/other")));
    ASSERT_EQ(recording.opened().size(), 2);
    EXPECT_EQ(recording.opened()[0], QUrl("https://example.org/tickwell"));
}

} // namespace
