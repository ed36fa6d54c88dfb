#pragma once
// The resampler's filter loop, shared by the plain and the AVX2 kernels:
// it steps from output frame to output frame, picks the phase row(s) and
// has `Dot` compute the frame. Dot provides
//   One(run, x, l, out):   out[c] = sum_m x[m * channels + c] * row_l[m]
//   Blend(run, x, l, f, out):
//       out[c] = f * One(l + 1)[c] + (1 - f) * One(l)[c]
// Instantiated once per kernel set; a set compiled for a wider instruction
// set passes a Dot of its own (a distinct type), so nothing compiled for it
// is shared with the plain code.

#include <cstdint>

#include "Source/Engine/Resampler/ResamplerKernels.h"

namespace FilterLoop {

// Computes the output frames whose input is now complete, starting at
// output frame run.firstFrame: at most run.limit of them. kChannels is the
// channel count known at compile time, or 0 to use run.channels.
template <int kChannels, class Dot>
inline uint64_t Run(const FilterRun& run, double* values) noexcept {
    const int32_t channels = kChannels != 0 ? kChannels : run.channels;
    const int64_t n = run.halfLength;
    const int64_t history = 2 * n + 1;
    const int64_t phases = run.phases;
    if (run.inputEnd == 0) return 0;
    // The one-channel layout waits for one more input frame.
    const uint64_t available = channels == 1 ? run.inputEnd - 1 : run.inputEnd;
    const double den = static_cast<double>(run.rateDen);

    // Output frame E sits at input time E * in / out = H + remainder / den,
    // stepped exactly in integers from frame to frame.
    const uint64_t stepWhole = run.rateNum / run.rateDen;
    const uint64_t stepRemainder = run.rateNum % run.rateDen;
    uint64_t h = run.firstFrame * run.rateNum / run.rateDen;
    uint64_t remainder = run.firstFrame * run.rateNum % run.rateDen;
    uint64_t produced = 0;
    for (; produced < run.limit; ++produced) {
        if (produced != 0) {
            h += stepWhole;
            remainder += stepRemainder;
            if (remainder >= run.rateDen) {
                remainder -= run.rateDen;
                ++h;
            }
        }
        if (h + static_cast<uint64_t>(n) > available) break;
        double* value = values + produced * static_cast<uint64_t>(channels);

        // Buffer frame of input frame H; the row starts n - 1 frames earlier.
        const int64_t j = static_cast<int64_t>(h) - static_cast<int64_t>(run.blockPosition) + history;
        if (j - (n - 1) < 0) {
            // The input of this frame is no longer held (only when a caller's
            // buffer was too small to take it in time): it comes out silent.
            for (int32_t c = 0; c < channels; ++c) value[c] = 0.0;
            continue;
        }
        const double* x = run.input + (j - (n - 1)) * channels;

        const double k = static_cast<double>(static_cast<uint64_t>(phases) * remainder) / den;
        if (run.interpolate && k != 0.0) {
            const int64_t l = static_cast<int64_t>(k);
            const double f = k - static_cast<double>(l);
            if (f != 0.0) {
                Dot::Blend(run, x, l, f, value);
            } else {
                Dot::One(run, x, l, value);
            }
        } else {
            // With the exact phase counts K is a whole number; 0.3 absorbs
            // rounding without reaching the next phase.
            int64_t l = static_cast<int64_t>(k + 0.3);
            l = l < phases ? l : phases;
            Dot::One(run, x, l, value);
        }
    }
    return produced;
}

}  // namespace FilterLoop
