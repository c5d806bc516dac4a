#include "platform/EdgeAnchors.h"

#include <QEvent>
#include <QResizeEvent>
#include <QWidget>
#include <cmath>

namespace tickwell {

namespace {

// One axis: the control's start and length for the parent's new length, from where it was
// (start, length) for the parent's old length.
struct Span {
    int start;
    int length;
};

Span followAxis(Span rule, int oldParent, int newParent, bool nearEdge, bool farEdge) {
    const int change = newParent - oldParent;
    if (nearEdge && farEdge) {
        return {rule.start, std::max(0, rule.length + change)};
    }
    if (farEdge) {
        return {rule.start + change, rule.length};
    }
    if (nearEdge || oldParent <= 0) {
        return rule;
    }
    // Anchored to neither edge: the centre keeps its proportion of the parent.
    const double centre = (rule.start + rule.length / 2.0) * newParent / oldParent;
    return {static_cast<int>(std::lround(centre - rule.length / 2.0)), rule.length};
}

} // namespace

EdgeAnchors* EdgeAnchors::install(QWidget* control, Edges edges, const QRect& designGeometry,
                                  const QSize& parentDesignSize) {
    return new EdgeAnchors(control, edges, designGeometry, parentDesignSize);
}

EdgeAnchors::EdgeAnchors(QWidget* control, Edges edges, const QRect& designGeometry,
                         const QSize& parentDesignSize)
    : QObject(control), control_(control), parent_(control->parentWidget()), edges_(edges) {
    remember(designGeometry, parentDesignSize);
    lastPlaced_ = control_->geometry();
    lastParent_ = parentDesignSize;
    control_->installEventFilter(this);
    if (parent_ != nullptr) {
        parent_->installEventFilter(this);
        follow(parent_->size());
    }
}

bool EdgeAnchors::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent_ && event->type() == QEvent::Resize) {
        follow(static_cast<QResizeEvent*>(event)->size());
    } else if (watched == control_ && !placing_ && parent_ != nullptr &&
               (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
               control_->geometry() != lastPlaced_) {
        // The program placed the control itself: that is the distance to keep from now on.
        remember(control_->geometry(), parent_->size());
    }
    return QObject::eventFilter(watched, event);
}

void EdgeAnchors::remember(const QRect& geometry, const QSize& parentSize) {
    rule_ = geometry;
    ruleParent_ = parentSize;
    lastPlaced_ = geometry;
    lastParent_ = parentSize;
}

void EdgeAnchors::follow(const QSize& parentSize) {
    if (control_->geometry() != lastPlaced_) {
        // Placed by the program while its events were still pending (a hidden page).
        remember(control_->geometry(), lastParent_);
    }
    const Span x = followAxis({rule_.x(), rule_.width()}, ruleParent_.width(), parentSize.width(),
                              edges_.testFlag(Edge::Left), edges_.testFlag(Edge::Right));
    const Span y =
        followAxis({rule_.y(), rule_.height()}, ruleParent_.height(), parentSize.height(),
                   edges_.testFlag(Edge::Top), edges_.testFlag(Edge::Bottom));
    placing_ = true;
    control_->setGeometry(x.start, y.start, x.length, y.length);
    placing_ = false;
    lastPlaced_ = control_->geometry();
    lastParent_ = parentSize;
}

} // namespace tickwell
