#include "MainFormFixture.h"

#include "app/CheckSettings.h"
#include "settings/SettingsStore.h"
#include "settings/StoreDatabase.h"

#include <QByteArray>

namespace tickwell::test {

MainFormFixture::MainFormFixture() {
    qputenv("TICKWELL_CONFIG_DIR", storeDir_.path().toLocal8Bit());
    StoreDatabase::resetDefaultDatabase();
}

MainFormFixture::~MainFormFixture() {
    form.reset();
    dialogs.verifyAllUsed();
    StoreDatabase::resetDefaultDatabase();
    qunsetenv("TICKWELL_CONFIG_DIR");
}

void MainFormFixture::prepareStore(const std::function<void(SettingsStore&)>& change) {
    // On an empty store the check creates the whole layout and tells nobody.
    checkSettings(nullptr);
    if (change) {
        SettingsStore store;
        store.setRoot(SettingsStore::Root::LocalMachine);
        change(store);
    }
}

TMainForm& MainFormFixture::startForm() {
    form = std::make_unique<TMainForm>();
    return *form;
}

RemindersPage& MainFormFixture::reminders() const {
    return *form->TabSheet1;
}

TasksPage& MainFormFixture::tasks() const {
    return *form->TabSheet2;
}

SlideshowPage& MainFormFixture::images() const {
    return *form->TabSheet3;
}

HelpPage& MainFormFixture::help() const {
    return *form->TabSheet5;
}

namespace {
void dumpKey(StoreDatabase& db, KeyId key, const std::string& path,
             std::vector<std::string>& lines) {
    for (const RawValue& value : db.values(key)) {
        std::string line = path + " " + value.name + "=" + std::to_string(value.type) + ":";
        for (std::uint8_t byte : value.data) {
            line += std::to_string(byte) + ",";
        }
        lines.push_back(line);
    }
    for (const SubkeyEntry& subkey : db.subkeys(key)) {
        lines.push_back(path + "\\" + subkey.name);
        dumpKey(db, subkey.id, path + "\\" + subkey.name, lines);
    }
}
} // namespace

std::vector<std::string> MainFormFixture::storeContents() const {
    auto db = StoreDatabase::openFile(StoreDatabase::defaultFilePath());
    std::vector<std::string> lines;
    dumpKey(*db, db->rootKey(Root::LocalMachine), "HKLM", lines);
    dumpKey(*db, db->rootKey(Root::CurrentUser), "HKCU", lines);
    return lines;
}

} // namespace tickwell::test
