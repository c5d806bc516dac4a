#pragma once

// A name list: an ordered list of items kept in one string value.
// Written: every item followed by CR LF, the last one included; an empty list is "".
// Read: the text is cut at every CR LF, lone CR or lone LF; a line break at the very end makes
// no empty item, an empty line inside does; reading stops at a NUL character.

#include <string>
#include <string_view>
#include <vector>

namespace NameList {

std::string join(const std::vector<std::string>& items);
std::vector<std::string> split(std::string_view text);

} // namespace NameList
