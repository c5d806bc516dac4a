#pragma once

// Where the program's own resources live inside the executable (Qt resource paths).

namespace tickwell::resources {

// The program's icon (also the tray icon): one PNG per size, named by its size ("48.png").
inline constexpr char programIconFolder[] = ":/tickwell/icons";
// The picture on the Help tab: 121 x 113 JPEG.
inline constexpr char helpPicture[] = ":/tickwell/help.jpg";
// The notification sound "SOUND": 16-bit stereo PCM wave at 44100 Hz.
inline constexpr char notificationSound[] = ":/tickwell/SOUND";
// The text of the Help tab, UTF-8, one paragraph a line.
inline constexpr char helpText[] = ":/tickwell/help.txt";

} // namespace tickwell::resources
