#include "settings/RegFileReader.h"

#include "settings/NameFold.h"
#include "settings/RegFileDecoding.h"
#include "settings/RegFileEncoding.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <utility>

namespace tickwell::regfile {

namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";

// Raised inside the parser and turned into the RegParseError result at its top.
struct Failure {
    int line;
    std::string reason;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimRight(std::string_view text) {
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view trimLeft(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view trim(std::string_view text) {
    return trimLeft(trimRight(text));
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// A physical line and the line break that ended it (empty for the last line).
struct PhysicalLine {
    std::string_view text;
    std::string_view lineBreak;
};

// Goes through text line by line, splitting at CR LF, lone LF and lone CR. A line break at the
// very end makes no empty line after it.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    // The 1-based number of the line next() returns next.
    int nextNumber() const { return number_ + 1; }

    PhysicalLine next() {
        const std::size_t start = pos_;
        const std::size_t end = text_.find_first_of("\r\n", start);
        ++number_;
        if (end == std::string_view::npos) {
            pos_ = text_.size();
            return {text_.substr(start), {}};
        }
        const std::size_t breakLength =
            text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n' ? 2 : 1;
        pos_ = end + breakLength;
        return {text_.substr(start, end - start), text_.substr(end, breakLength)};
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

// One entry of the file: a physical line, or a value spread over consecutive lines, either by a
// trailing backslash (hex data, the backslash and line break dropped) or by line breaks inside a
// quoted string (kept in the text). Knows which physical line each part of it came from, so that
// a fault deep inside a long value is reported at the line that holds it, with memory for no
// more than the text and one number per joined hex line.
class LogicalLine {
public:
    explicit LogicalLine(int firstLine) : firstLine_(firstLine) {}

    void append(std::string_view piece) { text_ += piece; }
    // What follows comes from the next physical line, after a trailing backslash.
    void joinNextLine() { joins_.push_back(static_cast<std::uint32_t>(text_.size())); }

    const std::string& text() const { return text_; }
    int lineAt(std::size_t offset) const {
        const auto joined = std::upper_bound(joins_.begin(), joins_.end(), offset) - joins_.begin();
        const std::size_t end = std::min(offset, text_.size());
        int breaks = 0;
        for (std::size_t i = 0; i < end; ++i) {
            const char c = text_[i];
            breaks += c == '\n' || (c == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n'));
        }
        return firstLine_ + static_cast<int>(joined) + breaks;
    }
    [[noreturn]] void fail(std::size_t offset, std::string reason) const {
        throw Failure{lineAt(offset), std::move(reason)};
    }

private:
    int firstLine_;
    std::string text_;
    std::vector<std::uint32_t> joins_;
};

class Parser {
public:
    Parser(std::string_view text, RegChangeSink& sink) : lines_(text), sink_(sink) {}

    void run() {
        checkHeader();
        while (!lines_.atEnd()) {
            const LogicalLine line = nextLogicalLine();
            const std::string_view text = line.text();
            if (text.empty() || text.front() == ';') {
                continue;
            }
            if (text.front() == '[') {
                parseSection(line);
            } else if (text.front() == '"' || text.front() == '@') {
                parseValue(line);
            } else {
                line.fail(0, "expected a [key] section, a \"name\"= or @= value, or a ; comment");
            }
        }
    }

private:
    void checkHeader() {
        const std::string_view first =
            lines_.atEnd() ? std::string_view{} : trimRight(lines_.next().text);
        if (first != kHeader5 && first != kHeader4) {
            throw Failure{1, "the first line must be \"" + std::string(kHeader5) + "\" or \"" +
                                 std::string(kHeader4) + "\""};
        }
    }

    // Collects the entry that starts at the next line.
    LogicalLine nextLogicalLine() {
        const int first = lines_.nextNumber();
        LogicalLine line(first);
        PhysicalLine physical = lines_.next();
        std::string_view piece = trimLeft(physical.text);
        if (piece.empty() || (piece.front() != '"' && piece.front() != '@')) {
            line.append(trimRight(piece));
            return line;
        }
        // A value: follow its quoted strings and continuation lines.
        bool inQuote = false;
        while (true) {
            const int number = lines_.nextNumber() - 1;
            for (std::size_t i = 0; i < piece.size(); ++i) {
                if (inQuote && piece[i] == '\\') {
                    ++i;
                } else if (piece[i] == '"') {
                    inQuote = !inQuote;
                }
            }
            if (inQuote && !lines_.atEnd()) {
                // The registry editor writes a string's line breaks as they are: the string
                // goes on with the next line, which is taken whole.
                line.append(piece);
                line.append(physical.lineBreak);
                physical = lines_.next();
                piece = physical.text;
                continue;
            }
            if (inQuote) {
                line.append(piece); // the parser reports the unterminated string
                return line;
            }
            piece = trimRight(piece);
            if (piece.empty() || piece.back() != '\\') {
                line.append(piece);
                return line;
            }
            line.append(piece.substr(0, piece.size() - 1));
            if (lines_.atEnd()) {
                throw Failure{number, "the line ends in '\\' but the file ends after it"};
            }
            physical = lines_.next();
            piece = trim(physical.text);
            if (piece.empty()) {
                throw Failure{number, "the line ends in '\\' but a blank line follows"};
            }
            line.joinNextLine();
        }
    }

    void parseSection(const LogicalLine& line) {
        const std::string_view text = line.text();
        if (text.back() != ']') {
            line.fail(0, "the key section lacks its closing ']'");
        }
        std::string_view name = text.substr(1, text.size() - 2);
        const bool deleting = !name.empty() && name.front() == '-';
        if (deleting) {
            name.remove_prefix(1);
        }
        if (name.empty()) {
            line.fail(0, "the key section names no key");
        }
        // A section that creates its key must name it as a new key may be named; one that
        // deletes may name any key, so that a badly named one can still be removed.
        std::string reason;
        std::optional<RegKeyPath> key =
            parseKeyName(name, deleting ? KeyPathUse::Find : KeyPathUse::Create, reason);
        if (!key) {
            line.fail(0, reason);
        }
        if (deleting && key->path.empty()) {
            line.fail(0, "a root cannot be deleted");
        }
        hasSection_ = true;
        sectionDeleted_ = deleting;
        if (deleting) {
            sink_.deleteTree(*key);
        } else {
            sink_.createKey(*key);
        }
    }

    void parseValue(const LogicalLine& line) {
        const std::string_view text = line.text();
        if (!hasSection_) {
            line.fail(0, "a value before any [key] section");
        }
        if (sectionDeleted_) {
            line.fail(0, "a value under a key section that deletes its key");
        }
        // The section's key is with the sink already: the change carries no copy of it.
        RegChange change;
        std::size_t pos = 0;
        if (text.front() == '@') {
            pos = 1;
        } else {
            change.valueName = readQuoted(line, pos, "value name");
            // Names never hold line breaks: one that runs on lost its closing quote.
            if (line.lineAt(0) != line.lineAt(pos - 1)) {
                line.fail(0, "unterminated value name: missing closing '\"'");
            }
            if (utf16Length(change.valueName) > maxValueNameLength) {
                line.fail(0, "the value name is longer than " + std::to_string(maxValueNameLength) +
                                 " characters");
            }
        }
        while (pos < text.size() && isBlank(text[pos])) {
            ++pos;
        }
        if (pos >= text.size() || text[pos] != '=') {
            line.fail(pos, "missing '=' after the value name");
        }
        ++pos;
        while (pos < text.size() && isBlank(text[pos])) {
            ++pos;
        }
        parseData(line, pos, change);
        if (change.kind == RegChange::Kind::DeleteValue) {
            sink_.deleteValue(change.valueName);
        } else {
            sink_.setValue(change.valueName, change.type, change.data);
        }
    }

    void parseData(const LogicalLine& line, std::size_t pos, RegChange& change) const {
        const std::string_view data = std::string_view(line.text()).substr(pos);
        if (data == "-") {
            change.kind = RegChange::Kind::DeleteValue;
            return;
        }
        change.kind = RegChange::Kind::SetValue;
        if (!data.empty() && data.front() == '"') {
            const std::size_t open = pos;
            const std::string value = readQuoted(line, pos, "string");
            if (pos != line.text().size()) {
                // A string that ran over a line break and then met more text most likely lost
                // its closing quote at the end of its first line.
                if (line.lineAt(open) != line.lineAt(pos)) {
                    line.fail(open, "unterminated string: missing closing '\"'");
                }
                line.fail(pos, "unexpected text after the closing '\"'");
            }
            change.type = valuetype::String;
            change.data.assign(value.begin(), value.end());
        } else if (startsWithIgnoringCase(data, "dword:")) {
            change.type = valuetype::Dword;
            change.data = parseDword(line, pos + 6);
        } else if (startsWithIgnoringCase(data, "hex:")) {
            change.type = valuetype::Binary;
            change.data = parseHexBytes(line, pos + 4);
        } else if (startsWithIgnoringCase(data, "hex(")) {
            const std::size_t close = data.find("):");
            change.type = parseTypeNumber(line, pos + 4,
                                          close == std::string_view::npos ? std::string_view::npos
                                                                          : pos + close);
            change.data = parseHexBytes(line, pos + close + 2);
            convertTypedData(line, pos, change);
        } else {
            line.fail(pos, "the value data must be \"text\", dword:, hex:, hex(N): or -");
        }
    }

    // A quoted string starting at `pos` (on the opening quote) with the escapes \\, \", \r
    // and \n; leaves `pos` after the closing quote.
    static std::string readQuoted(const LogicalLine& line, std::size_t& pos,
                                  std::string_view what) {
        const std::string& text = line.text();
        const std::size_t open = pos++;
        std::string out;
        while (pos < text.size()) {
            const char c = text[pos];
            if (c == '"') {
                ++pos;
                return out;
            }
            if (c == '\\') {
                const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
                switch (next) {
                case '\\':
                case '"':
                    out += next;
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 'n':
                    out += '\n';
                    break;
                default:
                    line.fail(pos, "unknown escape '\\" +
                                       std::string(next == '\0' ? "" : std::string(1, next)) +
                                       "' in a " + std::string(what));
                }
                pos += 2;
                continue;
            }
            out += c;
            ++pos;
        }
        line.fail(open, "unterminated " + std::string(what) + ": missing closing '\"'");
    }

    static std::vector<std::uint8_t> parseDword(const LogicalLine& line, std::size_t pos) {
        const std::string_view digits = std::string_view(line.text()).substr(pos);
        if (digits.empty() || digits.size() > 8) {
            line.fail(pos, "bad dword: expected 1 to 8 hex digits");
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            const int digit = hexDigitValue(digits[i]);
            if (digit < 0) {
                line.fail(pos + i,
                          "bad dword: '" + std::string(1, digits[i]) + "' is not a hex digit");
            }
            value = (value << 4) | static_cast<std::uint32_t>(digit);
        }
        return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    }

    // The N of hex(N): between `pos` and `close` (npos when "):" is missing).
    static std::uint32_t parseTypeNumber(const LogicalLine& line, std::size_t pos,
                                         std::size_t close) {
        if (close == std::string_view::npos || close == pos || close - pos > 8) {
            line.fail(pos, "bad hex(N): the type N must be 1 to 8 hex digits followed by \"):\"");
        }
        std::uint32_t type = 0;
        for (std::size_t i = pos; i < close; ++i) {
            const int digit = hexDigitValue(line.text()[i]);
            if (digit < 0) {
                line.fail(i, "bad hex(N): the type N must be 1 to 8 hex digits");
            }
            type = (type << 4) | static_cast<std::uint32_t>(digit);
        }
        return type;
    }

    // Comma-separated bytes of one or two hex digits; blanks around them are allowed.
    static std::vector<std::uint8_t> parseHexBytes(const LogicalLine& line, std::size_t pos) {
        const std::string& text = line.text();
        std::vector<std::uint8_t> bytes;
        if (trim(std::string_view(text).substr(pos)).empty()) {
            return bytes;
        }
        while (true) {
            while (pos < text.size() && isBlank(text[pos])) {
                ++pos;
            }
            const std::size_t start = pos;
            unsigned value = 0;
            while (pos < text.size() && text[pos] != ',' && !isBlank(text[pos])) {
                const int digit = hexDigitValue(text[pos]);
                if (digit < 0) {
                    line.fail(pos, "bad hex byte: '" + std::string(1, text[pos]) +
                                       "' is not a hex digit");
                }
                value = (value << 4) | static_cast<unsigned>(digit);
                ++pos;
                if (pos - start > 2) {
                    line.fail(start, "bad hex byte: more than two hex digits");
                }
            }
            if (pos == start) {
                line.fail(start, "bad hex byte: missing hex digits");
            }
            bytes.push_back(static_cast<std::uint8_t>(value));
            while (pos < text.size() && isBlank(text[pos])) {
                ++pos;
            }
            if (pos >= text.size()) {
                return bytes;
            }
            if (text[pos] != ',') {
                line.fail(pos, "bad hex byte: expected ',' between bytes");
            }
            ++pos;
        }
    }

    // hex(1) holds a string as UTF-16LE with its closing NUL; the store keeps strings as
    // UTF-8. Every other type keeps its bytes (hex(4) of four bytes is thus a plain dword).
    static void convertTypedData(const LogicalLine& line, std::size_t pos, RegChange& change) {
        if (change.type != valuetype::String) {
            return;
        }
        if (change.data.size() % 2 != 0) {
            line.fail(pos, "bad hex(1): UTF-16 text needs an even number of bytes");
        }
        std::u16string units;
        for (std::size_t i = 0; i < change.data.size(); i += 2) {
            units.push_back(static_cast<char16_t>(change.data[i] | (change.data[i + 1] << 8)));
        }
        while (!units.empty() && units.back() == u'\0') {
            units.pop_back();
        }
        if (units.find(u'\0') != std::u16string::npos) {
            line.fail(pos, "bad hex(1): a NUL character inside the text");
        }
        if (findUnpairedSurrogate(units)) {
            line.fail(pos, "bad hex(1): invalid UTF-16 text");
        }
        const std::string text = utf16ToUtf8(units);
        change.data.assign(text.begin(), text.end());
    }

    LineCursor lines_;
    RegChangeSink& sink_;
    bool hasSection_ = false;
    bool sectionDeleted_ = false;
};

// Keeps every change, each with a copy of its key.
class ChangeList final : public RegChangeSink {
public:
    void createKey(const RegKeyPath& key) override {
        section_ = key;
        changes_.push_back({RegChange::Kind::CreateKey, key, {}, 0, {}});
    }
    void deleteTree(const RegKeyPath& key) override {
        changes_.push_back({RegChange::Kind::DeleteTree, key, {}, 0, {}});
    }
    void setValue(std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override {
        changes_.push_back({RegChange::Kind::SetValue,
                            section_,
                            std::string(name),
                            type,
                            {data.begin(), data.end()}});
    }
    void deleteValue(std::string_view name) override {
        changes_.push_back({RegChange::Kind::DeleteValue, section_, std::string(name), 0, {}});
    }

    std::vector<RegChange> take() { return std::move(changes_); }

private:
    RegKeyPath section_;
    std::vector<RegChange> changes_;
};

} // namespace

std::optional<RegParseError> readRegText(std::string_view text, RegChangeSink& sink) {
    try {
        Parser(text, sink).run();
    } catch (Failure& failure) {
        return RegParseError{failure.line, std::move(failure.reason)};
    }
    return std::nullopt;
}

RegParseResult parseRegFile(std::span<const std::uint8_t> bytes) {
    auto decoded = decodeRegFileBytes(bytes);
    if (auto* error = std::get_if<RegParseError>(&decoded)) {
        return std::move(*error);
    }
    ChangeList list;
    if (auto error = readRegText(std::get<std::string>(decoded), list)) {
        return std::move(*error);
    }
    return list.take();
}

} // namespace tickwell::regfile
