#pragma once
// Format records for the encoder tests.

#include <cstdint>

#include "Source/Engine/Base/AudioFormat.h"

// An MPEG audio record with 16-bit input frames.
inline AudioFormat MpegFormat(int channels, uint32_t rate, uint32_t bitRate) {
    AudioFormat f;
    f.Initialise(kFormatMpeg);
    f.SetChannels(static_cast<uint16_t>(channels));
    f.SetBitRate(bitRate);
    f.SetBitsPerSample(16);
    f.SetSamplesPerSecond(rate);
    return f;
}
