#include "Source/Engine/Resampler/NoiseGenerator.h"

NoiseGenerator::NoiseGenerator(uint32_t seed) {
    // Park-Miller (16807, 2^31 - 1) fills the state, computed with Schrage's
    // method so that no product overflows 32 bits; seed 0 acts as 1.
    int32_t word = seed == 0 ? 1 : static_cast<int32_t>(seed);
    state_[0] = static_cast<uint32_t>(word);
    for (int i = 1; i < kDegree; ++i) {
        const int32_t hi = word / 127773;
        const int32_t lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0) {
            word += 2147483647;
        }
        state_[i] = static_cast<uint32_t>(word);
    }
    front_ = kSeparation;
    rear_ = 0;
    // The first 310 outputs are discarded to stir the state.
    for (int i = 0; i < 10 * kDegree; ++i) {
        Next();
    }
}

int32_t NoiseGenerator::Next() noexcept {
    state_[front_] += state_[rear_];
    const uint32_t value = state_[front_];
    if (++front_ >= kDegree) {
        front_ = 0;
    }
    if (++rear_ >= kDegree) {
        rear_ = 0;
    }
    return static_cast<int32_t>(value >> 1);
}
