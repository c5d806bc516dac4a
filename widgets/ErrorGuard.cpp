#include "widgets/ErrorGuard.h"

#include "platform/Dialogs.h"

namespace tickwell {

void reportError(QWidget* owner, const QString& text) {
    dialogs().message(owner, text, QString::fromUtf8(texts::applicationTitle), MessageIcon::Error,
                      MessageButtons::Ok);
}

QString errorText(const std::exception& error) {
    return QString::fromUtf8(error.what());
}

} // namespace tickwell
