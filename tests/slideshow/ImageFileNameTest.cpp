// The file-name part of a picture's path, as the images list shows it.

#include "slideshow/ImageFileName.h"

#include <gtest/gtest.h>

namespace tickwell {
namespace {

TEST(ImageFileName, IsTheTextAfterTheLastSeparator) {
    EXPECT_EQ(imageFileName(QStringLiteral("/home/anna/sea.jpg")), QStringLiteral("sea.jpg"));
    EXPECT_EQ(imageFileName(QStringLiteral("C:\\Photos\\2019\\forest.jpg")),
              QStringLiteral("forest.jpg"));
    EXPECT_EQ(imageFileName(QStringLiteral("D:moon.jpg")), QStringLiteral("moon.jpg"));
    EXPECT_EQ(imageFileName(QStringLiteral("/mnt/c:\\x/y\\z.jpg")), QStringLiteral("z.jpg"));
    EXPECT_EQ(imageFileName(QStringLiteral("plain.jpg")), QStringLiteral("plain.jpg"));
    EXPECT_EQ(imageFileName(QStringLiteral("/folder/")), QString());
}

} // namespace
} // namespace tickwell
