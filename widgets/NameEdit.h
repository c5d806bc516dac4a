#pragma once

#include <QLineEdit>

namespace tickwell {

// The edit field of a name that goes into one of the store's name lists, where an item cannot
// hold a line break. Whatever reaches it (typed, pasted, dropped, or set by the program or a
// screen reader) has each line break (CR LF counting as one), tab and other control character
// replaced by one space before the field holds it.
class NameEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NameEdit(QWidget* parent = nullptr);

    // `text` with every line break and control character replaced by one space.
    static QString singleLine(const QString& text);
};

} // namespace tickwell
