#include "SlideshowFixture.h"

#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "widgets/ListBox.h"
#include "widgets/UpDown.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

namespace tickwell::test {

namespace {
void openProductKey(SettingsStore& store) {
    store.setRoot(SettingsStore::Root::LocalMachine);
    store.openExistingKey(layout::productKey);
}
} // namespace

SlideshowFixture::SlideshowFixture() {
    screen.setPrimaryScreenSize({1920, 1080});
    screen.setDesktopArea({0, 0, 1920, 1080});
    screen.setWorkArea({0, 0, 1920, 1050});
}

QString SlideshowFixture::writePicture(const std::string& name, int width, int height,
                                       Orientation orientation) {
    JpegRecipe recipe;
    if (orientation != Orientation::Normal) {
        recipe.app1 = {exifPayload({.orientation = static_cast<int>(orientation)})};
    }
    writeFile(folder / name, encodeJpeg(photoLikePicture(width, height), recipe));
    return QString::fromStdString((folder / name).string());
}

void SlideshowFixture::startWithPictures(const QStringList& paths, std::int32_t counter) {
    prepareStore([&](SettingsStore& store) {
        std::vector<std::string> lines;
        for (const QString& path : paths) {
            lines.push_back(path.toStdString());
        }
        store.openExistingKey(layout::productKey);
        store.writeString(layout::product::imagesList, NameList::join(lines));
        store.writeInteger(layout::product::imgCounter, counter);
        // A test that starts several windows on one store starts each from a stopped slideshow.
        store.writeBool(layout::product::imagesEnabled, false);
        store.writeInteger(layout::product::imagesInterval, 0);
    });
    startForm();
}

void SlideshowFixture::setFields(int hours, int minutes, int seconds, int timeout) {
    images().Edit1->setText(QString::number(hours));
    images().Edit2->setText(QString::number(minutes));
    images().Edit3->setText(QString::number(seconds));
    images().Edit7->setText(QString::number(timeout));
}

void SlideshowFixture::startSlideshow(int seconds, int timeout) {
    setFields(0, 0, seconds, timeout);
    images().Button10->click();
}

void SlideshowFixture::clickRow(int row) {
    QListWidgetItem* item = images().ListBox3->item(row);
    ASSERT_NE(item, nullptr);
    const QRect rect = images().ListBox3->visualItemRect(item);
    QTest::mouseClick(images().ListBox3->viewport(), Qt::LeftButton, {}, rect.center());
}

std::int32_t SlideshowFixture::storedInteger(std::string_view name) const {
    SettingsStore store;
    openProductKey(store);
    return store.readInteger(name);
}

bool SlideshowFixture::storedBool(std::string_view name) const {
    SettingsStore store;
    openProductKey(store);
    return store.readBool(name);
}

std::string SlideshowFixture::storedString(std::string_view name) const {
    SettingsStore store;
    openProductKey(store);
    return store.readString(name);
}

QString SlideshowFixture::shownPicture() const {
    return imageForm().isVisible() ? imageForm().accessibleDescription() : QString();
}

} // namespace tickwell::test
