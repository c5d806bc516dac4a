#include "reminders/FadeCover.h"

#include "platform/WindowSystem.h"

#include <QPainter>
#include <utility>

namespace tickwell {

FadeCover::FadeCover(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FadeCover"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FadeCover::grabUnder(const QRect& area) {
    clear();
    WindowSystem::ScreenPicture grabbed = windowSystem().grabScreen(area);
    if (grabbed.picture.isNull()) {
        return;
    }
    picture_ = std::move(grabbed.picture);
    pictureArea_ = grabbed.area;
    setGeometry(parentWidget()->rect());
    raise();
    show();
}

void FadeCover::clear() {
    picture_ = QPixmap();
    pictureArea_ = QRect();
    hide();
}

void FadeCover::setOpacity(int opacity) {
    opacity_ = qBound(0, opacity, 255);
    if (hasPicture()) {
        update();
    }
}

void FadeCover::paintEvent(QPaintEvent* /*event*/) {
    const QRect window(mapToGlobal(QPoint(0, 0)), size());
    // A window moved off the place the picture shows would paint a wrong one: nothing then.
    if (!hasPicture() || !pictureArea_.contains(window) || strength() == 0) {
        return;
    }
    const qreal ratio = picture_.devicePixelRatio();
    const QRectF source(QPointF(window.topLeft() - pictureArea_.topLeft()) * ratio,
                        QSizeF(window.size()) * ratio);
    QPainter painter(this);
    painter.setOpacity(strength() / 255.0);
    painter.drawPixmap(QRectF(rect()), picture_, source);
}

} // namespace tickwell
