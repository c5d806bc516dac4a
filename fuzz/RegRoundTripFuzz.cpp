// A .reg file through a store and back: whatever a file puts into the store, an export of the
// store carries, and that export read into an empty store gives the same keys and values.

#include "FuzzStore.h"
#include "settings/RegFileReader.h"
#include "settings/RegFileStore.h"
#include "settings/RegFileWriter.h"

#include <cstdint>
#include <cstdlib>

using namespace tickwell;
using namespace tickwell::regfile;

namespace {

const std::filesystem::path folder = fuzzing::privateFolder();
const auto first = StoreDatabase::openFile(folder / "first.db");
const auto second = StoreDatabase::openFile(folder / "second.db");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = parseRegFile({data, size});
    const auto* changes = std::get_if<std::vector<RegChange>>(&parsed);
    if (!changes) {
        return 0;
    }
    fuzzing::empty(*first);
    try {
        applyRegChanges(*first, *changes);
    } catch (const RegApplyError&) {
        return 0; // refused whole: nothing to carry
    }
    fuzzing::empty(*second);
    for (const Root root : {Root::LocalMachine, Root::CurrentUser}) {
        const RegKeySnapshot original = snapshotKeyTree(*first, first->rootKey(root));
        // What the store holds, the format carries: no write error, no read error.
        const auto exported = writeRegFile({root, ""}, original);
        const auto reread = parseRegFile(exported);
        const auto* again = std::get_if<std::vector<RegChange>>(&reread);
        if (!again) {
            std::abort();
        }
        applyRegChanges(*second, *again);
        if (snapshotKeyTree(*second, second->rootKey(root)) != original) {
            std::abort();
        }
    }
    return 0;
}
