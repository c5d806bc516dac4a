#pragma once

// The Tasks tab as a person reaches it: the main window on a store of the test's own holding the
// test's tasks, rows clicked, buttons pressed, the period typed, the editor filled; and what the
// program left in the store.

#include "MainFormFixture.h"
#include "tasks/AddTask.h"

#include <QDate>
#include <optional>

namespace tickwell::test {

struct StoredTask {
    std::string key;
    std::string name;
    std::string text{};
    bool daily = false;
    bool complete = false;
    std::optional<QDate> date{}; // unset: the test clock's day
};

class TasksFixture : public MainFormFixture {
protected:
    ~TasksFixture() override;

    // Writes the tasks, both lists and the counter, lets `more` change the tasks key further,
    // and starts the main window.
    void start(const std::vector<StoredTask>& tasks, int counter,
               const std::function<void(SettingsStore&)>& more = {});
    TAddTask& editor() const { return *tasks().AddTask; }

    void clickRow(int row);
    void click(QWidget* control);
    void typePeriod(int hours, int minutes, int seconds);
    // "Добавить", the editor filled, "Создать".
    void addTask(const QString& name, const QString& text, bool daily);

    // A value of the tasks key (`key` empty) or of a task's subkey as the store holds it now:
    // bool, std::int32_t, double (a date) or std::string.
    template <class T> static T stored(const std::string& key, std::string_view value);
    static bool taskExists(const std::string& key);

    double today() const;
    // The messages of the notice windows that exist now, sorted.
    static QStringList noticeTexts();
};

} // namespace tickwell::test
