#pragma once
// The resampler's inner loop: one phase row of the filter applied to the
// interleaved input frames around an output instant. Free functions over raw
// pointers; no allocation, no virtual calls. The summation order is fixed
// (taps in input order), so results do not depend on how the input was cut
// into blocks.

#include <cstdint>

// out[c] = sum_{m < taps} x[m * channels + c] * row[m] for each channel c.
// x points at the first of the `taps` input frames.
void PolyphaseDot(const double* x, int32_t channels, const double* row, int64_t taps, double* out) noexcept;

// The same for two rows at once over the same frames (adjacent phases of an
// interpolated output instant): outA from rowA, outB from rowB.
void PolyphaseDot2(const double* x, int32_t channels, const double* rowA, const double* rowB, int64_t taps,
                   double* outA, double* outB) noexcept;
