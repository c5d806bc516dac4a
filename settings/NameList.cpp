#include "settings/NameList.h"

namespace NameList {

namespace {

void appendOneLine(std::string& text, std::string_view item) {
    for (std::size_t i = 0; i < item.size(); ++i) {
        const char c = item[i];
        if (c == '\r' && i + 1 < item.size() && item[i + 1] == '\n') {
            continue; // CR LF is one line break: the LF below makes its one space
        }
        text += (c == '\r' || c == '\n' || c == '\0') ? ' ' : c;
    }
}

} // namespace

std::string join(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items) {
        appendOneLine(text, item);
        text += "\r\n";
    }
    return text;
}

std::string oneLine(std::string_view item) {
    std::string text;
    appendOneLine(text, item);
    return text;
}

std::vector<std::string> split(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        items.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        items.emplace_back(text.substr(start));
    }
    return items;
}

} // namespace NameList
