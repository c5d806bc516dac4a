// The Images tab as a person uses it: pictures added through the file dialog and deleted, the
// full path on the list, the start/stop switch with its refusals from the tab and from the tray,
// the slideshow timer's step, and the slideshow resumed after a restart.

#include "SlideshowFixture.h"
#include "platform/IntervalTimer.h"
#include "settings/Layout.h"
#include "slideshow/SlideshowTexts.h"
#include "widgets/AppTexts.h"
#include "widgets/ListBox.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace tickwell::test {
namespace {

namespace t = texts::slideshow;
using SlideshowList = SlideshowFixture;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The refusal `message` of the start/stop switch, owned by the main window.
ExpectedMessage refusal(const char* message, const QWidget* owner) {
    return {.text = text(message),
            .caption = text(texts::errorCaption),
            .icon = MessageIcon::Warning,
            .buttons = MessageButtons::Ok,
            .owner = owner};
}

TEST_F(SlideshowList, AddsEveryFileOfADialogAndTheSameFileAgainEachShownInTurn) {
    const QString sea = writePicture("sea.jpg", 40, 30);
    const QString camera = writePicture("IMG_0001.JPG", 30, 40);
    startWithPictures({});
    dialogs.expectFileDialog({sea, camera}, text(t::imageFileFilter))
        .expectFileDialog({sea})
        .expectFileDialog({}); // cancelled: adds nothing
    for (int click = 0; click < 3; ++click) {
        images().Button8->click();
    }

    EXPECT_EQ(images().ListBox3->items(), (QStringList{"sea.jpg", "IMG_0001.JPG", "sea.jpg"}));
    EXPECT_EQ(images().ImagePaths, (QStringList{sea, camera, sea}));
    EXPECT_EQ(storedString(layout::product::imagesList),
              (sea + "\r\n" + camera + "\r\n" + sea + "\r\n").toStdString());

    startSlideshow(2, 1);
    QStringList shown;
    QList<int> counters;
    for (int i = 0; i < 4; ++i) {
        timeline.advance(2000);
        shown << shownPicture();
        counters << imageForm().ImageCounter;
    }
    EXPECT_EQ(shown, (QStringList{"sea.jpg", "IMG_0001.JPG", "sea.jpg", "sea.jpg"}));
    EXPECT_EQ(counters, (QList<int>{0, 1, 2, 0}));
}

// After a deletion nothing is selected: a second "Удалить" needs a fresh choice.
TEST_F(SlideshowList, TheClickedEntryShowsItsFullPathUntilItIsDeleted) {
    startWithPictures({QStringLiteral("/photos/a.jpg"), QStringLiteral("C:\\Фото\\b.jpg"),
                       QStringLiteral("/photos/c.jpg")});
    clickRow(1);
    EXPECT_EQ(images().ListBox3->toolTip(), QStringLiteral("C:\\Фото\\b.jpg"));

    for (int click = 0; click < 2; ++click) {
        images().Button9->click();
        EXPECT_EQ(images().ListBox3->itemIndex(), -1);
        EXPECT_EQ(images().ListBox3->toolTip(), QString());
        EXPECT_EQ(images().ListBox3->items(), (QStringList{"a.jpg", "c.jpg"}));
        EXPECT_EQ(storedString(layout::product::imagesList), "/photos/a.jpg\r\n/photos/c.jpg\r\n");
    }
}

// Names of this system keep their ":" and "\" in the list, after a restart, and in what the
// image window tells a screen reader; the stored paths are the chosen ones.
TEST_F(SlideshowList, NamesWithColonsAndBackslashesAreShownWhole) {
    const QStringList names{"фото: отпуск.jpg", "x\\y.jpg", "a:x.jpg", "b:x.jpg"};
    QStringList paths;
    for (const QString& name : names) {
        paths << writePicture(name.toStdString(), 40, 30);
    }
    startWithPictures({});
    dialogs.expectFileDialog(paths);
    images().Button8->click();
    EXPECT_EQ(images().ListBox3->items(), names);
    EXPECT_EQ(storedString(layout::product::imagesList),
              (paths.join("\r\n") + "\r\n").toStdString());

    form.reset();
    startForm();
    EXPECT_EQ(images().ListBox3->items(), names);
    startSlideshow(2, 1);
    QStringList shown;
    for (int step = 0; step < names.size(); ++step) {
        timeline.advance(2000);
        shown << shownPicture();
    }
    EXPECT_EQ(shown, names);
}

// The dialog offers only JPEG names, but a name typed into it may be any file: the list takes
// the JPEG files and names the others, as it does a path it cannot keep on one line.
TEST_F(SlideshowList, ChosenFilesTheListDoesNotTakeAreNamed) {
    const QString sea = writePicture("sea.JPEG", 40, 30);
    const QString moon = writePicture("moon.jpe", 40, 30);
    startWithPictures({});
    dialogs
        .expectFileDialog({sea, QStringLiteral("/photos/notes.txt"), moon,
                           QStringLiteral("/photos/two\nlines.jpg")})
        .expectMessage({.text = text(t::filesNotAdded)
                                    .arg(text(t::notJpegFile).arg("notes.txt") + "\n" +
                                         text(t::lineBreakInPath).arg("two lines.jpg")),
                        .caption = text(texts::errorCaption),
                        .icon = MessageIcon::Warning,
                        .owner = form.get()});
    images().Button8->click();
    EXPECT_EQ(images().ListBox3->items(), (QStringList{"sea.JPEG", "moon.jpe"}));
    EXPECT_EQ(storedString(layout::product::imagesList),
              (sea + "\r\n" + moon + "\r\n").toStdString());

    dialogs.expectFileDialog({QStringLiteral("/photos/notes.txt")}).expectMessage();
    images().Button8->click();
    EXPECT_EQ(images().ListBox3->count(), 2);
}

TEST_F(SlideshowList, DeletingTheLastEntryWhileRunningStopsAtTheNextStep) {
    startWithPictures({QStringLiteral("/photos/a.jpg")});
    startSlideshow(10, 5);
    images().ListBox3->setItemIndex(0);
    images().Button9->click();
    EXPECT_EQ(images().Button10->text(), text(texts::start));
    EXPECT_TRUE(form->ImagesTimer->isRunning());
    EXPECT_TRUE(form->N4->isChecked());

    timeline.advance(10000);
    EXPECT_FALSE(form->ImagesTimer->enabled());
    EXPECT_FALSE(form->N4->isChecked());
    EXPECT_FALSE(storedBool(layout::product::imagesEnabled));
    EXPECT_EQ(storedString(layout::product::imagesList), "");
    EXPECT_FALSE(imageForm().isVisible());
}

TEST_F(SlideshowList, StartRefusesThreeWaysAndAcceptsTheLimits) {
    struct Case {
        int hours, minutes, seconds, timeout;
        bool withPicture;
        const char* refusal; // nullptr: starts
    };
    const Case cases[] = {
        {24, 0, 0, 30, true, nullptr},
        {24, 0, 1, 30, true, texts::periodTooLong},
        {24, 0, 1, 30, false, texts::periodTooLong}, // the period is looked at first
        {0, 60, 60, 600, true, nullptr},             // 3660 s
        {0, 0, 10, 10, true, nullptr},
        {0, 0, 9, 10, true, t::periodBelowTimeout},
        {0, 0, 0, 0, true, t::nothingToShow},
        {0, 0, 5, 0, false, t::nothingToShow},
        {0, 0, 5, 0, true, nullptr}, // the picture stays until clicked
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hours << " h " << c.minutes << " min " << c.seconds
                                        << " s, timeout " << c.timeout);
        startWithPictures(c.withPicture ? QStringList{"/photos/a.jpg"} : QStringList{});
        setFields(c.hours, c.minutes, c.seconds, c.timeout);
        if (c.refusal != nullptr) {
            dialogs.expectMessage(refusal(c.refusal, form.get()));
        }
        images().Button10->click();
        const bool started = c.refusal == nullptr;
        const int period = c.hours * 3600 + c.minutes * 60 + c.seconds;
        EXPECT_EQ(form->ImagesTimer->isRunning(), started);
        EXPECT_EQ(form->N4->isChecked(), started);
        EXPECT_EQ(storedBool(layout::product::imagesEnabled), started);
        EXPECT_EQ(images().Button10->text(), text(started ? texts::stop : texts::start));
        if (started) {
            EXPECT_EQ(form->ImagesTimer->interval(), period * 1000);
            EXPECT_EQ(storedInteger(layout::product::imagesInterval), period);
            EXPECT_EQ(storedInteger(layout::product::imagesTimeout), c.timeout);
        } else {
            EXPECT_EQ(storedInteger(layout::product::imagesInterval), 0);
        }
        dialogs.verifyAllUsed();
        form.reset();
    }
}

TEST_F(SlideshowList, TheTrayItemSwitchesAndKeepsItsMarkWhenRefused) {
    startWithPictures({});
    dialogs.expectMessage(refusal(t::nothingToShow, form.get()));
    form->N4->trigger();
    EXPECT_FALSE(form->N4->isChecked());
    EXPECT_FALSE(form->ImagesTimer->enabled());

    dialogs.expectFileDialog({QStringLiteral("/photos/a.jpg")});
    images().Button8->click();
    setFields(0, 1, 0, 30);
    form->N4->trigger();
    EXPECT_TRUE(form->N4->isChecked());
    EXPECT_TRUE(form->ImagesTimer->isRunning());
    EXPECT_EQ(images().Button10->text(), text(texts::stop));

    form->N4->trigger();
    EXPECT_FALSE(form->N4->isChecked());
    EXPECT_FALSE(form->ImagesTimer->enabled());
    EXPECT_FALSE(storedBool(layout::product::imagesEnabled));
}

// A running slideshow stops from the tab and from the tray whatever the fields and the list
// hold by then: the checks are a start's.
TEST_F(SlideshowList, ARunningSlideshowAlwaysStops) {
    struct Case {
        int hours, minutes, seconds, timeout;
        bool emptyList;
    };
    const Case cases[] = {
        {0, 0, 0, 30, false}, {0, 0, 10, 20, false}, {24, 0, 1, 30, false}, {0, 1, 0, 30, true}};
    for (const bool fromTray : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << (fromTray ? "tray, " : "button, ") << c.hours
                                            << " h " << c.seconds << " s, timeout " << c.timeout);
            startWithPictures({QStringLiteral("/photos/a.jpg")});
            startSlideshow(60, 30);
            setFields(c.hours, c.minutes, c.seconds, c.timeout);
            if (c.emptyList) {
                clickRow(0);
                images().Button9->click();
            }
            if (fromTray) {
                form->N4->trigger();
            } else {
                images().Button10->click();
            }
            EXPECT_FALSE(form->ImagesTimer->enabled());
            EXPECT_FALSE(form->N4->isChecked());
            EXPECT_FALSE(storedBool(layout::product::imagesEnabled));
            EXPECT_EQ(images().Button10->text(), text(texts::start));
            form.reset();
        }
    }
}

TEST_F(SlideshowList, FieldsChangedWhileRunningCountOnlyFromTheNextStart) {
    startWithPictures({QStringLiteral("/photos/a.jpg")});
    startSlideshow(20, 5);
    setFields(0, 0, 40, 30);
    EXPECT_EQ(form->ImagesTimer->interval(), 20000);
    EXPECT_EQ(storedInteger(layout::product::imagesInterval), 20);
    EXPECT_EQ(storedInteger(layout::product::imagesTimeout), 5);

    images().Button10->click(); // stop
    EXPECT_EQ(storedInteger(layout::product::imagesInterval), 20);
    images().Button10->click(); // start again
    EXPECT_EQ(form->ImagesTimer->interval(), 40000);
    EXPECT_EQ(storedInteger(layout::product::imagesInterval), 40);
    EXPECT_EQ(storedInteger(layout::product::imagesTimeout), 30);
}

TEST_F(SlideshowList, ARestartResumesTheRunningSlideshowFromTheStoredFields) {
    startWithPictures({QStringLiteral("/photos/a.jpg")});
    setFields(1, 2, 5, 45);
    images().Button10->click();
    form.reset();

    startForm();
    EXPECT_EQ(images().Edit1->text(), QStringLiteral("1"));
    EXPECT_EQ(images().Edit2->text(), QStringLiteral("2"));
    EXPECT_EQ(images().Edit3->text(), QStringLiteral("5"));
    EXPECT_EQ(images().Edit7->text(), QStringLiteral("45"));
    EXPECT_TRUE(form->ImagesTimer->isRunning());
    EXPECT_EQ(form->ImagesTimer->interval(), 3725 * 1000);
    EXPECT_TRUE(form->N4->isChecked());
    EXPECT_EQ(images().Button10->text(), text(texts::stop));
    EXPECT_TRUE(storedBool(layout::product::imagesEnabled));
}

} // namespace
} // namespace tickwell::test
