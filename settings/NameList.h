#pragma once

// A name list: an ordered list of items kept in one string value.
// Written: every item followed by CR LF, the last one included; an empty list is "". An item is
// always written on one line: a line break inside it (CR LF, lone CR or lone LF) becomes one
// space, and so does a NUL, so that no item can split into two or end the list early.
// Read: the text is cut at every CR LF, lone CR or lone LF; a line break at the very end makes
// no empty item, an empty line inside does; reading stops at a NUL character.

#include <string>
#include <string_view>
#include <vector>

namespace NameList {

std::string join(const std::vector<std::string>& items);
std::vector<std::string> split(std::string_view text);

// `item` as join() writes it: on one line.
std::string oneLine(std::string_view item);

} // namespace NameList
