#pragma once

// The Yes/No question asked before overwriting or deleting without /f (or /y).

#include <iosfwd>
#include <string>

namespace tickwell::regtool {

// Writes `question` (as printable() shows it) followed by " (Yes/No)? " and reads answers from
// `in` until one is yes or no (y, yes, n, no, in any case); anything else asks again, also a line
// too long to be an answer, which is read without being kept. The end of input counts as no.
bool askYesNo(std::istream& in, std::ostream& out, const std::string& question);

} // namespace tickwell::regtool
