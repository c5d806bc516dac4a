#pragma once

// The command line of tickwell-resample:
//   tickwell-resample IN OUT [--fit WxH | --size WxH] [--kernel NAME] [--support S]
//                     [--threads N] [--ignore-orientation] [--time]
//   tickwell-resample --help | --version

#include "images/FitSize.h"
#include "images/Kernels.h"

#include <stdexcept>
#include <string>
#include <vector>

// A command line that cannot be run; what() is the one-line reason.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ResampleArguments {
    std::string input;
    std::string output;
    // Fit into `size` as the image window fits a picture into the screen, or resize to exactly
    // `size`.
    bool exactSize = false;
    PixelSize size{1820, 980};
    const KernelTableEntry* kernel = nullptr;
    float support = 0;
    // 0: one per processor core.
    int threads = 0;
    // Resample a JPEG picture as stored, not turned as its orientation tag says.
    bool ignoreOrientation = false;
    bool printTimes = false;
    bool helpOnly = false;
    bool versionOnly = false;
};

// The one-line usage, and the whole text printed for --help.
extern const char* const kResampleUsage;
extern const char* const kResampleHelp;

// Throws UsageError.
ResampleArguments parseResampleArguments(const std::vector<std::string>& arguments);
