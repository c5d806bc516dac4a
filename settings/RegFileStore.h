#pragma once

// Moves .reg data in and out of the store: an import's changes applied as one transaction, and
// the snapshot of a key tree that an export writes.

#include "settings/RegFileTypes.h"
#include "settings/StoreDatabase.h"

#include <stdexcept>
#include <vector>

namespace tickwell::regfile {

// A change the store refused (a name it does not accept); nothing of the import was applied.
class RegApplyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Applies every change in order, all or nothing. Deleting a key or value that does not exist
// is no error, as in the registry editor. Throws RegApplyError for a change the store refuses;
// StoreDatabaseError passes on. Either way nothing was applied.
void applyRegChanges(StoreDatabase& db, const std::vector<RegChange>& changes);

// The key with its values and every key below it, in the order the store lists them, read on one
// consistent state of the store so that a concurrent writer can neither tear it nor be held up.
RegKeySnapshot snapshotKeyTree(StoreDatabase& db, KeyId key);

} // namespace tickwell::regfile
