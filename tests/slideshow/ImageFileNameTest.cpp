// The file-name part of a picture's path, as the images list shows it.

#include "slideshow/ImageFileName.h"

#include <gtest/gtest.h>

namespace tickwell {
namespace {

TEST(ImageFileName, IsTheTextAfterTheLastSeparatorOfItsSystem) {
    const std::pair<QString, QString> cases[] = {
        // This system's paths: only "/" separates.
        {"/home/anna/sea.jpg", "sea.jpg"},
        {"/home/anna/фото: отпуск.jpg", "фото: отпуск.jpg"},
        {"/home/anna/x\\y.jpg", "x\\y.jpg"},
        {"/mnt/c:\\x/y\\z.jpg", "y\\z.jpg"},
        {"/folder/", ""},
        // The other system's paths: "\", "/" and the drive colon.
        {"C:\\Photos\\2019\\forest.jpg", "forest.jpg"},
        {"C:/Photos/forest.jpg", "forest.jpg"},
        {"D:moon.jpg", "moon.jpg"},
        {"Photos\\sun.jpg", "sun.jpg"},
        {"plain.jpg", "plain.jpg"},
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(imageFileName(path), name) << path.toStdString();
    }
}

} // namespace
} // namespace tickwell
