#pragma once

// Texts of the reminders: the details on the main window's Reminders tab, the reminder editor,
// the start/stop question and the notice window. UTF-8.

namespace tickwell::texts::reminders {

// The tab and the labels of the details.
inline constexpr char tab[] = "Напоминания";
inline constexpr char periodCaption[] = "Через какое время напомнить: ";
inline constexpr char dayCaption[] = "В какой день:";
inline constexpr char onceCaption[] = "Напомнить только один раз:";
inline constexpr char textCaption[] = "Текст напоминания:";

// Details of the selected reminder. A period reads "1 ч.  23 мин.  45 сек." (two blanks after
// "ч." and after "мин.").
inline constexpr char periodHours[] = " ч.  ";
inline constexpr char periodMinutes[] = " мин.  ";
inline constexpr char periodSeconds[] = " сек.";
inline constexpr char noDate[] = "дата не учитывается";
inline constexpr char yes[] = "да";
inline constexpr char no[] = "нет";

// Starting a reminder dated for another day.
inline constexpr char startOnItsDay[] =
    "Невозможно запустить напоминание, дата срабатывания которого отличается от сегодняшней. "
    "Запустить его в заданный день?";

// The editor: window captions and fields.
inline constexpr char createCaption[] = "Создать напоминание";
inline constexpr char editCaption[] = "Изменить напоминание";
inline constexpr char nameLabel[] = "Название:";
inline constexpr char periodLabel[] = "Через какое время напомнить:";
inline constexpr char useDate[] = "Учитывать дату";
inline constexpr char dayLabel[] = "День напоминания:";
inline constexpr char onlyOnce[] = "Напомнить только 1 раз";
inline constexpr char dateFrame[] = "Дата";

// The editor's refusals (caption "Ошибка", warning icon).
inline constexpr char incomplete[] =
    "Для напоминания должно быть указано название, текст и периодичность оповещения.";
inline constexpr char tooLong[] = "Время напоминания не может быть больше 24 часов. Для вывода "
                                  "оповещения в определённый день, укажите дату.";
// A save in edit mode after the reminder was deleted in the main window.
inline constexpr char editedDeleted[] =
    "Напоминание было удалено, пока оно редактировалось: изменения не сохранены.";
// The question after a new reminder (caption "Tickwell v2.0").
inline constexpr char startNew[] = "Запустить это напоминание?";

// The notice window.
inline constexpr char noticeCaption[] = "Напоминание";
inline constexpr char setBackgroundColor[] = "Установить фоновый цвет";
inline constexpr char setTextColor[] = "Установить цвет текста";

} // namespace tickwell::texts::reminders
