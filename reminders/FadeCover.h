#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>

namespace tickwell {

// The painted fade of a window whose opacity the window system does not show: a picture of the
// screen under the window, taken before the window appeared, painted over the whole window
// with the strength that is left of the window's opacity. It covers its parent, lets every
// mouse event through to the controls beneath it, and is hidden while it has nothing to paint.
class FadeCover : public QWidget {
    Q_OBJECT
public:
    explicit FadeCover(QWidget* parent);

    // Takes the screen in `area` (desktop coordinates); the window is to appear inside it.
    // Without a screen picture (the window system gives none) nothing is painted.
    void grabUnder(const QRect& area);
    // Forgets the picture; the cover paints nothing.
    void clear();
    // The window's opacity, 0 to 255: the picture is painted with the strength 255 - opacity.
    void setOpacity(int opacity);

    bool hasPicture() const { return !picture_.isNull(); }
    // How strongly the picture is painted, 0 to 255.
    int strength() const { return 255 - opacity_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    QRect pictureArea_; // desktop coordinates
    int opacity_ = 255;
};

} // namespace tickwell
