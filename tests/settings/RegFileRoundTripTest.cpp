// Export and import agree: what is written reads back to the same tree, byte for byte, and a
// file in the registry editor's own style reads in unchanged.

#include "RegFileTestSupport.h"
#include "settings/RegFileWriter.h"

#include <gtest/gtest.h>

namespace tickwell::regfile {
namespace {

using namespace test;

// The tree that `changes` build below `top`, keys and values in the order they first appear,
// as the store keeps them.
RegKeySnapshot treeOf(const std::vector<RegChange>& changes, const RegKeyPath& top) {
    struct Node {
        std::string name;
        std::vector<RawValue> values;
        std::vector<Node> subkeys;
    };
    Node tree;
    for (const RegChange& change : changes) {
        EXPECT_EQ(change.key.root, top.root);
        EXPECT_EQ(change.key.path.rfind(top.path, 0), 0u) << change.key.path;
        std::string_view rest = std::string_view(change.key.path).substr(top.path.size());
        Node* node = &tree;
        while (!rest.empty()) {
            rest.remove_prefix(rest.front() == '\\' ? 1 : 0);
            const std::string name(rest.substr(0, rest.find('\\')));
            rest.remove_prefix(name.size());
            auto it = std::find_if(node->subkeys.begin(), node->subkeys.end(),
                                   [&](const Node& k) { return k.name == name; });
            if (it == node->subkeys.end()) {
                node->subkeys.push_back({name, {}, {}});
                it = node->subkeys.end() - 1;
            }
            node = &*it;
        }
        if (change.kind == RegChange::Kind::SetValue) {
            node->values.push_back({change.valueName, change.type, change.data});
        } else {
            EXPECT_EQ(change.kind, RegChange::Kind::CreateKey);
        }
    }
    RegKeySnapshot flat;
    const auto flatten = [&flat](const auto& self, const Node& node, std::size_t depth) -> void {
        flat.keys.push_back({depth, node.name, node.values});
        for (const Node& subkey : node.subkeys) {
            self(self, subkey, depth + 1);
        }
    };
    flatten(flatten, tree, 0);
    return flat;
}

RawValue text(std::string name, std::string_view data) {
    return {std::move(name), valuetype::String, bytesOf(data)};
}

RegKeySnapshot richTree() {
    std::vector<std::uint8_t> longBinary;
    for (int i = 0; i < 300; ++i) {
        longBinary.push_back(static_cast<std::uint8_t>(i * 7));
    }
    return {{{0,
              "",
              {text("", "безымянное \"значение\" C:\\путь\\"),
               text("empty", ""),
               text("imagesList", "C:\\Фото\\море.jpg\r\nC:\\Фото\\горы.jpg\r\n"),
               text("Имя с пробелом", "Кириллица ёЁ №"),
               text("tab\tname", "a\tb"),
               text("имя\r\nс переводом", "x"),
               {"imagesTimeout", valuetype::Dword, dword(30)},
               {"negative", valuetype::Dword, dword(0xFFFFFFFE)},
               {"blob", valuetype::Binary, longBinary},
               {"emptyBlob", valuetype::Binary, {}},
               {"expand", 2, {0x25, 0, 0x41, 0, 0x25, 0, 0, 0}},
               {"multi", 7, {0x61, 0, 0, 0, 0x62, 0, 0, 0, 0, 0}},
               {"qword", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
               {"oddDword", valuetype::Dword, {1, 2}}}},
             {1, "Notifications", {}},
             {2,
              "notice1",
              {text("name", "Вода"),
               text("text", "Выпей воды.\r\nПотом ещё."),
               {"interval", valuetype::Dword, dword(1800)},
               {"date", valuetype::Binary, {0, 0, 0, 0, 0x40, 0x76, 0xe6, 0x40}}}},
             {1, "Tasks", {}},
             {1, "Глубже", {text("", "")}},
             {2, "Ещё", {text("x", "y")}}}};
}

TEST(RegFileRoundTrip, ExportImportExportGivesTheSameBytesAndTree) {
    const RegKeyPath top{Root::LocalMachine, "SOFTWARE\\Tickwell2"};
    const RegKeySnapshot original = richTree();
    const auto first = writeRegFile(top, original);
    const RegKeySnapshot imported = treeOf(parseOk(first), top);
    EXPECT_EQ(imported, original);
    EXPECT_EQ(writeRegFile(top, imported), first);
}

// Written as the registry editor writes a key: its strings' line breaks as they are, inside
// the quotes.
const char* const kEditorExport =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2]\r\n"
    "\"imagesList\"=\"C:\\\\Фото\\\\море.jpg\r\n"
    "C:\\\\Фото\\\\горы.jpg\r\n"
    "\"\r\n"
    "\"imagesTimeout\"=dword:0000001e\r\n"
    "\"noticeBackgroundColor\"=dword:00ffff00\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Notifications]\r\n"
    "\"notificationsCounter\"=dword:00000001\r\n"
    "\"notificationsList\"=\"Вода\r\n"
    "\"\r\n"
    "\"noticesList\"=\"notice1\r\n"
    "\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Notifications\\notice1]\r\n"
    "\"name\"=\"Вода\"\r\n"
    "\"text\"=\"Выпей воды.\r\n"
    "Потом ещё.\"\r\n"
    "\"date\"=hex:00,00,00,00,40,76,e6,40\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Tasks]\r\n"
    "\"tasksList\"=\"\"\r\n"
    "\r\n";

RegKeySnapshot editorTree() {
    return {{{0,
              "",
              {text("imagesList", "C:\\Фото\\море.jpg\r\nC:\\Фото\\горы.jpg\r\n"),
               {"imagesTimeout", valuetype::Dword, dword(30)},
               {"noticeBackgroundColor", valuetype::Dword, dword(0xFFFF00)}}},
             {1,
              "Notifications",
              {{"notificationsCounter", valuetype::Dword, dword(1)},
               text("notificationsList", "Вода\r\n"),
               text("noticesList", "notice1\r\n")}},
             {2,
              "notice1",
              {text("name", "Вода"),
               text("text", "Выпей воды.\r\nПотом ещё."),
               {"date", valuetype::Binary, {0, 0, 0, 0, 0x40, 0x76, 0xe6, 0x40}}}},
             {1, "Tasks", {text("tasksList", "")}}}};
}

TEST(RegFileRoundTrip, AnEditorExportReadsInUnchangedAndWritesBackEquivalent) {
    const RegKeyPath top{Root::LocalMachine, "SOFTWARE\\Tickwell2"};
    const RegKeySnapshot imported = treeOf(parseOk(utf16File(kEditorExport)), top);
    EXPECT_EQ(imported, editorTree());

    // Written back, the line breaks travel as hex(1); read again, nothing has changed.
    const auto rewritten = writeRegFile(top, imported);
    const std::string rewrittenText = textOfUtf16File(rewritten);
    EXPECT_NE(rewrittenText.find("\"notificationsList\"=hex(1):12,04,3e,04,34,04,30,04,0d,00,0a,"
                                 "00,00,00\r\n"),
              std::string::npos)
        << rewrittenText;
    EXPECT_EQ(treeOf(parseOk(rewritten), top), imported);
}

} // namespace
} // namespace tickwell::regfile
