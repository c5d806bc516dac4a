// The handlers of the Images tab: the list of pictures, the start/stop switch (also the tray
// item "Изображения") and the slideshow timer's step.

#include "platform/Dialogs.h"
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

void SlideshowPage::Button8Click() {
    const QStringList chosen = OpenDialog1Execute();
    if (chosen.isEmpty()) {
        return;
    }
    for (const QString& path : chosen) {
        ImagePaths.append(path);
        ListBox3->addItem(imageFileName(path));
    }
    SettingsStore store;
    slideshow::openProductKey(store);
    storeImagesList(store);
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
    ListBox3->setToolTip(QString());
    SettingsStore store;
    slideshow::openProductKey(store);
    storeImagesList(store);
    if (ListBox3->count() == 0) {
        // The timer runs on: its next step finds the list empty and stops the slideshow.
        Button10->setText(QString::fromUtf8(texts::start));
    }
}

// Starts or stops the slideshow after three checks of the fields, whichever way it goes. The
// tray item has already changed its mark when its click arrives here; whatever ends this
// handler, the mark ends up showing whether the slideshow runs.
void SlideshowPage::Button10Click() {
    namespace t = texts::slideshow;
    try {
        const int period = periodSeconds();
        const int timeout = UpDown7->position();
        SettingsStore store;
        slideshow::openProductKey(store);
        if (period > longestPeriodSeconds) {
            refuseSwitch(texts::periodTooLong, store);
            return;
        }
        if (ListBox3->count() == 0 || period == 0) {
            refuseSwitch(t::nothingToShow, store);
            return;
        }
        if (period < timeout) {
            refuseSwitch(t::periodBelowTimeout, store);
            return;
        }
        if (store.readBool(layout::product::imagesEnabled)) {
            // A picture on screen stays until it closes by itself.
            stopSlideshow(store);
        } else {
            startSlideshow(store, period, timeout);
        }
    } catch (...) {
        N4->setChecked(ImagesTimer.enabled());
        throw;
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

void SlideshowPage::refuseSwitch(const char* text, SettingsStore& store) {
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
