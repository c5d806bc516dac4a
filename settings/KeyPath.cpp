#include "settings/KeyPath.h"

#include "settings/NameFold.h"
#include "settings/RegFileEncoding.h"

namespace tickwell {

std::string describeKeyPathFault(KeyPathFault fault) {
    switch (fault) {
    case KeyPathFault::EmptyName:
        return "empty key name in the path";
    case KeyPathFault::NameTooLong:
        return "a key name is longer than " + std::to_string(maxKeyNameLength) + " characters";
    case KeyPathFault::NameNotText:
        return "a key name is not valid UTF-8 text or holds a control character";
    case KeyPathFault::TooDeep:
        return "the key path is deeper than " + std::to_string(maxKeyDepth) + " levels";
    case KeyPathFault::TooLong:
        return "the key path is longer than " + std::to_string(maxKeyPathLength) + " characters";
    }
    return {};
}

bool isValidNewKeyName(std::string_view name) {
    return !name.empty() && name.find('\\') == std::string_view::npos &&
           regfile::isValidUtf8(name) && !regfile::holdsControlCharacter(name) &&
           utf16Length(name) <= maxKeyNameLength;
}

bool isValidValueName(std::string_view name) {
    return name.find('\0') == std::string_view::npos && regfile::isValidUtf8(name) &&
           utf16Length(name) <= maxValueNameLength;
}

std::optional<KeyPath> parseKeyPath(std::string_view path, KeyPathUse use, KeyPathFault* fault) {
    const auto refuse = [fault](KeyPathFault why) -> std::optional<KeyPath> {
        if (fault) {
            *fault = why;
        }
        return std::nullopt;
    };
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
        if (component.empty()) {
            return refuse(KeyPathFault::EmptyName);
        }
        const std::size_t length = utf16Length(component);
        if (length > maxKeyNameLength) {
            return refuse(KeyPathFault::NameTooLong);
        }
        if (use == KeyPathUse::Create && !isValidNewKeyName(component)) {
            return refuse(KeyPathFault::NameNotText);
        }
        if (result.components.size() == maxKeyDepth) {
            return refuse(KeyPathFault::TooDeep);
        }
        result.length += (result.components.empty() ? 0 : 1) + length;
        if (result.length > maxKeyPathLength) {
            return refuse(KeyPathFault::TooLong);
        }
        result.components.push_back(component);
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return result;
}

std::optional<KeyPathFault> faultBelow(KeyPlace base, const KeyPath& path) {
    if (path.components.empty()) {
        return std::nullopt;
    }
    if (base.depth + path.components.size() > maxKeyDepth) {
        return KeyPathFault::TooDeep;
    }
    if (base.length + (base.depth == 0 ? 0 : 1) + path.length > maxKeyPathLength) {
        return KeyPathFault::TooLong;
    }
    return std::nullopt;
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
