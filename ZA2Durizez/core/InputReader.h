#pragma once
// The reader of one input file, chosen by its type: the WAV/RF64 reader or
// the AIFF reader, both over the memory-mapped file. Admission and the encode
// job both open inputs through this, so they see the same format fields.

#include <cstdint>

#include <wx/string.h>

#include "ZA2Durizez/core/InputPath.h"

class AudioFile;

// The format as the reader reports it.
struct InputFormat {
    int32_t formatTag = 0;       // 1 integer PCM, 3 IEEE float, others unsupported
    int32_t channels = 0;
    int32_t bytesPerSample = 0;  // 2, 3 or 4 for admitted files
    uint64_t sampleRateHz = 0;
    uint32_t durationMs = 0;     // 0: not a readable file with audio content
    uint64_t frames = 0;         // exact number of sample frames in the data
};

class InputReader {
public:
    // Opens path with the reader of its type and clears the reader's
    // unsupported flag (rates other than the engine rate are converted by the
    // job). An unsupported type or a missing file gives a reader whose
    // duration is 0.
    InputReader(const wxString& path, InputType type);
    ~InputReader();  // releases the reader
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;

    const InputFormat& Format() const noexcept { return format_; }
    // Reads up to n frames at frame p as interleaved 16-bit stereo (a mono
    // file delivers each sample twice); returns the frames delivered.
    uint64_t Read(int16_t* buffer, uint64_t n, uint64_t p);

private:
    AudioFile* file_ = nullptr;
    InputFormat format_;
};
