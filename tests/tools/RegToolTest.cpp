// tickwell-reg as a person uses it: real processes, a store in a private folder, answers to its
// questions given on standard input.

#include "OldStoreKeys.h"
#include "RegToolProcess.h"
#include "TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tickwell::test {
namespace {

const std::string kDone = "The operation completed successfully.\n";
const std::string kKey = "HKLM\\SOFTWARE\\Tickwell2";

class RegTool : public ::testing::Test {
protected:
    ToolRun run(const std::vector<std::string>& args, const std::string& input = {}) {
        return sandbox_.run(args, input);
    }
    // Runs a command that must succeed.
    void ok(const std::vector<std::string>& args) {
        const ToolRun r = run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, kDone);
        EXPECT_EQ(r.err, "");
    }
    // A failure: one line of reason, and exit status 2 for a command line that is not
    // understood ("Invalid syntax"), 1 for an operation that failed.
    static void expectFailure(const ToolRun& r, const std::string& reasonPart) {
        const bool syntax = r.err.rfind("ERROR: Invalid syntax: ", 0) == 0;
        EXPECT_EQ(r.status, syntax ? 2 : 1) << r.err;
        EXPECT_EQ(r.err.rfind("ERROR: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
        EXPECT_NE(r.err.find(reasonPart), std::string::npos) << r.err;
    }
    std::string query(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"query"};
        all.insert(all.end(), args.begin(), args.end());
        const ToolRun r = run(all);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out;
    }

    RegToolSandbox sandbox_;
};

TEST_F(RegTool, AddsValuesAndQueriesThemInTheRegistryToolsLayout) {
    ok({"add", kKey, "/ve", "/d", "по умолчанию"});
    ok({"add", kKey, "/v", "imagesTimeout", "/t", "REG_DWORD", "/d", "42"});
    ok({"add", kKey, "/v", "noticeBackgroundColor", "/t", "REG_DWORD", "/d", "0xFFFF00"});
    ok({"add", kKey, "/v", "date", "/t", "REG_BINARY", "/d", "000000004076e640"});
    ok({"add", kKey, "/v", "Имя", "/d", "Полить цветы"});
    ok({"add", kKey + "\\Tasks"});
    ok({"add", kKey + "\\Notifications\\notice1", "/v", "name", "/d", "Вода"});

    EXPECT_EQ(query({kKey}), "\n"
                             "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\n"
                             "    (Default)    REG_SZ    по умолчанию\n"
                             "    imagesTimeout    REG_DWORD    0x2a\n"
                             "    noticeBackgroundColor    REG_DWORD    0xffff00\n"
                             "    date    REG_BINARY    000000004076E640\n"
                             "    Имя    REG_SZ    Полить цветы\n"
                             "\n"
                             "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Notifications\n"
                             "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Tasks\n");
    EXPECT_EQ(query({kKey, "/v", "IMAGESTIMEOUT"}), "\n"
                                                    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\n"
                                                    "    imagesTimeout    REG_DWORD    0x2a\n");
    EXPECT_EQ(query({"hkey_local_machine\\software\\tickwell2\\notifications", "/s"}),
              "\n"
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Notifications\n"
              "\n"
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Notifications\\notice1\n"
              "    name    REG_SZ    Вода\n");
    EXPECT_EQ(query({kKey, "/s", "/v", "name"}),
              "\n"
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Notifications\\notice1\n"
              "    name    REG_SZ    Вода\n");
    EXPECT_EQ(query({kKey + "\\Tasks", "/ve"}), "\n"
                                                "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Tasks\n"
                                                "    (Default)    REG_SZ    (value not set)\n");
}

TEST_F(RegTool, AcceptsSwitchesInAnyCaseWithSlashOrDashAndBothRootSpellings) {
    ok({"ADD", "HKEY_CURRENT_USER\\Software\\Run", "-V", "Tickwell2", "-D", "/usr/bin/tickwell",
        "-F"});
    ok({"Add", "hkcu\\Software\\Run\\", "/v", "n", "/T", "reg_dword", "/D", "4294967295", "/F"});
    EXPECT_EQ(query({"HKCU\\SOFTWARE\\run"}), "\n"
                                              "HKEY_CURRENT_USER\\Software\\Run\n"
                                              "    Tickwell2    REG_SZ    /usr/bin/tickwell\n"
                                              "    n    REG_DWORD    0xffffffff\n");
    EXPECT_EQ(run({"/?"}).status, 0);
    EXPECT_NE(run({"query", "/?"}).out.find("tickwell-reg query KEY"), std::string::npos);
}

TEST_F(RegTool, AsksBeforeOverwritingAndEndOfInputOrNoChangesNothing) {
    ok({"add", kKey, "/v", "x", "/d", "first"});
    for (const std::string answer : {"", "no\n", "N\n"}) {
        const ToolRun r = run({"add", kKey, "/v", "x", "/d", "second"}, answer);
        expectFailure(r, "cancelled");
        EXPECT_EQ(r.out.rfind("Value x exists, overwrite (Yes/No)? ", 0), 0u) << r.out;
        EXPECT_EQ(query({kKey, "/v", "x"}), "\n"
                                            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\n"
                                            "    x    REG_SZ    first\n");
    }
    // An unclear answer is asked again; "yes" then goes ahead.
    const ToolRun r = run({"add", kKey, "/v", "x", "/d", "second"}, "maybe\n yes \n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Value x exists, overwrite (Yes/No)? Value x exists, overwrite (Yes/No)? " + kDone);
    EXPECT_NE(query({kKey, "/v", "x"}).find("second"), std::string::npos);
}

TEST_F(RegTool, DeletesValuesAllValuesAndTreesAfterAskingOrWithForce) {
    ok({"add", kKey, "/v", "a", "/d", "1"});
    ok({"add", kKey, "/v", "b", "/d", "2"});
    ok({"add", kKey, "/ve", "/d", "3"});
    ok({"add", kKey + "\\Sub\\Deeper", "/v", "c", "/d", "4"});

    expectFailure(run({"delete", kKey, "/v", "a"}), "cancelled");
    EXPECT_EQ(run({"query", kKey, "/v", "a"}).status, 0);
    const ToolRun yes = run({"delete", kKey, "/v", "a"}, "y\n");
    EXPECT_EQ(yes.out, "Delete the registry value a (Yes/No)? " + kDone);
    expectFailure(run({"query", kKey, "/v", "a"}), "unable to find");

    ok({"delete", kKey, "/ve", "/f"});
    expectFailure(run({"delete", kKey, "/ve", "/f"}), "unable to find");

    expectFailure(run({"delete", kKey, "/va"}, "no\n"), "cancelled");
    ok({"delete", kKey, "/va", "/f"});
    EXPECT_EQ(query({kKey}), "\n"
                             "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\n"
                             "\n"
                             "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Sub\n");

    const ToolRun keep = run({"delete", kKey + "\\Sub"});
    expectFailure(keep, "cancelled");
    EXPECT_EQ(keep.out,
              "Permanently delete the registry key HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Sub "
              "(Yes/No)? \n");
    EXPECT_EQ(run({"query", kKey + "\\Sub\\Deeper", "/v", "c"}).status, 0);
    EXPECT_EQ(run({"delete", kKey + "\\Sub"}, "yes\n").status, 0);
    expectFailure(run({"query", kKey + "\\Sub"}), "unable to find");

    expectFailure(run({"delete", "HKLM", "/f"}), "root key cannot be deleted");
}

TEST_F(RegTool, RefusesBadCommandsWithOneLineOfReason) {
    expectFailure(run({}), "Invalid syntax");
    expectFailure(run({"frobnicate", kKey}), "unknown operation");
    expectFailure(run({"query"}), "QUERY takes one key");
    expectFailure(run({"query", kKey, "/x"}), "'/x' is not a switch of QUERY");
    expectFailure(run({"query", kKey, "/v"}), "needs an argument");
    expectFailure(run({"query", kKey, "/v", "a", "/ve"}), "exclude each other");
    expectFailure(run({"query", "HKCR\\.txt"}), "unknown root 'HKCR'");
    expectFailure(run({"query", "HKLM\\A\\\\B"}), "empty key name");
    expectFailure(run({"query", kKey}), "unable to find");
    expectFailure(run({"add", kKey, "/v", "a", "/t", "REG_MULTI_SZ", "/d", "x"}),
                  "unsupported type");
    expectFailure(run({"add", kKey, "/t", "REG_SZ"}), "need /v or /ve");
    expectFailure(run({"add", kKey, "/v", "a", "/t", "REG_DWORD", "/d", "12x"}), "REG_DWORD");
    expectFailure(run({"add", kKey, "/v", "a", "/t", "REG_DWORD", "/d", "4294967296"}),
                  "REG_DWORD");
    expectFailure(run({"add", kKey, "/v", "a", "/t", "REG_DWORD", "/d", "-1"}), "REG_DWORD");
    expectFailure(run({"add", kKey, "/v", "a", "/t", "REG_BINARY", "/d", "abc"}), "REG_BINARY");
    expectFailure(run({"add", kKey, "/v", "a", "/d", "\xC3("}), "UTF-8");
    expectFailure(run({"add", kKey + "\\" + std::string(256, 'k')}), "longer than 255 characters");
    // Names that are not text are refused at the door, shown escaped.
    expectFailure(run({"add", kKey + "\\bad\xC3("}), "not valid UTF-8 text");
    expectFailure(run({"add", kKey, "/v", "bad\xC3(", "/d", "x"}),
                  "invalid value name 'bad\\xC3('");
    // None of the refused commands created anything.
    expectFailure(run({"query", kKey}), "unable to find");
    expectFailure(run({"delete", kKey, "/v", "a", "/f"}), "unable to find");
}

TEST_F(RegTool, ControlCharactersAreShownEscapedNeverRaw) {
    // A value whose name and text would retitle the terminal and clear it, a C1 control, and a
    // key of that kind left by an older version.
    const std::string file = sandbox_.file("hostile.reg");
    writeFile(file, "Windows Registry Editor Version 5.00\r\n\r\n"
                    "[HKEY_CURRENT_USER\\Software]\r\n"
                    "\"\x1B]0;owned\x07\"=\"\x1B[2J\xC2\x9B\t\"\r\n");
    ok({"import", file});
    addOldKeyChain(sandbox_.file("settings.db"), Root::CurrentUser, "\x1B[31mred", 1);

    const std::string listing = query({"HKCU", "/s"});
    EXPECT_NE(listing.find("    \\x1B]0;owned\\x07    REG_SZ    \\x1B[2J\\x9B\\t\n"),
              std::string::npos)
        << listing;
    EXPECT_NE(listing.find("HKEY_CURRENT_USER\\\\x1B[31mred\n"), std::string::npos) << listing;
    const ToolRun asked = run({"delete", "HKCU\\Software", "/v", "\x1B]0;owned\x07"}, "no\n");
    EXPECT_EQ(asked.out, "Delete the registry value \\x1B]0;owned\\x07 (Yes/No)? ");
    const ToolRun refused = run({"\x1B[2Jfrobnicate"});
    EXPECT_NE(refused.err.find("\\x1B[2J"), std::string::npos) << refused.err;
    for (const std::string& text : {listing, asked.out, refused.err}) {
        for (const char c : text) {
            EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << int(c);
        }
        EXPECT_EQ(text.find("\xC2\x9B"), std::string::npos);
    }
}

TEST_F(RegTool, AnAnswerWithoutEndIsReadInBoundedMemory) {
    ok({"add", kKey, "/v", "x", "/d", "first"});
    const ToolRun idle = run({"query", kKey});
    // 32 MiB of "y" without a line break, written in pieces to keep this process small.
    {
        std::ofstream answer(sandbox_.file("answer"), std::ios::binary);
        const std::string piece(1 << 20, 'y');
        for (int i = 0; i < 32; ++i) {
            answer << piece;
        }
    }
    const ToolRun r = sandbox_.runWithInputFile({"add", kKey, "/v", "x", "/d", "second"},
                                                sandbox_.file("answer"));
    expectFailure(r, "cancelled");
    EXPECT_LT(r.peakMemoryKiB, idle.peakMemoryKiB + 16 * 1024);
}

TEST_F(RegTool, ExportsTheEditorFormatAndAsksBeforeReplacingAFile) {
    ok({"add", kKey, "/v", "imagesTimeout", "/t", "REG_DWORD", "/d", "30"});
    ok({"add", kKey + "\\Notifications", "/v", "notificationsList", "/d", "Вода"});
    const std::string file = sandbox_.file("out.reg");
    ok({"export", "hklm\\software\\tickwell2", file});
    const std::string bytes = readFile(file);
    std::u16string expected = u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                              u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2]\r\n"
                              u"\"imagesTimeout\"=dword:0000001e\r\n\r\n"
                              u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Notifications]\r\n"
                              u"\"notificationsList\"=\"Вода\"\r\n\r\n";
    ASSERT_EQ(bytes.size(), expected.size() * 2);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(static_cast<unsigned char>(bytes[2 * i]), expected[i] & 0xFF) << i;
        EXPECT_EQ(static_cast<unsigned char>(bytes[2 * i + 1]), expected[i] >> 8) << i;
    }

    writeFile(file, "precious");
    const ToolRun keep = run({"export", kKey, file});
    expectFailure(keep, "cancelled");
    EXPECT_EQ(keep.out, "File " + file + " already exists, overwrite (Yes/No)? \n");
    EXPECT_EQ(readFile(file), "precious");
    EXPECT_EQ(run({"export", kKey, file}, "yes\n").status, 0);
    EXPECT_EQ(readFile(file), bytes);
    writeFile(file, "precious");
    ok({"export", kKey, file, "/Y"});
    EXPECT_EQ(readFile(file), bytes);
    // Exports are the owner's alone, whatever the umask and the rights of the file replaced.
    std::filesystem::permissions(file, std::filesystem::perms(0644));
    {
        const ScopedUmask permissive(0);
        ok({"export", kKey, file, "/y"});
    }
    EXPECT_EQ(permissionsOf(file), 0600u);

    expectFailure(run({"export", kKey + "\\Missing", sandbox_.file("x.reg")}), "unable to find");
    EXPECT_FALSE(std::filesystem::exists(sandbox_.file("x.reg")));
    expectFailure(run({"export", kKey, sandbox_.file("no/such/folder.reg")}), "cannot write");
}

TEST_F(RegTool, ATreeTooDeepForTheLimitsIsWalkedAndCanBeDeletedNotExported) {
    // 60,000 levels, as an older version imported them; listing them overflowed the stack.
    ok({"add", "HKCU\\Software", "/v", "x", "/d", "1"});
    addOldKeyChain(sandbox_.file("settings.db"), Root::CurrentUser, "a", 60000);

    expectFailure(run({"query", "HKCU", "/s", "/v", "absent"}), "unable to find");
    expectFailure(run({"export", "HKCU", sandbox_.file("all.reg")}), "deeper than 512 levels");
    EXPECT_FALSE(std::filesystem::exists(sandbox_.file("all.reg")));
    ok({"delete", "HKCU\\a", "/f"});
    ok({"export", "HKCU", sandbox_.file("all.reg")});
}

TEST_F(RegTool, ImportsAWholeFileOrNothingOfIt) {
    const std::string good = sandbox_.file("good.reg");
    writeFile(good, "Windows Registry Editor Version 5.00\r\n\r\n"
                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2]\r\n"
                    "\"imagesTimeout\"=dword:0000001e\r\n"
                    "\"text\"=\"строка\\r\\nвторая\"\r\n"
                    "[HKEY_CURRENT_USER\\Software\\Run]\r\n"
                    "\"Tickwell2\"=\"/opt/tickwell\"\r\n");
    ok({"import", good});
    EXPECT_EQ(query({kKey}), "\n"
                             "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\n"
                             "    imagesTimeout    REG_DWORD    0x1e\n"
                             "    text    REG_SZ    строка\\r\\nвторая\n");

    // A fault on line 7 stops the file: the valid lines before it change nothing either.
    const std::string bad = sandbox_.file("bad.reg");
    writeFile(bad, "Windows Registry Editor Version 5.00\r\n\r\n"
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2]\r\n"
                   "\"imagesTimeout\"=dword:00000063\r\n"
                   "[-HKEY_CURRENT_USER\\Software\\Run]\r\n"
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\New]\r\n"
                   "\"broken\"=hex:0z\r\n");
    const ToolRun r = run({"import", bad});
    expectFailure(r, bad + ", line 7: bad hex byte");
    EXPECT_NE(query({kKey, "/v", "imagesTimeout"}).find("0x1e"), std::string::npos);
    EXPECT_EQ(run({"query", "HKCU\\Software\\Run", "/v", "Tickwell2"}).status, 0);
    expectFailure(run({"query", kKey + "\\New"}), "unable to find");

    const std::string foreign = sandbox_.file("foreign.reg");
    writeFile(foreign, "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\r\n"
                       "[HKEY_CLASSES_ROOT\\.txt]\r\n");
    expectFailure(run({"import", foreign}), "line 3: unknown root 'HKEY_CLASSES_ROOT'");
    expectFailure(run({"query", "HKLM\\SOFTWARE\\X"}), "unable to find");

    expectFailure(run({"import", sandbox_.file("missing.reg")}), "cannot read");
}

// Files made to hurt an import, each refused with a clear reason or imported, in bounded time
// and memory. The bounds are loose enough for a loaded machine and a sanitizer build; the inputs
// took 163 MB (the long section) and 440 MB (the long import) before each section's path was
// kept once, and the device and the FIFO were read, or waited on, without end.
struct HostileImport {
    const char* name;
    // Makes the file in the folder and returns its path.
    std::string (*make)(const RegToolSandbox& sandbox);
    const char* reasonPart; // nullptr: the file imports
};

void PrintTo(const HostileImport& c, std::ostream* out) {
    *out << c.name;
}

constexpr const char* kHeader = "Windows Registry Editor Version 5.00\n\n";

// A section of 80 names of 250 characters, followed by `values` lines of values.
std::string longSectionFile(const RegToolSandbox& sandbox, const std::string& name, int values) {
    std::string file = std::string(kHeader) + "[HKEY_CURRENT_USER";
    for (int i = 0; i < 80; ++i) {
        file += "\\" + std::to_string(1000 + i) + std::string(246, 'x');
    }
    file += "]\n";
    for (int i = 0; i < values; ++i) {
        file += "\"v" + std::to_string(i % 1000) + "\"=\"\"\n";
    }
    writeFile(sandbox.file(name), file);
    return sandbox.file(name).string();
}

const HostileImport kHostileImports[] = {
    {"SixtyKilobytesUnderALongSection",
     [](const RegToolSandbox& s) { return longSectionFile(s, "wide.reg", 8000); }, nullptr},
    {"LongImport", [](const RegToolSandbox& s) { return longSectionFile(s, "long.reg", 22000); },
     nullptr},
    {"SixtyThousandLevels",
     [](const RegToolSandbox& s) -> std::string {
         std::string file = std::string(kHeader) + "[HKEY_CURRENT_USER\\a";
         for (int i = 1; i < 60000; ++i) {
             file += "\\a";
         }
         writeFile(s.file("deep.reg"), file + "]\n");
         return s.file("deep.reg");
     },
     "line 3: the key path is deeper than 512 levels"},
    {"DeviceWithoutEnd", [](const RegToolSandbox&) { return std::string("/dev/zero"); },
     "cannot read '/dev/zero': not a regular file"},
    {"FifoWithoutWriter",
     [](const RegToolSandbox& s) -> std::string {
         EXPECT_EQ(mkfifo(s.file("fifo.reg").c_str(), 0600), 0);
         return s.file("fifo.reg");
     },
     "not a regular file"},
    {"Folder", [](const RegToolSandbox& s) { return s.folder().string() + "/."; },
     "not a regular file"},
    {"LargerThanTheLimit",
     [](const RegToolSandbox& s) -> std::string {
         writeFile(s.file("huge.reg"), kHeader);
         std::filesystem::resize_file(s.file("huge.reg"), (std::uintmax_t{64} << 20) + 1);
         return s.file("huge.reg");
     },
     "larger than 64 MiB"},
};

// What an import may take beyond a tool that lists one key. The address sanitizer keeps freed
// memory in a quarantine of up to 256 MiB before it is used again.
#ifdef __SANITIZE_ADDRESS__
constexpr long importMemoryKiB = 256 * 1024;
#else
constexpr long importMemoryKiB = 64 * 1024;
#endif

class RegToolHostileImport : public RegTool, public ::testing::WithParamInterface<HostileImport> {};

TEST_P(RegToolHostileImport, IsRefusedOrImportedInBoundedTimeAndMemory) {
    const ToolRun idle = run({"query", "HKCU"});
    ASSERT_EQ(idle.status, 0) << idle.err;
    const ToolRun r = run({"import", GetParam().make(sandbox_)});
    if (GetParam().reasonPart) {
        expectFailure(r, GetParam().reasonPart);
    } else {
        EXPECT_EQ(r.status, 0) << r.err;
    }
    EXPECT_LT(r.seconds, 20.0);
    EXPECT_LT(r.peakMemoryKiB, idle.peakMemoryKiB + importMemoryKiB)
        << "a tool that lists one key takes " << idle.peakMemoryKiB << " KiB";
}

INSTANTIATE_TEST_SUITE_P(Files, RegToolHostileImport, ::testing::ValuesIn(kHostileImports),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(RegTool, ExportImportExportThroughTheStoreGivesTheSameBytes) {
    const std::string source = sandbox_.file("source.reg");
    std::string binary = "\"blob\"=hex:";
    for (int i = 0; i < 200; ++i) {
        binary += i == 0 ? "" : ",";
        binary += "0123456789abcdef"[(i >> 4) & 15];
        binary += "0123456789abcdef"[i & 15];
    }
    writeFile(source, "Windows Registry Editor Version 5.00\r\n\r\n"
                      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2]\r\n"
                      "@=\"безымянное\"\r\n"
                      "\"empty\"=\"\"\r\n"
                      "\"imagesList\"=\"C:\\\\Фото\\\\1.jpg\r\nC:\\\\Фото\\\\2.jpg\r\n\"\r\n"
                      "\"imagesTimeout\"=dword:0000001e\r\n" +
                          binary +
                          "\r\n"
                          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Tasks\\task1]\r\n"
                          "\"name\"=\"Задача \\\"первая\\\"\"\r\n"
                          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Notifications]\r\n"
                          "\"notificationsCounter\"=dword:00000000\r\n");
    ok({"import", source});
    const std::string first = sandbox_.file("first.reg");
    ok({"export", kKey, first});
    ok({"delete", kKey, "/f"});
    ok({"import", first});
    const std::string second = sandbox_.file("second.reg");
    ok({"export", kKey, second});
    EXPECT_EQ(readFile(first), readFile(second));
    // Parent before children, subkeys in the store's order.
    const std::string text = readFile(first);
    const auto position = [&](const std::u16string& part) {
        std::string needle;
        for (const char16_t unit : part) {
            needle += static_cast<char>(unit & 0xFF);
            needle += static_cast<char>(unit >> 8);
        }
        return text.find(needle);
    };
    EXPECT_LT(position(u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2]"),
              position(u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Notifications]"));
    EXPECT_LT(position(u"\\Notifications]"), position(u"\\Tasks]"));
    EXPECT_LT(position(u"\\Tasks]"), position(u"\\Tasks\\task1]"));
}

} // namespace
} // namespace tickwell::test
