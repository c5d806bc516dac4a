#include "widgets/AutoSizeLabel.h"

#include <QEvent>

namespace tickwell {

AutoSizeLabel::AutoSizeLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setText(text);
}

void AutoSizeLabel::setText(const QString& text) {
    QLabel::setText(text);
    adjustSize();
}

// A new font (the window's, given after the label was made) changes the text's size too.
void AutoSizeLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        adjustSize();
    }
}

} // namespace tickwell
