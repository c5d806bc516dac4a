// Saving in the task editor: the record and both lists in the store, for a new task or the one
// the editor was opened for. Nothing is checked: an empty name or description is kept.

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "reminders/ReminderRecord.h"
#include "settings/ItemNumber.h"
#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "settings/StoreError.h"
#include "tasks/AddTask.h"
#include "tasks/TaskRecord.h"
#include "tasks/TaskTexts.h"
#include "tasks/TasksPage.h"
#include "widgets/AppTexts.h"
#include "widgets/ListBox.h"
#include "widgets/ListIndexError.h"
#include "widgets/StoredNameList.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdint>

namespace tickwell {

bool TAddTask::editing() const {
    return Button1->text() == QString::fromUtf8(texts::change);
}

// A save is a new cycle of the task: not done, from today on.
void TAddTask::Button1Click() {
    const bool edit = editing();
    {
        SettingsStore store;
        tasks::openTasksKey(store);
        const int row = edit ? editedRow(store) : -1;
        if (edit && row < 0) {
            dialogs().inform(this, QString::fromUtf8(texts::tasks::editedDeleted),
                             QString::fromUtf8(texts::errorCaption), MessageIcon::Warning);
            return;
        }
        if (edit) {
            openEditedRecord(store, row);
        } else {
            createRecord(store);
        }
        writeRecord(store);
    }
    page_.ListBox2Click();
    hide();
}

int TAddTask::editedRow(SettingsStore& store) const {
    return listedRow(tasks::readKeyList(store), editedKey_);
}

// A new task: the next free number from the counter, its name at the end of the display list,
// its subkey at the end of the key list; the subkey is created and left open. The selection in
// the main list stays where it is.
void TAddTask::createRecord(SettingsStore& store) {
    namespace n = layout::tasks;
    // The counter first: a counter that cannot be read leaves the list as it was.
    const std::int32_t number =
        layout::nextFreeNumber(store, store.readInteger(n::tasksCounter), layout::taskKeyName);
    store.writeInteger(n::tasksCounter, number);

    page_.ListBox2->addItem(Edit1->text());
    storeNameList(store, layout::tasks::tasksList, page_.ListBox2->items());

    std::vector<std::string> keys = tasks::readKeyList(store);
    const std::string subkey = layout::taskKeyName(number);
    keys.push_back(subkey);
    store.writeString(n::tskList, NameList::join(keys));

    if (!store.openKey(subkey, true)) {
        // The values must not land in the tasks key itself.
        throw StoreError::failedToOpen(tasks::taskKeyPath(subkey));
    }
}

// The task the editor was opened for: its new name in its row of the list, and its subkey open.
void TAddTask::openEditedRecord(SettingsStore& store, int row) {
    checkListIndex(row, page_.ListBox2->count());
    page_.ListBox2->item(row)->setText(Edit1->text());
    storeNameList(store, layout::tasks::tasksList, page_.ListBox2->items());
    tasks::openTaskKey(store, editedKey_);
}

void TAddTask::writeRecord(SettingsStore& store) {
    namespace v = layout::task;
    store.writeString(v::name, Edit1->text().toStdString());
    store.writeString(v::text, reminders::storedText(Memo1->toPlainText()));
    store.writeBool(v::daily, CheckBox1->isChecked());
    store.writeBool(v::complete, false);
    store.writeDate(v::date, currentClock().today());
}

} // namespace tickwell
