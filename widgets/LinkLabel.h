#pragma once

#include "widgets/ClickableLabel.h"

namespace tickwell {

// A label that reads as a web link (blue, underlined, hand cursor) and reports a click.
class LinkLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);
};

} // namespace tickwell
