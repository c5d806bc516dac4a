#include "ListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tickwell {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()) != nullptr) {
        emit click();
    }
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()) != nullptr) {
        emit doubleClick();
    }
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    const bool wasSelected = currentItem() != nullptr && currentItem()->isSelected();
    QListWidget::keyPressEvent(event);
    const bool isSelected = currentItem() != nullptr && currentItem()->isSelected();
    if (isSelected && (currentRow() != before || !wasSelected)) {
        emit click();
    }
}

} // namespace tickwell
