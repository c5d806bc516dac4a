#include "settings/KeyPath.h"

#include "settings/NameFold.h"
#include "settings/StoreDatabase.h"

namespace tickwell {

std::optional<KeyPath> parseKeyPath(std::string_view path) {
    KeyPath result;
    if (!path.empty() && path.front() == '\\') {
        result.absolute = true;
        path.remove_prefix(1);
    }
    if (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    if (path.empty()) {
        return result;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find('\\', start);
        const std::string_view component = path.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (component.empty() || utf16Length(component) > maxKeyNameLength) {
            return std::nullopt;
        }
        result.components.push_back(component);
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return result;
}

std::string joinKeyPath(const std::vector<std::string_view>& components) {
    std::string out;
    for (const auto& c : components) {
        if (!out.empty()) {
            out += '\\';
        }
        out += c;
    }
    return out;
}

} // namespace tickwell
