// Start-up: the single-instance guard, then the main window filled from the settings store, in
// the order in which the subsystems depend on each other.

#include "app/CheckSettings.h"
#include "app/MainForm.h"
#include "app/MainFormTexts.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "reminders/RemindersPage.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "settings/StoreDatabase.h"
#include "slideshow/SlideshowPage.h"
#include "tasks/TasksPage.h"
#include "widgets/AppTexts.h"
#include "widgets/ErrorGuard.h"

namespace tickwell {

// A store or list error ends start-up where it happened; the window then opens with what was
// loaded until then.
void TMainForm::FormCreate() {
    guarded(this, [this] {
        if (refuseSecondInstance()) {
            return;
        }
        AutostartAtStart();
        reportRecoveredStore();
        CheckSettings();

        SettingsStore store;
        store.setRoot(SettingsStore::Root::LocalMachine);
        store.openKey(layout::productKey, false);
        SlideshowPage& images = *TabSheet3;
        images.loadImages(store);
        if (store.readBool(layout::product::imagesEnabled)) {
            // The start handler sees a stopped slideshow and starts it from the fields just read.
            store.writeBool(layout::product::imagesEnabled, false);
            images.Button10Click();
        }
        RemindersPage& reminders = *TabSheet1;
        reminders.noticeColors.NoticeBackgroundColor =
            static_cast<std::uint32_t>(store.readInteger(layout::product::noticeBackgroundColor));
        reminders.noticeColors.NoticeTextColor =
            static_cast<std::uint32_t>(store.readInteger(layout::product::noticeTextColor));

        store.openKey(layout::notificationsKeyName, false);
        reminders.loadReminders(store);
        reminders.CreateReminderTimers();

        store.closeKey();
        store.openKey(layout::tasksKey, false);
        TasksPage& tasks = *TabSheet2;
        tasks.loadTasks(store);
        if (store.readBool(layout::tasks::tasksEnabled)) {
            store.writeBool(layout::tasks::tasksEnabled, false);
            tasks.Button11Click();
        }
        tasks.ResetTasksAtStart();

        tasks.LastCheckDate = currentClock().today();
    });
}

// Takes the single-instance lock. When another living instance holds it, tells the user and
// marks start-up as refused; nothing has touched the settings store by then. A lock that cannot
// be made at all (no writable folder for it) does not keep the user from the program.
bool TMainForm::refuseSecondInstance() {
    if (instanceLock_.tryAcquire() != InstanceLock::Result::HeldElsewhere) {
        return false;
    }
    startupRefused_ = true;
    dialogs().inform(this, QString::fromUtf8(texts::mainForm::secondInstance),
                     QString::fromUtf8(texts::errorCaption), MessageIcon::Error);
    return true;
}

// Opening the store moves a damaged file aside and starts a fresh one; the user learns where the
// old file went before the settings check fills the new one.
void TMainForm::reportRecoveredStore() {
    try {
        StoreDatabase::defaultDatabase();
    } catch (const StoreDatabaseError&) {
        // The store cannot be opened: every accessor below refuses, and reports what fails.
    }
    if (const auto notice = takeStoreRecoveryNotice()) {
        const QString where = QString::fromStdString(notice->movedToPath.string());
        dialogs().inform(this, QString::fromUtf8(texts::mainForm::damagedStore).arg(where),
                         QString::fromUtf8(texts::errorCaption), MessageIcon::Warning);
    }
}

void TMainForm::CheckSettings() {
    checkSettings(this);
}

} // namespace tickwell
