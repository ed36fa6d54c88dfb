#pragma once
// Test helpers for the resampler: a sink that records what reaches it, and
// generators for test signals.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#include "Source/Engine/Base/AudioSink.h"
#include "Source/Engine/Resampler/Resampler.h"

namespace resampler_test {

// Records every byte written to it; checks that positions are consecutive.
class CaptureSink : public AudioSink {
public:
    CaptureSink(int32_t channels, int32_t bytesPerSample, int32_t rate = 0)
        : AudioSink(channels, bytesPerSample, rate) {}

    uint64_t Write(const int16_t* buffer, uint64_t frames, uint64_t position) override {
        ++writes;
        if (position != frames_) consecutive = false;
        const auto* b = reinterpret_cast<const uint8_t*>(buffer);
        const uint64_t n = frames * static_cast<uint64_t>(channels_ * bytesPerSample_);
        if (frames != 0) bytes.insert(bytes.end(), b, b + n);
        frames_ += frames;
        return failWrites ? 0 : frames;
    }
    bool Flush() override {
        ++flushes;
        return flushResult;
    }

    uint64_t Frames() const { return frames_; }
    std::vector<int16_t> Samples16() const {
        std::vector<int16_t> s(bytes.size() / 2);
        std::memcpy(s.data(), bytes.data(), s.size() * 2);
        return s;
    }
    std::vector<float> Floats() const {
        std::vector<float> s(bytes.size() / 4);
        std::memcpy(s.data(), bytes.data(), s.size() * 4);
        return s;
    }
    std::vector<int32_t> Samples24() const {
        std::vector<int32_t> s(bytes.size() / 3);
        for (size_t i = 0; i < s.size(); ++i) {
            const uint32_t u = bytes[3 * i] | (bytes[3 * i + 1] << 8) | (uint32_t{bytes[3 * i + 2]} << 16);
            s[i] = static_cast<int32_t>(u << 8) >> 8;
        }
        return s;
    }

    std::vector<uint8_t> bytes;
    int writes = 0;
    int flushes = 0;
    bool consecutive = true;
    bool failWrites = false;
    bool flushResult = true;

private:
    uint64_t frames_ = 0;
};

// A resampler in the encode job's configuration (16-bit input) chained to a
// capture sink; `sink` stays owned by the resampler.
struct Chain {
    Chain(int32_t inRate, int32_t outRate, int32_t channels, int32_t outBytes, int32_t inBits = 16,
          double gain = 1.0, bool floatInput = true)
        : resampler(inRate, outRate, inBits, true, floatInput, gain), sink(new CaptureSink(channels, outBytes)) {
        resampler.Chain(sink);
    }
    Resampler resampler;
    CaptureSink* sink;
};

// Interleaved 16-bit sine plus a little noise, different per channel.
inline std::vector<int16_t> TestSignal(uint64_t frames, int32_t channels, double rateHz, uint32_t seed = 7) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> noise(-2000.0, 2000.0);
    std::vector<int16_t> s(frames * static_cast<uint64_t>(channels));
    for (uint64_t i = 0; i < frames; ++i) {
        for (int32_t c = 0; c < channels; ++c) {
            const double t = static_cast<double>(i) / rateHz;
            const double v = 20000.0 * std::sin(2 * std::numbers::pi * (440.0 + 300.0 * c) * t) + noise(rng);
            s[i * static_cast<uint64_t>(channels) + static_cast<uint64_t>(c)] = static_cast<int16_t>(std::lround(v));
        }
    }
    return s;
}

// Amplitude of the component at frequencyHz in x (least-squares fit over
// the given range of a signal sampled at rateHz).
inline double ToneAmplitude(const std::vector<double>& x, double frequencyHz, double rateHz, size_t begin, size_t end) {
    double sc = 0, ss = 0, cc = 0, s2 = 0, c2 = 0;
    for (size_t i = begin; i < end; ++i) {
        const double w = 2 * std::numbers::pi * frequencyHz * static_cast<double>(i) / rateHz;
        const double s = std::sin(w), c = std::cos(w);
        sc += x[i] * s;
        cc += x[i] * c;
        s2 += s * s;
        c2 += c * c;
        ss += s * c;
    }
    // Solve the 2x2 normal equations for the sine and cosine weights.
    const double det = s2 * c2 - ss * ss;
    const double a = (sc * c2 - cc * ss) / det;
    const double b = (cc * s2 - sc * ss) / det;
    return std::hypot(a, b);
}

}  // namespace resampler_test
