#pragma once

// The image window: one picture of the slideshow in a borderless top-most window in the middle
// of the desktop, at most the screen less a margin. Each time it is shown it takes the picture
// at the stored counter, passing over files that have gone, and closes after the time each
// picture stays or at a click on the picture, moving the counter on.

#include <QWidget>

namespace tickwell {

class IntervalTimer;
class PictureLabel;
class SlideshowPage;

class TImageForm : public QWidget {
    Q_OBJECT
public:
    // The window of the slideshow of `page`, whose list of pictures it shows and whose
    // slideshow it stops when no picture of the list is left. Hidden until a slideshow step.
    explicit TImageForm(SlideshowPage& page);
    ~TImageForm() override;

    // --- Controls and components (each also carries its name as its objectName) ------------
    PictureLabel* Image1;  // the picture, at its natural size
    IntervalTimer* Timer1; // how long the picture stays; the show sets it from the store
    IntervalTimer* Timer2; // hides the window 100 ms after a show that found nothing to show

    // The index in the list of the picture on screen, or of the one to show next.
    int ImageCounter = 0;

    // --- Handlers -----------------------------------------------------------------------------
    void FormShow();
    void Image1Click(); // also Timer1's handler
    void Timer2Timer();

    // Showing a hidden window runs FormShow first and places the window, centred on the
    // desktop, for the picture it took. A window already shown, or one still choosing its
    // picture (while a message box of FormShow waits), stays as it is.
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Moves ImageCounter past the file at it that has gone, to the next file that is there,
    // and stores it there; false when no file of the list is there.
    bool findNextExistingImage();
    // Moves ImageCounter on by one, back to the first picture after the last, and stores it.
    void advanceCounter();
    // Shows the picture of the file at ImageCounter, or reports why it cannot.
    void showPictureAtCounter();
    void centreOnDesktop();

    SlideshowPage& page_;
    bool choosingPicture_ = false;
    bool pictureShown_ = false;
};

} // namespace tickwell
