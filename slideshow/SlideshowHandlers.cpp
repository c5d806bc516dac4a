// The handlers of the Images tab: the list of pictures, the start/stop switch (also the tray
// item "Изображения") and the slideshow timer's step.

#include "platform/Dialogs.h"
#include "platform/FileFilter.h"
#include "platform/IntervalTimer.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "slideshow/ImageFileName.h"
#include "slideshow/ImageForm.h"
#include "slideshow/ProductKey.h"
#include "slideshow/SlideshowPage.h"
#include "slideshow/SlideshowTexts.h"
#include "widgets/AppTexts.h"
#include "widgets/ListBox.h"
#include "widgets/ListIndexError.h"
#include "widgets/PeriodFields.h"
#include "widgets/StoredNameList.h"
#include "widgets/TrayMark.h"
#include "widgets/UpDown.h"

#include <QAction>
#include <QPushButton>
#include <string>

namespace tickwell {

void SlideshowPage::ListBox3Click() {
    const int index = ListBox3->itemIndex();
    if (index < 0) {
        return;
    }
    checkListIndex(index, static_cast<int>(ImagePaths.size()));
    ListBox3->setToolTip(ImagePaths[index]);
}

namespace {

// Why the images list does not take the chosen file at `path`, or nullptr when it does: it takes
// the JPEG files the dialog offers (a name typed into the dialog may be another), and only a path
// it can keep on one line of the stored list.
const char* notTakenBecause(const QString& path) {
    namespace t = texts::slideshow;
    if (path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r'))) {
        return t::lineBreakInPath;
    }
    if (!fileFilterMatches(QString::fromUtf8(t::imageFileFilter), imageFileName(path))) {
        return t::notJpegFile;
    }
    return nullptr;
}

} // namespace

// The files the list does not take are named afterwards, each with its reason.
void SlideshowPage::Button8Click() {
    const QStringList chosen = OpenDialog1Execute();
    if (chosen.isEmpty()) {
        return;
    }
    QStringList notTaken;
    for (const QString& path : chosen) {
        if (const char* reason = notTakenBecause(path)) {
            QString name = imageFileName(path);
            name.replace(QLatin1Char('\r'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '));
            notTaken << QString::fromUtf8(reason).arg(name);
            continue;
        }
        ImagePaths.append(path);
        ListBox3->addItem(imageFileName(path));
    }
    if (notTaken.size() < chosen.size()) {
        SettingsStore store;
        slideshow::openProductKey(store);
        storeImagesList(store);
    }
    if (!notTaken.isEmpty()) {
        dialogs().inform(window(),
                         QString::fromUtf8(texts::slideshow::filesNotAdded)
                             .arg(notTaken.join(QLatin1Char('\n'))),
                         QString::fromUtf8(texts::errorCaption), MessageIcon::Warning);
    }
}

// The next picture to show is not moved by a deletion: the image window keeps its place in the
// list by number.
void SlideshowPage::Button9Click() {
    const int index = ListBox3->itemIndex();
    if (index < 0) {
        return;
    }
    checkListIndex(index, static_cast<int>(ImagePaths.size()));
    ImagePaths.removeAt(index);
    delete ListBox3->takeItem(index);
    // The list would move the selection to a neighbour whose path is not shown: the next
    // "Удалить" must not take it unseen.
    ListBox3->setItemIndex(-1);
    ListBox3->setToolTip(QString());
    SettingsStore store;
    slideshow::openProductKey(store);
    storeImagesList(store);
    if (ListBox3->count() == 0) {
        // The timer runs on: its next step finds the list empty and stops the slideshow.
        Button10->setText(QString::fromUtf8(texts::start));
    }
}

// The tray item has already changed its mark when its click arrives here; whatever ends the
// switch, the mark ends up showing whether the slideshow runs.
void SlideshowPage::Button10Click() {
    switchKeepingTrayMark(*N4, ImagesTimer, [this] { switchSlideshow(); });
}

// The stored switch alone decides between starting and stopping. A running slideshow always
// stops; only a start needs a period of at most a day, pictures in the list, and a period that
// is not 0 and not shorter than the time a picture stays.
void SlideshowPage::switchSlideshow() {
    namespace t = texts::slideshow;
    SettingsStore store;
    slideshow::openProductKey(store);
    if (store.readBool(layout::product::imagesEnabled)) {
        // A picture on screen stays until it closes by itself.
        stopSlideshow(store);
        return;
    }
    const int period = periodSeconds();
    const int timeout = UpDown7->position();
    if (period > longestPeriodSeconds) {
        refuseStart(texts::periodTooLong, store);
    } else if (ListBox3->count() == 0 || period == 0) {
        refuseStart(t::nothingToShow, store);
    } else if (period < timeout) {
        refuseStart(t::periodBelowTimeout, store);
    } else {
        startSlideshow(store, period, timeout);
    }
}

void SlideshowPage::ImagesTimerTimer() {
    if (ListBox3->count() == 0) {
        SettingsStore store;
        slideshow::openProductKey(store);
        stopSlideshow(store);
        store.writeString(layout::product::imagesList, "");
        return;
    }
    // The window centres itself for the picture it picks. One still on screen only comes to
    // the top again: no new picture, and the counter stays.
    ImageForm->show();
    ImageForm->raise();
}

void SlideshowPage::stopSlideshow() {
    SettingsStore store;
    slideshow::openProductKey(store);
    if (store.readBool(layout::product::imagesEnabled) || ImagesTimer.enabled()) {
        stopSlideshow(store);
    }
}

int SlideshowPage::periodSeconds() const {
    return tickwell::periodSeconds(*UpDown1, *UpDown2, *UpDown3);
}

void SlideshowPage::refuseStart(const char* text, SettingsStore& store) {
    dialogs().inform(window(), QString::fromUtf8(text), QString::fromUtf8(texts::errorCaption),
                     MessageIcon::Warning);
    N4->setChecked(store.readBool(layout::product::imagesEnabled));
}

// The period and the time each picture stays are stored only here, as the slideshow starts.
void SlideshowPage::startSlideshow(SettingsStore& store, int period, int timeout) {
    ImagesTimer.setInterval(period * 1000);
    ImagesTimer.setEnabled(true);
    Button10->setText(QString::fromUtf8(texts::stop));
    N4->setChecked(true);
    store.writeInteger(layout::product::imagesTimeout, timeout);
    store.writeInteger(layout::product::imagesInterval, period);
    store.writeBool(layout::product::imagesEnabled, true);
}

void SlideshowPage::stopSlideshow(SettingsStore& store) {
    ImagesTimer.setEnabled(false);
    store.writeBool(layout::product::imagesEnabled, false);
    Button10->setText(QString::fromUtf8(texts::start));
    N4->setChecked(false);
}

void SlideshowPage::storeImagesList(SettingsStore& store) {
    storeNameList(store, layout::product::imagesList, ImagePaths);
}

} // namespace tickwell
