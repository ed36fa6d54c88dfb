// AVX2 versions of the filterbank and the quantiser. Built with -mavx2 and
// only called when the processor has AVX2 (see CodecKernels.cpp). Every
// output element sees the same operations in the same order as in the
// plain version, four elements at a time, so the results are identical.
#include <immintrin.h>

#include "codec/AnalysisFilterbank.h"
#include "codec/AnalysisWindow.h"
#include "codec/CodecKernels.h"

namespace {

constexpr double kSampleScale = 1.0 / 32767.0;

// Eight accumulators for 32 rows, kept in registers.
struct Rows32 {
    __m256d a0, a1, a2, a3, a4, a5, a6, a7;
};

// acc += col[0..31] * c[0..31], one window tap.
inline void Tap(Rows32& acc, const double* col, const double* c) {
    acc.a0 = _mm256_add_pd(acc.a0, _mm256_mul_pd(_mm256_loadu_pd(col + 0), _mm256_loadu_pd(c + 0)));
    acc.a1 = _mm256_add_pd(acc.a1, _mm256_mul_pd(_mm256_loadu_pd(col + 4), _mm256_loadu_pd(c + 4)));
    acc.a2 = _mm256_add_pd(acc.a2, _mm256_mul_pd(_mm256_loadu_pd(col + 8), _mm256_loadu_pd(c + 8)));
    acc.a3 = _mm256_add_pd(acc.a3, _mm256_mul_pd(_mm256_loadu_pd(col + 12), _mm256_loadu_pd(c + 12)));
    acc.a4 = _mm256_add_pd(acc.a4, _mm256_mul_pd(_mm256_loadu_pd(col + 16), _mm256_loadu_pd(c + 16)));
    acc.a5 = _mm256_add_pd(acc.a5, _mm256_mul_pd(_mm256_loadu_pd(col + 20), _mm256_loadu_pd(c + 20)));
    acc.a6 = _mm256_add_pd(acc.a6, _mm256_mul_pd(_mm256_loadu_pd(col + 24), _mm256_loadu_pd(c + 24)));
    acc.a7 = _mm256_add_pd(acc.a7, _mm256_mul_pd(_mm256_loadu_pd(col + 28), _mm256_loadu_pd(c + 28)));
}

// One half of the window: eight taps in ascending order, starting at column
// `first` of the half and at window offset `base`.
inline void Window(double* y, const double (*columns)[kSubbandCount], int first, int base) {
    const __m256d z = _mm256_setzero_pd();
    Rows32 acc{z, z, z, z, z, z, z, z};
#pragma GCC unroll 8
    for (int j = 0; j < kHistoryColumns; ++j) {
        Tap(acc, columns[(first + j) & 7], kAnalysisWindow + base + 64 * j);
    }
    _mm256_store_pd(y + 0, acc.a0);
    _mm256_store_pd(y + 4, acc.a1);
    _mm256_store_pd(y + 8, acc.a2);
    _mm256_store_pd(y + 12, acc.a3);
    _mm256_store_pd(y + 16, acc.a4);
    _mm256_store_pd(y + 20, acc.a5);
    _mm256_store_pd(y + 24, acc.a6);
    _mm256_store_pd(y + 28, acc.a7);
}

// Four samples (as 32-bit integers) scaled and stored in reverse order at
// dst[0..3] = v3, v2, v1, v0.
inline void StoreReversed(double* dst, __m128i v) {
    const __m256d d = _mm256_mul_pd(_mm256_cvtepi32_pd(v), _mm256_set1_pd(kSampleScale));
    _mm256_storeu_pd(dst, _mm256_permute4x64_pd(d, 0x1B));
}

void AnalyseBlockAvx2(FilterbankPhase& phase, FilterbankHistory& history, const AnalysisBlock& block) {
    const int off = phase.column;
    const int half = phase.half;

    // 1. New samples into the oldest column, newest in row 0: sample i goes
    // to row 31 - i. Eight samples at a time as 32-bit integers.
    double* newest = history.x[half][off];
    __m256i peak = _mm256_setzero_si256();
    for (int i = 0; i < kSubbandCount; i += 8) {
        __m256i v;
        if (block.stride == 2) {
            // Eight whole stereo frames (never past the block's last frame);
            // channel 0 is the low half of each 32-bit pair, channel 1 the high.
            const int16_t* frameStart = block.samples - block.channel;
            const __m256i frames = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(frameStart + 2 * i));
            v = block.channel == 0 ? _mm256_srai_epi32(_mm256_slli_epi32(frames, 16), 16)
                                   : _mm256_srai_epi32(frames, 16);
        } else {
            v = _mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block.samples + i)));
        }
        peak = _mm256_max_epi32(peak, _mm256_abs_epi32(v));
        StoreReversed(newest + 28 - i, _mm256_castsi256_si128(v));
        StoreReversed(newest + 24 - i, _mm256_extracti128_si256(v, 1));
    }
    if (block.peak) {
        __m128i m = _mm_max_epi32(_mm256_castsi256_si128(peak), _mm256_extracti128_si256(peak, 1));
        m = _mm_max_epi32(m, _mm_shuffle_epi32(m, 0x4E));
        m = _mm_max_epi32(m, _mm_shuffle_epi32(m, 0xB1));
        const int largest = _mm_cvtsi128_si32(m);
        if (largest > *block.peak) {
            *block.peak = static_cast<uint16_t>(largest);
        }
    }

    // 2. and 3. Windowing: eight taps per half, in ascending order.
    alignas(32) double y[64];
    Window(y, history.x[half], off, 0);
    Window(y + 32, history.x[1 - half], half == 1 ? (off + 1) & 7 : off, 32);

    // 4. Folding.
    alignas(32) double folded[32];
    folded[0] = y[16];
    for (int k = 1; k <= 16; ++k) folded[k] = y[16 + k] + y[16 - k];
    for (int k = 17; k < 32; ++k) folded[k] = y[16 + k] - y[80 - k];

    // 5. Matrixing: 16 even and 16 odd accumulators, ascending j.
    __m256d even[4];
    __m256d odd[4];
    for (int r = 0; r < 4; ++r) even[r] = odd[r] = _mm256_setzero_pd();
    const double* columns = MatrixingColumns();
    for (int j = 0; j < 32; j += 2) {
        const __m256d f0 = _mm256_broadcast_sd(folded + j);
        const __m256d f1 = _mm256_broadcast_sd(folded + j + 1);
        const double* m0 = columns + 16 * j;
        const double* m1 = m0 + 16;
        for (int r = 0; r < 4; ++r) {
            even[r] = _mm256_add_pd(even[r], _mm256_mul_pd(_mm256_loadu_pd(m0 + 4 * r), f0));
            odd[r] = _mm256_add_pd(odd[r], _mm256_mul_pd(_mm256_loadu_pd(m1 + 4 * r), f1));
        }
    }
    double* s = block.subbands;
    const __m256d signMask = _mm256_set1_pd(-0.0);
    double* maxima = block.maxima;
    for (int r = 0; r < 4; ++r) {
        const __m256d sum = _mm256_add_pd(even[r], odd[r]);    // s[4r .. 4r+3]
        const __m256d diff = _mm256_sub_pd(even[r], odd[r]);   // s[31-4r .. 28-4r]
        const __m256d reversed = _mm256_permute4x64_pd(diff, 0x1B);
        _mm256_storeu_pd(s + 4 * r, sum);
        _mm256_storeu_pd(s + 28 - 4 * r, reversed);
        // 6. Running maxima.
        const __m256d m0 = _mm256_loadu_pd(maxima + 4 * r);
        const __m256d a0 = _mm256_andnot_pd(signMask, sum);
        _mm256_storeu_pd(maxima + 4 * r, _mm256_blendv_pd(m0, a0, _mm256_cmp_pd(a0, m0, _CMP_GT_OQ)));
        const __m256d m1 = _mm256_loadu_pd(maxima + 28 - 4 * r);
        const __m256d a1 = _mm256_andnot_pd(signMask, reversed);
        _mm256_storeu_pd(maxima + 28 - 4 * r, _mm256_blendv_pd(m1, a1, _mm256_cmp_pd(a1, m1, _CMP_GT_OQ)));
    }

    // 7. Phase.
    if (block.lastChannel) {
        if (half == 0) {
            phase.column = (off + 7) & 7;
        }
        phase.half = static_cast<uint8_t>(1 - half);
    }
}

int FirstMinimumAvx2(const double* values, double* minimum) {
    __m256d m = _mm256_loadu_pd(values);
    for (int i = 4; i < kSubbandCount; i += 4) {
        m = _mm256_min_pd(m, _mm256_loadu_pd(values + i));
    }
    __m128d h = _mm_min_pd(_mm256_castpd256_pd128(m), _mm256_extractf128_pd(m, 1));
    h = _mm_min_sd(h, _mm_unpackhi_pd(h, h));
    const double least = _mm_cvtsd_f64(h);
    if (!(least < *minimum)) {
        return -1;
    }
    *minimum = least;
    const __m256d target = _mm256_set1_pd(least);
    for (int i = 0; i < kSubbandCount; i += 4) {
        const int mask = _mm256_movemask_pd(_mm256_cmp_pd(_mm256_loadu_pd(values + i), target, _CMP_EQ_OQ));
        if (mask != 0) {
            return i + __builtin_ctz(static_cast<unsigned>(mask));
        }
    }
    return -1;  // not reached
}

void QuantiseChannelAvx2(const double (*subbands)[kSubbandCount], const QuantiserSettings& s,
                         uint32_t (*codes)[kSubbandCount]) {
    const __m256d zero = _mm256_setzero_pd();
    const __m256d one = _mm256_set1_pd(1.0);
    for (int row = 0; row < kSamplesPerSubband; ++row) {
        const double* scale = s.scale[row / 12];
        for (int sb = 0; sb < kSubbandCount; sb += 4) {
            const __m256d x = _mm256_loadu_pd(&subbands[row][sb]);
            const __m256d k = _mm256_loadu_pd(s.k + sb);
            const __m256d t = _mm256_add_pd(_mm256_div_pd(_mm256_div_pd(x, _mm256_loadu_pd(scale + sb)),
                                                          _mm256_loadu_pd(s.z + sb)),
                                            _mm256_loadu_pd(s.b + sb));
            const __m256d positive = _mm256_cmp_pd(t, zero, _CMP_GE_OQ);
            const __m256d w = _mm256_blendv_pd(_mm256_mul_pd(_mm256_add_pd(t, one), k), _mm256_mul_pd(t, k), positive);
            __m128i n = _mm256_cvttpd_epi32(w);
            const __m128i kInt = _mm256_cvttpd_epi32(_mm256_and_pd(k, positive));
            n = _mm_add_epi32(n, kInt);
            n = _mm_min_epi32(n, _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.last + sb)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(&codes[row][sb]), n);
        }
    }
}

}  // namespace

extern const CodecKernels kAvx2Kernels;
const CodecKernels kAvx2Kernels{"avx2", &AnalyseBlockAvx2, &FirstMinimumAvx2, &QuantiseChannelAvx2};
