#pragma once

// The stored layout: every key path and value name the program uses, and the defaults the
// settings check writes for missing values. Every part of the program takes these names from
// here. Paths of the per-machine root unless said otherwise.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace layout {

// Keys.
inline constexpr std::string_view softwareKey = "\\SOFTWARE";
inline constexpr std::string_view productKey = "\\SOFTWARE\\Tickwell2";
inline constexpr std::string_view productKeyName = "Tickwell2";
inline constexpr std::string_view notificationsKey = "\\SOFTWARE\\Tickwell2\\Notifications";
inline constexpr std::string_view notificationsKeyName = "Notifications";
inline constexpr std::string_view tasksKey = "\\SOFTWARE\\Tickwell2\\Tasks";
inline constexpr std::string_view tasksKeyName = "Tasks";
// The previous version's settings: only tested for and deleted.
inline constexpr std::string_view previousVersionKey = "\\SOFTWARE\\Tickwell";
inline constexpr std::string_view previousVersionKeyName = "Tickwell";

// Autostart: a string value of the per-user root holding the executable's full path.
inline constexpr std::string_view autostartKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view autostartValue = "Tickwell2";

// Per-item subkeys are the prefix followed by N in decimal ("notice1", "task12"); a reminder's
// timer is named "Timer_" followed by its subkey name.
inline constexpr std::string_view noticePrefix = "notice";
inline constexpr std::string_view taskPrefix = "task";
inline constexpr std::string_view timerPrefix = "Timer_";

std::string noticeKeyName(std::int32_t n);
std::string taskKeyName(std::int32_t n);
std::string timerName(std::string_view subkeyName);

// Whether an entry of a key list can name a subkey of its list's key: one path component. An
// empty entry would name the list's key itself, and one with a backslash a key elsewhere in the
// tree (an absolute one even outside the program's keys).
bool namesOneSubkey(std::string_view entry);

// The path of the subkey `subkey` of the key at `parent`.
std::string subkeyPath(std::string_view parent, std::string_view subkey);

// Values of the product key.
namespace product {
inline constexpr std::string_view imagesList = "imagesList";
inline constexpr std::string_view imagesTimeout = "imagesTimeout";
inline constexpr std::string_view imagesInterval = "imagesInterval";
inline constexpr std::string_view imagesEnabled = "imagesEnabled";
inline constexpr std::string_view imgCounter = "imgCounter";
inline constexpr std::string_view noticeBackgroundColor = "noticeBackgroundColor";
inline constexpr std::string_view noticeTextColor = "noticeTextColor";
} // namespace product

// Values of the Notifications key.
namespace notifications {
inline constexpr std::string_view notificationsCounter = "notificationsCounter";
inline constexpr std::string_view notificationsList = "notificationsList";
inline constexpr std::string_view noticesList = "noticesList";
} // namespace notifications

// Values of a reminder subkey.
namespace notice {
inline constexpr std::string_view enabled = "enabled";
inline constexpr std::string_view name = "name";
inline constexpr std::string_view text = "text";
inline constexpr std::string_view once = "once";
inline constexpr std::string_view interval = "interval";
inline constexpr std::string_view dateEnabled = "dateEnabled";
inline constexpr std::string_view date = "date";
} // namespace notice

// Values of the Tasks key.
namespace tasks {
inline constexpr std::string_view tasksCounter = "tasksCounter";
inline constexpr std::string_view tasksList = "tasksList";
inline constexpr std::string_view tskList = "tskList";
inline constexpr std::string_view tasksEnabled = "tasksEnabled";
inline constexpr std::string_view tasksInterval = "tasksInterval";
inline constexpr std::string_view taskNumber = "taskNumber";
} // namespace tasks

// Values of a task subkey.
namespace task {
inline constexpr std::string_view name = "name";
inline constexpr std::string_view text = "text";
inline constexpr std::string_view daily = "daily";
inline constexpr std::string_view complete = "complete";
inline constexpr std::string_view date = "date";
} // namespace task

// The defaults written for missing values, in the order in which they are checked.
struct DefaultValue {
    enum class Kind { String, Integer, Boolean, Today };

    std::string_view name;
    Kind kind;
    std::int32_t value; // Integer: the number; Boolean: 0 or 1; String: always ""; Today: unused
};

inline constexpr std::int32_t defaultImagesTimeout = 30;
inline constexpr std::int32_t defaultNoticeBackgroundColor = 0xFFFF00; // red 0, green and blue 255
inline constexpr std::int32_t defaultNoticeTextColor = 0;              // black

using Kind = DefaultValue::Kind;

inline constexpr std::array<DefaultValue, 7> productDefaults{{
    {product::imagesList, Kind::String, 0},
    {product::imagesTimeout, Kind::Integer, defaultImagesTimeout},
    {product::imagesInterval, Kind::Integer, 0},
    {product::imagesEnabled, Kind::Boolean, 0},
    {product::imgCounter, Kind::Integer, 0},
    {product::noticeBackgroundColor, Kind::Integer, defaultNoticeBackgroundColor},
    {product::noticeTextColor, Kind::Integer, defaultNoticeTextColor},
}};

inline constexpr std::array<DefaultValue, 3> notificationsDefaults{{
    {notifications::notificationsCounter, Kind::Integer, 0},
    {notifications::notificationsList, Kind::String, 0},
    {notifications::noticesList, Kind::String, 0},
}};

inline constexpr std::array<DefaultValue, 6> tasksDefaults{{
    {tasks::tasksCounter, Kind::Integer, 0},
    {tasks::tasksList, Kind::String, 0},
    {tasks::tskList, Kind::String, 0},
    {tasks::tasksEnabled, Kind::Boolean, 0},
    {tasks::tasksInterval, Kind::Integer, 0},
    {tasks::taskNumber, Kind::Integer, 0},
}};

// A reminder's `date` is not here: it gets today only when `dateEnabled` is true and `date`
// is missing.
inline constexpr std::array<DefaultValue, 6> noticeDefaults{{
    {notice::enabled, Kind::Boolean, 0},
    {notice::interval, Kind::Integer, 0},
    {notice::name, Kind::String, 0},
    {notice::once, Kind::Boolean, 0},
    {notice::text, Kind::String, 0},
    {notice::dateEnabled, Kind::Boolean, 0},
}};

inline constexpr std::array<DefaultValue, 5> taskDefaults{{
    {task::complete, Kind::Boolean, 0},
    {task::daily, Kind::Boolean, 0},
    {task::date, Kind::Today, 0},
    {task::name, Kind::String, 0},
    {task::text, Kind::String, 0},
}};

} // namespace layout
