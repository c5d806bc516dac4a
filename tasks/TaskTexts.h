#pragma once

// Texts of the tasks: the Tasks tab of the main window, the task editor and the task reminders'
// message boxes. UTF-8.

namespace tickwell::texts::tasks {

// The tab.
inline constexpr char tab[] = "Задачи";
inline constexpr char done[] = "Выполнено";
inline constexpr char descriptionCaption[] = "Описание:";
inline constexpr char periodCaption[] = "Периодичность:";
inline constexpr char remind[] = "Напоминать";

// Marking a one-off task done (caption "Tickwell v2.0", question icon, Yes and No).
inline constexpr char deleteOneOff[] = "Это не ежедневное задание. Удалить его?";

// Starting the task reminders (caption "Ошибка", warning icon) with an empty list or no period;
// a period over a day is refused with texts::periodTooLong.
inline constexpr char nothingToRemind[] = "Чтобы запустить напоминания о задачах, добавьте их в "
                                          "список и укажите периодичность вывода оповещений.";

// The editor: window captions and fields.
inline constexpr char createCaption[] = "Создать задачу";
inline constexpr char editCaption[] = "Изменить задачу";
inline constexpr char nameLabel[] = "Задача:";
inline constexpr char daily[] = "Ежедневная задача";
// A save in edit mode after the task was deleted in the main window (caption "Ошибка", warning
// icon).
inline constexpr char editedDeleted[] =
    "Задача была удалена, пока она редактировалась: изменения не сохранены.";

} // namespace tickwell::texts::tasks
