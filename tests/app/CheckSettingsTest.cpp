// The settings check against stores prepared from .reg files: a complete layout (intact.reg)
// with one damage applied on top of it. Each case runs in its own store folder, with scripted
// dialogs and a clock that stands on 2026-06-27 14:30 (day 46200).

#include "app/CheckSettings.h"

#include "RegFileTestSupport.h"
#include "TempFolder.h"
#include "TestSeams.h"
#include "settings/RegFileStore.h"
#include "settings/RegFileWriter.h"
#include "settings/SettingsStore.h"

#include <QWidget>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>

using namespace tickwell;
using regfile::test::dword;

namespace {

constexpr double today = 46200; // 2026-06-27
const char* const product = "\\SOFTWARE\\Tickwell2";
const char* const notifications = "\\SOFTWARE\\Tickwell2\\Notifications";
const char* const tasks = "\\SOFTWARE\\Tickwell2\\Tasks";

QString reportText(int count) {
    return QString::fromUtf8("В структуре настроек приложения обнаружено ") +
           QString::number(count) +
           QString::fromUtf8(" ошибок. Они были исправлены: структура восстановлена, все записи, "
                             "вызывающие ошибки, удалены.");
}

RawValue stringValue(std::string name, std::string_view text) {
    return {std::move(name), valuetype::String, {text.begin(), text.end()}};
}

RawValue dwordValue(std::string name, std::uint32_t value) {
    return {std::move(name), valuetype::Dword, dword(value)};
}

class CheckSettingsTest : public ::testing::Test {
public:
    std::shared_ptr<StoreDatabase> db() { return StoreDatabase::defaultDatabase(); }

    void load(const std::string& fixture) {
        std::ifstream file(std::string(TICKWELL_CHECK_FIXTURES) + "/" + fixture + ".reg",
                           std::ios::binary);
        ASSERT_TRUE(file) << fixture;
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        regfile::applyRegChanges(*db(), regfile::test::parseOk(bytes));
    }

    // Both roots in the registry editor's text, for before/after comparisons.
    std::string exportAll() {
        std::string text;
        for (const Root root : {Root::LocalMachine, Root::CurrentUser}) {
            const auto snapshot = regfile::snapshotKeyTree(*db(), db()->rootKey(root));
            text += regfile::test::textOfUtf16File(regfile::writeRegFile({root, ""}, snapshot));
        }
        return text;
    }

    // An accessor of the test's own with `key` open.
    std::unique_ptr<SettingsStore> at(std::string_view key) {
        auto store = std::make_unique<SettingsStore>(db());
        EXPECT_TRUE(store->openKey(key, false)) << key;
        return store;
    }

    std::vector<RawValue> valuesOf(std::string_view key) {
        const auto id = db()->findKey(db()->rootKey(Root::LocalMachine), key);
        return id ? db()->values(*id) : std::vector<RawValue>{};
    }

protected:
    void expectReport(int count) {
        dialogs.expectMessage({reportText(count),
                               QString::fromUtf8("Ошибка"),
                               MessageIcon::Information,
                               MessageButtons::Ok,
                               &owner,
                               {}});
    }

    void expectPreviousVersionQuestion(MessageAnswer answer) {
        dialogs.expectMessage({QString::fromUtf8("Очистить настройки предыдущей версии программы?"),
                               QString::fromUtf8("Tickwell v2.0"), MessageIcon::Question,
                               MessageButtons::YesNo, &owner, answer});
    }

    TempFolder folder;
    ScopedConfigFolder config{folder.path()};
    test::TestSeams seams;
    test::ScriptedDialogs& dialogs = seams.dialogs;
    QWidget owner;

    void SetUp() override { seams.clock.set(QDateTime(QDate(2026, 6, 27), QTime(14, 30))); }
};

TEST_F(CheckSettingsTest, FirstStartOnEmptyStoreCreatesWholeLayoutSilently) {
    checkSettings(&owner);

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(valuesOf(product),
              (std::vector<RawValue>{stringValue("imagesList", ""), dwordValue("imagesTimeout", 30),
                                     dwordValue("imagesInterval", 0),
                                     dwordValue("imagesEnabled", 0), dwordValue("imgCounter", 0),
                                     dwordValue("noticeBackgroundColor", 0xFFFF00),
                                     dwordValue("noticeTextColor", 0)}));
    EXPECT_EQ(valuesOf(notifications), (std::vector<RawValue>{dwordValue("notificationsCounter", 0),
                                                              stringValue("notificationsList", ""),
                                                              stringValue("noticesList", "")}));
    EXPECT_EQ(valuesOf(tasks),
              (std::vector<RawValue>{dwordValue("tasksCounter", 0), stringValue("tasksList", ""),
                                     stringValue("tskList", ""), dwordValue("tasksEnabled", 0),
                                     dwordValue("tasksInterval", 0), dwordValue("taskNumber", 0)}));
    // The product key sits under SOFTWARE, never beside it at the root.
    const auto rootKeys = db()->subkeys(db()->rootKey(Root::LocalMachine));
    ASSERT_EQ(rootKeys.size(), 1u);
    EXPECT_EQ(rootKeys[0].name, "SOFTWARE");
}

TEST_F(CheckSettingsTest, FirstStartStillOffersToClearPreviousVersionButReportsNothing) {
    load("previous-version");
    expectPreviousVersionQuestion(MessageAnswer::Yes);

    checkSettings(&owner);

    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_FALSE(db()->findKey(db()->rootKey(Root::LocalMachine), "SOFTWARE\\Tickwell"));
    EXPECT_EQ(valuesOf(product).size(), 7u);
}

TEST_F(CheckSettingsTest, IntactStoreIsLeftAsItWasWithoutMessage) {
    load("intact");
    const std::string before = exportAll();

    checkSettings(&owner);

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(exportAll(), before);
}

// Forwards to the scripted dialogs and notes, at each box, whether `imagesTimeout` exists.
class DialogsWatchingStore final : public Dialogs {
public:
    DialogsWatchingStore(Dialogs& script, std::shared_ptr<StoreDatabase> db)
        : script_(script), db_(std::move(db)), guard_(withThese()) {}

    MessageAnswer message(QWidget* owner, const QString& text, const QString& caption,
                          MessageIcon icon, MessageButtons buttons) override {
        SettingsStore store(db_);
        store.openKey(product, false);
        timeoutPresent.push_back(store.valueExists("imagesTimeout"));
        return script_.message(owner, text, caption, icon, buttons);
    }
    std::optional<QColor> chooseColor(QWidget* owner, const QColor& initial) override {
        return script_.chooseColor(owner, initial);
    }
    QStringList openFiles(QWidget* owner, const QString& filter) override {
        return script_.openFiles(owner, filter);
    }

    std::vector<bool> timeoutPresent;

private:
    // The seams in place, with these dialogs instead of the script.
    Seams withThese() {
        Seams seams = installedSeams();
        seams.dialogs = this;
        return seams;
    }

    Dialogs& script_;
    std::shared_ptr<StoreDatabase> db_;
    SeamsGuard guard_;
};

TEST_F(CheckSettingsTest, PreviousVersionAnsweredNoIsAskedFirstAndAgainNextStart) {
    load("intact");
    load("previous-version");
    load("images-timeout-deleted");
    expectPreviousVersionQuestion(MessageAnswer::No);
    expectReport(1);
    {
        DialogsWatchingStore watch(dialogs, db());
        checkSettings(&owner);
        // Asked while imagesTimeout was still missing, reported once it was restored.
        EXPECT_EQ(watch.timeoutPresent, (std::vector<bool>{false, true}));
    }
    EXPECT_EQ(at("\\SOFTWARE\\Tickwell\\Reminders\\item1")->readString("Text"), "Пора обедать");

    expectPreviousVersionQuestion(MessageAnswer::No);
    checkSettings(&owner);
    EXPECT_TRUE(at("\\SOFTWARE\\Tickwell")->valueExists("Interval"));
}

TEST_F(CheckSettingsTest, PreviousVersionAnsweredYesIsRemovedWithEverythingBelow) {
    load("intact");
    load("previous-version");
    const std::string intactExport = [&] {
        TempFolder other;
        ScopedConfigFolder otherConfig(other.path());
        load("intact");
        return exportAll();
    }();
    expectPreviousVersionQuestion(MessageAnswer::Yes);

    checkSettings(&owner);
    EXPECT_EQ(exportAll(), intactExport);

    checkSettings(&owner); // no question any more
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

// One damaged layout: the fixture applied on top of intact.reg, the repairs it must count, and
// what must hold afterwards.
struct Damage {
    const char* fixture;
    int errors;
    std::function<void(CheckSettingsTest&)> expect;
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.fixture;
}

class CheckSettingsRepairTest : public CheckSettingsTest,
                                public ::testing::WithParamInterface<Damage> {};

TEST_P(CheckSettingsRepairTest, RepairsCountsAndReportsThenStaysQuiet) {
    load("intact");
    load(GetParam().fixture);
    const std::string before = exportAll();
    if (GetParam().errors > 0) {
        expectReport(GetParam().errors);
    }

    checkSettings(&owner);

    dialogs.verifyAllUsed();
    GetParam().expect(*this);
    const std::string repaired = exportAll();
    if (GetParam().errors == 0) {
        EXPECT_EQ(repaired, before);
    }
    // A repaired store is whole: the next start finds nothing to repair and changes nothing.
    checkSettings(&owner);
    EXPECT_EQ(exportAll(), repaired);
}

std::string listOf(CheckSettingsTest& suite, const char* key, const char* list) {
    return suite.at(key)->readString(list);
}

const char* const intactNames = "Купить хлеб\r\nПерерыв\r\nStretch\r\n";
const char* const intactKeys = "notice1\r\nnotice2\r\nnotice3\r\n";

void expectReminderLists(CheckSettingsTest& suite, const char* names, const char* keys) {
    EXPECT_EQ(listOf(suite, notifications, "notificationsList"), names);
    EXPECT_EQ(listOf(suite, notifications, "noticesList"), keys);
}

INSTANTIATE_TEST_SUITE_P(
    DamagedLayouts, CheckSettingsRepairTest,
    ::testing::Values(
        Damage{"images-timeout-deleted", 1,
               [](CheckSettingsTest& suite) {
                   EXPECT_EQ(suite.at(product)->readInteger("imagesTimeout"), 30);
               }},
        Damage{"display-list-longer", 1,
               [](CheckSettingsTest& suite) {
                   expectReminderLists(suite, "Купить хлеб\r\nПерерыв\r\n",
                                       "notice1\r\nnotice2\r\n");
               }},
        Damage{"subkey-missing", 2,
               [](CheckSettingsTest& suite) {
                   expectReminderLists(suite, "Купить хлеб\r\nStretch legs\r\n",
                                       "notice1\r\nnotice3\r\n");
               }},
        Damage{"display-name-differs", 1,
               [](CheckSettingsTest& suite) {
                   expectReminderLists(suite, "Купить молоко\r\nПерерыв\r\nStretch\r\n",
                                       intactKeys);
               }},
        // The name is written into the display list on one line: both lists keep their length.
        Damage{"display-name-with-line-break", 1,
               [](CheckSettingsTest& suite) {
                   expectReminderLists(suite, "Купить хлеб\r\nОбед в час\r\nStretch\r\n",
                                       intactKeys);
               }},
        Damage{"display-name-differs-in-case", 1,
               [](CheckSettingsTest& suite) {
                   expectReminderLists(suite, "купить хлеб\r\nПерерыв\r\nStretch\r\n", intactKeys);
               }},
        Damage{"notice-counter-low", 1,
               [](CheckSettingsTest& suite) {
                   EXPECT_EQ(suite.at(notifications)->readInteger("notificationsCounter"), 3);
               }},
        Damage{"task-number-beyond-counter", 1,
               [](CheckSettingsTest& suite) {
                   auto store = suite.at(tasks);
                   EXPECT_EQ(store->readInteger("taskNumber"), 0);
                   EXPECT_EQ(store->readInteger("tasksCounter"), 5);
               }},
        Damage{"task-number-with-zero-counter", 0,
               [](CheckSettingsTest& suite) {
                   auto store = suite.at(tasks);
                   EXPECT_EQ(store->readInteger("taskNumber"), 7);
                   EXPECT_EQ(store->readInteger("tasksCounter"), 0);
               }},
        Damage{"dated-reminder-without-date", 1,
               [](CheckSettingsTest& suite) {
                   EXPECT_EQ(suite.at(std::string(notifications) + "\\notice1")->readDate("date"),
                             today);
               }},
        Damage{"reminder-without-date-flag", 1,
               [](CheckSettingsTest& suite) {
                   auto store = suite.at(std::string(notifications) + "\\notice2");
                   EXPECT_FALSE(store->readBool("dateEnabled"));
                   EXPECT_FALSE(store->valueExists("date"));
               }},
        Damage{"item-values-missing", 8,
               [](CheckSettingsTest& suite) {
                   auto notice = suite.at(std::string(notifications) + "\\notice3");
                   EXPECT_FALSE(notice->readBool("enabled"));
                   EXPECT_EQ(notice->readInteger("interval"), 0);
                   EXPECT_FALSE(notice->readBool("once"));
                   EXPECT_TRUE(notice->valueExists("text"));
                   auto task = suite.at(std::string(tasks) + "\\task1");
                   EXPECT_FALSE(task->readBool("complete"));
                   EXPECT_FALSE(task->readBool("daily"));
                   EXPECT_EQ(task->readDate("date"), today);
                   EXPECT_TRUE(task->valueExists("text"));
               }},
        Damage{"key-names-in-other-case", 1,
               [](CheckSettingsTest& suite) {
                   expectReminderLists(suite, intactNames, "NOTICE1\r\nNotice2\r\nnotice3\r\n");
                   EXPECT_TRUE(
                       suite.at(std::string(notifications) + "\\notice2")->valueExists("text"));
                   EXPECT_EQ(listOf(suite, tasks, "tskList"), "Task1\r\ntask2\r\n");
               }},
        Damage{
            "display-list-shorter", 2,
            [](CheckSettingsTest& suite) { expectReminderLists(suite, intactNames, intactKeys); }},
        // The counter is compared while the key list still has its six entries: 4 errors.
        Damage{"key-list-names-other-keys", 4,
               [](CheckSettingsTest& suite) {
                   expectReminderLists(suite, intactNames, intactKeys);
                   EXPECT_EQ(suite.at(notifications)->readInteger("notificationsCounter"), 6);
                   // None of the named keys was filled with a reminder's values.
                   for (const std::string key : {std::string(notifications), std::string(tasks),
                                                 std::string(notifications) + "\\notice1\\inner"}) {
                       EXPECT_FALSE(suite.at(key)->valueExists("enabled")) << key;
                   }
               }},
        Damage{"tasks-key-deleted", 6,
               [](CheckSettingsTest& suite) {
                   EXPECT_EQ(suite.valuesOf(tasks).size(), 6u);
                   EXPECT_EQ(listOf(suite, tasks, "tskList"), "");
                   EXPECT_FALSE(suite.at(tasks)->keyExists("task1"));
               }}),
    [](const ::testing::TestParamInfo<Damage>& param) {
        std::string name;
        for (const char c : std::string_view(param.param.fixture)) {
            if (c != '-') {
                name += c;
            }
        }
        return name;
    });

TEST_F(CheckSettingsTest, WrongTypedValueEndsTheCheckWithTheStoreError) {
    // wrong-type-counter also lacks imagesTimeout, which is restored before the counter is read.
    const struct {
        const char* fixture;
        const char* error;
        std::int32_t imagesTimeout;
    } cases[] = {{"wrong-type-counter", "Invalid data type for 'notificationsCounter'", 30},
                 {"wrong-type-date-flag", "Invalid data type for 'dateEnabled'", 15}};
    for (const auto& c : cases) {
        TempFolder other;
        ScopedConfigFolder otherConfig(other.path());
        load("intact");
        load(c.fixture);
        try {
            checkSettings(&owner);
            ADD_FAILURE() << c.fixture << " passed the check";
        } catch (const StoreError& e) {
            EXPECT_EQ(std::string(e.what()), c.error);
        }
        EXPECT_EQ(at(product)->readInteger("imagesTimeout"), c.imagesTimeout) << c.fixture;
        EXPECT_TRUE(dialogs.shown().empty());
    }
}

} // namespace
