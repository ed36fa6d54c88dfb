#pragma once
// AudioSink: consumes frames pushed into it; a forwarding sink owns the next one.

#include <cstdint>

class AudioSink {
public:
    AudioSink(int32_t channels, int32_t bytesPerSample, int32_t sampleRate)
        : channels_(channels), bytesPerSample_(bytesPerSample), sampleRate_(sampleRate) {}
    AudioSink(const AudioSink&) = delete;
    AudioSink& operator=(const AudioSink&) = delete;
    virtual ~AudioSink() = default;

    // Consumes frames of channels() interleaved samples; returns frames
    // consumed, 0 when the sink took none of them.
    virtual uint64_t Write(const int16_t* buffer, uint64_t frames, uint64_t position) = 0;
    // Finishes pending work; true if anything was finished.
    virtual bool Flush() { return false; }

    int32_t Channels() const noexcept { return channels_; }
    int32_t BytesPerSample() const noexcept { return bytesPerSample_; }
    int32_t SampleRate() const noexcept { return sampleRate_; }  // 0 = any

protected:
    int32_t channels_;
    int32_t bytesPerSample_;
    int32_t sampleRate_;
};
