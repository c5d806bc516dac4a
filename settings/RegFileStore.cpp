#include "settings/RegFileStore.h"

#include "settings/RegFileDecoding.h"

#include <string>

namespace tickwell::regfile {

namespace {

// Applies changes to the store as they come, holding the key of the section at hand.
class StoreWriter final : public RegChangeSink {
public:
    explicit StoreWriter(StoreDatabase& db) : db_(db) {}

    void createKey(const RegKeyPath& key) override {
        sectionName_ = key.fullName();
        section_ = db_.createKey(db_.rootKey(key.root), key.path);
        if (!section_) {
            throw RegApplyError("the store refused the key " + sectionName_);
        }
    }
    void deleteTree(const RegKeyPath& key) override {
        section_.reset();
        if (const auto found = db_.findKey(db_.rootKey(key.root), key.path)) {
            db_.deleteKeyTree(*found);
        }
    }
    void setValue(std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override {
        if (!section_ || !db_.setValue(*section_, name, type, data)) {
            throw RegApplyError("the store refused the value '" + std::string(name) + "' of " +
                                sectionName_);
        }
    }
    void deleteValue(std::string_view name) override {
        if (section_) {
            db_.deleteValue(*section_, name);
        }
    }

    // For lists of changes: makes `key` the section without creating it.
    void findSection(const RegKeyPath& key) {
        sectionName_ = key.fullName();
        section_ = db_.findKey(db_.rootKey(key.root), key.path);
    }

private:
    StoreDatabase& db_;
    std::optional<KeyId> section_;
    std::string sectionName_;
};

// Ignores the changes: reading for faults only.
class NoChanges final : public RegChangeSink {
public:
    void createKey(const RegKeyPath&) override {}
    void deleteTree(const RegKeyPath&) override {}
    void setValue(std::string_view, std::uint32_t, std::span<const std::uint8_t>) override {}
    void deleteValue(std::string_view) override {}
};

} // namespace

std::optional<RegParseError> importRegFile(StoreDatabase& db, std::span<const std::uint8_t> bytes) {
    auto decoded = decodeRegFileBytes(bytes);
    if (auto* error = std::get_if<RegParseError>(&decoded)) {
        return std::move(*error);
    }
    const std::string& text = std::get<std::string>(decoded);
    NoChanges check;
    if (auto error = readRegText(text, check)) {
        return error;
    }
    db.transaction([&] {
        StoreWriter writer(db);
        // The text was read without a fault above: reading it again finds none.
        readRegText(text, writer);
    });
    return std::nullopt;
}

void applyRegChanges(StoreDatabase& db, const std::vector<RegChange>& changes) {
    db.transaction([&] {
        StoreWriter writer(db);
        // The key of the change before, and whether the writer holds it created.
        const RegKeyPath* section = nullptr;
        bool created = false;
        for (const RegChange& change : changes) {
            const bool sameKey = section != nullptr && *section == change.key;
            switch (change.kind) {
            case RegChange::Kind::CreateKey:
                writer.createKey(change.key);
                break;
            case RegChange::Kind::DeleteTree:
                writer.deleteTree(change.key);
                break;
            case RegChange::Kind::SetValue:
                if (!sameKey || !created) {
                    writer.createKey(change.key);
                }
                writer.setValue(change.valueName, change.type, change.data);
                break;
            case RegChange::Kind::DeleteValue:
                if (!sameKey) {
                    writer.findSection(change.key);
                }
                writer.deleteValue(change.valueName);
                break;
            }
            section = change.kind == RegChange::Kind::DeleteTree ? nullptr : &change.key;
            created = change.kind == RegChange::Kind::CreateKey ||
                      change.kind == RegChange::Kind::SetValue ||
                      (created && sameKey && change.kind == RegChange::Kind::DeleteValue);
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
