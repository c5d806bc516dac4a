#pragma once

// Reaching a task in the settings store, and the rules the task handlers share.

#include <string>
#include <string_view>
#include <vector>

class SettingsStore;

namespace tickwell {}

namespace tickwell::tasks {

// Opens the tasks key of the per-machine root. Throws when the key is missing, naming it.
void openTasksKey(SettingsStore& store);
// The key list (`tskList`) of the open tasks key.
std::vector<std::string> readKeyList(SettingsStore& store);
// Entry `index` of a key list; a list index error when the list has no such entry. An entry
// that is not one subkey name (empty, or a path reaching elsewhere in the store) fails as a
// missing subkey would, so that no handler opens, writes or deletes another key through it.
const std::string& keyAt(const std::vector<std::string>& keys, int index);
// The full path of a task's subkey.
std::string taskKeyPath(std::string_view subkey);
// Opens the subkey of a task. Throws when it is missing (removed behind the program's back),
// naming it, so that no handler reads from or writes into the tasks key instead.
void openTaskKey(SettingsStore& store, std::string_view subkey);
// Opens the tasks key, then the subkey of the task at `index` of the key list, and returns that
// subkey's name.
std::string openTaskAt(SettingsStore& store, int index);

// Whether a task whose cycle began on `date` begins a new one on `today` (both day counts): its
// day lies before today. A stored time of day is disregarded.
bool startsNewCycle(double date, double today);
// The task of the open subkey not done again, its cycle beginning `today`.
void beginNewCycle(SettingsStore& store, double today);

// How long a task notice stays when the reminders come every `periodSeconds`: 70 % of a period
// under 100 s, in whole seconds rounded down, otherwise 60 s. In milliseconds.
int noticeCloseDelayMs(int periodSeconds);

} // namespace tickwell::tasks
