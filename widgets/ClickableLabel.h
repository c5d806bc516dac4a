#pragma once

#include <QLabel>

namespace tickwell {

// A label that reports a click: a press and a release of the left button on it.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);

    // Acts as a click by the user (for the accessibility bridge).
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool leftPressed_ = false;
};

} // namespace tickwell
