#include "Source/Engine/Resampler/PolyphaseKernel.h"

// Mono and stereo, the layouts the encoder uses, get loops the compiler can
// keep in registers; other channel counts take the general loop. Every
// variant sums each channel's products in tap order.

void PolyphaseDot(const double* x, int32_t channels, const double* row, int64_t taps, double* out) noexcept {
    if (channels == 1) {
        double s = 0.0;
        for (int64_t m = 0; m < taps; ++m) {
            s += x[m] * row[m];
        }
        out[0] = s;
    } else if (channels == 2) {
        double s0 = 0.0, s1 = 0.0;
        for (int64_t m = 0; m < taps; ++m) {
            s0 += x[2 * m] * row[m];
            s1 += x[2 * m + 1] * row[m];
        }
        out[0] = s0;
        out[1] = s1;
    } else {
        for (int32_t c = 0; c < channels; ++c) {
            double s = 0.0;
            for (int64_t m = 0; m < taps; ++m) {
                s += x[m * channels + c] * row[m];
            }
            out[c] = s;
        }
    }
}

void PolyphaseDot2(const double* x, int32_t channels, const double* rowA, const double* rowB, int64_t taps,
                   double* outA, double* outB) noexcept {
    if (channels == 1) {
        double a = 0.0, b = 0.0;
        for (int64_t m = 0; m < taps; ++m) {
            a += x[m] * rowA[m];
            b += x[m] * rowB[m];
        }
        outA[0] = a;
        outB[0] = b;
    } else if (channels == 2) {
        double a0 = 0.0, a1 = 0.0, b0 = 0.0, b1 = 0.0;
        for (int64_t m = 0; m < taps; ++m) {
            a0 += x[2 * m] * rowA[m];
            a1 += x[2 * m + 1] * rowA[m];
            b0 += x[2 * m] * rowB[m];
            b1 += x[2 * m + 1] * rowB[m];
        }
        outA[0] = a0;
        outA[1] = a1;
        outB[0] = b0;
        outB[1] = b1;
    } else {
        PolyphaseDot(x, channels, rowA, taps, outA);
        PolyphaseDot(x, channels, rowB, taps, outB);
    }
}
