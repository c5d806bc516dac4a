#pragma once

#include <QLabel>

namespace tickwell {

// A picture shown at its natural size from the top-left corner, never stretched. A press and a
// release of the left button on it give one clicked().
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    explicit PictureLabel(QWidget* parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool leftPressed_ = false;
};

} // namespace tickwell
