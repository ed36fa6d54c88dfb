#pragma once
// Picks and builds the codec for a format record.

#include <cstdint>

#include "Source/Engine/Base/AudioFormat.h"
#include "Source/Engine/Base/Codec.h"

class CodecFactory {
public:
    // New codec owned by the caller, or null for a tag without a codec.
    //   1 (PCM)       rate adapter (SampleRateAdapter) at the record's rate
    //   6, 7          A-law, mu-law over the converter layer, 8000 Hz mono
    //   80 (MPEG)     encode: the Layer II encoder; decode: none
    //   0xAAC0        AAC over the converter layer (which refuses it)
    // flags go to the Layer II encoder only (0x10: peak levels).
    static Codec* Create(const AudioFormat& format, bool encode, uint32_t flags);
};
