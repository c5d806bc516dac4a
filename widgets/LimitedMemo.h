#pragma once

#include <QPlainTextEdit>

namespace tickwell {

// A memo whose text, as the store keeps it, never grows past a number of characters: a line
// break counts as the two characters (CR LF) it is stored as. Typing, pasting, dropping and input
// methods take only what still fits, as an edit field with a maximum length does; a text the
// program sets itself is not cut. Tab moves the focus on instead of going into the text.
class LimitedMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LimitedMemo(QWidget* parent = nullptr);

    // The most characters the user may bring the stored text to; 0 means no limit.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length) { maxLength_ = length; }

    // How many characters `text` takes in the store, a line break counted as two.
    static int storedLength(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Characters the stored text may still grow by when the selection is replaced.
    int room() const;
    // The longest beginning of `text` that fits into room(), never splitting a character.
    QString fitting(const QString& text) const;

    int maxLength_ = 0;
};

} // namespace tickwell
