#include "slideshow/PictureLabel.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace tickwell {

PictureLabel::PictureLabel(QWidget* parent) : ClickableLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureLabel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    const QPixmap picture = pixmap();
    // The units the picture covers whole; where its device pixels end inside a unit, the rest
    // of that unit is black.
    const QSizeF size = picture.deviceIndependentSize();
    const QRect covered(0, 0, static_cast<int>(std::floor(size.width())),
                        static_cast<int>(std::floor(size.height())));
    for (const QRect& rest : QRegion(rect()).subtracted(covered)) {
        painter.fillRect(rest, Qt::black);
    }
    painter.drawPixmap(QPoint(0, 0), picture);
}

} // namespace tickwell
