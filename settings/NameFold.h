#pragma once

// Key and value names compare without regard to letter case, as in the registry: two names are
// the same when their upper-case forms are equal. The fold covers ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic, which is every script the program's names and the user's
// Russian texts use; other characters, and bytes that are not valid UTF-8, stay as they are.

#include <cstddef>
#include <string>
#include <string_view>

namespace tickwell {

// The upper-case form of one code point (the code point itself when it has none in the
// covered ranges).
char32_t upperCaseOf(char32_t codePoint);

// The upper-case form of a UTF-8 name; equal folds mean the same name.
std::string foldName(std::string_view utf8);

// The length of a UTF-8 name in UTF-16 code units, the unit of the registry's name limits.
// A byte that is not part of valid UTF-8 counts as one unit.
std::size_t utf16Length(std::string_view utf8);

} // namespace tickwell
