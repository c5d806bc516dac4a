#include "widgets/UpDown.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace tickwell {

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(QSize(6, 6));
    }
    up_->setAccessibleName(QStringLiteral("Больше"));
    down_->setAccessibleName(QStringLiteral("Меньше"));
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDown::setAssociate(QLineEdit* edit) {
    if (associate_ != nullptr) {
        associate_->removeEventFilter(this);
        associate_->disconnect(this);
    }
    associate_ = edit;
    if (associate_ == nullptr) {
        return;
    }
    associate_->installEventFilter(this);
    // Any change of the text counts, also one a screen reader makes through the field.
    connect(associate_, &QLineEdit::textChanged, this, &UpDown::takeTypedText);
    connect(associate_, &QLineEdit::editingFinished, this, &UpDown::showPosition);
    showPosition();
}

void UpDown::setPosition(int value) {
    const int clamped = std::clamp(value, minimum_, maximum_);
    const bool changed = clamped != position_;
    position_ = clamped;
    showPosition();
    if (changed) {
        emit positionChanged(position_);
    }
}

void UpDown::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setPosition(position_);
}

void UpDown::stepBy(int steps) {
    setPosition(position_ + steps);
}

// While the user types, a number becomes the position at once, moved into the range if it lies
// outside; text that is no number leaves the position as it was. When typing ends the field
// shows the position again.
void UpDown::takeTypedText(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok) {
        return;
    }
    const int clamped = static_cast<int>(std::clamp<qlonglong>(value, minimum_, maximum_));
    if (clamped != position_) {
        position_ = clamped;
        emit positionChanged(position_);
    }
}

void UpDown::showPosition() {
    if (associate_ != nullptr) {
        const QString text = QString::number(position_);
        if (associate_->text() != text) {
            associate_->setText(text);
        }
    }
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == associate_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                stepBy(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            showPosition();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upperHeight = height() / 2;
    up_->setGeometry(0, 0, width(), upperHeight);
    down_->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

} // namespace tickwell
