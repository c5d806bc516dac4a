#include "settings/Layout.h"

namespace layout {

std::string noticeKeyName(std::int32_t n) {
    return std::string(noticePrefix) + std::to_string(n);
}

std::string taskKeyName(std::int32_t n) {
    return std::string(taskPrefix) + std::to_string(n);
}

std::string timerName(std::string_view subkeyName) {
    return std::string(timerPrefix) + std::string(subkeyName);
}

bool namesOneSubkey(std::string_view entry) {
    return !entry.empty() && entry.find('\\') == std::string_view::npos;
}

std::string subkeyPath(std::string_view parent, std::string_view subkey) {
    std::string path(parent);
    path += '\\';
    path += subkey;
    return path;
}

} // namespace layout
