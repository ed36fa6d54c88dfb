#include "Source/Engine/Resampler/PolyphaseKernel.h"

#include <cstring>

// Mono and stereo, the layouts the encoder uses, get loops with several
// independent partial sums, so that the additions do not wait on each other;
// other channel counts take the plain loop. The grouping of the partial sums
// is fixed, so every call with the same frames and row gives the same bits.
//
// Where the compiler offers two-lane double vectors, the mono and stereo
// loops use them; each lane performs exactly the operations of the scalar
// reference loops (PolyphaseDotReference), in the same order, so both give
// identical results.

namespace {

// Sum of x[m * stride] * row[m] in four interleaved partial sums.
inline double Dot4(const double* x, int64_t stride, const double* row, int64_t taps) noexcept {
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
// sums per channel (even and odd taps).
inline void Dot2Stereo(const double* x, const double* row, int64_t taps, double* out) noexcept {
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

#if defined(__GNUC__)
#define VB_POLYPHASE_VECTOR 1
typedef double Double2 __attribute__((vector_size(16)));

inline Double2 Load2(const double* p) noexcept {
    Double2 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Dot4 with lanes (s0, s1) and (s2, s3).
inline double Dot4Vector(const double* x, const double* row, int64_t taps) noexcept {
    Double2 a = {0.0, 0.0}, b = {0.0, 0.0};
    int64_t m = 0;
    for (; m + 4 <= taps; m += 4) {
        a += Load2(x + m) * Load2(row + m);
        b += Load2(x + m + 2) * Load2(row + m + 2);
    }
    double s0 = a[0];
    for (; m < taps; ++m) s0 += x[m] * row[m];
    return (s0 + a[1]) + (b[0] + b[1]);
}

// Dot2Stereo with lanes (l0, r0) and (l1, r1).
inline void Dot2StereoVector(const double* x, const double* row, int64_t taps, double* out) noexcept {
    Double2 even = {0.0, 0.0}, odd = {0.0, 0.0};
    int64_t m = 0;
    for (; m + 2 <= taps; m += 2) {
        even += Load2(x + 2 * m) * row[m];
        odd += Load2(x + 2 * m + 2) * row[m + 1];
    }
    for (; m < taps; ++m) even += Load2(x + 2 * m) * row[m];
    out[0] = even[0] + odd[0];
    out[1] = even[1] + odd[1];
}
#endif

}  // namespace

void PolyphaseDotReference(const double* x, int32_t channels, const double* row, int64_t taps, double* out) noexcept {
    if (channels == 1) {
        out[0] = Dot4(x, 1, row, taps);
    } else if (channels == 2) {
        Dot2Stereo(x, row, taps, out);
    } else {
        for (int32_t c = 0; c < channels; ++c) out[c] = Dot4(x + c, channels, row, taps);
    }
}

void PolyphaseDot(const double* x, int32_t channels, const double* row, int64_t taps, double* out) noexcept {
#ifdef VB_POLYPHASE_VECTOR
    if (channels == 1) {
        out[0] = Dot4Vector(x, row, taps);
        return;
    }
    if (channels == 2) {
        Dot2StereoVector(x, row, taps, out);
        return;
    }
#endif
    PolyphaseDotReference(x, channels, row, taps, out);
}

void PolyphaseDot2(const double* x, int32_t channels, const double* rowA, const double* rowB, int64_t taps,
                   double* outA, double* outB) noexcept {
    PolyphaseDot(x, channels, rowA, taps, outA);
    PolyphaseDot(x, channels, rowB, taps, outB);
}
