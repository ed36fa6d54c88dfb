#pragma once
// DitherTable: a long precomputed run of triangular-density, high-pass
// dither noise, one value per frame and channel, read cyclically by the
// resampler when it requantises. For 16-bit output the noise is also shaped
// (less energy around 3 kHz, where hearing is most sensitive, more near the
// top of the band).
//
// Tables are immutable once built and shared: Acquire builds each
// configuration once per process, under a one-time guard, so that jobs
// starting together neither race on the noise generator nor each spend time
// and memory on the same table.

#include <cstdint>
#include <memory>

#include "Source/Engine/Resampler/TableMemory.h"

class NoiseGenerator;

class DitherTable {
public:
    // Frames in one period of the noise; read positions wrap here.
    static constexpr int64_t kPeriodFrames = 262144;
    // Frames after the period that repeat its start, cross-faded from the
    // noise that followed the period so that the wrap has no seam.
    static constexpr int64_t kOverlapFrames = 1024;
    static constexpr int64_t kFrames = kPeriodFrames + kOverlapFrames;

    // Noise scale: one LSB of 16-bit output is 1/32767; the divisor gives
    // about 0.53 LSB peak of triangular noise.
    static constexpr double kScale16Bit = 62257.3;
    // The same for 24-bit output (1 LSB = 1/8388607).
    static constexpr double kScaleWide = 10066328.4;

    // The shared table for `channels` interleaved channels; sixteenBit
    // selects the 16-bit scale and the noise shaping.
    static std::shared_ptr<const DitherTable> Acquire(int32_t channels, bool sixteenBit);

    // Builds a table from the given generator (values taken frame by frame,
    // channel 0 first). shapingRateHz is the rate the shaping filters are
    // designed for.
    DitherTable(int32_t channels, bool sixteenBit, NoiseGenerator& noise, double shapingRateHz);

    int32_t Channels() const noexcept { return channels_; }
    // The channels' values of frame `index` (0 .. kFrames - 1).
    const double* Frame(int64_t index) const noexcept { return values_.Data() + index * channels_; }

private:
    int32_t channels_;
    TableMemory values_;  // kFrames frames of `channels_` values
};
