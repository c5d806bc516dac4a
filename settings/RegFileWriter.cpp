#include "settings/RegFileWriter.h"

#include "settings/KeyPath.h"
#include "settings/NameFold.h"
#include "settings/RegFileEncoding.h"

#include <string>
#include <string_view>

namespace tickwell::regfile {

namespace {

// The editor breaks a hex line once it has passed this column, so no line exceeds 80.
constexpr std::size_t kWrapColumn = 76;
constexpr std::u16string_view kLineEnd = u"\r\n";

std::u16string checkedUtf16(std::string_view utf8, std::string_view what) {
    if (!isValidUtf8(utf8)) {
        throw RegWriteError(std::string(what) + " is not valid UTF-8 text");
    }
    return utf8ToUtf16(utf8);
}

// Quoted text with \\ and \" escaped; line breaks become \r and \n so that a value name that
// holds one still fits on its line.
std::u16string quotedText(std::u16string_view text) {
    std::u16string out = u"\"";
    for (const char16_t unit : text) {
        switch (unit) {
        case u'\\':
            out += u"\\\\";
            break;
        case u'"':
            out += u"\\\"";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'\n':
            out += u"\\n";
            break;
        default:
            out += unit;
        }
    }
    out += u'"';
    return out;
}

std::u16string hexNumber(std::uint32_t value, int minDigits) {
    static constexpr std::u16string_view digits = u"0123456789abcdef";
    std::u16string out;
    do {
        out.insert(out.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    while (out.size() < static_cast<std::size_t>(minDigits)) {
        out.insert(out.begin(), u'0');
    }
    return out;
}

// Appends "xx,xx,..." to `line` (which already holds the name and the hex prefix), breaking
// it with ",\" and a two-space indent after the column limit.
void appendHexBytes(std::u16string& out, std::u16string line,
                    const std::vector<std::uint8_t>& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        line += hexNumber(bytes[i], 2);
        if (i + 1 == bytes.size()) {
            break;
        }
        line += u',';
        if (line.size() > kWrapColumn) {
            out += line;
            out += u'\\';
            out += kLineEnd;
            line = u"  ";
        }
    }
    out += line;
    out += kLineEnd;
}

std::vector<std::uint8_t> stringAsUtf16Bytes(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2 + 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

void writeValue(std::u16string& out, const RawValue& value, const std::string& keyName) {
    const std::string where = "value '" + value.name + "' of " + keyName;
    std::u16string line = value.name.empty()
                              ? std::u16string(u"@")
                              : quotedText(checkedUtf16(value.name, "the name of " + where));
    line += u'=';
    if (value.type == valuetype::String) {
        const std::u16string text = checkedUtf16(
            std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()),
            "the text of " + where);
        // Line breaks and other control characters go as the string's UTF-16 bytes, which every
        // importer reads back unchanged.
        bool hasControl = false;
        for (const char16_t unit : text) {
            hasControl = hasControl || isControlCharacter(unit);
        }
        if (hasControl) {
            appendHexBytes(out, line + u"hex(1):", stringAsUtf16Bytes(text));
            return;
        }
        out += line + quotedText(text);
        out += kLineEnd;
    } else if (value.type == valuetype::Dword && value.data.size() == 4) {
        const std::uint32_t number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                     (static_cast<std::uint32_t>(value.data[3]) << 24);
        out += line + u"dword:" + hexNumber(number, 8);
        out += kLineEnd;
    } else if (value.type == valuetype::Binary) {
        appendHexBytes(out, line + u"hex:", value.data);
    } else {
        appendHexBytes(out, line + u"hex(" + hexNumber(value.type, 1) + u"):", value.data);
    }
}

void writeKey(std::u16string& out, const std::string& fullName, const RegKeySnapshot::Key& key) {
    const std::u16string name = checkedUtf16(fullName, "the key name " + fullName);
    for (const char16_t unit : name) {
        if (unit == u'\r' || unit == u'\n') {
            throw RegWriteError("the key name " + fullName + " holds a line break");
        }
    }
    out += u'[' + name + u']';
    out += kLineEnd;
    for (const RawValue& value : key.values) {
        writeValue(out, value, fullName);
    }
    out += kLineEnd;
}

} // namespace

std::vector<std::uint8_t> writeRegFile(const RegKeyPath& top, const RegKeySnapshot& snapshot) {
    std::u16string text = u"Windows Registry Editor Version 5.00";
    text += kLineEnd;
    text += kLineEnd;
    // The full name of the key at hand; where the name of each of its ancestors ends in it, and
    // how long each one's path below the root is.
    std::string fullName;
    std::vector<std::size_t> ends;
    std::vector<std::size_t> lengths;
    const auto topPath = parseKeyPath(top.path);
    if (!topPath) {
        throw RegWriteError("the key name " + top.fullName() + " is not a valid key path");
    }
    const std::size_t topDepth = topPath->components.size();
    for (const RegKeySnapshot::Key& key : snapshot.keys) {
        if (key.depth > ends.size() || (key.depth == 0) != ends.empty()) {
            throw RegWriteError("the keys of " + top.fullName() + " are not in tree order");
        }
        std::size_t length = 0;
        if (key.depth == 0) {
            fullName = top.fullName();
            length = utf16Length(top.path);
        } else {
            if (key.name.empty() || key.name.find('\\') != std::string::npos) {
                throw RegWriteError("a subkey of " + fullName.substr(0, ends[key.depth - 1]) +
                                    " has an invalid name");
            }
            fullName.resize(ends[key.depth - 1]);
            fullName += '\\';
            fullName += key.name;
            length =
                lengths[key.depth - 1] + (topDepth + key.depth > 1 ? 1 : 0) + utf16Length(key.name);
        }
        // Keys made before the limits existed: a file that names them could not be read back.
        if (topDepth + key.depth > maxKeyDepth || length > maxKeyPathLength) {
            throw RegWriteError("a key below " + top.fullName() + " lies deeper than " +
                                std::to_string(maxKeyDepth) + " levels or further than " +
                                std::to_string(maxKeyPathLength) +
                                " characters from its root; delete it first");
        }
        ends.resize(key.depth);
        ends.push_back(fullName.size());
        lengths.resize(key.depth);
        lengths.push_back(length);
        writeKey(text, fullName, key);
    }

    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    bytes.reserve(2 + text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

} // namespace tickwell::regfile
