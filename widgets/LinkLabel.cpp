#include "widgets/LinkLabel.h"

#include <QFont>
#include <QPalette>

namespace tickwell {

LinkLabel::LinkLabel(QWidget* parent) : ClickableLabel(parent) {
    // Only the underline is set here; family and size still come from the window.
    QFont linkFont;
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(linkPalette);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

} // namespace tickwell
