#pragma once
// The command line of vbenc.

#include <cstdint>
#include <string>
#include <vector>

struct Options {
    int32_t jobs = 0;  // 0: the default worker limit
    bool quiet = false;
    bool help = false;
    std::vector<std::string> paths;
};

// Fills options from argv; false with a message in error on a usage error.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error);
// The text of --help.
const char* UsageText();
