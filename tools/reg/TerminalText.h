#pragma once

// Text from the store, from files and from the command line, made safe to print: a terminal
// takes some control characters as commands, so an imported value could drive it. Control
// characters are shown as escapes, as the registry's tool shows the NUL between the items of a
// list: \0, \t, \n, \r, and \xHH for the others (C0, DEL and C1 by their code point); a byte
// that is not part of valid UTF-8 is shown as \xHH as well. Everything else is printed as it is.

#include <string>
#include <string_view>

namespace tickwell::regtool {

std::string printable(std::string_view text);

} // namespace tickwell::regtool
