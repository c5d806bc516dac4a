#pragma once

// What each verb of tickwell-reg does to the store.

#include "settings/StoreDatabase.h"
#include "tools/reg/RegCommandLine.h"

#include <iosfwd>
#include <stdexcept>

namespace tickwell::regtool {

// A verb that failed; the text is the one-line reason shown after "ERROR: ".
class ToolFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ToolStreams {
    std::istream& in;
    std::ostream& out;
};

// Runs one verb (not Help). Returns normally on success; throws ToolFailure (or the store's
// errors) on failure, having changed nothing.
void runVerb(const RegCommand& command, StoreDatabase& db, ToolStreams io);

} // namespace tickwell::regtool
