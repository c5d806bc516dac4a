#include "settings/RegFileStore.h"

namespace tickwell::regfile {

namespace {

RegKeySnapshot readTree(StoreDatabase& db, KeyId key) {
    RegKeySnapshot snapshot;
    snapshot.name = db.keyName(key).value_or(std::string{});
    snapshot.values = db.values(key);
    for (const SubkeyEntry& subkey : db.subkeys(key)) {
        snapshot.subkeys.push_back(readTree(db, subkey.id));
    }
    return snapshot;
}

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
    db.transaction([&] { snapshot = readTree(db, key); });
    return snapshot;
}

} // namespace tickwell::regfile
