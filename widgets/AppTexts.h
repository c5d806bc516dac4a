#pragma once

// Texts the whole program shares. Each text lives here once; Russian texts are UTF-8.

namespace tickwell::texts {

// The application's title: the main window's caption, the tray tooltip and the caption of the
// message boxes that report errors.
inline constexpr char applicationTitle[] = "Tickwell v2.0";

// The application's name as the desktop knows it (window class, desktop entry, lock name prefix).
inline constexpr char applicationName[] = "Tickwell";

// Caption of the message boxes that report a refused input.
inline constexpr char errorCaption[] = "Ошибка";

// Shown for an error that carries no text of its own.
inline constexpr char unknownError[] = "Неизвестная ошибка";

// The text of a list index error; %1 is the index asked for.
inline constexpr char listIndexOutOfBounds[] = "List index out of bounds (%1)";

// Refuses starting the task reminders or the slideshow with a period of more than a day.
inline constexpr char periodTooLong[] = "Время напоминания не может быть больше 24 часов!";

// Buttons that several tabs and windows have.
inline constexpr char add[] = "Добавить";
inline constexpr char edit[] = "Редактировать";
inline constexpr char remove[] = "Удалить";
inline constexpr char start[] = "Запустить";
inline constexpr char stop[] = "Остановить";
// The confirm button of an editor, which also tells its mode: a new item or a change.
inline constexpr char create[] = "Создать";
inline constexpr char change[] = "Изменить";

// Units after the fields of a period.
inline constexpr char hours[] = "ч.";
inline constexpr char minutes[] = "мин.";
inline constexpr char seconds[] = "сек.";

} // namespace tickwell::texts
