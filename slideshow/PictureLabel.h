#pragma once

#include "widgets/ClickableLabel.h"

namespace tickwell {

// A picture shown at its natural size from the top-left corner, never stretched; a click on it
// is reported. It paints every pixel of itself (black where the picture does not reach), so the
// window under it is not filled first only to be painted over.
class PictureLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit PictureLabel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tickwell
