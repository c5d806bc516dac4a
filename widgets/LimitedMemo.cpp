#include "widgets/LimitedMemo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <limits>

namespace tickwell {

namespace {

bool isLineBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator ||
           c == QChar::LineSeparator;
}

// What a key press would put into the text, as plain text with "\n" for a line break; empty
// for keys that insert nothing (movement, deletion, shortcuts).
QString typedText(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        return QStringLiteral("\n");
    }
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & Qt::ControlModifier)) {
        return {};
    }
    const QChar first = text.front();
    return (first.isPrint() || first == QLatin1Char('\t')) ? text : QString();
}

} // namespace

LimitedMemo::LimitedMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
}

int LimitedMemo::storedLength(const QString& text) {
    int length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() &&
            text[i + 1] == QLatin1Char('\n')) {
            continue; // a CR LF pair is one break
        }
        length += isLineBreak(text[i]) ? 2 : 1;
    }
    return length;
}

int LimitedMemo::room() const {
    if (maxLength_ <= 0) {
        return std::numeric_limits<int>::max();
    }
    const int kept = storedLength(toPlainText()) - storedLength(textCursor().selectedText());
    return std::max(0, maxLength_ - kept);
}

QString LimitedMemo::fitting(const QString& text) const {
    const int available = room();
    int used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        qsizetype next = end + 1;
        if (text[end].isHighSurrogate() && next < text.size() && text[next].isLowSurrogate()) {
            ++next;
        } else if (text[end] == QLatin1Char('\r') && next < text.size() &&
                   text[next] == QLatin1Char('\n')) {
            ++next;
        }
        const int cost = isLineBreak(text[end]) ? 2 : static_cast<int>(next - end);
        if (used + cost > available) {
            break;
        }
        used += cost;
        end = next;
    }
    return text.left(end);
}

void LimitedMemo::keyPressEvent(QKeyEvent* event) {
    const QString typed = typedText(event);
    if (!typed.isEmpty() && fitting(typed).size() < typed.size()) {
        event->accept(); // refused: the text is full
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedMemo::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) {
        return;
    }
    const QString text = fitting(source->text());
    if (text.isEmpty()) {
        return;
    }
    QMimeData fitted;
    fitted.setText(text);
    QPlainTextEdit::insertFromMimeData(&fitted);
}

void LimitedMemo::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    const QString fitted = fitting(commit);
    if (fitted.size() == commit.size()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent shortened(event->preeditString(), event->attributes());
    shortened.setCommitString(fitted, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&shortened);
}

} // namespace tickwell
