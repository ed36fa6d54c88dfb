#include "Source/Engine/Resampler/ResamplerKernels.h"

#include <cstring>

#include "Source/Engine/Resampler/FilterLoop.h"
#include "Source/Engine/Resampler/PolyphaseKernel.h"
#include "Source/Engine/Resampler/Requantise.h"

#if defined(VB_ENGINE_AVX2)
extern const ResamplerKernels kResamplerAvx2Kernels;  // x86/ResamplerKernelsAvx2.cpp
#endif

namespace {

constexpr int32_t kMaxChannels = 64;

// The portable kernel of PolyphaseKernel.h, for a channel count fixed at
// compile time (0: any).
template <int kChannels>
struct PlainDotFor {
    static void One(const FilterRun& run, const double* x, int64_t l, double* out) noexcept {
        const int64_t taps = 2 * run.halfLength - 1;
        PolyphaseKernel::Dot<kChannels>(x, run.channels, run.rows + l * taps, taps, out);
    }
    static void Blend(const FilterRun& run, const double* x, int64_t l, double f, double* out) noexcept {
        const int64_t taps = 2 * run.halfLength - 1;
        const int32_t channels = run.channels;
        double second[kChannels != 0 ? kChannels : kMaxChannels];
        PolyphaseKernel::Dot<kChannels>(x, channels, run.rows + l * taps, taps, out);
        PolyphaseKernel::Dot<kChannels>(x, channels, run.rows + (l + 1) * taps, taps, second);
        for (int32_t c = 0; c < channels; ++c) out[c] = f * second[c] + (1.0 - f) * out[c];
    }
};

uint64_t FilterMonoPlain(const FilterRun& run, double* values) {
    return FilterLoop::Run<1, PlainDotFor<1>>(run, values);
}

uint64_t FilterStereoPlain(const FilterRun& run, double* values) {
    return FilterLoop::Run<2, PlainDotFor<2>>(run, values);
}

void Store16Plain(const double* values, const double* dither, uint64_t samples, uint8_t* out) {
    for (uint64_t s = 0; s < samples; ++s) {
        const int16_t v = Requantise::To16(values[s], dither[s]);
        std::memcpy(out + 2 * s, &v, 2);
    }
}

void Load16Plain(const uint8_t* in, uint64_t samples, double* out) {
    for (uint64_t i = 0; i < samples; ++i) {
        int16_t v;
        std::memcpy(&v, in + 2 * i, 2);
        out[i] = static_cast<double>(v) / 32767.0;
    }
}

}  // namespace

uint64_t FilterPlain(const FilterRun& run, double* values) {
    if (run.channels == 1) return FilterMonoPlain(run, values);
    if (run.channels == 2) return FilterStereoPlain(run, values);
    return FilterLoop::Run<0, PlainDotFor<0>>(run, values);
}

const ResamplerKernels& PlainResamplerKernels() {
    static const ResamplerKernels kernels{"plain", &FilterMonoPlain, &FilterStereoPlain, &Store16Plain,
                                          &Load16Plain};
    return kernels;
}

const ResamplerKernels* Avx2ResamplerKernels() {
#if defined(VB_ENGINE_AVX2)
    if (__builtin_cpu_supports("avx2")) {
        return &kResamplerAvx2Kernels;
    }
#endif
    return nullptr;
}

const ResamplerKernels& BestResamplerKernels() {
    const ResamplerKernels* avx2 = Avx2ResamplerKernels();
    return avx2 != nullptr ? *avx2 : PlainResamplerKernels();
}
