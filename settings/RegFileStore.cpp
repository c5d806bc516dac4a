#include "settings/RegFileStore.h"

namespace tickwell::regfile {

namespace {

void applyOne(StoreDatabase& db, const RegChange& change) {
    const KeyId root = db.rootKey(change.key.root);
    switch (change.kind) {
    case RegChange::Kind::CreateKey:
        if (!db.createKey(root, change.key.path)) {
            throw RegApplyError("the store refused the key " + change.key.fullName());
        }
        break;
    case RegChange::Kind::DeleteTree:
        if (const auto key = db.findKey(root, change.key.path)) {
            db.deleteKeyTree(*key);
        }
        break;
    case RegChange::Kind::SetValue: {
        const auto key = db.createKey(root, change.key.path);
        if (!key || !db.setValue(*key, change.valueName, change.type, change.data)) {
            throw RegApplyError("the store refused the value '" + change.valueName + "' of " +
                                change.key.fullName());
        }
        break;
    }
    case RegChange::Kind::DeleteValue:
        if (const auto key = db.findKey(root, change.key.path)) {
            db.deleteValue(*key, change.valueName);
        }
        break;
    }
}

} // namespace

void applyRegChanges(StoreDatabase& db, const std::vector<RegChange>& changes) {
    db.transaction([&] {
        for (const RegChange& change : changes) {
            applyOne(db, change);
        }
    });
}

RegKeySnapshot snapshotKeyTree(StoreDatabase& db, KeyId key) {
    RegKeySnapshot snapshot;
    db.readTransaction([&] {
        // Depth first with a stack of its own: a tree of any depth walks in constant stack.
        struct Pending {
            KeyId id;
            std::size_t depth;
            std::string name;
        };
        std::vector<Pending> pending{{key, 0, db.keyName(key).value_or(std::string{})}};
        while (!pending.empty()) {
            Pending next = std::move(pending.back());
            pending.pop_back();
            snapshot.keys.push_back({next.depth, std::move(next.name), db.values(next.id)});
            std::vector<SubkeyEntry> subkeys = db.subkeys(next.id);
            // Pushed last to first, so that the first subkey is taken next.
            for (auto it = subkeys.rbegin(); it != subkeys.rend(); ++it) {
                pending.push_back({it->id, next.depth + 1, std::move(it->name)});
            }
        }
    });
    return snapshot;
}

} // namespace tickwell::regfile
