#pragma once
// The mapped audio file's log records: one row per place that reports, with
// the function name, line number and level that every record carries, and the
// message text. All records name the source path "Source/Engine/AudioFile".

#include <cstdint>
#include <string>

#include "ui/core/UString.h"

struct AudioFileLogSite {
    const char* function;
    int line;
    bool isError;      // false: warning (file-system failures); true: error
    const char* text;  // printf text; "%s" is the path, "%08X" the error code
};

namespace AudioFileLogSites {
extern const AudioFileLogSite kOpenFailed;
extern const AudioFileLogSite kCreateOpenFailed;
extern const AudioFileLogSite kCreateExtendFailed;
extern const AudioFileLogSite kCreateNoSpace;
extern const AudioFileLogSite kCloseTruncateFailed;
extern const AudioFileLogSite kMapFailed;
extern const AudioFileLogSite kGrowExtendFailed;
}  // namespace AudioFileLogSites

inline constexpr const char* kAudioFileLogSource = "Source/Engine/AudioFile";

// Logs a record whose text takes the path and an error code.
void LogAudioFile(const AudioFileLogSite& site, const UString& path, uint32_t code);
// Logs a record whose text takes one already formatted string.
void LogAudioFile(const AudioFileLogSite& site, const std::string& argument);

// A size as people read it: "512 B", "1.5 KB", "123 MB". Sizes of 800 or more
// move one unit up (by 1024) until below 800; one decimal while the scaled
// value is at most 99, none above that or for bytes. Stops at "TB".
std::string HumanReadableSize(uint64_t bytes);
