#pragma once
// Biquad: second-order IIR section designed with the common audio-EQ
// formulas, run in direct form I. Used to shape the dither noise.

#include <cstdint>

class Biquad {
public:
    // Peaking filter: gainDb at frequencyHz, bandwidth given by q.
    static Biquad Peaking(double gainDb, double frequencyHz, double q, double sampleRateHz);
    // High shelf: gainDb above frequencyHz, slope given by q.
    static Biquad HighShelf(double gainDb, double frequencyHz, double q, double sampleRateHz);

    // Filters `count` values spaced `stride` apart, in place, from zero state.
    void Run(double* values, int64_t count, int64_t stride) const noexcept;

    // Running state of one filtered sequence, for callers that step several
    // sequences side by side (the same results as Run, value by value).
    struct State {
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    };
    double Step(double x, State& s) const noexcept {
        const double y = (b0 * x + b1 * s.x1 + b2 * s.x2 - a1 * s.y1 - a2 * s.y2) / a0;
        s.x2 = s.x1;
        s.x1 = x;
        s.y2 = s.y1;
        s.y1 = y;
        return y;
    }

    double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
};
