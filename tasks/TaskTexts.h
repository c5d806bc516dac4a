#pragma once

// Texts of the tasks: the Tasks tab of the main window. UTF-8.

namespace tickwell::texts::tasks {

inline constexpr char tab[] = "Задачи";
inline constexpr char done[] = "Выполнено";
inline constexpr char descriptionCaption[] = "Описание:";
inline constexpr char periodCaption[] = "Периодичность:";
inline constexpr char remind[] = "Напоминать";

} // namespace tickwell::texts::tasks
