#pragma once

class QCoreApplication;

namespace tickwell {

// Installs Qt's own Russian translations (standard buttons «Да»/«Нет», dialog texts) into the
// application, whatever the user's locale. Returns false when they are not installed.
bool installRussianQtTranslations(QCoreApplication& app);

} // namespace tickwell
