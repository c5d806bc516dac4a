#pragma once

#include <QListWidget>

namespace tickwell {

// A single-selection list that reports the user's choices as clicks: a click on an item (also
// on the item already selected) and a move of the selection with the keyboard each give one
// click; a double click on an item, or Enter on the selected one, gives a double click.
// Selections made by the program itself report nothing.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    // The index of the selected item, or -1 when no item is selected.
    int itemIndex() const;
    // Selects the item at `index` (none for -1) without reporting a click.
    void setItemIndex(int index);
    // The texts of all items, in order.
    QStringList items() const;

signals:
    void click();
    void doubleClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tickwell
