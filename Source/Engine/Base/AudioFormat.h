#pragma once
// The audio format record, laid out like the body of a RIFF format chunk.

#include <cstdint>

enum AudioFormatTag : uint16_t {
    kFormatPcm = 1,
    kFormatIeeeFloat = 3,
    kFormatALaw = 6,
    kFormatMuLaw = 7,
    kFormatMpeg = 80,
    kFormatTelephony8Bit = 101,
    kFormatExtensible = 0xFFFE,
    kFormatAac = 0xAAC0,
};

#pragma pack(push, 1)
struct AudioFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t averageBytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;

    // Zeroes the record and fills the defaults of the tag.
    void Initialise(uint16_t tag);
    void SetChannels(uint16_t n) { channels = n; }
    void SetSamplesPerSecond(uint32_t rate) { samplesPerSecond = rate; }
    // Recomputes block align (and, for PCM, the byte rate) when channels are known.
    void SetBitsPerSample(uint16_t bits);
    void SetBitRate(uint32_t bitsPerSecond) { averageBytesPerSecond = bitsPerSecond >> 3; }
};
#pragma pack(pop)
static_assert(sizeof(AudioFormat) == 18, "format record must match a RIFF format chunk body");
