#include "reminders/NoticeLabel.h"

#include <QPainter>
#include <QTextLayout>

namespace tickwell {

NoticeLabel::NoticeLabel(QWidget* parent) : ClickableLabel(parent) {
    // A message is shown as written, never as markup.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
}

qreal NoticeLabel::layOut(QTextLayout& layout) const {
    QString text = this->text();
    // Line breaks of a message of several lines start new lines.
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    layout.setText(text);
    layout.setFont(font());
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);

    const qreal lineWidth = width();
    const qreal leading = fontMetrics().leading();
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        if (height > 0) {
            height += leading;
        }
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return (this->height() - height) / 2;
}

QList<QRectF> NoticeLabel::lineRects() const {
    QTextLayout layout;
    const qreal top = layOut(layout);
    QList<QRectF> rects;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        rects.append(line.naturalTextRect().translated(0, top));
    }
    return rects;
}

void NoticeLabel::paintEvent(QPaintEvent* /*event*/) {
    QTextLayout layout;
    const qreal top = layOut(layout);
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.setPen(palette().color(foregroundRole()));
    layout.draw(&painter, QPointF(0, top));
}

} // namespace tickwell
