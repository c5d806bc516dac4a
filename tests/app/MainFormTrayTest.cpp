// The main window in the notification area as a person meets it: the icon and its menu from the
// start, minimising into the tray, a double click or "Восстановить" bringing the window back with
// the visible tab's details refreshed, a desktop without a notification area, and the autostart
// switch with its effect on the next start.

#include "MainFormFixture.h"
#include "StoredReminders.h"
#include "app/Autostart.h"
#include "app/MainFormTexts.h"
#include "app/TrayIcon.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "settings/StoreDatabase.h"
#include "widgets/AppTexts.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ListBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QTabWidget>
#include <functional>

namespace tickwell::test {
namespace {

QString autostartFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart");
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The Exec line of the autostart entry for the executable running the tests.
QByteArray execLineOfThisExecutable() {
    return "Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\"\n";
}

class MainFormTray : public MainFormFixture {
protected:
    MainFormTray() { QDir(autostartFolder()).removeRecursively(); }
    ~MainFormTray() override {
        if (form) {
            form->PopupMenu1->hide();
        }
        QDir(autostartFolder()).removeRecursively();
    }

    // Starts the program and shows its window as the program's entry does (or leaves it in the
    // tray), then lets what start-up posted run.
    void startShown() {
        startForm();
        form->showAfterStartup();
        settle();
    }

    // Runs what is queued, and what that queues in turn (a minimise queues its handler).
    static void settle() {
        for (int round = 0; round < 3; ++round) {
            QCoreApplication::processEvents();
        }
    }

    // The minimise button: the window reports its new state, and the handler runs once that
    // report is over.
    void minimise() {
        form->setWindowState(form->windowState() | Qt::WindowMinimized);
        settle();
    }

    void expectShown() {
        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(form->isMinimized());
        EXPECT_FALSE(form->N1->isEnabled());
    }
    void expectInTray() {
        EXPECT_FALSE(form->isVisible());
        EXPECT_TRUE(form->N1->isEnabled());
    }

    FakeTrayAreaIcon& icon() { return trayArea.icon(); }
};

TEST_F(MainFormTray, IconWithTooltipAndMenuIsThereFromTheStart) {
    prepareStore();
    startShown();
    EXPECT_TRUE(icon().isVisible());
    EXPECT_EQ(icon().toolTip(), QStringLiteral("Tickwell v2.0"));
    EXPECT_FALSE(icon().icon().isNull());

    QStringList captions;
    for (const QAction* action : form->PopupMenu1->actions()) {
        captions << action->text();
    }
    EXPECT_EQ(captions, (QStringList{"Восстановить", "Напоминания", "Задачи", "Изображения",
                                     "Автозагрузка", "Выход"}));
    EXPECT_EQ(form->PopupMenu1->defaultAction(), form->N1);
    // A host of the StatusNotifierItem protocol is given the same menu to show.
    EXPECT_EQ(icon().menu(), form->PopupMenu1);
    expectShown();

    icon().pressRight(QPoint(300, 200));
    EXPECT_TRUE(form->PopupMenu1->isVisible());
    EXPECT_EQ(form->PopupMenu1->pos(), QPoint(300, 200));
}

TEST_F(MainFormTray, MinimisingHidesInTheTrayAndDoubleClickOrRestoreBringsItBack) {
    prepareStore();
    startShown();

    minimise();
    expectInTray();
    EXPECT_TRUE(icon().isVisible());
    icon().doubleClick();
    expectShown();

    minimise();
    expectInTray();
    form->N1->trigger();
    expectShown();

    // A host of the protocol asks for the window with a click.
    minimise();
    expectInTray();
    icon().activate();
    expectShown();

    // A double click while the window is shown leaves it shown, and the default item stays off.
    icon().doubleClick();
    expectShown();
}

TEST_F(MainFormTray, RestoringRefreshesTheDetailsOfTheRemindersTabOnly) {
    prepareStore([](SettingsStore& store) {
        storeReminders(store, {{.key = "notice1", .name = "Обед", .text = "Суп"}}, 1);
    });
    startShown();
    reminders().ListBox1->setItemIndex(0);
    reminders().ListBox1Click();
    ASSERT_EQ(reminders().Label6->text(), QStringLiteral("Суп"));

    const auto changeTextBehindTheProgram = [](const char* text) {
        SettingsStore store;
        store.setRoot(SettingsStore::Root::LocalMachine);
        store.openKey(std::string(layout::notificationsKey) + "\\notice1", false);
        store.writeString(layout::notice::text, text);
    };

    changeTextBehindTheProgram("Каша");
    minimise();
    icon().doubleClick();
    EXPECT_EQ(reminders().Label6->text(), QStringLiteral("Каша"));

    // On the images tab the reminder details are left as they are.
    form->PageControl1->setCurrentIndex(2);
    changeTextBehindTheProgram("Чай");
    minimise();
    icon().doubleClick();
    expectShown();
    EXPECT_EQ(reminders().Label6->text(), QStringLiteral("Каша"));
}

TEST_F(MainFormTray, WithoutANotificationAreaTheWindowStaysOnTheTaskbarAndSaysSoOnce) {
    trayArea.setAvailable(false);
    prepareStore();
    startShown();

    dialogs.expectMessage({.text = QString::fromUtf8(texts::mainForm::noTrayArea),
                           .caption = QStringLiteral("Tickwell v2.0"),
                           .icon = MessageIcon::Information,
                           .buttons = MessageButtons::Ok});
    minimise();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());
    EXPECT_TRUE(form->N1->isEnabled());

    // Back from the taskbar, and minimised again: no second message.
    form->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(form->N1->isEnabled());
    minimise();
    EXPECT_TRUE(form->isVisible());
    form->N1->trigger();
    expectShown();

    // The notification area appears (the panel started after the program): hiding works.
    trayArea.setAvailable(true);
    minimise();
    expectInTray();
}

TEST_F(MainFormTray, AutostartItemWritesAndRemovesTheEntryOnly) {
    prepareStore();
    startShown();
    const QString neighbour = autostartFolder() + QStringLiteral("/other.desktop");
    writeFile(neighbour, "[Desktop Entry]\nType=Application\nName=Other\nExec=other\n");
    EXPECT_FALSE(form->N5->isChecked());

    form->N5->trigger();
    EXPECT_TRUE(form->N5->isChecked());
    const QByteArray entry = readFile(autostart::entryPath());
    EXPECT_TRUE(entry.contains(execLineOfThisExecutable())) << entry.toStdString();
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));

    form->N5->trigger();
    EXPECT_FALSE(form->N5->isChecked());
    EXPECT_FALSE(QFileInfo::exists(autostart::entryPath()));
    EXPECT_TRUE(QFileInfo::exists(neighbour));
    // Switching off when the entry is already gone is no error.
    form->N5->setChecked(true);
    form->N5->trigger();
    EXPECT_FALSE(form->N5->isChecked());
}

TEST_F(MainFormTray, AutostartThatCannotBeWrittenIsReportedAndLeftOff) {
    prepareStore();
    startShown();
    // A file where the autostart folder should be.
    writeFile(autostartFolder(), "not a folder");
    dialogs.expectError(
        QString::fromUtf8(texts::mainForm::autostartWriteFailed).arg(autostart::entryPath()));
    form->N5->trigger();
    EXPECT_FALSE(form->N5->isChecked());
    QFile::remove(autostartFolder());
}

TEST_F(MainFormTray, StartWithAutostartRenewsTheEntryAndEndsInTheTray) {
    writeFile(autostart::entryPath(),
              "[Desktop Entry]\nType=Application\nName=Tickwell\nExec=\"/old/place/tickwell\"\n");
    prepareStore();
    startShown();
    EXPECT_TRUE(form->N5->isChecked());
    EXPECT_TRUE(readFile(autostart::entryPath()).contains(execLineOfThisExecutable()));
    expectInTray();
    EXPECT_TRUE(icon().isVisible());

    icon().doubleClick();
    expectShown();
}

// Whatever message boxes start-up shows (and their event loops run meanwhile), a start with
// autostart on ends hidden in the tray.
TEST_F(MainFormTray, AutostartEndsInTheTrayAfterEveryMessageOfStartUp) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
    };
    const Case cases[] = {
        {"previous version's key, answered No",
         [this] {
             prepareStore([](SettingsStore& store) {
                 store.openKey(std::string(layout::softwareKey) + "\\" +
                                   std::string(layout::previousVersionKeyName),
                               true);
             });
             dialogs.answerNextQuestion(MessageAnswer::No);
         }},
        {"damaged store",
         [this] {
             writeFile(QDir(storeFolder()).filePath(QStringLiteral("settings.db")),
                       QByteArray(8192, '\x5a'));
             dialogs.expectMessage({.icon = MessageIcon::Warning});
         }},
        {"settings repaired",
         [this] {
             prepareStore([](SettingsStore& store) {
                 store.openKey(layout::productKey, false);
                 store.deleteValue(layout::product::imagesTimeout);
             });
             dialogs.expectMessage({.icon = MessageIcon::Information});
         }},
    };
    dialogs.setRunsEventLoop(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(autostart::entryPath(), autostart::entryText(QStringLiteral("/old/tickwell")));
        c.prepare();
        startShown();
        dialogs.verifyAllUsed();
        expectInTray();
        EXPECT_FALSE(form->isMinimized() && form->isVisible());
        EXPECT_TRUE(icon().isVisible());
        form.reset();
        StoreDatabase::resetDefaultDatabase();
        QDir(storeFolder()).removeRecursively();
        QDir().mkpath(storeFolder());
    }
}

TEST_F(MainFormTray, StartWithoutAutostartStaysOnScreen) {
    prepareStore();
    startShown();
    EXPECT_FALSE(form->N5->isChecked());
    expectShown();
    EXPECT_FALSE(QFileInfo::exists(autostart::entryPath()));
}

TEST_F(MainFormTray, AutostartWithoutANotificationAreaStartsMinimisedNotHidden) {
    writeFile(autostart::entryPath(), autostart::entryText(QStringLiteral("/old/tickwell")));
    trayArea.setAvailable(false);
    prepareStore();
    dialogs.expectMessage({.text = QString::fromUtf8(texts::mainForm::noTrayArea)});
    startShown();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());
    EXPECT_TRUE(form->N5->isChecked());
}

} // namespace
} // namespace tickwell::test
