// tickwell-reg's command line, run in-process against a store of its own. The input holds the
// arguments separated by NUL bytes, an empty argument, then the answers given on standard input,
// a NUL, and the content of the file an import reads. The file names of import and export are
// kept inside the target's folder. Whatever the tool prints must hold no control character but
// the line break, and every failure must be one of the tool's own.

#include "FuzzStore.h"
#include "tools/reg/RegCommandLine.h"
#include "tools/reg/RegToolVerbs.h"
#include "tools/reg/TerminalText.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

using namespace tickwell;

namespace {

const std::filesystem::path folder = fuzzing::privateFolder();
const auto store = StoreDatabase::openFile(folder / "settings.db");

void expectPrintable(std::string_view text) {
    for (const char c : text) {
        if (c != '\n' && static_cast<unsigned char>(c) < 0x20) {
            std::abort();
        }
    }
    if (text.find("\xC2\x9B") != std::string_view::npos) {
        std::abort(); // a C1 control, as a terminal reads UTF-8
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto field = [&input]() {
        const std::size_t end = std::min(input.find('\0'), input.size());
        const std::string_view text = input.substr(0, end);
        input.remove_prefix(std::min(end + 1, input.size()));
        return std::string(text);
    };
    std::vector<std::string> args;
    for (std::string arg = field(); !arg.empty() && args.size() < 16; arg = field()) {
        args.push_back(arg);
    }
    const std::string answers = field();
    {
        std::ofstream file(folder / "in.reg", std::ios::binary | std::ios::trunc);
        file << input;
    }

    const auto parsed = regtool::parseCommandLine(args);
    if (const auto* error = std::get_if<regtool::CommandLineError>(&parsed)) {
        expectPrintable(regtool::printable(error->reason));
        return 0;
    }
    regtool::RegCommand command = std::get<regtool::RegCommand>(parsed);
    if (command.verb == regtool::Verb::Help) {
        return 0;
    }
    command.file =
        (folder / (command.verb == regtool::Verb::Import ? "in.reg" : "out.reg")).string();
    fuzzing::empty(*store);
    std::istringstream in(answers);
    std::ostringstream out;
    try {
        regtool::runVerb(command, *store, {in, out});
    } catch (const regtool::ToolFailure& failure) {
        expectPrintable(regtool::printable(failure.what()));
    } catch (const StoreDatabaseError& failure) {
        expectPrintable(regtool::printable(failure.what()));
    }
    expectPrintable(out.str());
    return 0;
}
