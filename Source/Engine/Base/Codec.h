#pragma once
// Codec: turns blocks of PCM into a compressed stream and back.

#include <cstdint>

#include "Source/Engine/Base/EngineRate.h"

class Codec {
public:
    Codec() = default;
    Codec(const Codec&) = delete;
    Codec& operator=(const Codec&) = delete;
    virtual ~Codec() = default;

    // The one processing call, used in both directions: consumes inputSize
    // bytes and returns the bytes (or packets) produced. output may be null.
    virtual uint64_t Encode(const void* input, uint64_t inputSize, void* output, uint64_t outputCapacity) = 0;
    // Back to the start of a stream.
    virtual void Reset() {}
    virtual void SetCallerValues(uint64_t first, uint64_t second) {
        callerValues_[0] = first;
        callerValues_[1] = second;
    }

    uint64_t InputBlock() const noexcept { return inputBlock_; }
    uint64_t OutputBlock() const noexcept { return outputBlock_; }

protected:
    // 20 ms of stereo 16-bit audio at the engine rate.
    uint64_t inputBlock_ = 4 * (kEngineSampleRate / 50);
    uint64_t outputBlock_ = 160;
    uint64_t callerValues_[2] = {0, 0};
};
