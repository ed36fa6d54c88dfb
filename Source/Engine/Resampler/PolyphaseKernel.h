#pragma once
// The resampler's inner loop: one phase row of the filter applied to the
// interleaved input frames around an output instant. Free functions over raw
// pointers; no allocation, no virtual calls.
//
// Mono and stereo, the layouts the encoder uses, get loops with several
// independent partial sums so that the additions do not wait on each other;
// other channel counts take a plain loop per channel. The grouping of the
// partial sums is fixed, so results do not depend on how the input was cut
// into blocks. Where the compiler offers two-lane double vectors the mono
// and stereo loops use them; each lane performs exactly the operations of
// the scalar reference (PolyphaseDotReference), in the same order, so both
// give identical bits. The loops are inline: the resampler calls them once
// per output frame.

#include <cstdint>
#include <cstring>

namespace PolyphaseKernel {

#if defined(__GNUC__)
#define VB_POLYPHASE_VECTOR 1
typedef double Double2 __attribute__((vector_size(16)));

inline Double2 Load2(const double* p) noexcept {
    Double2 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
#endif

// Sum of x[m * stride] * row[m] in four interleaved partial sums
// (s0 takes the taps left over), added as (s0 + s1) + (s2 + s3).
inline double DotScalar(const double* x, int64_t stride, const double* row, int64_t taps) noexcept {
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    int64_t m = 0;
    for (; m + 4 <= taps; m += 4) {
        s0 += x[m * stride] * row[m];
        s1 += x[(m + 1) * stride] * row[m + 1];
        s2 += x[(m + 2) * stride] * row[m + 2];
        s3 += x[(m + 3) * stride] * row[m + 3];
    }
    for (; m < taps; ++m) s0 += x[m * stride] * row[m];
    return (s0 + s1) + (s2 + s3);
}

// Stereo: both channels of each frame against one coefficient, two partial
// sums per channel (even and odd taps; the even sums take a leftover tap).
inline void DotStereoScalar(const double* x, const double* row, int64_t taps, double* out) noexcept {
    double l0 = 0.0, r0 = 0.0, l1 = 0.0, r1 = 0.0;
    int64_t m = 0;
    for (; m + 2 <= taps; m += 2) {
        l0 += x[2 * m] * row[m];
        r0 += x[2 * m + 1] * row[m];
        l1 += x[2 * m + 2] * row[m + 1];
        r1 += x[2 * m + 3] * row[m + 1];
    }
    for (; m < taps; ++m) {
        l0 += x[2 * m] * row[m];
        r0 += x[2 * m + 1] * row[m];
    }
    out[0] = l0 + l1;
    out[1] = r0 + r1;
}

inline double DotMono(const double* x, const double* row, int64_t taps) noexcept {
#ifdef VB_POLYPHASE_VECTOR
    // Lanes (s0, s1) and (s2, s3) of DotScalar.
    Double2 a = {0.0, 0.0}, b = {0.0, 0.0};
    int64_t m = 0;
    for (; m + 4 <= taps; m += 4) {
        a += Load2(x + m) * Load2(row + m);
        b += Load2(x + m + 2) * Load2(row + m + 2);
    }
    double s0 = a[0];
    for (; m < taps; ++m) s0 += x[m] * row[m];
    return (s0 + a[1]) + (b[0] + b[1]);
#else
    return DotScalar(x, 1, row, taps);
#endif
}

inline void DotStereo(const double* x, const double* row, int64_t taps, double* out) noexcept {
#ifdef VB_POLYPHASE_VECTOR
    // Lanes (l0, r0) and (l1, r1) of DotStereoScalar.
    Double2 even = {0.0, 0.0}, odd = {0.0, 0.0};
    int64_t m = 0;
    for (; m + 2 <= taps; m += 2) {
        even += Load2(x + 2 * m) * row[m];
        odd += Load2(x + 2 * m + 2) * row[m + 1];
    }
    for (; m < taps; ++m) even += Load2(x + 2 * m) * row[m];
    out[0] = even[0] + odd[0];
    out[1] = even[1] + odd[1];
#else
    DotStereoScalar(x, row, taps, out);
#endif
}

// out[c] = sum over m < taps of x[m * channels + c] * row[m], for each
// channel c; x points at the first of the `taps` input frames. kChannels is
// the channel count known at compile time, or 0 to use `channels`.
template <int kChannels>
inline void Dot(const double* x, int32_t channels, const double* row, int64_t taps, double* out) noexcept {
    if constexpr (kChannels == 1) {
        out[0] = DotMono(x, row, taps);
    } else if constexpr (kChannels == 2) {
        DotStereo(x, row, taps, out);
    } else {
        for (int32_t c = 0; c < channels; ++c) out[c] = DotScalar(x + c, channels, row, taps);
    }
}

}  // namespace PolyphaseKernel

// The kernel for any channel count, and the plain scalar loops it must match
// bit for bit (used by the tests).
void PolyphaseDot(const double* x, int32_t channels, const double* row, int64_t taps, double* out) noexcept;
void PolyphaseDotReference(const double* x, int32_t channels, const double* row, int64_t taps, double* out) noexcept;
