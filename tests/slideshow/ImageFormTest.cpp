// The image window as the slideshow shows it on a 1920 x 1080 screen: fitted to the screen less
// a margin and centred, with the resampling tool's pixels; files that have gone or cannot be
// decoded reported and passed over; the stored counter; closing by time and by a click.

#include "SlideshowFixture.h"
#include "images/JpegDecoder.h"
#include "platform/IntervalTimer.h"
#include "settings/Layout.h"
#include "slideshow/PictureLabel.h"
#include "slideshow/SlideshowTexts.h"
#include "widgets/AccessibleControls.h"
#include "widgets/AppTexts.h"

#include <QAccessible>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <filesystem>

namespace tickwell::test {
namespace {

namespace t = texts::slideshow;
class ImageForm : public SlideshowFixture {
protected:
    // What the image window shows, as red, green, blue bytes.
    QImage shownPixels() const {
        return imageForm().Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB888);
    }

    // What the image window paints, the same way.
    QImage paintedPixels() const {
        return imageForm().grab().toImage().convertToFormat(QImage::Format_RGB888);
    }

    // What tickwell-resample makes of the file for the 1920 x 1080 screen, the same way.
    QImage toolPicture(const QString& path) const {
        const QString out = QString::fromStdString((folder / "tool.ppm").string());
        QProcess tool;
        tool.start(QStringLiteral(TICKWELL_RESAMPLE_TOOL),
                   {path, out, QStringLiteral("--fit"), QStringLiteral("1820x980")});
        if (!tool.waitForFinished(60000) || tool.exitCode() != 0) {
            ADD_FAILURE() << "tickwell-resample: " << tool.readAllStandardError().toStdString();
        }
        return QImage(out).convertToFormat(QImage::Format_RGB888);
    }
};

ExpectedMessage imageError(const QString& text) {
    return {.text = text,
            .caption = QString::fromUtf8(texts::errorCaption),
            .icon = MessageIcon::Error,
            .buttons = MessageButtons::Ok};
}

QString notFound(const char* name) {
    return QString::fromUtf8(t::imageNotFound).arg(QLatin1String(name));
}

TEST_F(ImageForm, IsABorderlessTopMostWindowTitledImage) {
    installAccessibleControls();
    startWithPictures({writePicture("sea.jpg", 64, 48)});
    startSlideshow(2, 1);
    timeline.advance(2000);
    TImageForm& window = imageForm();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Изображение"));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.Image1->pos(), QPoint(0, 0));
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&window);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->role(), QAccessible::Window);
    EXPECT_EQ(reader->text(QAccessible::Name), QStringLiteral("Изображение"));
    EXPECT_EQ(reader->text(QAccessible::Description), QStringLiteral("sea.jpg"));
}

TEST_F(ImageForm, FitsEachPictureIntoTheScreenLessAMarginCentredOnTheDesktop) {
    const QSize cases[][2] = {
        {{800, 600}, {800, 600}},   {{3640, 1000}, {1820, 500}}, {{1000, 1960}, {500, 980}},
        {{4000, 4000}, {980, 980}}, {{1820, 700}, {1820, 700}},
    };
    QStringList paths;
    for (const auto& c : cases) {
        paths << writePicture(std::to_string(paths.size()) + ".jpg", c[0].width(), c[0].height());
    }
    startWithPictures(paths);
    startSlideshow(2, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c[0].width() << " x " << c[0].height());
        timeline.advance(2000);
        const QSize size = c[1];
        EXPECT_EQ(imageForm().geometry(),
                  QRect(QPoint((1920 - size.width()) / 2, (1080 - size.height()) / 2), size));
        EXPECT_EQ(imageForm().Image1->size(), size);
        EXPECT_EQ(imageForm().Image1->pixmap().size(), size);
    }
}

TEST_F(ImageForm, ShowsThePixelsTheResamplingToolGives) {
    const QString path = writePicture("forest.jpg", 2500, 1500);
    startWithPictures({path});
    startSlideshow(2, 0);
    timeline.advance(2000);
    EXPECT_EQ(shownPixels(), toolPicture(path));
    EXPECT_EQ(paintedPixels(), shownPixels());
}

// A phone stores a portrait lying on its side, with a tag saying which way it is turned.
TEST_F(ImageForm, APortraitFromAPhoneIsShownUprightAsTheToolTurnsIt) {
    const QString portrait = writePicture("portrait.jpg", 900, 600, Orientation::TurnedClockwise);
    startWithPictures({portrait, writePicture("landscape.jpg", 900, 600)});
    startSlideshow(2, 1);
    timeline.advance(2000);
    EXPECT_EQ(shownPicture(), QStringLiteral("portrait.jpg"));
    EXPECT_EQ(imageForm().size(), QSize(600, 900));
    EXPECT_EQ(shownPixels(), toolPicture(portrait));
    QTest::mouseClick(imageForm().Image1, Qt::LeftButton);
    EXPECT_EQ(storedInteger(layout::product::imgCounter), 1);

    timeline.advance(2000);
    EXPECT_EQ(shownPicture(), QStringLiteral("landscape.jpg"));
    EXPECT_EQ(imageForm().size(), QSize(900, 600));
}

TEST_F(ImageForm, TakesDevicePixelsWhereTheDesktopScalesTheInterface) {
    screen.setPrimaryScreenSize({960, 540});
    screen.setDesktopArea({0, 0, 960, 540});
    screen.setDevicePixelRatio(2);
    startWithPictures({writePicture("tower.jpg", 4000, 4000), writePicture("odd.jpg", 301, 201)});
    startSlideshow(2, 1);
    timeline.advance(2000);
    EXPECT_EQ(imageForm().Image1->pixmap().size(), QSize(980, 980));
    EXPECT_EQ(imageForm().Image1->pixmap().devicePixelRatio(), 2.0);
    EXPECT_EQ(imageForm().geometry(), QRect(235, 25, 490, 490));
    // An odd number of device pixels takes the next whole unit.
    timeline.advance(2000);
    EXPECT_EQ(imageForm().Image1->pixmap().size(), QSize(301, 201));
    EXPECT_EQ(imageForm().size(), QSize(151, 101));
}

TEST_F(ImageForm, ClosesAfterItsTimeOrAtAClickAndCountsThePictureAsShown) {
    startWithPictures({writePicture("a.jpg", 40, 30), writePicture("b.jpg", 40, 30),
                       writePicture("c.jpg", 40, 30)});
    startSlideshow(10, 3);
    timeline.advance(10000);
    EXPECT_EQ(shownPicture(), QStringLiteral("a.jpg"));
    timeline.advance(2999);
    EXPECT_EQ(shownPicture(), QStringLiteral("a.jpg"));
    timeline.advance(1);
    EXPECT_EQ(shownPicture(), QString());
    EXPECT_EQ(storedInteger(layout::product::imgCounter), 1);
    // Nothing of the picture stays in memory until the next one.
    EXPECT_TRUE(imageForm().Image1->pixmap().isNull());

    timeline.advance(7000);
    EXPECT_EQ(shownPicture(), QStringLiteral("b.jpg"));
    QTest::mouseClick(imageForm().Image1, Qt::LeftButton);
    EXPECT_EQ(shownPicture(), QString());
    EXPECT_EQ(storedInteger(layout::product::imgCounter), 2);
    timeline.advance(10000);
    EXPECT_EQ(shownPicture(), QStringLiteral("c.jpg"));
}

TEST_F(ImageForm, WithATimeOfZeroThePictureStaysUntilClicked) {
    startWithPictures({writePicture("a.jpg", 40, 30), writePicture("b.jpg", 40, 30)});
    startSlideshow(2, 0);
    timeline.advance(2000);
    // Later steps find it on screen: they only bring it to the top.
    timeline.advance(60000);
    EXPECT_EQ(shownPicture(), QStringLiteral("a.jpg"));
    EXPECT_EQ(storedInteger(layout::product::imgCounter), 0);
    QTest::mouseClick(imageForm().Image1, Qt::LeftButton);
    EXPECT_EQ(storedInteger(layout::product::imgCounter), 1);
    timeline.advance(2000);
    EXPECT_EQ(shownPicture(), QStringLiteral("b.jpg"));
}

TEST_F(ImageForm, AStoredCounterOutsideTheListStartsAtTheFirstPicture) {
    const QStringList paths{writePicture("a.jpg", 40, 30), writePicture("b.jpg", 40, 30)};
    const std::pair<std::int32_t, const char*> cases[] = {
        {1, "b.jpg"}, {2, "a.jpg"}, {7, "a.jpg"}, {-3, "a.jpg"}, {INT32_MIN, "a.jpg"}};
    for (const auto& [counter, shown] : cases) {
        SCOPED_TRACE(counter);
        startWithPictures(paths, counter);
        startSlideshow(2, 1);
        timeline.advance(2000);
        EXPECT_EQ(shownPicture(), QLatin1String(shown));
        timeline.advance(1000);
        EXPECT_EQ(storedInteger(layout::product::imgCounter),
                  shown == std::string("a.jpg") ? 1 : 0);
        form.reset();
    }
}

TEST_F(ImageForm, AFileThatHasGoneIsReportedOnceAndTheNextOneShown) {
    startWithPictures({writePicture("a.jpg", 40, 30), writePicture("b.jpg", 40, 30),
                       writePicture("c.jpg", 40, 30)});
    std::filesystem::remove(folder / "b.jpg");
    startSlideshow(2, 1);
    timeline.advance(2000);
    EXPECT_EQ(shownPicture(), QStringLiteral("a.jpg"));

    dialogs.expectMessage(imageError(notFound("b.jpg")));
    timeline.advance(2000);
    EXPECT_EQ(shownPicture(), QStringLiteral("c.jpg"));
    EXPECT_EQ(imageForm().ImageCounter, 2);
    EXPECT_EQ(storedInteger(layout::product::imgCounter), 2);

    timeline.advance(2000);
    EXPECT_EQ(shownPicture(), QStringLiteral("a.jpg"));
}

TEST_F(ImageForm, WhenNoFileIsLeftTheSlideshowStopsAndNoWindowStays) {
    // A path stored by the system the program came from is simply not found here.
    startWithPictures({QString::fromStdString((folder / "gone.jpg").string()),
                       QStringLiteral("C:\\Photos\\old.jpg")});
    startSlideshow(2, 1);
    dialogs.expectMessage(imageError(notFound("gone.jpg")))
        .expectMessage(imageError(QString::fromUtf8(t::noImageFound)));
    timeline.advance(2000);
    EXPECT_FALSE(form->ImagesTimer->enabled());
    EXPECT_FALSE(form->N4->isChecked());
    EXPECT_EQ(images().Button10->text(), QString::fromUtf8(texts::start));
    EXPECT_FALSE(storedBool(layout::product::imagesEnabled));
    EXPECT_TRUE(imageForm().size().isEmpty());
    timeline.advance(100);
    EXPECT_FALSE(imageForm().isVisible());
}

TEST_F(ImageForm, AFileThatCannotBeDecodedIsReportedAndPassedOver) {
    const QString damaged = writePicture("damaged.jpg", 40, 30);
    QFile::resize(damaged, 200);
    writeFile(folder / "notes.jpg", {'n', 'o', 't', 'e', 's'});
    startWithPictures({damaged, QString::fromStdString((folder / "notes.jpg").string()),
                       writePicture("c.jpg", 40, 30)});
    startSlideshow(2, 1);
    for (const char* name : {"damaged.jpg", "notes.jpg"}) {
        SCOPED_TRACE(name);
        std::string reason;
        try {
            decodeJpegFile((folder / name).string());
        } catch (const JpegError& error) {
            reason = error.what();
        }
        ASSERT_FALSE(reason.empty());
        dialogs.expectError(QString::fromUtf8(t::imageNotShown)
                                .arg(QLatin1String(name), QString::fromStdString(reason)));
        timeline.advance(2000);
        timeline.advance(100);
        EXPECT_FALSE(imageForm().isVisible());
    }
    EXPECT_EQ(storedInteger(layout::product::imgCounter), 2);
    timeline.advance(2000);
    EXPECT_EQ(shownPicture(), QStringLiteral("c.jpg"));
}

} // namespace
} // namespace tickwell::test
