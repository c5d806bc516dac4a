#pragma once

#include <QLabel>

namespace tickwell {

// A one-line label that always takes the size of its text, also when the text changes later,
// so that a caption set by a handler is never cut off.
class AutoSizeLabel : public QLabel {
    Q_OBJECT
public:
    explicit AutoSizeLabel(const QString& text = {}, QWidget* parent = nullptr);

    // Sets the text and fits the label to it (QLabel::setText alone keeps the old size).
    void setText(const QString& text);

protected:
    void changeEvent(QEvent* event) override;
};

} // namespace tickwell
