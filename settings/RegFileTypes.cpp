#include "settings/RegFileTypes.h"

#include <algorithm>
#include <cctype>

namespace tickwell::regfile {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
}

} // namespace

std::optional<Root> rootFromName(std::string_view name) {
    if (equalsIgnoringCase(name, "HKEY_LOCAL_MACHINE") || equalsIgnoringCase(name, "HKLM")) {
        return Root::LocalMachine;
    }
    if (equalsIgnoringCase(name, "HKEY_CURRENT_USER") || equalsIgnoringCase(name, "HKCU")) {
        return Root::CurrentUser;
    }
    return std::nullopt;
}

std::string_view rootLongName(Root root) {
    return root == Root::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::optional<RegKeyPath> parseKeyName(std::string_view text, KeyPathUse use, std::string& reason) {
    const std::size_t slash = text.find('\\');
    const std::string_view rootName = text.substr(0, slash);
    const std::optional<Root> root = rootFromName(rootName);
    if (!root) {
        reason = "unknown root '" + std::string(rootName) +
                 "': only HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER are accepted";
        return std::nullopt;
    }
    RegKeyPath key{*root, {}};
    if (slash == std::string_view::npos) {
        return key;
    }
    const std::string_view path = text.substr(slash + 1);
    KeyPathFault fault = KeyPathFault::EmptyName;
    // The path is taken from the root: a second '\\' after the root's is an empty name.
    const auto parsed = path.starts_with('\\') ? std::nullopt : parseKeyPath(path, use, &fault);
    if (!parsed) {
        reason = describeKeyPathFault(fault);
        return std::nullopt;
    }
    key.path = joinKeyPath(parsed->components);
    return key;
}

std::string RegKeyPath::fullName() const {
    std::string name(rootLongName(root));
    if (!path.empty()) {
        name += '\\';
        name += path;
    }
    return name;
}

} // namespace tickwell::regfile
