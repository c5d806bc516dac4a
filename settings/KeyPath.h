#pragma once

// Key paths: components separated by '\'. The rules, and the registry's limits on names and
// paths, in one place for the program, the store, .reg files and the command-line tool:
// - a path that starts with '\' is absolute (taken from the root); any other path is relative;
// - a single trailing '\' is ignored, so "Tasks\" names the same key as "Tasks";
// - an empty path (or "\" alone) names the key it starts from;
// - an empty component inside a path ("A\\B", "\\A") makes the path invalid, as does a
//   component longer than maxKeyNameLength, more than maxKeyDepth components, or more than
//   maxKeyPathLength characters in all;
// - a path that creates keys must also name every key with text: valid UTF-8 without control
//   characters. Finding, reading and deleting accept any name, so that a key made before this
//   rule can still be reached and removed.
//
// Lengths count UTF-16 code units, as the registry counts them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tickwell {

// The longest name of one key, and of one value.
inline constexpr std::size_t maxKeyNameLength = 255;
inline constexpr std::size_t maxValueNameLength = 16383;
// The most levels below a root: a key of depth 512 has no subkeys.
inline constexpr std::size_t maxKeyDepth = 512;
// The longest path below a root, separators counted: what one counted UTF-16 string holds when
// its length in bytes must fit 16 bits.
inline constexpr std::size_t maxKeyPathLength = 32767;

enum class KeyPathUse { Find, Create };

// Why a path is invalid.
enum class KeyPathFault { EmptyName, NameTooLong, NameNotText, TooDeep, TooLong };

// One line that says what is wrong, for messages of the tool and of .reg files.
std::string describeKeyPathFault(KeyPathFault fault);

struct KeyPath {
    bool absolute = false;
    std::vector<std::string_view> components; // views into the parsed text
    std::size_t length = 0;                   // of the components joined by '\'
};

// Where a key lies below its root: how many levels down, and the length of its path.
struct KeyPlace {
    std::size_t depth = 0;
    std::size_t length = 0;
};

// Nothing when the path is invalid for `use`; then `fault`, when given, says why.
std::optional<KeyPath> parseKeyPath(std::string_view path, KeyPathUse use = KeyPathUse::Find,
                                    KeyPathFault* fault = nullptr);

// Whether a name may be given to a new key: text (valid UTF-8 without control characters),
// not empty, no '\', at most maxKeyNameLength long.
bool isValidNewKeyName(std::string_view name);

// Whether a name may be given to a value: valid UTF-8 without NUL, at most maxValueNameLength
// long. "" is the unnamed value.
bool isValidValueName(std::string_view name);

// Whether `path`, taken from a key at `base`, stays within the limits of depth and length.
// Nothing when it does; else the fault.
std::optional<KeyPathFault> faultBelow(KeyPlace base, const KeyPath& path);

// The components joined by '\' (no leading or trailing separator).
std::string joinKeyPath(const std::vector<std::string_view>& components);

} // namespace tickwell
