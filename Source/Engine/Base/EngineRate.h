#pragma once
#include <cstdint>

// Every output is encoded at this rate; the resampler converts anything else.
inline constexpr uint64_t kEngineSampleRate = 44100;
