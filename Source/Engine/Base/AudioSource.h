#pragma once
// AudioSource: delivers interleaved 16-bit stereo frames at a frame position.

#include <cstdint>

#include "ui/core/UString.h"

class AudioSource {
public:
    AudioSource() = default;
    AudioSource(const AudioSource&) = delete;
    AudioSource& operator=(const AudioSource&) = delete;
    virtual ~AudioSource();

    virtual bool IsOk() const { return true; }
    // Delivers up to n frames from frame position p as two interleaved
    // channels (a mono source repeats each sample); returns frames delivered.
    virtual uint64_t Read(int16_t* buffer, uint64_t n, uint64_t p) = 0;
    virtual int64_t Reserved0() { return 0; }
    // Two doubles per frame. The default reads 16-bit frames and scales by 1/32767.
    virtual uint64_t ReadDouble(double* buffer, uint64_t n, uint64_t p);
    virtual int64_t Reserved1() { return -1; }

    int32_t Channels() const noexcept { return channels_; }
    int32_t BytesPerSample() const noexcept { return bytesPerSample_; }
    uint64_t SampleRate() const noexcept { return sampleRate_; }

protected:
    int32_t channels_ = 2;
    int32_t bytesPerSample_ = 2;
    uint64_t sampleRate_ = 0;

private:
    uint64_t scratchCapacity_ = 0;
    int16_t* scratch_ = nullptr;
    UString label_;
};
