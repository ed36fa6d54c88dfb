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

    double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
};
