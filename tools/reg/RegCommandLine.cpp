#include "tools/reg/RegCommandLine.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string_view>

namespace tickwell::regtool {

namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

// A switch is '/' or '-' followed by letters only, so that an absolute path such as
// /tmp/settings.reg stays a file name.
bool isSwitch(const std::string& arg) {
    return arg.size() >= 2 && (arg.front() == '/' || arg.front() == '-') &&
           std::all_of(arg.begin() + 1, arg.end(),
                       [](unsigned char c) { return std::isalpha(c) != 0; });
}

struct VerbRule {
    const char* name;
    Verb verb;
    int positionals; // KEY, or KEY FILE, or FILE
    std::set<std::string> switches;
};

const VerbRule kRules[] = {
    {"QUERY", Verb::Query, 1, {"V", "VE", "S"}},
    {"ADD", Verb::Add, 1, {"V", "VE", "T", "D", "F"}},
    {"DELETE", Verb::Delete, 1, {"V", "VE", "VA", "F"}},
    {"EXPORT", Verb::Export, 2, {"Y"}},
    {"IMPORT", Verb::Import, 1, {}},
};

std::optional<std::uint32_t> typeFromName(const std::string& name) {
    const std::string type = upper(name);
    if (type == "REG_SZ") {
        return valuetype::String;
    }
    if (type == "REG_DWORD") {
        return valuetype::Dword;
    }
    if (type == "REG_BINARY") {
        return valuetype::Binary;
    }
    return std::nullopt;
}

// Fills `command` from the switches and positional arguments after the verb.
std::optional<CommandLineError>
readArguments(const VerbRule& rule, const std::vector<std::string>& args, RegCommand& command) {
    std::vector<std::string> positionals;
    std::set<std::string> seen;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!isSwitch(args[i])) {
            positionals.push_back(args[i]);
            continue;
        }
        const std::string name = upper(std::string_view(args[i]).substr(1));
        if (!rule.switches.contains(name)) {
            return CommandLineError{"'" + args[i] + "' is not a switch of " + rule.name};
        }
        if (!seen.insert(name).second) {
            return CommandLineError{"'" + args[i] + "' is given twice"};
        }
        const bool takesArgument = name == "V" || name == "T" || name == "D";
        if (takesArgument && i + 1 >= args.size()) {
            return CommandLineError{"'" + args[i] + "' needs an argument"};
        }
        if (name == "V") {
            command.valueName = args[++i];
        } else if (name == "T") {
            const auto type = typeFromName(args[++i]);
            if (!type) {
                return CommandLineError{"unsupported type '" + args[i] +
                                        "' (use REG_SZ, REG_DWORD or REG_BINARY)"};
            }
            command.type = *type;
        } else if (name == "D") {
            command.data = args[++i];
        } else if (name == "VE") {
            command.valueName = std::string{};
        } else if (name == "VA") {
            command.allValues = true;
        } else if (name == "S") {
            command.recurse = true;
        } else if (name == "F") {
            command.force = true;
        } else if (name == "Y") {
            command.overwrite = true;
        }
    }
    const int valueSwitches = static_cast<int>(seen.contains("V")) +
                              static_cast<int>(seen.contains("VE")) +
                              static_cast<int>(seen.contains("VA"));
    if (valueSwitches > 1) {
        return CommandLineError{"/v, /ve and /va exclude each other"};
    }
    if ((seen.contains("T") || seen.contains("D")) && valueSwitches == 0) {
        return CommandLineError{"/t and /d need /v or /ve"};
    }
    if (static_cast<int>(positionals.size()) != rule.positionals) {
        return CommandLineError{std::string(rule.name) + " takes " +
                                (rule.verb == Verb::Export   ? "a key and a file name"
                                 : rule.verb == Verb::Import ? "one file name"
                                                             : "one key")};
    }
    if (rule.verb == Verb::Import) {
        command.file = positionals[0];
        return std::nullopt;
    }
    // Only add creates keys; the other verbs may name any key the store holds.
    std::string reason;
    const auto key = regfile::parseKeyName(
        positionals[0], rule.verb == Verb::Add ? KeyPathUse::Create : KeyPathUse::Find, reason);
    if (!key) {
        return CommandLineError{reason};
    }
    command.key = *key;
    if (rule.verb == Verb::Export) {
        command.file = positionals[1];
    }
    return std::nullopt;
}

} // namespace

std::variant<RegCommand, CommandLineError> parseCommandLine(const std::vector<std::string>& args) {
    RegCommand command;
    if (args.empty()) {
        return CommandLineError{"no operation given"};
    }
    // "/?" (or "--help") alone or after the verb; anywhere else it may be data.
    const auto isHelp = [](const std::string& arg) {
        return arg == "/?" || arg == "-?" || arg == "--help";
    };
    if (isHelp(args[0]) || (args.size() == 2 && isHelp(args[1]))) {
        return command; // Verb::Help
    }
    const std::string verbName = upper(args[0]);
    const auto rule = std::find_if(std::begin(kRules), std::end(kRules),
                                   [&](const VerbRule& r) { return verbName == r.name; });
    if (rule == std::end(kRules)) {
        return CommandLineError{"unknown operation '" + args[0] + "'"};
    }
    command.verb = rule->verb;
    if (auto error = readArguments(*rule, args, command)) {
        return *error;
    }
    return command;
}

const char* usageText() {
    return "Usage:\n"
           "  tickwell-reg query KEY [/v NAME | /ve] [/s]\n"
           "  tickwell-reg add KEY [/v NAME | /ve] [/t REG_SZ|REG_DWORD|REG_BINARY] [/d DATA] "
           "[/f]\n"
           "  tickwell-reg delete KEY [/v NAME | /ve | /va] [/f]\n"
           "  tickwell-reg export KEY FILE [/y]\n"
           "  tickwell-reg import FILE\n"
           "  tickwell-reg /? | --help | --version\n"
           "\n"
           "KEY is ROOT\\SubKey, ROOT being HKLM (HKEY_LOCAL_MACHINE) or HKCU "
           "(HKEY_CURRENT_USER).\n"
           "  /v NAME  the value NAME        /ve  the unnamed value (Default)\n"
           "  /va      all values of KEY     /s   KEY and every key below it\n"
           "  /t TYPE  the value's type (REG_SZ when not given)\n"
           "  /d DATA  the data: text, a number (decimal or 0x hex), or hex digits\n"
           "  /f       change without asking /y   overwrite FILE without asking\n"
           "Switches may be written with '-' instead of '/', in any letter case.\n"
           "The settings store is $TICKWELL_CONFIG_DIR/settings.db, else "
           "$XDG_CONFIG_HOME/tickwell/settings.db, else ~/.config/tickwell/settings.db.\n"
           "Exit status: 0 on success, 1 when the operation failed, 2 for a command line that\n"
           "is not understood.\n";
}

} // namespace tickwell::regtool
