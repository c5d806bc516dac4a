#include "tools/reg/RegPrompt.h"

#include "tools/reg/TerminalText.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace tickwell::regtool {

namespace {

// Longer answers are none of the accepted ones; the rest of such a line is read and dropped.
constexpr std::size_t longestAnswer = 64;

// One line of at most longestAnswer characters, or nothing at the end of input.
std::optional<std::string> readAnswer(std::istream& in) {
    std::string answer;
    bool any = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        any = true;
        if (c == '\n') {
            return answer;
        }
        if (answer.size() <= longestAnswer) {
            answer += static_cast<char>(c);
        }
    }
    return any ? std::optional(answer) : std::nullopt;
}

} // namespace

bool askYesNo(std::istream& in, std::ostream& out, const std::string& question) {
    while (true) {
        out << printable(question) << " (Yes/No)? " << std::flush;
        auto answer = readAnswer(in);
        if (!answer) {
            out << '\n';
            return false;
        }
        const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
        answer->erase(answer->begin(), std::find_if_not(answer->begin(), answer->end(), blank));
        answer->erase(std::find_if_not(answer->rbegin(), answer->rend(), blank).base(),
                      answer->end());
        std::transform(answer->begin(), answer->end(), answer->begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (*answer == "y" || *answer == "yes") {
            return true;
        }
        if (*answer == "n" || *answer == "no") {
            return false;
        }
    }
}

} // namespace tickwell::regtool
