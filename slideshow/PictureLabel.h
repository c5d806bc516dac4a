#pragma once

#include "widgets/ClickableLabel.h"

namespace tickwell {

// A picture shown at its natural size from the top-left corner, never stretched; a click on it
// is reported.
class PictureLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit PictureLabel(QWidget* parent);
};

} // namespace tickwell
