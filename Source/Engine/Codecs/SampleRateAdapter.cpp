#include "Source/Engine/Codecs/SampleRateAdapter.h"

#include <new>

#include "Source/Engine/Base/EngineRate.h"
#include "Source/Engine/Resampler/Resampler.h"

namespace {

constexpr uint64_t kPositionWrap = uint64_t{1} << 31;

}  // namespace

SampleRateAdapter::SampleRateAdapter(Codec* inner, int32_t pcmRate, bool encode, int32_t channels)
    : encode_(encode), pcmRate_(pcmRate), inner_(inner), channels_(channels) {
    const auto engineRate = static_cast<int32_t>(kEngineSampleRate);
    const int32_t from = encode ? engineRate : pcmRate;
    const int32_t to = encode ? pcmRate : engineRate;
    resampler_.reset(new (std::nothrow) Resampler(from, to, 16, true, true, 1.0));
    if (resampler_) resampler_->SetChannels(channels);
}

SampleRateAdapter::~SampleRateAdapter() {
    if (resampler_) resampler_->SetOutputBuffer(nullptr, 0);
}

void SampleRateAdapter::SetCallerValues(uint64_t first, uint64_t second) {
    Codec::SetCallerValues(first, second);
    if (inner_) inner_->SetCallerValues(first, second);
}

uint64_t SampleRateAdapter::Convert(const void* input, uint64_t frames, void* out, uint64_t capacityFrames) {
    resampler_->SetOutputBuffer(out, capacityFrames);
    const uint64_t taken = resampler_->Write(static_cast<const int16_t*>(input), frames, position_);
    const uint64_t produced = taken == frames ? resampler_->LastOutputFrames() : 0;
    resampler_->SetOutputBuffer(nullptr, 0);
    position_ += frames;
    if (position_ >= kPositionWrap) position_ = 0;
    return produced;
}

uint64_t SampleRateAdapter::Encode(const void* input, uint64_t inputSize, void* output, uint64_t outputCapacity) {
    if (!resampler_ || !resampler_->IsValid()) return 0;
    const uint64_t frameBytes = FrameBytes();
    try {
        if (!inner_) {
            // Plain PCM both ways: convert straight into the caller's buffer.
            if (output == nullptr) return 0;
            const uint64_t produced = Convert(input, inputSize / frameBytes, output, outputCapacity / frameBytes);
            return produced * frameBytes;
        }
        if (encode_) {
            // Room for every frame this input can complete, plus the frames
            // held back from earlier calls.
            const uint64_t frames = inputSize / frameBytes;
            const auto capacity = static_cast<uint64_t>(static_cast<double>(frames) / resampler_->Ratio()) + 64 +
                                  2 * static_cast<uint64_t>(resampler_->Filter().HalfLength());
            if (buffer_.size() < capacity * static_cast<uint64_t>(channels_)) {
                buffer_.assign(capacity * static_cast<uint64_t>(channels_), 0);
            }
            const uint64_t produced = Convert(input, frames, buffer_.data(), capacity);
            return inner_->Encode(buffer_.data(), produced * frameBytes, output, outputCapacity);
        }
        // Decoding: the inner codec gives PCM at the codec rate (at most four
        // bytes of PCM per input byte), which is converted into the output.
        if (output == nullptr) return 0;
        const uint64_t pcmCapacity = inputSize * 4;
        if (buffer_.size() * sizeof(int16_t) < pcmCapacity) {
            buffer_.assign((pcmCapacity + 1) / 2, 0);
        }
        uint64_t decoded = inner_->Encode(input, inputSize, buffer_.data(), pcmCapacity);
        if (decoded > pcmCapacity) decoded = pcmCapacity;
        const uint64_t produced = Convert(buffer_.data(), decoded / frameBytes, output, outputCapacity / frameBytes);
        return produced * frameBytes;
    } catch (...) {
        return 0;
    }
}
