#pragma once

// A SQLite VFS that passes every call to the system's own, except that reads, writes and syncs
// can be made to fail at the Nth call: once, as a passing fault does, or from then on, as a full
// disk does. It is installed as the default VFS of the process, so every store the process opens
// goes through it. Syncs (of files, and of the folder after a journal is removed) are counted,
// not made: no test here cuts the power.

#include <sqlite3.h>

namespace faulty {

enum class Call { Read, Write, Sync };
enum class Lasting { Once, FromThenOn };

// Installs the VFS as the process's default (once; later calls do nothing).
void install();

// Fails the `nth` call of `call` from now on (1 for the next one) with `code`.
void arm(Call call, int nth, int code, Lasting lasting);
// No more faults.
void disarm();
// How many calls of `call` were made since the last arm() or resetCounts().
int count(Call call);
void resetCounts();
// Whether the armed fault has struck.
bool struck();

} // namespace faulty
