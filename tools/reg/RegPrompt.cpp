#include "tools/reg/RegPrompt.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>

namespace tickwell::regtool {

bool askYesNo(std::istream& in, std::ostream& out, const std::string& question) {
    while (true) {
        out << question << " (Yes/No)? " << std::flush;
        std::string answer;
        if (!std::getline(in, answer)) {
            out << '\n';
            return false;
        }
        const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
        answer.erase(answer.begin(), std::find_if_not(answer.begin(), answer.end(), blank));
        answer.erase(std::find_if_not(answer.rbegin(), answer.rend(), blank).base(), answer.end());
        std::transform(answer.begin(), answer.end(), answer.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (answer == "y" || answer == "yes") {
            return true;
        }
        if (answer == "n" || answer == "no") {
            return false;
        }
    }
}

} // namespace tickwell::regtool
