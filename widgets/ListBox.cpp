#include "widgets/ListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tickwell {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
}

int ListBox::itemIndex() const {
    const QListWidgetItem* item = currentItem();
    return item != nullptr && item->isSelected() ? currentRow() : -1;
}

void ListBox::setItemIndex(int index) {
    if (index < 0 || index >= count()) {
        setCurrentRow(-1);
        clearSelection();
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

QStringList ListBox::items() const {
    QStringList texts;
    texts.reserve(count());
    for (int i = 0; i < count(); ++i) {
        texts.append(item(i)->text());
    }
    return texts;
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
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && itemIndex() >= 0) {
        event->accept();
        emit doubleClick();
        return;
    }
    const int before = currentRow();
    const bool wasSelected = currentItem() != nullptr && currentItem()->isSelected();
    QListWidget::keyPressEvent(event);
    const bool isSelected = currentItem() != nullptr && currentItem()->isSelected();
    if (isSelected && (currentRow() != before || !wasSelected)) {
        emit click();
    }
}

} // namespace tickwell
