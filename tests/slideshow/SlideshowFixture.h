#pragma once

// The main window on a store of the test's own, with JPEG pictures made for the test, on a
// 1920 x 1080 screen: for driving the Images tab and the image window as a person does.

#include "JpegTestFiles.h"
#include "MainFormFixture.h"
#include "images/Orientation.h"
#include "slideshow/ImageForm.h"

#include <QStringList>
#include <cstdint>
#include <string>
#include <string_view>

namespace tickwell::test {

class SlideshowFixture : public MainFormFixture {
protected:
    SlideshowFixture();

    // A new JPEG file of `width` x `height` pixels, something like a photograph, tagged as a
    // camera tags a picture it stored turned; its full path.
    QString writePicture(const std::string& name, int width, int height,
                         Orientation orientation = Orientation::Normal);
    // The list holding `paths`, the counter at `counter` and a stopped slideshow in the store,
    // then the main window started on it.
    void startWithPictures(const QStringList& paths, std::int32_t counter = 0);
    // Sets the period and the time each picture stays as a person types them into the fields.
    void setFields(int hours, int minutes, int seconds, int timeout);
    // Sets the fields and clicks the start button.
    void startSlideshow(int seconds, int timeout);
    // A mouse click on the row `row` of the images list.
    void clickRow(int row);

    std::int32_t storedInteger(std::string_view name) const;
    bool storedBool(std::string_view name) const;
    std::string storedString(std::string_view name) const;

    TImageForm& imageForm() const { return *images().ImageForm; }
    // What the image window shows now: the file name a screen reader hears, or "" when hidden.
    QString shownPicture() const;

    TempDir folder;
};

} // namespace tickwell::test
