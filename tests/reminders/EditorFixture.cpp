#include "EditorFixture.h"

#include "reminders/ReminderTexts.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "widgets/AppTexts.h"
#include "widgets/ListBox.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace tickwell::test {

EditorFixture::~EditorFixture() {
    if (form && reminders().AddNotice) {
        reminders().AddNotice->hide();
    }
}

void EditorFixture::start(const std::vector<StoredReminder>& reminders, int counter) {
    prepareStore([&](SettingsStore& store) { storeReminders(store, reminders, counter); });
    startForm();
}

void EditorFixture::selectRow(int row) {
    QListWidgetItem* item = reminders().ListBox1->item(row);
    ASSERT_NE(item, nullptr);
    const QRect rect = reminders().ListBox1->visualItemRect(item);
    QTest::mouseClick(reminders().ListBox1->viewport(), Qt::LeftButton, {}, rect.center());
}

void EditorFixture::openToCreate() {
    QTest::mouseClick(reminders().Button1, Qt::LeftButton);
    ASSERT_TRUE(editor().isVisible());
}

void EditorFixture::openToEdit(int row) {
    selectRow(row);
    QTest::mouseClick(reminders().Button2, Qt::LeftButton);
    ASSERT_TRUE(editor().isVisible());
}

void EditorFixture::fill(const EditorInput& input) {
    TAddNotice& e = editor();
    if (input.name) {
        typeOver(e.Edit2, *input.name);
    }
    if (input.text) {
        typeOver(e.Memo1, *input.text);
    }
    if (input.hours) {
        typeOver(e.Edit1, QString::number(*input.hours));
    }
    if (input.minutes) {
        typeOver(e.Edit3, QString::number(*input.minutes));
    }
    if (input.seconds) {
        typeOver(e.Edit4, QString::number(*input.seconds));
    }
    if (input.once && e.CheckBox1->isChecked() != *input.once) {
        QTest::mouseClick(e.CheckBox1, Qt::LeftButton);
    }
    const bool dated = input.day.has_value();
    if ((dated || input.undated) && e.CheckBox2->isChecked() != dated) {
        QTest::mouseClick(e.CheckBox2, Qt::LeftButton);
    }
    if (dated) {
        e.MonthCalendar1->setSelectedDate(*input.day);
    }
}

void EditorFixture::confirm() {
    QTest::mouseClick(editor().Button1, Qt::LeftButton);
}

void EditorFixture::expectStartQuestion(MessageAnswer answer) {
    dialogs.expectMessage({.text = QString::fromUtf8(texts::reminders::startNew),
                           .caption = QString::fromUtf8(texts::applicationTitle),
                           .icon = MessageIcon::Question,
                           .buttons = MessageButtons::YesNo,
                           .owner = &editor(),
                           .answer = answer});
}

void EditorFixture::expectRefusal(const char* text) {
    dialogs.expectMessage({.text = QString::fromUtf8(text),
                           .caption = QString::fromUtf8(texts::errorCaption),
                           .icon = MessageIcon::Warning,
                           .buttons = MessageButtons::Ok,
                           .owner = &editor()});
}

void EditorFixture::create(const EditorInput& input, MessageAnswer answer) {
    openToCreate();
    fill(input);
    expectStartQuestion(answer);
    confirm();
}

std::vector<std::string> EditorFixture::valueKinds(const std::string& key) const {
    const std::string prefix = "HKLM\\SOFTWARE\\Tickwell2\\Notifications\\" + key + " ";
    std::vector<std::string> kinds;
    for (const std::string& line : storeContents()) {
        if (line.starts_with(prefix)) {
            const std::string entry = line.substr(prefix.size());
            const auto equals = entry.find('=');
            const auto colon = entry.find(':', equals);
            kinds.push_back(entry.substr(0, equals) + ":" +
                            entry.substr(equals + 1, colon - equals - 1));
        }
    }
    return kinds;
}

std::int32_t EditorFixture::storedInteger(const std::string& key, std::string_view value) {
    SettingsStore store;
    store.openKey(std::string(layout::notificationsKey) + "\\" + key, false);
    return store.readInteger(value);
}

double EditorFixture::storedDate(const std::string& key, std::string_view value) {
    SettingsStore store;
    store.openKey(std::string(layout::notificationsKey) + "\\" + key, false);
    return store.readDate(value);
}

std::string EditorFixture::listValue(std::string_view value) {
    SettingsStore store;
    store.openKey(layout::notificationsKey, false);
    return store.readString(value);
}

std::int32_t EditorFixture::counterValue() {
    SettingsStore store;
    store.openKey(layout::notificationsKey, false);
    return store.readInteger(layout::notifications::notificationsCounter);
}

} // namespace tickwell::test
