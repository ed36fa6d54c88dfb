#include "Source/Engine/Resampler/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

#include "Source/Engine/Resampler/DitherTable.h"
#include "Source/Engine/Resampler/FilterDesign.h"
#include "Source/Engine/Resampler/Requantise.h"
#include "Source/Engine/Resampler/ResamplerKernels.h"

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
    kernels_ = &BestResamplerKernels();
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

    // The table depends only on the ratio (phases and the lengthening flag
    // are fixed at construction): rebuild it only when the ratio changed.
    const int64_t oldHalfLength = filter_.HalfLength();
    if (filter_.Phases() == 0 || ratio_ != filterRatio_) {
        try {
            filter_.Build(ratio_, phases_, ResamplerDesign::kHalfLength, !noLengthening_);
        } catch (...) {
            return;
        }
        filterRatio_ = ratio_;
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
            kernels_->load16(bytes, samples, out);
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

// Computes the output frames whose input is now complete, at most
// trunc(frames / ratio + 1) of them and at most capacityFrames, as
// interleaved doubles into `values`. Returns the count computed.
uint64_t Resampler::FilterFrames(uint64_t frames, uint64_t blockPosition, double* values, uint64_t capacityFrames) {
    FilterRun run;
    run.input = input_.data();
    run.rows = filter_.Row(0);
    run.pairedRows = filter_.PairedRow(0);
    run.halfLength = filter_.HalfLength();
    run.phases = phases_;
    run.interpolate = interpolate_;
    run.channels = channels_;
    run.rateNum = rateNum_;
    run.rateDen = rateDen_;
    run.firstFrame = nextOutputFrame_;
    run.limit = std::min(static_cast<uint64_t>(static_cast<double>(frames) / ratio_ + 1.0), capacityFrames);
    run.inputEnd = inputEnd_;
    run.blockPosition = blockPosition;
    uint64_t produced;
    if (channels_ == 1) {
        produced = kernels_->filterMono(run, values);
    } else if (channels_ == 2) {
        produced = kernels_->filterStereo(run, values);
    } else {
        produced = FilterPlain(run, values);
    }
    nextOutputFrame_ += produced;
    return produced;
}

// Converts `count` computed frames, the first of them output frame
// `firstFrame`, to the output format.
void Resampler::StoreFrames(const double* values, uint64_t count, uint64_t firstFrame, uint8_t* out) const {
    const uint64_t samples = count * static_cast<uint64_t>(channels_);
    const int32_t outBytes = OutputBytes();
    if (outBytes == 4) {
        for (uint64_t i = 0; i < samples; ++i) Requantise::ToFloat(values[i], out + 4 * i);
        return;
    }
    // The dither position follows the output frame index, so the noise does
    // not depend on how the input was cut into blocks.
    const auto channels = static_cast<uint64_t>(channels_);
    uint64_t position = firstFrame % DitherTable::kPeriodFrames;
    uint64_t i = 0;
    while (i < samples) {
        const uint64_t run = std::min(samples - i, (DitherTable::kPeriodFrames - position) * channels);
        const double* d = dither_->Frame(static_cast<int64_t>(position));
        if (outBytes == 2) {
            kernels_->store16(values + i, d, run, out + 2 * i);
        } else {
            for (uint64_t s = 0; s < run; ++s) Requantise::To24(values[i + s], d[s], out + 3 * (i + s));
        }
        i += run;
        position = 0;
    }
}

uint64_t Resampler::Write(const int16_t* buffer, uint64_t frames, uint64_t position) {
    (void)position;  // blocks are consecutive; the running input end is authoritative
    if (!valid_ || frames > ResamplerDesign::kMaxWriteFrames) return 0;
    try {
        const auto channels = static_cast<uint64_t>(channels_);
        const uint64_t history = static_cast<uint64_t>(2 * filter_.HalfLength() + 1);
        const int32_t outBytes = OutputBytes();
        const uint64_t frameBytes = channels * static_cast<uint64_t>(outBytes);
        const uint64_t limit = static_cast<uint64_t>(static_cast<double>(frames) / ratio_ + 1.0);

        // Everything that can fail to allocate happens before any state
        // changes, so a refused block leaves the stream as it was.
        if (input_.empty() || frames > largestBlock_) {
            input_.resize((history + std::max(largestBlock_, frames)) * channels, 0.0);
            largestBlock_ = std::max(largestBlock_, frames);
        }
        if (callerBuffer_ == nullptr && output_.size() < (limit + 2 * history) * frameBytes) {
            output_.resize((limit + 2 * history) * frameBytes);
        }
        if (values_.size() < (limit + 2 * history) * channels) values_.resize((limit + 2 * history) * channels);
        if (outBytes != 4 && (!dither_ || dither_->Channels() != channels_ || ditherBytes_ != outBytes)) {
            dither_ = DitherTable::Acquire(channels_, outBytes == 2);
            if (!dither_) return 0;
            ditherBytes_ = outBytes;
        }

        // Input stage: the converted block after the history.
        const uint64_t blockPosition = inputEnd_;
        ConvertInput(buffer, frames, input_.data() + history * channels);
        inputEnd_ = blockPosition + frames;

        // Output stage.
        uint8_t* out = callerBuffer_ != nullptr ? static_cast<uint8_t*>(callerBuffer_) : output_.data();
        const uint64_t capacity = callerBuffer_ != nullptr ? callerCapacity_ : limit + 2 * history;
        const uint64_t firstOutput = nextOutputFrame_;
        const uint64_t produced = FilterFrames(frames, blockPosition, values_.data(), capacity);
        StoreFrames(values_.data(), produced, firstOutput, out);
        lastOutputFrames_ = produced;

        // Keep the last 2n + 1 frames as the next block's history.
        std::memmove(input_.data(), input_.data() + frames * channels, history * channels * sizeof(double));

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
