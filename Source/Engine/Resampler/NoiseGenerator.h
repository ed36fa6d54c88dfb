#pragma once
// NoiseGenerator: a private copy of the C library's default pseudo-random
// generator (the additive lagged-Fibonacci generator behind rand(), with
// lags 31 and 3, seeded by the Park-Miller minimal standard generator).
// From the same seed it gives the same sequence as srand(seed) followed by
// rand() calls on the GNU C library, but it has no shared state: dither
// tables can be built on any thread without touching the process-wide
// generator that other code may use.

#include <cstdint>

class NoiseGenerator {
public:
    explicit NoiseGenerator(uint32_t seed = 1);

    // Next value in 0 .. 2147483647.
    int32_t Next() noexcept;

private:
    static constexpr int kDegree = 31;    // r[i] = r[i-31] + r[i-3]
    static constexpr int kSeparation = 3;
    uint32_t state_[kDegree];
    int front_;  // index of r[i-3]
    int rear_;   // index of r[i-31]
};
