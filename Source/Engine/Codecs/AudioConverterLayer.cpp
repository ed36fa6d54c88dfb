#include "Source/Engine/Codecs/AudioConverterLayer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "Source/Engine/Codecs/G711.h"

namespace {

bool IsG711(uint32_t id) {
    return id == kConverterFormatALaw || id == kConverterFormatMuLaw;
}

bool IsPcm16(const StreamDescription& d) {
    return d.formatId == kConverterFormatLinearPcm && d.bitsPerChannel == 16 && d.channelsPerFrame >= 1 &&
           d.channelsPerFrame <= 2 && d.sampleRate > 0;
}

bool IsG711Mono(const StreamDescription& d) {
    return IsG711(d.formatId) && d.channelsPerFrame == 1 && d.sampleRate > 0 && d.framesPerPacket > 0;
}

}  // namespace

int32_t ConverterFormatInfo(StreamDescription& d) {
    if (!IsG711(d.formatId) || d.channelsPerFrame == 0) {
        return kConverterStatusUnsupported;  // no AAC (or other) support here
    }
    if (d.sampleRate <= 0) d.sampleRate = 8000;
    d.formatFlags = 0;
    d.framesPerPacket = 160;
    d.bytesPerFrame = d.channelsPerFrame;
    d.bytesPerPacket = 160 * d.channelsPerFrame;
    d.bitsPerChannel = 8;
    return 0;
}

int32_t ConverterNew(const StreamDescription& from, const StreamDescription& to, AudioConverterLayer** converter) {
    if (converter == nullptr) {
        return kConverterStatusBadArgument;
    }
    *converter = nullptr;
    const bool encoding = IsPcm16(from) && IsG711Mono(to);
    const bool decoding = IsG711Mono(from) && IsPcm16(to);
    if (!encoding && !decoding) {
        return kConverterStatusUnsupported;
    }
    *converter = new (std::nothrow) AudioConverterLayer(from, to);
    return *converter != nullptr ? 0 : kConverterStatusBadArgument;
}

int32_t ConverterSetChannelMap(AudioConverterLayer* converter, const int32_t map[2]) {
    if (converter == nullptr || map[0] < 0 || map[1] < 0 || map[0] > 1 || map[1] > 1) {
        return kConverterStatusBadArgument;
    }
    converter->SetChannelMap(map);
    return 0;
}

int32_t ConverterFill(AudioConverterLayer* converter, ConverterInputProc input, void* user, uint32_t* packets,
                      ConverterBuffer* output) {
    if (converter == nullptr || input == nullptr || packets == nullptr || output == nullptr) {
        return kConverterStatusBadArgument;
    }
    return converter->Fill(input, user, packets, output);
}

void ConverterDispose(AudioConverterLayer* converter) {
    delete converter;
}

AudioConverterLayer::AudioConverterLayer(const StreamDescription& from, const StreamDescription& to)
    : encode_(from.formatId == kConverterFormatLinearPcm),
      aLaw_((encode_ ? to.formatId : from.formatId) == kConverterFormatALaw),
      pcmChannels_(encode_ ? from.channelsPerFrame : to.channelsPerFrame),
      step_(from.sampleRate / to.sampleRate),
      packetBytes_(encode_ ? to.bytesPerPacket : to.bytesPerFrame) {}

void AudioConverterLayer::Emit(double value) {
    const double clamped = std::clamp(value, -32768.0, 32767.0);
    const int16_t sample = static_cast<int16_t>(clamped < 0 ? clamped - 0.5 : clamped + 0.5);
    if (encode_) {
        pending_.push_back(aLaw_ ? LinearToALaw(sample) : LinearToMuLaw(sample));
        return;
    }
    // Every PCM output channel takes the (only) compressed channel.
    uint8_t bytes[2];
    std::memcpy(bytes, &sample, 2);
    for (uint32_t ch = 0; ch < pcmChannels_; ++ch) {
        pending_.insert(pending_.end(), bytes, bytes + 2);
    }
}

void AudioConverterLayer::Push(int value) {
    const double current = value;
    while (position_ <= 1.0) {
        Emit(previous_ + (current - previous_) * position_);
        position_ += step_;
    }
    position_ -= 1.0;
    previous_ = current;
}

int32_t AudioConverterLayer::Fill(ConverterInputProc input, void* user, uint32_t* packets, ConverterBuffer* output) {
    const size_t wanted = std::min<size_t>(static_cast<size_t>(*packets) * packetBytes_, output->size);
    int32_t status = 0;
    while (pending_.size() < wanted) {
        uint32_t asked = 1;
        ConverterBuffer in{0, 0, nullptr};
        status = input(this, &asked, &in, user);
        if (status != 0 || asked == 0 || in.size == 0 || in.data == nullptr) {
            break;
        }
        if (encode_) {
            // Interleaved 16-bit frames, mixed down to one channel.
            const uint32_t frameBytes = 2 * pcmChannels_;
            const int16_t* s = static_cast<const int16_t*>(in.data);
            for (uint32_t i = 0; i < in.size / frameBytes; ++i) {
                int sum = 0;
                for (uint32_t ch = 0; ch < pcmChannels_; ++ch) {
                    sum += s[i * pcmChannels_ + ch];
                }
                Push(sum / static_cast<int>(pcmChannels_));
            }
        } else {
            const uint8_t* c = static_cast<const uint8_t*>(in.data);
            for (uint32_t i = 0; i < in.size; ++i) {
                Push(aLaw_ ? ALawToLinear(c[i]) : MuLawToLinear(c[i]));
            }
        }
    }
    // Whole packets only; the rest waits for the next call.
    const size_t ready = std::min(pending_.size(), wanted);
    const uint32_t made = static_cast<uint32_t>(ready / packetBytes_);
    const size_t bytes = static_cast<size_t>(made) * packetBytes_;
    if (bytes > 0) {
        std::memcpy(output->data, pending_.data(), bytes);
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(bytes));
    }
    output->size = static_cast<uint32_t>(bytes);
    *packets = made;
    return status;
}
