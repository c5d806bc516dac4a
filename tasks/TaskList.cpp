// The Tasks tab's list: the details of the selected task, its done mark, and adding, editing and
// deleting tasks. Every handler reads what it needs from the store afresh.

#include "platform/Dialogs.h"
#include "reminders/ReminderRecord.h"
#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "tasks/AddTask.h"
#include "tasks/TaskRecord.h"
#include "tasks/TaskTexts.h"
#include "tasks/TasksPage.h"
#include "widgets/AppTexts.h"
#include "widgets/FormControls.h"
#include "widgets/ListBox.h"
#include "widgets/StoredNameList.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace tickwell {

namespace {
namespace t = texts::tasks;
} // namespace

void TasksPage::ListBox2Click() {
    const int index = ListBox2->itemIndex();
    if (index < 0) {
        return;
    }
    SettingsStore store;
    tasks::openTaskAt(store, index);
    Label12->setText(reminders::shownText(store.readString(layout::task::text)));
    showDone(store.readBool(layout::task::complete));
    CheckBox1->setEnabled(true);
}

void TasksPage::showDone(bool done) {
    const QSignalBlocker programsOwnChange(CheckBox1);
    CheckBox1->setChecked(done);
}

void TasksPage::Button5Click() {
    AddTask->openToCreate();
}

void TasksPage::Button6Click() {
    const int index = ListBox2->itemIndex();
    if (index < 0) {
        return;
    }
    SettingsStore store;
    tasks::openTasksKey(store);
    AddTask->openToEdit(tasks::keyAt(tasks::readKeyList(store), index));
}

void TasksPage::Button7Click() {
    const int index = ListBox2->itemIndex();
    if (index < 0) {
        return;
    }
    deleteTask(index);
}

// The task reminders go on as they are, also when the list becomes empty.
void TasksPage::deleteTask(int index) {
    SettingsStore store;
    tasks::openTasksKey(store);
    std::vector<std::string> keys = tasks::readKeyList(store);
    const std::string subkey = tasks::keyAt(keys, index);
    store.deleteKey(tasks::taskKeyPath(subkey));
    keys.erase(keys.begin() + index);
    store.writeString(layout::tasks::tskList, NameList::join(keys));
    delete ListBox2->takeItem(index);
    // The list would move the selection to the next task, whose details are not shown: the next
    // edit, delete or done mark must not act on it unseen.
    ListBox2->setItemIndex(-1);
    storeNameList(store, layout::tasks::tasksList, ListBox2->items());

    showDone(false);
    CheckBox1->setEnabled(false);
    Label12->clear();
}

// The user has just changed the done mark. A store error leaves the box showing what the store
// still holds.
void TasksPage::CheckBox1Click() {
    const int index = ListBox2->itemIndex();
    if (index < 0) {
        return;
    }
    const bool done = CheckBox1->isChecked();
    try {
        SettingsStore store;
        tasks::openTaskAt(store, index);
        if (done && !store.readBool(layout::task::daily) &&
            dialogs().ask(window(), QString::fromUtf8(t::deleteOneOff),
                          QString::fromUtf8(texts::applicationTitle), MessageIcon::Question)) {
            deleteTask(index);
            return;
        }
        store.writeBool(layout::task::complete, done);
    } catch (...) {
        showDone(!done);
        throw;
    }
}

} // namespace tickwell
