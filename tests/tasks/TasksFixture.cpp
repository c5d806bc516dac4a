#include "TasksFixture.h"

#include "StoredReminders.h"
#include "Typing.h"
#include "platform/Clock.h"
#include "reminders/NoticeForm.h"
#include "settings/Layout.h"
#include "settings/NameList.h"
#include "settings/SettingsStore.h"
#include "widgets/ListBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace tickwell::test {

TasksFixture::~TasksFixture() {
    if (form) {
        editor().hide();
    }
    destroyNoticeWindows();
}

void TasksFixture::start(const std::vector<StoredTask>& tasks, int counter,
                         const std::function<void(SettingsStore&)>& more) {
    prepareStore([&](SettingsStore& store) {
        std::vector<std::string> names;
        std::vector<std::string> keys;
        for (const StoredTask& task : tasks) {
            store.openKey(std::string(layout::tasksKey) + "\\" + task.key, true);
            store.writeString(layout::task::name, task.name);
            store.writeString(layout::task::text, task.text);
            store.writeBool(layout::task::daily, task.daily);
            store.writeBool(layout::task::complete, task.complete);
            store.writeDate(layout::task::date, task.date ? dayCountFromDate(*task.date) : today());
            names.push_back(task.name);
            keys.push_back(task.key);
        }
        store.openKey(layout::tasksKey, false);
        store.writeString(layout::tasks::tasksList, NameList::join(names));
        store.writeString(layout::tasks::tskList, NameList::join(keys));
        store.writeInteger(layout::tasks::tasksCounter, counter);
        if (more) {
            more(store);
        }
    });
    startForm();
}

void TasksFixture::clickRow(int row) {
    QListWidgetItem* item = tasks().ListBox2->item(row);
    ASSERT_NE(item, nullptr);
    const QRect rect = tasks().ListBox2->visualItemRect(item);
    QTest::mouseClick(tasks().ListBox2->viewport(), Qt::LeftButton, {}, rect.center());
}

void TasksFixture::click(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton);
}

void TasksFixture::typePeriod(int hours, int minutes, int seconds) {
    typeOver(tasks().Edit4, QString::number(hours));
    typeOver(tasks().Edit5, QString::number(minutes));
    typeOver(tasks().Edit6, QString::number(seconds));
}

void TasksFixture::addTask(const QString& name, const QString& text, bool daily) {
    click(tasks().Button5);
    typeInto(editor().Edit1, name);
    typeInto(editor().Memo1, text);
    if (daily) {
        click(editor().CheckBox1);
    }
    click(editor().Button1);
}

template <class T> T TasksFixture::stored(const std::string& key, std::string_view value) {
    SettingsStore store;
    store.openKey(std::string(layout::tasksKey) + (key.empty() ? "" : "\\" + key), false);
    if constexpr (std::is_same_v<T, bool>) {
        return store.readBool(value);
    } else if constexpr (std::is_same_v<T, std::int32_t>) {
        return store.readInteger(value);
    } else if constexpr (std::is_same_v<T, double>) {
        return store.readDate(value);
    } else {
        return store.readString(value);
    }
}
template bool TasksFixture::stored<bool>(const std::string&, std::string_view);
template std::int32_t TasksFixture::stored<std::int32_t>(const std::string&, std::string_view);
template double TasksFixture::stored<double>(const std::string&, std::string_view);
template std::string TasksFixture::stored<std::string>(const std::string&, std::string_view);

bool TasksFixture::taskExists(const std::string& key) {
    return SettingsStore().keyExists(std::string(layout::tasksKey) + "\\" + key);
}

double TasksFixture::today() const {
    return dayCountFromDate(clock.currentDateTime().date());
}

QStringList TasksFixture::noticeTexts() {
    QStringList texts;
    for (TNoticeForm* notice : noticeWindows()) {
        texts.append(notice->Label1->text());
    }
    texts.sort();
    return texts;
}

} // namespace tickwell::test
