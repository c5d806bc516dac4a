#pragma once

// The "Изображения" tab: the list of pictures of the slideshow, its period and the time each
// picture stays, the start/stop switch, the slideshow timer's step and the image window that
// each step shows.

#include "widgets/ReportOnce.h"
#include "widgets/TabPage.h"

#include <QStringList>

class QAction;
class QLineEdit;
class QPushButton;
class SettingsStore;

namespace tickwell {

class AutoSizeLabel;
class IntervalTimer;
class ListBox;
class TImageForm;
class UpDown;

class SlideshowPage : public TabPage {
    Q_OBJECT
public:
    // The tab "TabSheet3". `imagesTimer` is the main window's timer of the slideshow.
    explicit SlideshowPage(IntervalTimer& imagesTimer);
    ~SlideshowPage() override;

    // --- Controls (each also carries its name as its objectName) -------------------------------
    ListBox* ListBox3;
    QPushButton* Button8; // "Добавить"
    QPushButton* Button9; // "Удалить"
    AutoSizeLabel* Label7;
    QLineEdit* Edit1;
    UpDown* UpDown1;
    AutoSizeLabel* Label14;
    QLineEdit* Edit2;
    UpDown* UpDown2;
    AutoSizeLabel* Label15;
    QLineEdit* Edit3;
    UpDown* UpDown3;
    AutoSizeLabel* Label16;
    AutoSizeLabel* Label20;
    QLineEdit* Edit7;
    UpDown* UpDown7;
    QPushButton* Button10; // "Запустить" / "Остановить"

    // Full paths of the slideshow's pictures, parallel to ListBox3.
    QStringList ImagePaths;

    // The image window, made with the tab and shown by every slideshow step.
    TImageForm* ImageForm;

    // The tray item "Изображения" of the main window: its check mark follows the slideshow,
    // and its click runs Button10Click.
    void setTrayItem(QAction* item);

    // The file-open dialog of the images list: full paths of the chosen JPEG files, empty when
    // the user cancelled.
    QStringList OpenDialog1Execute();

    // --- Handlers -------------------------------------------------------------------------------
    void ListBox3Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void ImagesTimerTimer();

    // Start-up: the pictures, the time each stays and the period from the store's open product
    // key.
    void loadImages(SettingsStore& store);

    // Stops a running slideshow as the start/stop switch does, without looking at the fields:
    // for the image window when no picture of the list is left.
    void stopSlideshow();

    void FormResize(int windowWidth) override;

private:
    void buildControls();
    void connectHandlers();
    // The period in seconds that the three period fields give.
    int periodSeconds() const;
    // Starts or stops the slideshow; Button10Click runs it keeping the tray item's mark true.
    void switchSlideshow();
    // A refused start: `text` in a warning box, and the tray item's mark back to what the store
    // says runs, read after the box.
    void refuseStart(const char* text, SettingsStore& store);
    void startSlideshow(SettingsStore& store, int period, int timeout);
    void stopSlideshow(SettingsStore& store);
    // The images list as the store keeps it.
    void storeImagesList(SettingsStore& store);

    IntervalTimer& ImagesTimer;
    QAction* N4 = nullptr;
    // A firing that fails again as it did last time is not reported again.
    ReportOnce timerFailures_;
};

} // namespace tickwell
