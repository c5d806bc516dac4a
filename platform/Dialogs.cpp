#include "platform/Dialogs.h"

#include "platform/QtDialogs.h"
#include "platform/Seams.h"

namespace tickwell {

void Dialogs::inform(QWidget* owner, const QString& text, const QString& caption,
                     MessageIcon icon) {
    message(owner, text, caption, icon, MessageButtons::Ok);
}

bool Dialogs::ask(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon) {
    return message(owner, text, caption, icon, MessageButtons::YesNo) == MessageAnswer::Yes;
}

Dialogs& dialogs() {
    static QtDialogs real;
    Dialogs* installed = installedSeams().dialogs;
    return installed != nullptr ? *installed : real;
}

} // namespace tickwell
