#pragma once
// SampleRateAdapter: the PCM codec. It converts interleaved 16-bit PCM
// between the engine rate and the codec's own rate with a Resampler whose
// output goes into a buffer rather than a next sink, and hands the result to
// an optional inner codec.
//
//   encoding: engine-rate PCM in -> PCM at the codec rate -> inner codec
//   decoding: inner codec -> PCM at the codec rate -> engine-rate PCM out
//
// Without an inner codec the converted PCM itself is the output. Sizes are
// in bytes; Encode returns the bytes written to `output` (or the inner
// codec's result when encoding through one).

#include <cstdint>
#include <memory>
#include <vector>

#include "Source/Engine/Base/Codec.h"

class Resampler;

class SampleRateAdapter : public Codec {
public:
    // Takes ownership of `inner` (may be null).
    SampleRateAdapter(Codec* inner, int32_t pcmRate, bool encode, int32_t channels);
    ~SampleRateAdapter() override;

    uint64_t Encode(const void* input, uint64_t inputSize, void* output, uint64_t outputCapacity) override;
    // Forwarded to the inner codec.
    void SetCallerValues(uint64_t first, uint64_t second) override;

    // Null only when it could not be allocated; Encode then returns 0.
    const Resampler* GetResampler() const noexcept { return resampler_.get(); }
    int32_t PcmRate() const noexcept { return pcmRate_; }

private:
    // Runs `frames` input frames through the resampler into `out`, which has
    // room for capacityFrames frames; returns the frames produced.
    uint64_t Convert(const void* input, uint64_t frames, void* out, uint64_t capacityFrames);
    uint64_t FrameBytes() const noexcept { return static_cast<uint64_t>(channels_) * 2; }

    std::unique_ptr<Resampler> resampler_;
    bool encode_;
    int32_t pcmRate_;
    std::unique_ptr<Codec> inner_;
    int32_t channels_;
    std::vector<int16_t> buffer_;  // conversion buffer between resampler and inner codec
    // Input position handed to the resampler; restarts at 0 before 2^31.
    uint64_t position_ = 0;
};
