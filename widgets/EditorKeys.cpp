#include "widgets/EditorKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace tickwell {

namespace {

// Sees the keys that the focused control leaves to its window: a one-line field and a button
// (not a default button, since the window is no dialog) pass Enter and Escape on.
class EditorKeys : public QObject {
public:
    EditorKeys(QWidget* editor, QPushButton* confirm)
        : QObject(editor), editor_(editor), confirm_(confirm) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != editor_ || event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            editor_->close();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            QWidget* focus = editor_->focusWidget();
            if (qobject_cast<QLineEdit*>(focus) != nullptr || focus == confirm_) {
                confirm_->click();
                return true;
            }
        }
        return false;
    }

private:
    QWidget* editor_;
    QPushButton* confirm_;
};

} // namespace

void installEditorKeys(QWidget* editor, QPushButton* confirm) {
    editor->installEventFilter(new EditorKeys(editor, confirm));
}

} // namespace tickwell
