// The main of every Qt-based test executable: a private home and runtime folder, the offscreen
// platform, one QApplication for all cases, Qt's Russian button texts as in the program, seams
// that fail a test reaching the outside world unprepared, and unexpected Qt warnings failing the
// test.
#include "PrivateDirs.h"
#include "QtWarnings.h"
#include "TestSeams.h"
#include "platform/Translations.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const tickwell::test::PrivateDirs dirs;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    tickwell::test::failOnQtWarnings();
    // The offscreen platform says so of every dialog with a fixed size, every window raised or
    // made translucent and every popup menu that takes the keyboard; it is no fault.
    const tickwell::test::AllowQtWarnings offscreenNoise(
        QStringLiteral("^This plugin does not support (propagateSizeHints\\(\\)|raise\\(\\)|"
                       "setting window opacity|grabbing the keyboard)$"));
    // Test machines have no sound card: the audio back end says so when the sound is first played.
    const tickwell::test::AllowQtWarnings noAudioDevice(
        QStringLiteral("^(PulseAudioService: pa_context_connect\\(\\) failed|"
                       "No audio device detected)$"));
    auto app = std::make_unique<QApplication>(argc, argv);
    tickwell::installRussianQtTranslations(*app);
    int result = 0;
    {
        // A test that reaches the outside world without a fake of its own fails.
        const tickwell::test::StrictSeams strict;
        result = RUN_ALL_TESTS();
    }
    // What Qt says while the application object goes counts as well.
    const int before = tickwell::test::unexpectedQtWarnings();
    app.reset();
    if (tickwell::test::unexpectedQtWarnings() != before) {
        result = 1;
    }
    return result;
}
