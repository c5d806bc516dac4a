#pragma once

// Texts of the main window, its Help tab and its tray menu, UTF-8.

namespace tickwell::texts::mainForm {

// The Help tab.
inline constexpr char helpTab[] = "Справка";
inline constexpr char helpLine[] = "Всё важное вовремя";
inline constexpr char webAddress[] = "https://tickwell.example";
inline constexpr char helpPictureName[] = "Часы Tickwell";

// Tray menu.
inline constexpr char restoreItem[] = "Восстановить";
inline constexpr char remindersItem[] = "Напоминания";
inline constexpr char tasksItem[] = "Задачи";
inline constexpr char imagesItem[] = "Изображения";
inline constexpr char autostartItem[] = "Автозагрузка";
inline constexpr char exitItem[] = "Выход";

// Minimising on a desktop without a notification area, said once per run.
inline constexpr char noTrayArea[] =
    "На рабочем столе нет области уведомлений, поэтому окно программы свёрнуто на панель задач. "
    "Когда область уведомлений появится, программа будет сворачиваться в неё.";

// The autostart entry; %1 is the entry's path.
inline constexpr char autostartEntryName[] = "Tickwell";
inline constexpr char autostartEntryComment[] = "Запуск Tickwell при входе в систему";
inline constexpr char autostartWriteFailed[] = "Не удалось записать файл автозагрузки %1";
inline constexpr char autostartRemoveFailed[] = "Не удалось удалить файл автозагрузки %1";

// Start-up.
inline constexpr char secondInstance[] = "Приложение уже запущено! Повторный запуск запрещён.";
// %1 is where the damaged settings file now lies.
inline constexpr char damagedStore[] =
    "Файл настроек программы был повреждён. Начат новый набор настроек; прежний файл "
    "сохранён как:\n%1";

// The command line (tickwell --help); %1 in unknownOption is the argument refused.
inline constexpr char commandLineHelp[] =
    "Использование: tickwell [ПАРАМЕТР]\n"
    "Напоминания, список задач и показ изображений из области уведомлений.\n"
    "\n"
    "  -h, --help     показать эту справку и выйти\n"
    "      --version  показать версию программы и выйти\n"
    "\n"
    "Стандартные параметры Qt (-platform, -display, -style и другие) тоже принимаются.\n"
    "Настройки хранятся в $TICKWELL_CONFIG_DIR/settings.db, иначе в\n"
    "$XDG_CONFIG_HOME/tickwell/settings.db, иначе в ~/.config/tickwell/settings.db.\n"
    "Подробнее: man tickwell\n";
inline constexpr char unknownOption[] =
    "tickwell: неизвестный параметр «%1»; список параметров: tickwell --help";
inline constexpr char noDisplay[] = "tickwell: нет дисплея, на котором можно показать окно "
                                    "(не заданы ни DISPLAY, ни WAYLAND_DISPLAY)";
inline constexpr char needsXServer[] =
    "tickwell: нужен X-сервер (XWayland): окна Tickwell сами выбирают своё место на экране, "
    "а Wayland этого не позволяет; включите XWayland или задайте DISPLAY";

} // namespace tickwell::texts::mainForm
