// Start-up: the single-instance guard, then the main window filled from the settings store, in
// the order in which the subsystems depend on each other.

#include "AppTexts.h"
#include "CheckSettings.h"
#include "Clock.h"
#include "Dialogs.h"
#include "ErrorGuard.h"
#include "ImageFileName.h"
#include "ListBox.h"
#include "MainForm.h"
#include "MainFormTexts.h"
#include "PeriodFields.h"
#include "UpDown.h"
#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "settings/StoreDatabase.h"

namespace tickwell {

namespace {

QStringList toQStringList(const std::vector<std::string>& items) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) {
        list.append(QString::fromStdString(item));
    }
    return list;
}

QStringList readNameList(SettingsStore& store, std::string_view name) {
    return toQStringList(NameList::split(store.readString(name)));
}

} // namespace

// A store or list error ends start-up where it happened; the window then opens with what was
// loaded until then.
void TMainForm::FormCreate() {
    guarded(this, [this] {
        if (refuseSecondInstance()) {
            return;
        }
        ImagePaths.clear();
        AutostartAtStart();
        reportRecoveredStore();
        CheckSettings();

        SettingsStore store;
        store.setRoot(SettingsStore::Root::LocalMachine);
        store.openKey(layout::productKey, false);
        loadImages(store);
        if (store.readBool(layout::product::imagesEnabled)) {
            // The start handler sees a stopped slideshow and starts it from the fields just read.
            store.writeBool(layout::product::imagesEnabled, false);
            Button10Click();
        }
        NoticeBackgroundColor =
            static_cast<std::uint32_t>(store.readInteger(layout::product::noticeBackgroundColor));
        NoticeTextColor =
            static_cast<std::uint32_t>(store.readInteger(layout::product::noticeTextColor));

        store.openKey(layout::notificationsKeyName, false);
        loadReminders(store);
        CreateReminderTimers();

        store.closeKey();
        store.openKey(layout::tasksKey, false);
        loadTasks(store);
        if (store.readBool(layout::tasks::tasksEnabled)) {
            store.writeBool(layout::tasks::tasksEnabled, false);
            Button11Click();
        }
        ResetTasksAtStart();

        LastCheckDate = currentClock().today();
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

void TMainForm::loadImages(SettingsStore& store) {
    ImagePaths = readNameList(store, layout::product::imagesList);
    for (const QString& path : std::as_const(ImagePaths)) {
        ListBox3->addItem(imageFileName(path));
    }
    UpDown7->setPosition(store.readInteger(layout::product::imagesTimeout));
    showPeriod(store.readInteger(layout::product::imagesInterval), *UpDown1, *UpDown2, *UpDown3);
}

void TMainForm::loadReminders(SettingsStore& store) {
    ListBox1->addItems(readNameList(store, layout::notifications::notificationsList));
}

void TMainForm::loadTasks(SettingsStore& store) {
    ListBox2->addItems(readNameList(store, layout::tasks::tasksList));
    showPeriod(store.readInteger(layout::tasks::tasksInterval), *UpDown4, *UpDown5, *UpDown6);
}

} // namespace tickwell
