#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tickwell {

// A pair of small arrow buttons that steps a whole number shown in an edit field beside it.
// The number is the control's position, kept within its range. A number typed or put into the field
// becomes the position at once (moved into the range); other text leaves it as it was; once the
// user has finished typing, the field shows the position.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    // The edit field that shows the position; its text is set from the position at once.
    void setAssociate(QLineEdit* edit);
    QLineEdit* associate() const { return associate_; }

    int position() const { return position_; }
    // Values outside the range are moved to its nearest end.
    void setPosition(int value);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setRange(int minimum, int maximum);

    // One step up or down, stopping at the ends of the range.
    void stepBy(int steps);

signals:
    void positionChanged(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void takeTypedText(const QString& text);
    void showPosition();

    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* associate_ = nullptr;
    int position_ = 0;
    int minimum_ = 0;
    int maximum_ = 100;
};

} // namespace tickwell
