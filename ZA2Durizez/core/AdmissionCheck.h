#pragma once
// The check every file passes before it is queued (batch mode, as part of a
// drop) and again just before its job starts (single mode).

#include <cstdint>

#include <wx/string.h>

// Why a file was refused, in the order the checks run.
enum class AdmissionReason {
    kNone,                // the file passed every check
    kMissing,             // the file does not exist
    kFolderNotWritable,   // its folder is missing or not writable
    kOutputNotWritable,   // "<name>.mp2" exists and cannot be written
    kNoAudio,             // not a readable WAV/AIFF stream: duration 0
    kBitsPerSample,       // bytes per sample other than 2, 3 or 4
    kSampleRate,          // not 16, 22.05, 24, 32, 44.1 or 48 kHz
    kChannels,            // not mono or stereo
    kEncoding,            // neither integer PCM up to 24 bits nor 32-bit float
    kDiskSpace,           // the output does not fit on the disk
};

// The user-visible text of a reason (empty for kNone).
const char* AdmissionReasonText(AdmissionReason reason);

// Bytes of output per millisecond and channel: 128 kbit/s per channel.
constexpr uint64_t kOutputBytesPerMsPerChannel = 16;
// Free space is unknown (its query failed): the space check passes.
constexpr uint64_t kUnknownFreeSpace = UINT64_MAX;

// The space shared by the files of one drop.
struct SpaceBudget {
    uint64_t freeBytes = kUnknownFreeSpace;  // queried once per drop
    uint64_t neededBytes = 0;                // sum over the files checked so far
};

// Single mode (budget null): the free space of the file's folder is queried
// now and compared with this file's need. Batch mode: the need is added to
// the budget and the sum compared with its free space, so the drop as a whole
// must fit.
AdmissionReason CheckFile(const wxString& path, SpaceBudget* budget);
