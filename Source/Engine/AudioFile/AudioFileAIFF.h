#pragma once
// AudioFileAIFF: reads Audio Interchange File Format files (form type
// "AIFF", big-endian integer PCM) through the mapped windows of AudioFile.
// The file's markers ("MARK") become cue points. AIFF-C is not accepted.

#include "Source/Engine/AudioFile/AudioFile.h"

class AudioFileAIFF : public AudioFile {
public:
    // Opens an existing file at once when presetDurationMs is 0.
    AudioFileAIFF(const UString& path, int32_t presetDurationMs, int32_t defaultChannels);
    ~AudioFileAIFF() override;

    // True when the file is a FORM/AIFF file (even one without "COMM" or
    // "SSND", whose duration then stays 0). Starts from a clean state: no
    // format or duration of an earlier parse survives.
    bool Open(const UString& path, uint32_t options = 0) override;
    bool Create(uint64_t frames) override;
    bool Close() override;
    bool Finish(const UString& newPath) override;
    // Big-endian samples to interleaved 16-bit stereo: the most significant
    // two bytes of each sample; 8-bit samples become the high byte.
    uint64_t Read(int16_t* buffer, uint64_t n, uint64_t p) override;

    // Sample rate of an 80-bit extended value given as its sign/exponent word
    // and the first 32 bits of its mantissa (exact for integer rates below 2^32).
    static uint64_t DecodeRate(uint16_t exponent, uint32_t mantissaHigh);

protected:
    void WriteContainerSize(uint8_t* header, uint64_t fileSize) override;

private:
    // False when the chunk's fields are not all in the file.
    bool ParseCommon(uint64_t offset);
    void ParseMarkers(uint64_t offset, uint32_t size);
};
