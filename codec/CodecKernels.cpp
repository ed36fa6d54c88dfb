#include "codec/CodecKernels.h"

#include "codec/FramePacker.h"

#if defined(VB_CODEC_AVX2)
extern const CodecKernels kAvx2Kernels;  // codec/x86/CodecKernelsAvx2.cpp
#endif

int FirstMinimumPlain(const double* values, double* minimum) {
    int index = -1;
    double best = *minimum;
    for (int i = 0; i < kSubbandCount; ++i) {
        if (values[i] < best) {
            best = values[i];
            index = i;
        }
    }
    *minimum = best;
    return index;
}

void QuantiseChannelPlain(const double (*subbands)[kSubbandCount], const QuantiserSettings& s,
                          uint32_t (*codes)[kSubbandCount]) {
    for (int row = 0; row < kSamplesPerSubband; ++row) {
        const double* scale = s.scale[row / 12];
        for (int sb = 0; sb < kSubbandCount; ++sb) {
            const double t = subbands[row][sb] / scale[sb] / s.z[sb] + s.b[sb];
            const int32_t n = t >= 0.0 ? static_cast<int32_t>(t * s.k[sb]) + static_cast<int32_t>(s.k[sb])
                                       : static_cast<int32_t>((t + 1.0) * s.k[sb]);
            codes[row][sb] = static_cast<uint32_t>(n < s.last[sb] ? n : s.last[sb]);
        }
    }
}

const CodecKernels& PlainKernels() {
    static const CodecKernels kernels{"plain", &AnalyseBlock, &FirstMinimumPlain, &QuantiseChannelPlain};
    return kernels;
}

const CodecKernels* Avx2Kernels() {
#if defined(VB_CODEC_AVX2)
    if (__builtin_cpu_supports("avx2")) {
        return &kAvx2Kernels;
    }
#endif
    return nullptr;
}

const CodecKernels& BestKernels() {
    const CodecKernels* avx2 = Avx2Kernels();
    return avx2 != nullptr ? *avx2 : PlainKernels();
}
