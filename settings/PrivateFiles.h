#pragma once

// The files that hold a person's settings are theirs alone, from the moment they exist: the
// folders made for them 0700, the store's files and exported settings 0600, whatever the umask.
// Other users of the machine can read none of the reminder texts, task names and picture paths.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace tickwell {

// Why a private file could not be written; what() is one line naming the file.
class PrivateFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Creates `folder` and every missing folder above it, each owner-only. Folders that exist are
// left as they are. Throws PrivateFileError.
void createPrivateFolders(const std::filesystem::path& folder);

// Whether the open file `fd` is a regular file of this user's, made owner-only (0600) when it was
// not: false for a pipe, a device, a folder, another user's file, or rights that cannot be taken.
bool ownFileMadePrivate(int fd);

enum class WhenMissing { Create, Skip };

// Takes the rights of group and others from the file when it belongs to this user; a missing
// file is created owner-only (without writing to it) or skipped. Throws PrivateFileError when it
// cannot be created.
void makeFilePrivate(const std::filesystem::path& file, WhenMissing missing);

// Writes `bytes` as the whole new content of `file`, owner-only: into a new file beside it,
// synced, then renamed over it, so that a failed write never leaves a half-written file where a
// good one was. A link at `file` is replaced, not followed. Throws PrivateFileError.
void writePrivateFileReplacing(const std::string& file, const std::vector<std::uint8_t>& bytes);

} // namespace tickwell
