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

// acc[r] += col[4r..4r+3] * c[4r..4r+3] for the 32 rows of one window tap.
inline void Tap(__m256d acc[8], const double* col, const double* c) {
    for (int r = 0; r < 8; ++r) {
        acc[r] = _mm256_add_pd(acc[r], _mm256_mul_pd(_mm256_load_pd(col + 4 * r), _mm256_loadu_pd(c + 4 * r)));
    }
}

void AnalyseBlockAvx2(FilterbankPhase& phase, FilterbankHistory& history, const AnalysisBlock& block) {
    const int off = phase.column;
    const int half = phase.half;

    // 1. New samples into the oldest column, newest in row 0.
    double* newest = history.x[half][off];
    const int16_t* in = block.samples;
    int peak = 0;
    for (int i = 0; i < kSubbandCount; ++i) {
        const int v = in[i * block.stride];
        newest[31 - i] = v * kSampleScale;
        const int magnitude = v < 0 ? -v : v;
        peak = magnitude > peak ? magnitude : peak;
    }
    if (block.peak && peak > *block.peak) {
        *block.peak = static_cast<uint16_t>(peak);
    }

    // 2. and 3. Windowing: eight taps per half, in ascending order.
    alignas(32) double y[64];
    __m256d acc[8];
    for (auto& a : acc) a = _mm256_setzero_pd();
    for (int j = 0; j < kHistoryColumns; ++j) {
        Tap(acc, history.x[half][(off + j) & 7], kAnalysisWindow + 64 * j);
    }
    for (int r = 0; r < 8; ++r) _mm256_store_pd(y + 4 * r, acc[r]);
    const int otherHalf = 1 - half;
    const int p = half == 1 ? (off + 1) & 7 : off;
    for (auto& a : acc) a = _mm256_setzero_pd();
    for (int j = 0; j < kHistoryColumns; ++j) {
        Tap(acc, history.x[otherHalf][(p + j) & 7], kAnalysisWindow + 32 + 64 * j);
    }
    for (int r = 0; r < 8; ++r) _mm256_store_pd(y + 32 + 4 * r, acc[r]);

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
            even[r] = _mm256_add_pd(even[r], _mm256_mul_pd(_mm256_load_pd(m0 + 4 * r), f0));
            odd[r] = _mm256_add_pd(odd[r], _mm256_mul_pd(_mm256_load_pd(m1 + 4 * r), f1));
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
