#include "tools/vbenc/Options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// More jobs than this gains nothing and only holds files open.
constexpr long kMaxJobs = 64;

bool ParseJobs(const char* text, int32_t& jobs, std::string& error) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 1 || value > kMaxJobs) {
        error = std::string("invalid job count \"") + text + "\" (expected 1 to 64)";
        return false;
    }
    jobs = static_cast<int32_t>(value);
    return true;
}

}  // namespace

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (optionsEnded || arg[0] != '-' || arg[1] == '\0') {
            options.paths.emplace_back(arg);
        } else if (std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
            options.help = true;
        } else if (std::strcmp(arg, "-q") == 0 || std::strcmp(arg, "--quiet") == 0) {
            options.quiet = true;
        } else if (std::strcmp(arg, "-j") == 0 || std::strcmp(arg, "--jobs") == 0) {
            if (i + 1 >= argc) {
                error = std::string(arg) + " needs a job count";
                return false;
            }
            if (!ParseJobs(argv[++i], options.jobs, error)) {
                return false;
            }
        } else if (std::strncmp(arg, "-j", 2) == 0) {
            if (!ParseJobs(arg + 2, options.jobs, error)) {
                return false;
            }
        } else {
            error = std::string("unknown option \"") + arg + "\"";
            return false;
        }
    }
    if (!options.help && options.paths.empty()) {
        error = "no input files (see vbenc --help)";
        return false;
    }
    return true;
}

const char* UsageText() {
    return "Usage: vbenc [-j N] [-q] PATH...\n"
           "\n"
           "Encodes WAV and AIFF files into MPEG-1 Audio Layer II streams at 44.1 kHz:\n"
           "256 kbit/s for stereo input, 128 kbit/s for mono input. Each output is\n"
           "written beside its input under the same name with the extension \".mp2\";\n"
           "an existing file of that name is overwritten.\n"
           "\n"
           "The paths are treated as one drop. A folder stands for every file below it,\n"
           "subfolders and hidden files included. Files whose extension is not .wav,\n"
           ".aif or .aiff are skipped with a warning. Every other file is checked before\n"
           "anything is encoded: it must exist, its folder and its output must be\n"
           "writable, it must be uncompressed PCM (16-bit or 24-bit integer, or 32-bit\n"
           "float), mono or stereo, at 16, 22.05, 24, 32, 44.1 or 48 kHz, and all outputs\n"
           "together must fit in the free disk space. If any file fails, nothing is\n"
           "encoded and the reasons of the first 8 failures are listed. Inputs are only\n"
           "read, never modified.\n"
           "\n"
           "Options:\n"
           "  -j N, --jobs N  encode up to N files at once (1 to 64; default: the number\n"
           "                  of processors, at most 3)\n"
           "  -q, --quiet     no progress display\n"
           "  -h, --help      show this text\n"
           "  --              end of options\n"
           "\n"
           "Errors and warnings are printed on stderr, prefixed \"error: \" or \"warning: \".\n"
           "When stderr is a terminal, the progress of each running file and of the\n"
           "whole drop is shown there (unless -q). A summary line goes to stdout.\n"
           "\n"
           "Interrupting (SIGINT, Ctrl+C, or SIGTERM) stops running files within one\n"
           "block of 1024 frames and deletes their partial outputs; queued files are\n"
           "not started. A file that fails (for instance when the disk is full) leaves\n"
           "no output behind.\n"
           "\n"
           "Exit status:\n"
           "  0    every admitted file was encoded (also when nothing was admitted\n"
           "       because every file was of an unsupported type)\n"
           "  1    the files were refused, or a file failed\n"
           "  2    usage error\n"
           "  130  interrupted\n";
}
