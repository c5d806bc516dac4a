#pragma once

// Reminders as a test puts them into the store before the main window starts, and what the
// program left there afterwards.

#include <QDate>
#include <QString>
#include <optional>
#include <string>
#include <vector>

class SettingsStore;

namespace tickwell {
class TNoticeForm;
}

namespace tickwell::test {

struct StoredReminder {
    std::string key;
    std::string name;
    std::string text = "Текст";
    int interval = 60;
    bool once = false;
    bool enabled = false;
    // Set: a dated reminder for that day.
    std::optional<QDate> date{};
};

// Writes every reminder's subkey, both lists in the given order and the counter.
void storeReminders(SettingsStore& store, const std::vector<StoredReminder>& reminders,
                    int counter);

// A value of a reminder's subkey as the store now holds it.
bool storedBool(const std::string& key, std::string_view value);
std::string storedString(std::string_view key, std::string_view value);

// The notice windows that exist now, in no particular order.
std::vector<TNoticeForm*> noticeWindows();
// Destroys every notice window (a test's leftovers).
void destroyNoticeWindows();

} // namespace tickwell::test
