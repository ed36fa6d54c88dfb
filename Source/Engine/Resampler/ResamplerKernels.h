#pragma once
// The resampler's hot loops as free functions over raw arrays, in a plain
// version that runs everywhere and, on x86-64, an AVX2 version. Every output
// value of the AVX2 version sees the same operations in the same order as in
// the plain version, so both give identical bits; the plain version is the
// reference. A resampler picks the fastest set when it is built.

#include <cstdint>

// One call's worth of output frames for the filter loop (see FilterLoop.h).
struct FilterRun {
    const double* input = nullptr;  // held frames: history, then the block
    const double* rows = nullptr;   // phase rows of the filter table
    const double* pairedRows = nullptr;  // the same, each coefficient twice
    int64_t halfLength = 0;         // n; rows are 2n - 1 long
    int64_t phases = 0;
    bool interpolate = false;       // blend the two phases around the instant
    int32_t channels = 0;
    uint64_t rateNum = 1;           // input rate / output rate, reduced
    uint64_t rateDen = 1;
    uint64_t firstFrame = 0;        // index of the first output frame to compute
    uint64_t limit = 0;             // at most this many frames
    uint64_t inputEnd = 0;          // input frames received so far
    uint64_t blockPosition = 0;     // input frame index of the block's first frame
};

struct ResamplerKernels {
    const char* name;
    // Filtered frames for one and for two channels, interleaved, into
    // `values`; returns the count computed.
    uint64_t (*filterMono)(const FilterRun& run, double* values);
    uint64_t (*filterStereo)(const FilterRun& run, double* values);
    // 16-bit little-endian output of `samples` values with their dither.
    void (*store16)(const double* values, const double* dither, uint64_t samples, uint8_t* out);
    // 16-bit input samples to full scale 1.0.
    void (*load16)(const uint8_t* in, uint64_t samples, double* out);
};

// The plain version; the reference for the others.
const ResamplerKernels& PlainResamplerKernels();
// The AVX2 version, or null when it is not built in or the processor lacks AVX2.
const ResamplerKernels* Avx2ResamplerKernels();
// The fastest set this processor runs.
const ResamplerKernels& BestResamplerKernels();

// The plain filter loop for any channel count.
uint64_t FilterPlain(const FilterRun& run, double* values);
