#include "slideshow/ImageForm.h"

#include "platform/Dialogs.h"
#include "platform/IntervalTimer.h"
#include "platform/ScreenInfo.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "slideshow/FittedPicture.h"
#include "slideshow/FreedMemory.h"
#include "slideshow/ImageFileName.h"
#include "slideshow/PictureLabel.h"
#include "slideshow/ProductKey.h"
#include "slideshow/SlideshowPage.h"
#include "slideshow/SlideshowTexts.h"
#include "widgets/AccessibleControls.h"
#include "widgets/AppTexts.h"
#include "widgets/ErrorGuard.h"
#include "widgets/ListIndexError.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <algorithm>
#include <cstdint>
#include <new>

namespace tickwell {

namespace {

constexpr int hideDelayMs = 100;

// A stored time in seconds as a timer interval; 0 (the picture stays until clicked) for a time
// of 0 or below, and at most what an interval can hold.
int stayMs(std::int32_t seconds) {
    constexpr std::int64_t longest = INT32_MAX;
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{seconds} * 1000, 0, longest));
}

bool imageFileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void reportImageError(const QString& text) {
    // The window itself is not on screen yet: the box stands alone in the middle of the screen.
    dialogs().inform(nullptr, text, QString::fromUtf8(texts::errorCaption), MessageIcon::Error);
}

} // namespace

TImageForm::TImageForm(SlideshowPage& page) : QWidget(nullptr), page_(page) {
    setObjectName(QStringLiteral("ImageForm"));
    setAccessibleWindowRole(this, QAccessible::Window);
    setWindowTitle(QString::fromUtf8(texts::slideshow::imageCaption));
    // No border and no title bar, above every other window, and no entry on the taskbar.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // A picture must not take the keyboard from what the user is typing in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, Qt::black);
    setPalette(colors);
    setAutoFillBackground(true);

    Image1 = new PictureLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(0, 0);

    Timer1 = new IntervalTimer(this, QStringLiteral("Timer1"), 0, false);
    Timer2 = new IntervalTimer(this, QStringLiteral("Timer2"), hideDelayMs, false);
    connectGuarded(Image1, &PictureLabel::clicked, this, [this] { Image1Click(); });
    connectGuarded(Timer1, &IntervalTimer::timeout, this, [this] { Image1Click(); });
    connectGuarded(Timer2, &IntervalTimer::timeout, this, [this] { Timer2Timer(); });
}

TImageForm::~TImageForm() = default;

void TImageForm::setVisible(bool visible) {
    if (!visible || isVisible()) {
        QWidget::setVisible(visible);
        return;
    }
    if (choosingPicture_) {
        return;
    }
    choosingPicture_ = true;
    pictureShown_ = false;
    guarded(this, [this] { FormShow(); });
    choosingPicture_ = false;
    if (!pictureShown_) {
        // Nothing to show: the window goes on screen without a size, which puts nothing on
        // the screen, and is hidden a moment later.
        Image1->clear();
        Image1->resize(0, 0);
        resize(0, 0);
        Timer2->setEnabled(true);
    } else {
        centreOnDesktop();
    }
    QWidget::setVisible(true);
}

void TImageForm::FormShow() {
    SettingsStore store;
    slideshow::openProductKey(store);
    Timer1->setInterval(stayMs(store.readInteger(layout::product::imagesTimeout)));
    ImageCounter = store.readInteger(layout::product::imgCounter);
    // A counter that points outside the list, also a negative one, starts at the first picture.
    if (ImageCounter < 0 || ImageCounter >= page_.ImagePaths.size()) {
        ImageCounter = 0;
    }
    if (page_.ImagePaths.isEmpty()) {
        return;
    }
    const QString path = page_.ImagePaths[ImageCounter];
    if (!imageFileExists(path)) {
        reportImageError(
            QString::fromUtf8(texts::slideshow::imageNotFound).arg(imageFileName(path)));
        if (!findNextExistingImage()) {
            store.closeKey();
            reportImageError(QString::fromUtf8(texts::slideshow::noImageFound));
            page_.stopSlideshow();
            return;
        }
    }
    showPictureAtCounter();
}

// The message box before may have run a while, and the list may have changed meanwhile: the
// search goes by the list as it is now.
bool TImageForm::findNextExistingImage() {
    const int count = static_cast<int>(page_.ImagePaths.size());
    for (int step = 0; step < count; ++step) {
        ImageCounter = ImageCounter + 1 >= count ? 0 : ImageCounter + 1;
        if (imageFileExists(page_.ImagePaths[ImageCounter])) {
            SettingsStore store;
            slideshow::openProductKey(store);
            store.writeInteger(layout::product::imgCounter, ImageCounter);
            return true;
        }
    }
    return false;
}

// A file that is there but cannot be shown (damaged, no JPEG, too large for the memory at hand)
// is reported and passed over as if it had been shown, so the next step shows the next one.
void TImageForm::showPictureAtCounter() {
    checkListIndex(ImageCounter, static_cast<int>(page_.ImagePaths.size()));
    const QString path = page_.ImagePaths[ImageCounter];
    QPixmap picture;
    QString reason;
    try {
        picture = fittedPicture(path, screenInfo());
    } catch (const std::bad_alloc&) {
        reason = QString::fromUtf8(texts::slideshow::notEnoughMemory);
    } catch (const std::exception& error) {
        reason = errorText(error);
    }
    if (picture.isNull()) {
        reportError(
            nullptr,
            QString::fromUtf8(texts::slideshow::imageNotShown).arg(imageFileName(path), reason));
        advanceCounter();
        return;
    }
    const QSize size = shownSize(picture);
    Image1->setPixmap(picture);
    Image1->resize(size);
    resize(size);
    setAccessibleDescription(imageFileName(path));
    Timer1->setEnabled(true);
    pictureShown_ = true;
}

void TImageForm::advanceCounter() {
    ++ImageCounter;
    if (ImageCounter >= page_.ImagePaths.size()) {
        ImageCounter = 0;
    }
    SettingsStore store;
    slideshow::openProductKey(store);
    store.writeInteger(layout::product::imgCounter, ImageCounter);
}

// A picture clicked away counts as shown.
void TImageForm::Image1Click() {
    Timer1->setEnabled(false);
    advanceCounter();
    hide();
}

void TImageForm::Timer2Timer() {
    Timer2->setEnabled(false);
    hide();
}

// Centred on the area of all screens, for the size the window has now.
void TImageForm::centreOnDesktop() {
    const QRect desktop = screenInfo().desktopArea();
    move(desktop.left() + (desktop.width() - width()) / 2,
         desktop.top() + (desktop.height() - height()) / 2);
}

// Closed by the window manager (a key, a menu) as by a click: the picture counts as shown.
void TImageForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    guarded(this, [this] { Image1Click(); });
}

// The picture goes with the window: nothing of it stays in memory between two shows. Once the
// hide is over, the native window is made anew, which drops the copy of the picture its
// backing store held and keeps the next show from waiting for a window to be made, and the
// memory freed on the way goes back to the system.
void TImageForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    Image1->clear();
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isHidden()) {
                destroy();
                create();
                giveFreedMemoryBack();
            }
        },
        Qt::QueuedConnection);
}

} // namespace tickwell
