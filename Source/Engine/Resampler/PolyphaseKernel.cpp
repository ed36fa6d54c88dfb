#include "Source/Engine/Resampler/PolyphaseKernel.h"

using namespace PolyphaseKernel;

void PolyphaseDot(const double* x, int32_t channels, const double* row, int64_t taps, double* out) noexcept {
    if (channels == 1) {
        Dot<1>(x, channels, row, taps, out);
    } else if (channels == 2) {
        Dot<2>(x, channels, row, taps, out);
    } else {
        Dot<0>(x, channels, row, taps, out);
    }
}

void PolyphaseDotReference(const double* x, int32_t channels, const double* row, int64_t taps, double* out) noexcept {
    if (channels == 1) {
        out[0] = DotScalar(x, 1, row, taps);
    } else if (channels == 2) {
        DotStereoScalar(x, row, taps, out);
    } else {
        for (int32_t c = 0; c < channels; ++c) out[c] = DotScalar(x + c, channels, row, taps);
    }
}
