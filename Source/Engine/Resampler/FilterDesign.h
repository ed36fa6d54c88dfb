#pragma once
// Design constants of the resampler's interpolation filter and dither.
// Each value is a tuning choice of this resampler; the comment says what it
// controls.

#include <cstdint>

namespace ResamplerDesign {

// Taps on each side of the centre of the windowed sinc, in input samples.
inline constexpr int64_t kHalfLength = 12;
// Impulse-response samples per input sample for arbitrary ratios; values
// between two phases are interpolated linearly.
inline constexpr int64_t kPhases = 128;
// Exact phase counts for the two rate pairs whose ratio is 160/147: every
// output frame then falls exactly on a table phase.
inline constexpr int64_t kPhases48To44 = 147;
inline constexpr int64_t kPhases44To48 = 160;
// When down-sampling, the pass band ends at the output Nyquist frequency
// divided by this factor, leaving room for the transition band.
inline constexpr double kDownsampleBandFactor = 1.35;
// At ratios of 2 or more (without the no-lengthening flag) the half-length
// grows by this many taps per whole unit of the ratio.
inline constexpr int64_t kLengtheningPerRatio = 4;

// Four-term Blackman-Harris window coefficients (about -92 dB side lobes).
inline constexpr double kBlackmanHarris[4] = {0.35875, 0.48829, 0.14128, 0.01168};

// Largest frame count accepted by one Write.
inline constexpr uint64_t kMaxWriteFrames = 2147483646;
// Rates further apart than this factor are refused (the filter and buffers
// would grow without bound).
inline constexpr double kMaxRatio = 256.0;

}  // namespace ResamplerDesign
