#include "Source/Engine/Resampler/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

#include "Source/Engine/Resampler/DitherTable.h"
#include "Source/Engine/Resampler/FilterDesign.h"
#include "Source/Engine/Resampler/PolyphaseKernel.h"
#include "Source/Engine/Resampler/Requantise.h"

namespace {

constexpr int32_t kMaxChannels = 64;

int64_t PhasesFor(int32_t inputRate, int32_t outputRate) {
    if (inputRate == 48000 && outputRate == 44100) return ResamplerDesign::kPhases48To44;
    if (inputRate == 44100 && outputRate == 48000) return ResamplerDesign::kPhases44To48;
    return ResamplerDesign::kPhases;
}

}  // namespace

Resampler::Resampler(int32_t inputRate, int32_t outputRate, int32_t bitsPerInputSample, bool noLengthening,
                     bool floatInput, double inputGain)
    : AudioSink(1, bitsPerInputSample / 8, outputRate),
      inputRate_(inputRate),
      noLengthening_(noLengthening),
      floatInput_(floatInput),
      inputGain_(inputGain) {
    // Phases and interpolation are chosen once, for the rates as constructed.
    phases_ = PhasesFor(inputRate, outputRate);
    interpolate_ = phases_ == ResamplerDesign::kPhases;
    Configure();
}

Resampler::~Resampler() = default;

void Resampler::Configure() {
    valid_ = false;
    const int32_t in = inputRate_;
    const int32_t out = sampleRate_;
    if (in <= 0 || out <= 0) return;
    ratio_ = static_cast<double>(in) / static_cast<double>(out);
    if (ratio_ > ResamplerDesign::kMaxRatio || ratio_ < 1.0 / ResamplerDesign::kMaxRatio) return;
    const int32_t g = std::gcd(in, out);
    rateNum_ = static_cast<uint64_t>(in / g);
    rateDen_ = static_cast<uint64_t>(out / g);
    if (bytesPerSample_ != 2 && bytesPerSample_ != 3 && bytesPerSample_ != 4 && bytesPerSample_ != 8) return;
    if (channels_ < 1 || channels_ > kMaxChannels) return;
    const int32_t outBytes = OutputBytes();
    if (outBytes != 2 && outBytes != 3 && outBytes != 4) return;

    const int64_t oldHalfLength = filter_.HalfLength();
    try {
        filter_.Build(ratio_, phases_, ResamplerDesign::kHalfLength, !noLengthening_);
    } catch (...) {
        return;
    }
    // A different history length or frame layout invalidates what is held.
    if (filter_.HalfLength() != oldHalfLength ||
        input_.size() % static_cast<size_t>(channels_) != 0) {
        input_.clear();
        largestBlock_ = 0;
    }
    valid_ = true;
}

int32_t Resampler::OutputBytes() const noexcept {
    return next_ && callerBuffer_ == nullptr ? next_->BytesPerSample() : 2;
}

void Resampler::Chain(AudioSink* next) {
    next_.reset(next);
    if (next_) {
        if (next_->Channels() != channels_) {
            input_.clear();
            largestBlock_ = 0;
        }
        channels_ = next_->Channels();
        if (next_->SampleRate() != 0 && next_->SampleRate() != inputRate_) {
            sampleRate_ = next_->SampleRate();
        }
    }
    Configure();
}

void Resampler::SetChannels(int32_t channels) {
    if (channels != channels_) {
        input_.clear();
        largestBlock_ = 0;
    }
    channels_ = channels;
    Configure();
}

void Resampler::SetOutputBuffer(void* buffer, uint64_t capacityFrames) {
    callerBuffer_ = buffer;
    callerCapacity_ = buffer ? capacityFrames : 0;
    Configure();
}

void Resampler::ConvertInput(const int16_t* buffer, uint64_t frames, double* out) const {
    const uint64_t samples = frames * static_cast<uint64_t>(channels_);
    if (buffer == nullptr) {
        std::fill(out, out + samples, 0.0);
        return;
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(buffer);
    switch (bytesPerSample_) {
        case 2:
            for (uint64_t i = 0; i < samples; ++i) {
                int16_t v;
                std::memcpy(&v, bytes + 2 * i, 2);
                out[i] = static_cast<double>(v) / 32767.0;
            }
            break;
        case 3:
            for (uint64_t i = 0; i < samples; ++i) {
                const uint8_t* p = bytes + 3 * i;
                const uint32_t u = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                   (static_cast<uint32_t>(p[2]) << 16);
                const int32_t v = static_cast<int32_t>(u << 8) >> 8;  // sign-extend 24 bits
                out[i] = static_cast<double>(v) / 8388607.0;
            }
            break;
        case 4:
            for (uint64_t i = 0; i < samples; ++i) {
                if (floatInput_) {
                    float v;
                    std::memcpy(&v, bytes + 4 * i, 4);
                    out[i] = inputGain_ != 1.0 ? static_cast<double>(v) * inputGain_ : static_cast<double>(v);
                } else {
                    int32_t v;
                    std::memcpy(&v, bytes + 4 * i, 4);
                    out[i] = static_cast<double>(v) / 2147483647.0;
                }
            }
            break;
        case 8:
            for (uint64_t i = 0; i < samples; ++i) {
                double v;
                std::memcpy(&v, bytes + 8 * i, 8);
                out[i] = inputGain_ != 1.0 ? v * inputGain_ : v;
            }
            break;
    }
}

// Produces the output frames whose input is now complete, at most
// trunc(frames / ratio + 1) of them and at most capacityFrames, into `out`.
// Returns the count produced.
uint64_t Resampler::Produce(uint64_t frames, uint64_t blockPosition, uint8_t* out, uint64_t capacityFrames) {
    const int32_t channels = channels_;
    const int64_t n = filter_.HalfLength();
    const int64_t history = 2 * n + 1;
    const int64_t taps = filter_.RowLength();
    const int64_t phases = phases_;
    const int32_t outBytes = OutputBytes();
    const uint64_t frameBytes = static_cast<uint64_t>(channels) * static_cast<uint64_t>(outBytes);
    // The one-channel layout waits for one more input frame.
    const bool strict = channels == 1;
    const uint64_t limit = static_cast<uint64_t>(static_cast<double>(frames) / ratio_ + 1.0);

    double valueA[kMaxChannels];
    double valueB[kMaxChannels];
    uint64_t produced = 0;
    for (uint64_t iteration = 0; iteration < limit && produced < capacityFrames; ++iteration) {
        // Output frame E sits at input time E * in / out = H + K / P.
        const uint64_t e = nextOutputFrame_;
        const uint64_t scaled = e * rateNum_;
        const uint64_t h = scaled / rateDen_;
        const uint64_t remainder = scaled % rateDen_;
        const uint64_t needed = h + static_cast<uint64_t>(n);
        if (strict ? needed >= inputEnd_ : needed > inputEnd_) break;
        ++nextOutputFrame_;

        // Buffer frame of input frame H; the row starts n - 1 frames earlier.
        const int64_t j = static_cast<int64_t>(h) - static_cast<int64_t>(blockPosition) + history;
        if (j - (n - 1) < 0) continue;  // input no longer held (see SetOutputBuffer)
        const double* x = input_.data() + (j - (n - 1)) * channels;

        const double k = static_cast<double>(static_cast<uint64_t>(phases) * remainder) / static_cast<double>(rateDen_);
        if (interpolate_ && k != 0.0) {
            const int64_t l = static_cast<int64_t>(k);
            const double f = k - static_cast<double>(l);
            if (f == 0.0) {
                PolyphaseDot(x, channels, filter_.Row(l), taps, valueA);
            } else {
                PolyphaseDot2(x, channels, filter_.Row(l), filter_.Row(l + 1), taps, valueA, valueB);
                for (int32_t c = 0; c < channels; ++c) valueA[c] = f * valueB[c] + (1.0 - f) * valueA[c];
            }
        } else {
            // With the exact phase counts K is a whole number; 0.3 absorbs
            // rounding without reaching the next phase.
            const int64_t l = std::min<int64_t>(static_cast<int64_t>(k + 0.3), phases);
            PolyphaseDot(x, channels, filter_.Row(l), taps, valueA);
        }

        uint8_t* frameOut = out + produced * frameBytes;
        if (outBytes == 4) {
            for (int32_t c = 0; c < channels; ++c) Requantise::ToFloat(valueA[c], frameOut + 4 * c);
        } else {
            // The dither position follows the output frame index, so the
            // noise does not depend on how the input was cut into blocks.
            const double* d = dither_->Frame(static_cast<int64_t>(e % DitherTable::kPeriodFrames));
            if (outBytes == 2) {
                for (int32_t c = 0; c < channels; ++c) {
                    const int16_t s = Requantise::To16(valueA[c], d[c]);
                    std::memcpy(frameOut + 2 * c, &s, 2);
                }
            } else {
                for (int32_t c = 0; c < channels; ++c) Requantise::To24(valueA[c], d[c], frameOut + 3 * c);
            }
        }
        ++produced;
    }
    return produced;
}

uint64_t Resampler::Write(const int16_t* buffer, uint64_t frames, uint64_t position) {
    (void)position;  // blocks are consecutive; the running input end is authoritative
    if (!valid_ || frames > ResamplerDesign::kMaxWriteFrames) return 0;
    try {
        const int32_t channels = channels_;
        const uint64_t history = static_cast<uint64_t>(2 * filter_.HalfLength() + 1);
        const uint64_t blockPosition = inputEnd_;

        // Input stage: history, then the converted block.
        if (input_.empty() || frames > largestBlock_) {
            largestBlock_ = std::max(largestBlock_, frames);
            input_.resize((history + largestBlock_) * static_cast<uint64_t>(channels), 0.0);
        }
        ConvertInput(buffer, frames, input_.data() + history * static_cast<uint64_t>(channels));
        inputEnd_ = blockPosition + frames;

        // Output stage.
        const int32_t outBytes = OutputBytes();
        const uint64_t frameBytes = static_cast<uint64_t>(channels) * static_cast<uint64_t>(outBytes);
        if (outBytes != 4 && (!dither_ || dither_->Channels() != channels)) {
            dither_ = DitherTable::Acquire(channels, outBytes == 2);
            if (!dither_) return 0;
        }
        uint8_t* out;
        uint64_t capacity;
        if (callerBuffer_ != nullptr) {
            out = static_cast<uint8_t*>(callerBuffer_);
            capacity = callerCapacity_;
        } else {
            const uint64_t limit = static_cast<uint64_t>(static_cast<double>(frames) / ratio_ + 1.0);
            capacity = limit + 2 * history;
            if (output_.size() < capacity * frameBytes) output_.resize(capacity * frameBytes);
            out = output_.data();
        }
        const uint64_t firstOutput = nextOutputFrame_;
        const uint64_t produced = Produce(frames, blockPosition, out, capacity);
        lastOutputFrames_ = produced;

        // Keep the last 2n + 1 frames as the next block's history.
        const uint64_t filled = history + frames;
        std::memmove(input_.data(), input_.data() + (filled - history) * static_cast<uint64_t>(channels),
                     history * static_cast<uint64_t>(channels) * sizeof(double));

        if (next_ && callerBuffer_ == nullptr) {
            const uint64_t taken = next_->Write(reinterpret_cast<const int16_t*>(out), produced, firstOutput);
            if (produced != 0 && taken == 0) return 0;  // the next sink failed
        }
        return frames;
    } catch (...) {
        return 0;
    }
}

bool Resampler::Flush() {
    const uint64_t tail = static_cast<uint64_t>(2 * filter_.HalfLength() + 1);
    const bool wrote = Write(nullptr, tail, inputEnd_) == tail;
    if (next_ && callerBuffer_ == nullptr) {
        const bool flushed = next_->Flush();
        return wrote && flushed;
    }
    return wrote;
}
