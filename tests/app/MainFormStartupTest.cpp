// Start-up and shut-down of the main window: what it loads from the store, its components'
// initial states, a damaged store, a store error on the way, a second instance, and an end
// that leaves the store as it was.

#include "MainFormFixture.h"
#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/IntervalTimer.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "settings/StoreDatabase.h"
#include "slideshow/SlideshowTexts.h"
#include "widgets/ListBox.h"
#include "widgets/UpDown.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace tickwell::test {
namespace {

using MainFormStartup = MainFormFixture;

QStringList itemsOf(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items.append(list->item(i)->text());
    }
    return items;
}

// A reminder subkey with every value the layout has.
void addReminder(SettingsStore& store, const std::string& key, const std::string& name) {
    store.openKey(std::string(layout::notificationsKey) + "\\" + key, true);
    store.writeBool(layout::notice::enabled, false);
    store.writeInteger(layout::notice::interval, 60);
    store.writeString(layout::notice::name, name);
    store.writeBool(layout::notice::once, false);
    store.writeString(layout::notice::text, "Текст");
    store.writeBool(layout::notice::dateEnabled, false);
}

// A task subkey with every value the layout has.
void addTask(SettingsStore& store, const std::string& key, const std::string& name) {
    store.openKey(std::string(layout::tasksKey) + "\\" + key, true);
    store.writeBool(layout::task::complete, false);
    store.writeBool(layout::task::daily, true);
    store.writeDate(layout::task::date, dayCountFromDate(QDate(2024, 3, 15)));
    store.writeString(layout::task::name, name);
    store.writeString(layout::task::text, "");
}

void writeNames(SettingsStore& store, std::string_view key, std::string_view value,
                const std::string& text) {
    store.openKey(key, false);
    store.writeString(value, text);
}

TEST_F(MainFormStartup, LoadsTheStoredListsIntoTheirListBoxes) {
    prepareStore([](SettingsStore& store) {
        writeNames(store, layout::productKey, layout::product::imagesList,
                   "/home/anna/Pictures/sea.jpg\r\nC:\\Pictures\\forest.jpg\r\nD:moon.jpg\r\n"
                   "plain.jpg\r\n");
        addReminder(store, "notice1", "Обед");
        addReminder(store, "notice4", "Зарядка");
        writeNames(store, layout::notificationsKey, layout::notifications::notificationsList,
                   "Обед\r\nЗарядка\r\n");
        writeNames(store, layout::notificationsKey, layout::notifications::noticesList,
                   "notice1\r\nnotice4\r\n");
        store.writeInteger(layout::notifications::notificationsCounter, 4);
        addTask(store, "task2", "Почта");
        writeNames(store, layout::tasksKey, layout::tasks::tasksList, "Почта\r\n");
        writeNames(store, layout::tasksKey, layout::tasks::tskList, "task2\r\n");
        store.writeInteger(layout::tasks::tasksCounter, 2);
    });
    startForm();

    EXPECT_EQ(itemsOf(reminders().ListBox1), (QStringList{"Обед", "Зарядка"}));
    EXPECT_EQ(itemsOf(tasks().ListBox2), (QStringList{"Почта"}));
    EXPECT_EQ(images().ImagePaths,
              (QStringList{"/home/anna/Pictures/sea.jpg", "C:\\Pictures\\forest.jpg", "D:moon.jpg",
                           "plain.jpg"}));
    // The images list shows file names only.
    EXPECT_EQ(itemsOf(images().ListBox3),
              (QStringList{"sea.jpg", "forest.jpg", "moon.jpg", "plain.jpg"}));
    // Nothing is selected, so the controls that need a selection stay off.
    EXPECT_EQ(reminders().ListBox1->currentItem(), nullptr);
    EXPECT_FALSE(reminders().Button4->isEnabled());
    EXPECT_FALSE(tasks().CheckBox1->isEnabled());
}

TEST_F(MainFormStartup, SplitsTheStoredPeriodsIntoHoursMinutesSeconds) {
    struct Case {
        std::int32_t stored;
        int hours, minutes, seconds;
    };
    const Case cases[] = {
        {3725, 1, 2, 5},
        {86400, 24, 0, 0},
        {0, 0, 0, 0},
        {59, 0, 0, 59},
        // Longer than the fields hold: each field takes what the one before left over.
        {90000, 24, 60, 0},
        {-5, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        prepareStore([&](SettingsStore& store) {
            store.openKey(layout::productKey, false);
            store.writeInteger(layout::product::imagesInterval, c.stored);
            store.writeInteger(layout::product::imagesTimeout, 45);
            store.openKey(layout::tasksKey, false);
            store.writeInteger(layout::tasks::tasksInterval, c.stored);
        });
        startForm();
        EXPECT_EQ(images().UpDown1->position(), c.hours);
        EXPECT_EQ(images().UpDown2->position(), c.minutes);
        EXPECT_EQ(images().UpDown3->position(), c.seconds);
        EXPECT_EQ(images().Edit3->text(), QString::number(c.seconds));
        EXPECT_EQ(tasks().UpDown4->position(), c.hours);
        EXPECT_EQ(tasks().UpDown5->position(), c.minutes);
        EXPECT_EQ(tasks().UpDown6->position(), c.seconds);
        EXPECT_EQ(tasks().Edit4->text(), QString::number(c.hours));
        EXPECT_EQ(images().UpDown7->position(), 45);
        form.reset();
    }
}

TEST_F(MainFormStartup, ReadsColoursAndSetsTheCheckDateLast) {
    prepareStore([](SettingsStore& store) {
        store.openKey(layout::productKey, false);
        store.writeInteger(layout::product::noticeBackgroundColor, 0x0000FF);
        store.writeInteger(layout::product::noticeTextColor, 0x123456);
    });
    clock.set(QDateTime(QDate(2024, 5, 20), QTime(17, 45)));
    startForm();
    EXPECT_EQ(reminders().noticeColors.NoticeBackgroundColor, 0x0000FFu);
    EXPECT_EQ(reminders().noticeColors.NoticeTextColor, 0x123456u);
    EXPECT_EQ(tasks().LastCheckDate, dayCountFromDate(QDate(2024, 5, 20)));
}

TEST_F(MainFormStartup, FirstStartCreatesTheLayoutSilently) {
    startForm();
    EXPECT_TRUE(dialogs.shown().empty());
    SettingsStore store;
    EXPECT_TRUE(store.keyExists(layout::notificationsKey));
    EXPECT_TRUE(store.keyExists(layout::tasksKey));
    store.openKey(layout::productKey, false);
    EXPECT_EQ(store.readInteger(layout::product::imagesTimeout), 30);
    EXPECT_EQ(reminders().noticeColors.NoticeBackgroundColor, 0xFFFF00u);
}

TEST_F(MainFormStartup, RunningSwitchesAreClearedBeforeTheirRestart) {
    prepareStore([](SettingsStore& store) {
        store.openKey(layout::productKey, false);
        store.writeBool(layout::product::imagesEnabled, true);
        store.openKey(layout::tasksKey, false);
        store.writeBool(layout::tasks::tasksEnabled, true);
    });
    // With no picture and no task in the lists, both starts are refused, and both stay off.
    dialogs.expectMessage({.text = QString::fromUtf8(texts::slideshow::nothingToShow)});
    dialogs.expectMessage({.caption = QStringLiteral("Ошибка"), .icon = MessageIcon::Warning});
    startForm();
    // The start handlers find them stopped and decide afresh from the fields just loaded.
    SettingsStore store;
    store.openKey(layout::productKey, false);
    EXPECT_FALSE(store.readBool(layout::product::imagesEnabled));
    store.openKey(layout::tasksKey, false);
    EXPECT_FALSE(store.readBool(layout::tasks::tasksEnabled));
}

TEST_F(MainFormStartup, TrayMenuItemsAndTimersStartAsDesigned) {
    prepareStore();
    startForm();
    const QList<QAction*> items = form->PopupMenu1->actions();
    ASSERT_EQ(items.size(), 6);
    const char* captions[] = {"Восстановить", "Напоминания",  "Задачи",
                              "Изображения",  "Автозагрузка", "Выход"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(items[i]->objectName(), QStringLiteral("N%1").arg(i + 1));
        EXPECT_EQ(items[i]->text(), QString::fromUtf8(captions[i]));
        EXPECT_EQ(items[i]->isCheckable(), i >= 1 && i <= 4) << i;
        EXPECT_FALSE(items[i]->isChecked()) << i;
    }
    EXPECT_EQ(form->PopupMenu1->defaultAction(), form->N1);
    EXPECT_FALSE(form->N1->isEnabled());

    EXPECT_EQ(form->findChild<IntervalTimer*>(QStringLiteral("CheckTimer")), form->CheckTimer);
    EXPECT_TRUE(form->CheckTimer->isRunning());
    EXPECT_EQ(form->CheckTimer->interval(), 30000);
    for (IntervalTimer* timer : {form->ImagesTimer, form->TasksTimer}) {
        EXPECT_FALSE(timer->enabled());
        EXPECT_EQ(timer->interval(), 0);
    }
}

TEST_F(MainFormStartup, CheckableItemsInvertTheirMarkAndDisabledItemsDoNothing) {
    prepareStore();
    startForm();
    form->N2->trigger();
    EXPECT_TRUE(form->N2->isChecked());
    form->N2->trigger();
    EXPECT_FALSE(form->N2->isChecked());

    int restores = 0;
    QObject::connect(form->N1, &QAction::triggered, [&] { ++restores; });
    form->N1->trigger();
    EXPECT_EQ(restores, 0);
    form->N1->setEnabled(true);
    form->N1->trigger();
    EXPECT_EQ(restores, 1);
}

TEST_F(MainFormStartup, DamagedStoreIsMovedAsideAndTheUserToldWhere) {
    QFile file(QDir(storeFolder()).filePath(QStringLiteral("settings.db")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, '\x5a'));
    file.close();

    dialogs.expectMessage({.caption = QStringLiteral("Ошибка"),
                           .icon = MessageIcon::Warning,
                           .buttons = MessageButtons::Ok});
    startForm();

    ASSERT_EQ(dialogs.shown().size(), 1u);
    const QString text = dialogs.shown()[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Файл настроек программы был повреждён.")))
        << text.toStdString();
    // The text names the damaged file where it now lies, and it is there, unchanged.
    const QString movedTo = text.section(QLatin1Char('\n'), -1);
    QFile moved(movedTo);
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly)) << movedTo.toStdString();
    EXPECT_EQ(moved.readAll(), QByteArray(8192, '\x5a'));
    // A fresh store was started and filled with the layout.
    SettingsStore store;
    EXPECT_TRUE(store.keyExists(layout::tasksKey));
}

TEST_F(MainFormStartup, StoreErrorEndsStartUpAndTheWindowOpensWithWhatWasLoaded) {
    prepareStore([](SettingsStore& store) {
        store.openKey(layout::productKey, false);
        store.writeString(layout::product::imagesList, "/p/a.jpg\r\n");
        store.writeString(layout::product::imagesInterval, "one hour");
    });
    dialogs.expectError(QStringLiteral("Invalid data type for 'imagesInterval'"));
    startForm();

    EXPECT_FALSE(form->startupRefused());
    EXPECT_EQ(itemsOf(images().ListBox3), QStringList{"a.jpg"});
    EXPECT_EQ(images().UpDown7->position(), 30);
    // Nothing after the failing read ran.
    EXPECT_EQ(tasks().LastCheckDate, 0.0);
    EXPECT_EQ(reminders().noticeColors.NoticeBackgroundColor, 0u);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].owner, form.get());

    form->show();
    EXPECT_TRUE(form->isVisible());
}

TEST_F(MainFormStartup, SecondInstanceIsRefusedWithoutTouchingTheStore) {
    InstanceLock firstInstance(QStringLiteral("TickwellMutex"));
    ASSERT_EQ(firstInstance.tryAcquire(), InstanceLock::Result::Acquired);

    dialogs.expectMessage(
        {.text = QStringLiteral("Приложение уже запущено! Повторный запуск запрещён."),
         .caption = QStringLiteral("Ошибка"),
         .icon = MessageIcon::Error,
         .buttons = MessageButtons::Ok});
    startForm();

    EXPECT_TRUE(form->startupRefused());
    EXPECT_EQ(dialogs.shown().at(0).owner, form.get());
    // Not even the store file was made: beside the store there is only the lock it guards.
    EXPECT_EQ(
        QDir(storeFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{
            QFileInfo(InstanceLock::lockFilePath(QStringLiteral("TickwellMutex"))).fileName()});
}

TEST_F(MainFormStartup, TheLockIsFreeAgainOnceTheFirstWindowIsGone) {
    prepareStore();
    startForm();
    EXPECT_FALSE(form->startupRefused());
    InstanceLock other(QStringLiteral("TickwellMutex"));
    EXPECT_EQ(other.tryAcquire(), InstanceLock::Result::HeldElsewhere);
    form.reset();
    EXPECT_EQ(other.tryAcquire(), InstanceLock::Result::Acquired);
}

// Ending the program, by "Выход" or by the close box, ends the event loop and writes nothing.
TEST_F(MainFormStartup, EndingWritesNothingToTheStore) {
    prepareStore([](SettingsStore& store) {
        store.openKey(layout::productKey, false);
        store.writeString(layout::product::imagesList, "/p/a.jpg\r\n");
        store.writeInteger(layout::product::imagesInterval, 3725);
    });
    startForm();
    form->show();
    const std::vector<std::string> before = storeContents();
    ASSERT_FALSE(before.empty());

    QTimer::singleShot(0, form->N6, &QAction::trigger);
    EXPECT_EQ(QApplication::exec(), 0);

    form->show();
    QTimer::singleShot(0, form.get(), &QWidget::close);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(form->isVisible());

    form.reset();
    EXPECT_EQ(storeContents(), before);
}

} // namespace
} // namespace tickwell::test
