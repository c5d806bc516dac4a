#pragma once

// The command line of tickwell-reg: the verbs and switches of the registry's own command-line
// tool. Switches are case-insensitive and start with '/' or '-'.

#include "settings/RegFileTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tickwell::regtool {

enum class Verb { Query, Add, Delete, Export, Import, Help };

struct RegCommand {
    Verb verb = Verb::Help;
    regfile::RegKeyPath key;                // query, add, delete, export
    std::string file;                       // export, import
    std::optional<std::string> valueName;   // /v NAME; "" for /ve
    bool allValues = false;                 // /va
    bool recurse = false;                   // /s
    std::uint32_t type = valuetype::String; // /t
    std::optional<std::string> data;        // /d
    bool force = false;                     // /f
    bool overwrite = false;                 // /y
};

// Why a command line was refused, in one line.
struct CommandLineError {
    std::string reason;
};

// `args` are the arguments after the program name.
std::variant<RegCommand, CommandLineError> parseCommandLine(const std::vector<std::string>& args);

// The usage text printed for /? and --help.
const char* usageText();

} // namespace tickwell::regtool
