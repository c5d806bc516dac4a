#pragma once

#include <QFlags>
#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

namespace tickwell {

// The edges of its parent that a control keeps its distance to.
enum class Edge { Left = 0x1, Top = 0x2, Right = 0x4, Bottom = 0x8 };
Q_DECLARE_FLAGS(Edges, Edge)
Q_DECLARE_OPERATORS_FOR_FLAGS(Edges)

// Keeps a control's distances to the edges it is anchored to when its parent is resized:
// left + right stretches it; right alone moves it with the right edge; neither keeps its centre
// at the same proportion of the parent (likewise top and bottom). A position or size the program
// gives the control later becomes its new distance to keep.
class EdgeAnchors : public QObject {
    Q_OBJECT
public:
    // Anchors `control` to `edges`, given its geometry in the design and the size its parent had
    // in the design; places it for the parent's present size at once. The anchoring lives as a
    // child of the control.
    static EdgeAnchors* install(QWidget* control, Edges edges, const QRect& designGeometry,
                                const QSize& parentDesignSize);

    Edges edges() const { return edges_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EdgeAnchors(QWidget* control, Edges edges, const QRect& designGeometry,
                const QSize& parentDesignSize);
    void follow(const QSize& parentSize);
    void remember(const QRect& geometry, const QSize& parentSize);

    QWidget* control_;
    QWidget* parent_;
    Edges edges_;
    QRect rule_;       // geometry the control had ...
    QSize ruleParent_; // ... when its parent had this size
    QRect lastPlaced_; // where this object put the control last ...
    QSize lastParent_; // ... for this size of the parent
    bool placing_ = false;
};

} // namespace tickwell
