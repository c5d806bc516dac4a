#pragma once

// Reaching a reminder in the settings store, and the rules its displays and timers share.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

class SettingsStore;

namespace tickwell::reminders {

// Opens the reminders key of the per-machine root. Throws when the key is missing, naming it.
void openRemindersKey(SettingsStore& store);
// The key list (`noticesList`) of the open reminders key.
std::vector<std::string> readKeyList(SettingsStore& store);
// The subkey at `index` of the key list of the open reminders key; a list index error when the
// list has no such entry, the store's error when the entry names no subkey of its own.
std::string subkeyAt(SettingsStore& store, int index);
// The same for a key list already read.
const std::string& keyAt(const std::vector<std::string>& keys, int index);
// The absolute path of a reminder's subkey.
std::string reminderKeyPath(std::string_view subkey);
// Opens the reminders key, then the subkey of the reminder at `index` of the key list, and
// returns that subkey's name.
std::string openReminderAt(SettingsStore& store, int index);
// Opens the subkey of a reminder. Throws when it is missing (removed behind the program's
// back) or the name is no subkey of its own (empty, or a path), naming it, so that no handler
// reads from or writes into another key instead.
void openReminderKey(SettingsStore& store, std::string_view subkey);

// The timer name of a reminder's subkey, and the subkey of a timer name.
QString timerNameFor(std::string_view subkey);
std::string subkeyOfTimer(const QString& timerName);

// A period of seconds as the details show it: "1 ч.  23 мин.  45 сек.".
QString periodText(int seconds);
// A stored day as the details show it: "5.3.2027".
QString dayText(double dayCount);
// Whether a stored day is today (a stored time of day is disregarded).
bool isToday(double dayCount);
// A stored reminder text (lines joined by CR LF) as a window shows it, and back.
QString shownText(const std::string& stored);
std::string storedText(const QString& shown);
// How long a reminder's notice stays: 70 % of a period under a minute, in whole seconds
// rounded down, otherwise 30 s. In milliseconds.
int noticeCloseDelayMs(int intervalSeconds);

} // namespace tickwell::reminders
