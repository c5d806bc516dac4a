#pragma once

// Key paths: components separated by '\'. The rules, in one place:
// - a path that starts with '\' is absolute (taken from the root); any other path is relative;
// - a single trailing '\' is ignored, so "Tasks\" names the same key as "Tasks";
// - an empty path (or "\" alone) names the key it starts from;
// - an empty component inside a path ("A\\B", "\\A") makes the path invalid, as does a
//   component longer than maxKeyNameLength.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tickwell {

struct KeyPath {
    bool absolute = false;
    std::vector<std::string_view> components; // views into the parsed text
};

// Nothing when the path is invalid.
std::optional<KeyPath> parseKeyPath(std::string_view path);

// The components joined by '\' (no leading or trailing separator).
std::string joinKeyPath(const std::vector<std::string_view>& components);

} // namespace tickwell
