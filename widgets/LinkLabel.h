#pragma once

#include <QLabel>

namespace tickwell {

// A label that reads as a web link (blue, underlined, hand cursor) and reports a click with
// the left button released over it.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);

    // Acts as a click by the user (for the accessibility bridge).
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace tickwell
