#include "app/CheckSettings.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "settings/SettingsRepair.h"
#include "widgets/AppTexts.h"

#include <QString>

namespace tickwell {

namespace {

constexpr char previousVersionQuestion[] = "Очистить настройки предыдущей версии программы?";
// The count goes between the two parts; "ошибок" stands for every count.
constexpr char repairReportBefore[] = "В структуре настроек приложения обнаружено ";
constexpr char repairReportAfter[] = " ошибок. Они были исправлены: структура восстановлена, все "
                                     "записи, вызывающие ошибки, удалены.";

QString repairReport(int errors) {
    return QString::fromUtf8(repairReportBefore) + QString::number(errors) +
           QString::fromUtf8(repairReportAfter);
}

} // namespace

void checkSettings(QWidget* owner) {
    int errors = 0;
    bool firstStart = false;
    {
        // The accessor lives for the repair only and is released before the report.
        SettingsRepair repair(currentClock().today());
        repair.openSoftwareKey();
        // Asked before anything is repaired; a No leaves the key, so the question comes again
        // at the next start.
        if (repair.previousVersionPresent() &&
            dialogs().ask(owner, QString::fromUtf8(previousVersionQuestion),
                          QString::fromUtf8(texts::applicationTitle), MessageIcon::Question)) {
            repair.deletePreviousVersion();
        }
        repair.noteFirstStart();
        repair.checkLayoutKeys();
        repair.checkReminderLists();
        repair.checkTaskLists();
        repair.checkReminderValues();
        repair.checkTaskValues();
        errors = repair.errors();
        firstStart = repair.firstStart();
    }
    // The first start creates the whole layout silently.
    if (!firstStart && errors > 0) {
        dialogs().inform(owner, repairReport(errors), QString::fromUtf8(texts::errorCaption),
                         MessageIcon::Information);
    }
}

} // namespace tickwell
