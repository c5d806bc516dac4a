#pragma once

// Moves .reg data in and out of the store: an import's changes applied as one transaction, and
// the snapshot of a key tree that an export writes.

#include "settings/RegFileReader.h"
#include "settings/RegFileTypes.h"
#include "settings/StoreDatabase.h"

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

namespace tickwell::regfile {

// A change the store refused (a name it does not accept); nothing of the import was applied.
class RegApplyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Imports a whole .reg file, all or nothing. The text is read twice: once to find its first
// fault, which is returned with nothing applied, then again with every change applied as it is
// read, in one transaction, each section's key looked up or created once for all its values.
// Memory stays with the decoded text. Deleting a key or value that does not exist is no error,
// as in the registry editor. Throws RegApplyError for a change the store refuses;
// StoreDatabaseError passes on. Either way nothing was applied.
std::optional<RegParseError> importRegFile(StoreDatabase& db, std::span<const std::uint8_t> bytes);

// Applies a list of changes (parseRegFile) in order, all or nothing, with the errors of
// importRegFile. A value change whose key differs from the change before it finds its key anew
// (creating it for a value that is set).
void applyRegChanges(StoreDatabase& db, const std::vector<RegChange>& changes);

// The key with its values and every key below it, in the order the store lists them, read on one
// consistent state of the store so that a concurrent writer cannot tear it.
RegKeySnapshot snapshotKeyTree(StoreDatabase& db, KeyId key);

} // namespace tickwell::regfile
