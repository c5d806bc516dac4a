#pragma once

#include "widgets/ClickableLabel.h"

class QTextLayout;

namespace tickwell {

// The message of a notice window: plain text, centred horizontally and vertically and wrapped
// at word boundaries, and inside a word as well when the word alone is wider than the label.
// Text that does not fit is cut off at the label's edges. A left click on it emits clicked().
// Screen readers read the text, as of any label.
class NoticeLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit NoticeLabel(QWidget* parent);

    // The text's lines as they are drawn: their rectangles within the label, in order. Lines
    // that are cut off have rectangles reaching past the label's edges.
    QList<QRectF> lineRects() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Lays out the text in `layout` for the label's width and returns the vertical offset that
    // centres it.
    qreal layOut(QTextLayout& layout) const;
};

} // namespace tickwell
