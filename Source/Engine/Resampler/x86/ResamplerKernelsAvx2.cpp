// AVX2 versions of the resampler's loops. Built with -mavx2 and only called
// when the processor has AVX2 (see ResamplerKernels.cpp). Each output value
// sees the same operations in the same order as in the plain version
// (PolyphaseKernel.h, Requantise.h): the vector lanes are the plain loops'
// partial sums, and the final additions are the plain ones. Nothing here is
// an inline function shared with the plain code.
#include <immintrin.h>

#include <cstdint>

#include "Source/Engine/Resampler/FilterLoop.h"
#include "Source/Engine/Resampler/ResamplerKernels.h"

namespace {

// Mono: lanes (s0, s1, s2, s3) of the plain loop's four partial sums over
// taps m, m + 1, m + 2, m + 3; s0 takes the taps left over, and the result
// is (s0 + s1) + (s2 + s3).
inline double Finish(__m256d acc, const double* x, const double* row, int64_t m, int64_t taps) {
    alignas(32) double s[4];
    _mm256_store_pd(s, acc);
    double s0 = s[0];
    for (; m < taps; ++m) s0 += x[m] * row[m];
    return (s0 + s[1]) + (s[2] + s[3]);
}

// out = f * b + (1 - f) * a, lane by lane as in the plain blend.
inline __m128d Blend(__m128d a, __m128d b, double f) {
    return _mm_add_pd(_mm_mul_pd(_mm_set1_pd(f), b), _mm_mul_pd(_mm_set1_pd(1.0 - f), a));
}

template <int kChannels>
struct Avx2Dot;

// The row length of the resampler as the encode job uses it (12 taps a
// side): its loops are unrolled completely.
constexpr int64_t kCommonTaps = 23;

template <>
struct Avx2Dot<1> {
    template <int64_t kTaps>
    static double Sum(const double* x, const double* row, int64_t taps) noexcept {
        const int64_t n = kTaps != 0 ? kTaps : taps;
        __m256d acc = _mm256_setzero_pd();
        int64_t m = 0;
#pragma GCC unroll 8
        for (; m + 4 <= n; m += 4) {
            acc = _mm256_add_pd(acc, _mm256_mul_pd(_mm256_loadu_pd(x + m), _mm256_loadu_pd(row + m)));
        }
        return Finish(acc, x, row, m, n);
    }
    static void One(const FilterRun& run, const double* x, int64_t l, double* out) noexcept {
        const int64_t taps = 2 * run.halfLength - 1;
        const double* row = run.rows + l * taps;
        out[0] = taps == kCommonTaps ? Sum<kCommonTaps>(x, row, taps) : Sum<0>(x, row, taps);
    }
    static void Blend(const FilterRun& run, const double* x, int64_t l, double f, double* out) noexcept {
        const int64_t taps = 2 * run.halfLength - 1;
        const double* a = run.rows + l * taps;
        const double* b = a + taps;
        __m256d accA = _mm256_setzero_pd();
        __m256d accB = _mm256_setzero_pd();
        int64_t m = 0;
        for (; m + 4 <= taps; m += 4) {
            const __m256d v = _mm256_loadu_pd(x + m);
            accA = _mm256_add_pd(accA, _mm256_mul_pd(v, _mm256_loadu_pd(a + m)));
            accB = _mm256_add_pd(accB, _mm256_mul_pd(v, _mm256_loadu_pd(b + m)));
        }
        const double first = Finish(accA, x, a, m, taps);
        const double second = Finish(accB, x, b, m, taps);
        out[0] = f * second + (1.0 - f) * first;
    }
};

// Stereo: lanes (l0, r0, l1, r1), the even-tap and odd-tap sums of both
// channels; a left-over tap goes to the even sums, and out = even + odd.
// The factors come from the paired table, where the lanes' coefficients
// (row[m], row[m], row[m + 1], row[m + 1]) are four consecutive values.
template <>
struct Avx2Dot<2> {
    template <int64_t kTaps>
    static __m128d Sum(const double* x, const double* paired, int64_t taps) noexcept {
        const int64_t n = kTaps != 0 ? kTaps : taps;
        __m256d acc = _mm256_setzero_pd();
        int64_t m = 0;
#pragma GCC unroll 16
        for (; m + 2 <= n; m += 2) {
            acc = _mm256_add_pd(acc, _mm256_mul_pd(_mm256_loadu_pd(x + 2 * m), _mm256_loadu_pd(paired + 2 * m)));
        }
        __m128d even = _mm256_castpd256_pd128(acc);
        const __m128d odd = _mm256_extractf128_pd(acc, 1);
        if (m < n) even = _mm_add_pd(even, _mm_mul_pd(_mm_loadu_pd(x + 2 * m), _mm_loadu_pd(paired + 2 * m)));
        return _mm_add_pd(even, odd);
    }
    static void One(const FilterRun& run, const double* x, int64_t l, double* out) noexcept {
        const int64_t taps = 2 * run.halfLength - 1;
        const double* paired = run.pairedRows + 2 * l * taps;
        _mm_storeu_pd(out, taps == kCommonTaps ? Sum<kCommonTaps>(x, paired, taps) : Sum<0>(x, paired, taps));
    }
    static void Blend(const FilterRun& run, const double* x, int64_t l, double f, double* out) noexcept {
        const int64_t taps = 2 * run.halfLength - 1;
        const double* a = run.pairedRows + 2 * l * taps;
        const __m128d first = Sum<0>(x, a, taps);
        const __m128d second = Sum<0>(x, a + 2 * taps, taps);
        _mm_storeu_pd(out, ::Blend(first, second, f));
    }
};

uint64_t FilterMonoAvx2(const FilterRun& run, double* values) {
    return FilterLoop::Run<1, Avx2Dot<1>>(run, values);
}

uint64_t FilterStereoAvx2(const FilterRun& run, double* values) {
    return FilterLoop::Run<2, Avx2Dot<2>>(run, values);
}

// Four values with their dither to 16-bit (as 32-bit integers): an exact or
// NaN value gives 0; else (o + d) * 32767 + copysign(0.5, o), limited to
// the 16-bit range and truncated.
inline __m128i Requantise4(const double* values, const double* dither) {
    const __m256d o = _mm256_loadu_pd(values);
    const __m256d d = _mm256_loadu_pd(dither);
    const __m256d zero = _mm256_setzero_pd();
    const __m256d nonZero = _mm256_or_pd(_mm256_cmp_pd(o, zero, _CMP_GT_OQ), _mm256_cmp_pd(o, zero, _CMP_LT_OQ));
    const __m256d half = _mm256_or_pd(_mm256_and_pd(o, _mm256_set1_pd(-0.0)), _mm256_set1_pd(0.5));
    __m256d r = _mm256_add_pd(_mm256_mul_pd(_mm256_add_pd(o, d), _mm256_set1_pd(32767.0)), half);
    // r is never NaN here (a NaN value is masked out), so min and max act as
    // the plain comparisons.
    r = _mm256_and_pd(r, nonZero);
    r = _mm256_min_pd(r, _mm256_set1_pd(32767.0));
    r = _mm256_max_pd(r, _mm256_set1_pd(-32768.0));
    return _mm256_cvttpd_epi32(r);
}

void Store16Avx2(const double* values, const double* dither, uint64_t samples, uint8_t* out) {
    uint64_t s = 0;
    for (; s + 8 <= samples; s += 8) {
        const __m128i v = _mm_packs_epi32(Requantise4(values + s, dither + s), Requantise4(values + s + 4, dither + s + 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * s), v);
    }
    if (s < samples) {
        // The last few through a zero-padded copy.
        alignas(32) double v[8] = {};
        alignas(32) double d[8] = {};
        alignas(16) int16_t result[8];
        const uint64_t left = samples - s;
        for (uint64_t i = 0; i < left; ++i) {
            v[i] = values[s + i];
            d[i] = dither[s + i];
        }
        _mm_store_si128(reinterpret_cast<__m128i*>(result), _mm_packs_epi32(Requantise4(v, d), Requantise4(v + 4, d + 4)));
        const auto* bytes = reinterpret_cast<const uint8_t*>(result);
        for (uint64_t i = 0; i < 2 * left; ++i) out[2 * s + i] = bytes[i];
    }
}

// Four 16-bit samples (the low 64 bits of v) to full scale.
inline __m256d Load4(__m128i v) {
    return _mm256_div_pd(_mm256_cvtepi32_pd(_mm_cvtepi16_epi32(v)), _mm256_set1_pd(32767.0));
}

void Load16Avx2(const uint8_t* in, uint64_t samples, double* out) {
    uint64_t i = 0;
    for (; i + 8 <= samples; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * i));
        _mm256_storeu_pd(out + i, Load4(v));
        _mm256_storeu_pd(out + i + 4, Load4(_mm_unpackhi_epi64(v, v)));
    }
    if (i < samples) {
        alignas(16) uint8_t padded[16] = {};
        alignas(32) double result[8];
        const uint64_t left = samples - i;
        for (uint64_t b = 0; b < 2 * left; ++b) padded[b] = in[2 * i + b];
        const __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(padded));
        _mm256_store_pd(result, Load4(v));
        _mm256_store_pd(result + 4, Load4(_mm_unpackhi_epi64(v, v)));
        for (uint64_t k = 0; k < left; ++k) out[i + k] = result[k];
    }
}

}  // namespace

extern const ResamplerKernels kResamplerAvx2Kernels;
const ResamplerKernels kResamplerAvx2Kernels{"avx2", &FilterMonoAvx2, &FilterStereoAvx2, &Store16Avx2,
                                             &Load16Avx2};
