#pragma once

// Texts of the main window and its tray menu, UTF-8. The handlers that change a caption later
// take it from here.

namespace tickwell::texts::mainForm {

// Tabs, in their order.
inline constexpr char remindersTab[] = "Напоминания";
inline constexpr char tasksTab[] = "Задачи";
inline constexpr char imagesTab[] = "Изображения";
inline constexpr char helpTab[] = "Справка";

// Buttons.
inline constexpr char add[] = "Добавить";
inline constexpr char edit[] = "Редактировать";
inline constexpr char remove[] = "Удалить";
inline constexpr char start[] = "Запустить";
inline constexpr char stop[] = "Остановить";
inline constexpr char remind[] = "Напоминать";
inline constexpr char done[] = "Выполнено";

// Reminders tab.
inline constexpr char reminderPeriod[] = "Через какое время напомнить: ";
inline constexpr char reminderDay[] = "В какой день:";
inline constexpr char reminderOnce[] = "Напомнить только один раз:";
inline constexpr char reminderText[] = "Текст напоминания:";

// Tasks tab.
inline constexpr char taskDescription[] = "Описание:";
inline constexpr char taskPeriod[] = "Периодичность:";

// Images tab.
inline constexpr char imagesPeriod[] = "Периодичность показа:";
inline constexpr char imageTimeout[] = "Через какое время изображение исчезает (сек.):";

// Units after the period fields.
inline constexpr char hours[] = "ч.";
inline constexpr char minutes[] = "мин.";
inline constexpr char seconds[] = "сек.";

// Help tab.
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

// The file-open dialog of the images list.
inline constexpr char imageFileFilter[] = "JPEG Images (*.jpg)|*.jpg";

// Start-up.
inline constexpr char secondInstance[] = "Приложение уже запущено! Повторный запуск запрещён.";
// %1 is where the damaged settings file now lies.
inline constexpr char damagedStore[] =
    "Файл настроек программы был повреждён. Начат новый набор настроек; прежний файл "
    "сохранён как:\n%1";

} // namespace tickwell::texts::mainForm
