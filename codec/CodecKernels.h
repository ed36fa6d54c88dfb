#pragma once
// The encoder's hot loops as free functions over raw arrays, in a plain
// version that runs everywhere and, on x86-64, an AVX2 version with the
// same arithmetic in the same order (its results are bit-identical). The
// encoder picks one set when it is built.

#include <cstdint>

#include "codec/AnalysisFilterbank.h"
#include "codec/Layer2Tables.h"

// Per-channel quantiser settings of one frame, by subband. Bands without
// an allocation carry scale 1, z 1, b 0, k 0 and last 0, so their codes are 0.
struct QuantiserSettings {
    double scale[kPartCount][kSubbandCount];  // scale factor of each part
    double z[kSubbandCount];                  // 1 / A of the band's class
    double b[kSubbandCount];                  // A - 1
    double k[kSubbandCount];                  // 2^(N-1)
    int32_t last[kSubbandCount];              // steps - 1, the largest code
};

struct CodecKernels {
    const char* name;
    // One block of the analysis filterbank (see AnalysisFilterbank.h).
    void (*analyse)(FilterbankPhase& phase, FilterbankHistory& history, const AnalysisBlock& block);
    // Smallest of 32 values and the first index holding it, when it is
    // strictly below *minimum (which then receives it); else -1.
    int (*firstMinimum)(const double* values, double* minimum);
    // Codes of all 36 x 32 subband samples of one channel.
    void (*quantise)(const double (*subbands)[kSubbandCount], const QuantiserSettings& settings,
                     uint32_t (*codes)[kSubbandCount]);
};

// The plain version; the reference for the others.
const CodecKernels& PlainKernels();
// The AVX2 version, or null when it is not built in or the processor lacks AVX2.
const CodecKernels* Avx2Kernels();
// The fastest set this processor runs.
const CodecKernels& BestKernels();

int FirstMinimumPlain(const double* values, double* minimum);
// Plain quantiser: x / v / z + b, truncated, sign bit inverted, clamped
// to the last level (same rule as QuantiseSample in FramePacker.h).
void QuantiseChannelPlain(const double (*subbands)[kSubbandCount], const QuantiserSettings& settings,
                          uint32_t (*codes)[kSubbandCount]);
