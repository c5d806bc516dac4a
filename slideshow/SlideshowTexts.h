#pragma once

// Texts of the slideshow: the Images tab of the main window and the image window. UTF-8.

namespace tickwell::texts::slideshow {

inline constexpr char tab[] = "Изображения";
inline constexpr char periodCaption[] = "Периодичность показа:";
inline constexpr char timeoutCaption[] = "Через какое время изображение исчезает (сек.):";

// The file-open dialog of the images list; the list takes only the files it offers.
inline constexpr char imageFileFilter[] = "JPEG Images (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe";
// Chosen files the list does not take (caption "Ошибка", warning icon): %1 is one line per file,
// each the file's name and why.
inline constexpr char filesNotAdded[] = "Эти файлы не добавлены в список:\n%1";
inline constexpr char notJpegFile[] = "\"%1\" — не изображение JPEG (*.jpg, *.jpeg, *.jpe)";
inline constexpr char lineBreakInPath[] = "\"%1\" — в пути к файлу есть перевод строки";

// The start switch's refusals (caption "Ошибка", warning icon).
inline constexpr char nothingToShow[] =
    "Для запуска показа изображений нужно, кроме добавления картинок в список, задать время, "
    "через которое изображения будут появляться и через какое исчезать.";
inline constexpr char periodBelowTimeout[] =
    "Изображения не могут показываться чаще, чем будут исчезать!";

// The image window.
inline constexpr char imageCaption[] = "Изображение";
// A file of the list that has gone (caption "Ошибка", error icon); %1 is its file name.
inline constexpr char imageNotFound[] = "Изображение \"%1\" не найдено!";
inline constexpr char noImageFound[] =
    "Ни одно изображение из списка не найдено. Их показ отключён.";
// A file that is there but cannot be shown (caption "Tickwell v2.0", error icon); %1 is its
// file name, %2 the decoder's reason.
inline constexpr char imageNotShown[] = "Изображение \"%1\" не удалось показать:\n%2";
// The reason when the picture did not fit into memory.
inline constexpr char notEnoughMemory[] = "Not enough memory";

} // namespace tickwell::texts::slideshow
