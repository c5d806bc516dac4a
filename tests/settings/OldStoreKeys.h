#pragma once

// Keys that an older version of the program could make and today's store refuses to make:
// written straight into the store file, as that version left them.

#include "settings/StoreDatabase.h"

#include <filesystem>
#include <string>

// Adds a chain of `depth` keys, each named `name` and the subkey of the one before, below the
// root `root` of the store file `file`.
void addOldKeyChain(const std::filesystem::path& file, tickwell::Root root, const std::string& name,
                    int depth);
