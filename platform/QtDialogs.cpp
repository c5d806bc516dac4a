#include "platform/QtDialogs.h"

#include "platform/FileFilter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace tickwell {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer QtDialogs::message(QWidget* owner, const QString& text, const QString& caption,
                                 MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, owner);
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

std::optional<QColor> QtDialogs::chooseColor(QWidget* owner, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, owner);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

QStringList QtDialogs::openFiles(QWidget* owner, const QString& filter) {
    // The dialog of the file-open kind already insists on files that exist. It is the
    // toolkit's own on every desktop: that one matches a pattern without regard to letter case,
    // so "*.jpg" offers a camera's "IMG_0001.JPG", where a desktop's own dialog may not.
    return QFileDialog::getOpenFileNames(owner, QString(), QString(), qtFileFilter(filter), nullptr,
                                         QFileDialog::DontUseNativeDialog);
}

} // namespace tickwell
