#pragma once
// Internal to the readers: walks the stored bytes of a run of frames in
// pieces that each fit one mapped window.

#include <algorithm>

#include "Source/Engine/AudioFile/AudioFile.h"

template <typename Fn>
uint64_t AudioFile::ForEachPiece(uint64_t n, uint64_t p, Fn convert) {
    const uint64_t f = FrameBytes();
    // Half a window keeps every piece inside one window whatever its page offset.
    const uint64_t framesPerPiece = std::max<uint64_t>(1, (kWindowBytes / 2) / f);
    uint64_t done = 0;
    while (done < n) {
        const uint64_t k = std::min(n - done, framesPerPiece);
        const uint8_t* bytes = MapOffset(dataOffset_ + (p + done) * f, k * f);
        if (!bytes) break;
        convert(bytes, done, k);
        done += k;
    }
    return done;
}
