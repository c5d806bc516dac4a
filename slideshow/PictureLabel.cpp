#include "slideshow/PictureLabel.h"

namespace tickwell {

PictureLabel::PictureLabel(QWidget* parent) : ClickableLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(false);
}

} // namespace tickwell
