#include "Dialogs.h"

#include "QtDialogs.h"

namespace tickwell {

namespace {
Dialogs* installed = nullptr;
} // namespace

void Dialogs::inform(QWidget* owner, const QString& text, const QString& caption,
                     MessageIcon icon) {
    message(owner, text, caption, icon, MessageButtons::Ok);
}

bool Dialogs::ask(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon) {
    return message(owner, text, caption, icon, MessageButtons::YesNo) == MessageAnswer::Yes;
}

Dialogs& dialogs() {
    static QtDialogs real;
    return installed != nullptr ? *installed : real;
}

void setDialogs(Dialogs* replacement) {
    installed = replacement;
}

} // namespace tickwell
