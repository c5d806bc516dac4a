#pragma once

// The reminder editor as a person reaches it: the main window on a store of the test's own,
// "Добавить" or "Редактировать" pressed, the fields typed into, the confirm button pressed and
// the message boxes answered through the scripted dialogs.

#include "MainFormFixture.h"
#include "StoredReminders.h"
#include "Typing.h"
#include "platform/Dialogs.h"
#include "reminders/AddNotice.h"

#include <QDate>
#include <optional>
#include <string>
#include <vector>

namespace tickwell::test {

// What a person types into the editor; unset fields are left as they are.
struct EditorInput {
    std::optional<QString> name{};
    std::optional<QString> text{}; // "\n" is a press of Enter
    std::optional<int> hours{}, minutes{}, seconds{};
    std::optional<bool> once{};
    // Set: "Учитывать дату" checked and that day chosen; nullopt with `undated`: unchecked.
    std::optional<QDate> day{};
    bool undated = false;
};

class EditorFixture : public MainFormFixture {
protected:
    ~EditorFixture() override;

    void start(const std::vector<StoredReminder>& reminders, int counter);
    TAddNotice& editor() const { return *reminders().AddNotice; }

    // Clicks the main list's item at `row`.
    void selectRow(int row);
    // "Добавить", and "Редактировать" for the reminder at `row`.
    void openToCreate();
    void openToEdit(int row);
    // Types into the open editor as `input` says.
    void fill(const EditorInput& input);
    // Presses the confirm button ("Создать" or "Изменить").
    void confirm();

    // The next message box is the question after a new reminder, answered `answer`.
    void expectStartQuestion(MessageAnswer answer);
    // The next message box is the editor's refusal `text` (caption "Ошибка", warning icon).
    void expectRefusal(const char* text);

    // Opens the editor to create, fills it, confirms and answers the start question.
    void create(const EditorInput& input, MessageAnswer answer);

    // The values of a reminder's subkey as "name:type" in the order they were first written
    // (type 1 string, 3 binary, 4 integer).
    std::vector<std::string> valueKinds(const std::string& key) const;
    static std::int32_t storedInteger(const std::string& key, std::string_view value);
    static double storedDate(const std::string& key, std::string_view value);
    // A value of the reminders key.
    static std::string listValue(std::string_view value);
    static std::int32_t counterValue();
};

} // namespace tickwell::test
