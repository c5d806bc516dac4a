#pragma once

#include "platform/Dialogs.h"

namespace tickwell {

// The real dialogs: QMessageBox, QColorDialog and QFileDialog, each modal to its owner.
class QtDialogs final : public Dialogs {
public:
    MessageAnswer message(QWidget* owner, const QString& text, const QString& caption,
                          MessageIcon icon, MessageButtons buttons) override;
    std::optional<QColor> chooseColor(QWidget* owner, const QColor& initial) override;
    QStringList openFiles(QWidget* owner, const QString& filter) override;
};

} // namespace tickwell
