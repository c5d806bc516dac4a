#pragma once

// Texts of the slideshow: the Images tab of the main window. UTF-8.

namespace tickwell::texts::slideshow {

inline constexpr char tab[] = "Изображения";
inline constexpr char periodCaption[] = "Периодичность показа:";
inline constexpr char timeoutCaption[] = "Через какое время изображение исчезает (сек.):";

// The file-open dialog of the images list.
inline constexpr char imageFileFilter[] = "JPEG Images (*.jpg)|*.jpg";

} // namespace tickwell::texts::slideshow
