// tickwell-reg: the settings store's command-line tool. It works on the same store file as the
// running program; the store's back end keeps both consistent, so nothing needs to be stopped.

#include "program/ProgramInfo.h"
#include "settings/StoreDatabase.h"
#include "tools/reg/RegCommandLine.h"
#include "tools/reg/RegToolVerbs.h"
#include "tools/reg/TerminalText.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace tickwell;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "tickwell-reg " << program::version << '\n';
        return 0;
    }
    const auto parsed = regtool::parseCommandLine(args);
    if (const auto* error = std::get_if<regtool::CommandLineError>(&parsed)) {
        std::cerr << "ERROR: Invalid syntax: " << regtool::printable(error->reason)
                  << ". Type \"tickwell-reg /?\" for usage.\n";
        return 2;
    }
    const auto& command = std::get<regtool::RegCommand>(parsed);
    if (command.verb == regtool::Verb::Help) {
        std::cout << regtool::usageText();
        return 0;
    }
    try {
        // The tool may wait for the program's changes as long as the store allows.
        const auto db = StoreDatabase::openFile(StoreDatabase::defaultFilePath(), toolBusyWait);
        if (const auto notice = takeStoreRecoveryNotice()) {
            std::cerr << "NOTE: the damaged settings store was moved to "
                      << regtool::printable(notice->movedToPath.string())
                      << " and a fresh one was started.\n";
        }
        regtool::runVerb(command, *db, {std::cin, std::cout});
        return 0;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "ERROR: " << regtool::printable(e.what()) << '\n';
        return 1;
    }
}
