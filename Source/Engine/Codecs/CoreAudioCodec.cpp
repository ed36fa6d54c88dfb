#include "Source/Engine/Codecs/CoreAudioCodec.h"

#include <cstdio>
#include <cstring>

#include "Source/Engine/Base/EngineRate.h"

namespace {

// Status as four characters (big-endian order of the code).
void StatusText(int32_t status, char text[5]) {
    const uint32_t s = static_cast<uint32_t>(status);
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>(s >> (24 - 8 * i));
        text[i] = c >= ' ' && c < 127 ? c : '?';
    }
    text[4] = 0;
}

}  // namespace

CoreAudioCodec::CoreAudioCodec(uint32_t formatId, bool encode, uint32_t sampleRate, uint32_t channels)
    : pcmChannels_(encode ? 2 : channels) {
    StreamDescription compressed;
    std::memset(&compressed, 0, sizeof compressed);
    if (formatId == kConverterFormatALaw || formatId == kConverterFormatMuLaw) {
        compressed.sampleRate = sampleRate;
        compressed.formatId = formatId;
        compressed.formatFlags = 0;
        compressed.bytesPerPacket = 160 * channels;
        compressed.framesPerPacket = 160;
        compressed.bytesPerFrame = channels;
        compressed.channelsPerFrame = channels;
        compressed.bitsPerChannel = 8;
    } else {
        compressed.formatId = formatId;
        compressed.channelsPerFrame = channels;
        ConverterFormatInfo(compressed);  // the sample rate given is not used
    }
    StreamDescription pcm;
    std::memset(&pcm, 0, sizeof pcm);
    pcm.sampleRate = static_cast<double>(kEngineSampleRate);
    pcm.formatId = kConverterFormatLinearPcm;
    pcm.formatFlags = kPcmFlagsSignedPacked;
    pcm.bytesPerPacket = 4;
    pcm.framesPerPacket = 1;
    pcm.bytesPerFrame = 4;
    pcm.channelsPerFrame = 2;
    pcm.bitsPerChannel = 16;

    const int32_t status =
        encode ? ConverterNew(pcm, compressed, &converter_) : ConverterNew(compressed, pcm, &converter_);
    if (status != 0) {
        char text[5];
        StatusText(status, text);
        std::printf("AudioConverterNew err %4.4s %08X %d\n", text, static_cast<unsigned>(status), status);
        converter_ = nullptr;
        return;
    }
    if (!encode) {
        const int32_t map[2] = {0, 0};  // both output channels from input channel 0
        ConverterSetChannelMap(converter_, map);
    }
}

CoreAudioCodec::~CoreAudioCodec() {
    ConverterDispose(converter_);
}

int32_t CoreAudioCodec::SupplyInput(AudioConverterLayer* /*converter*/, uint32_t* packets, ConverterBuffer* data,
                                    void* user) {
    auto* self = static_cast<CoreAudioCodec*>(user);
    if (*packets == 0 || self->input_ == nullptr) {
        *packets = 0;  // the input of this call is used up
        return 0;
    }
    data->channels = self->pcmChannels_;
    data->size = static_cast<uint32_t>(self->inputSize_);
    data->data = const_cast<void*>(self->input_);
    self->input_ = nullptr;  // handed over once per call
    return 0;
}

uint64_t CoreAudioCodec::Encode(const void* input, uint64_t inputSize, void* output, uint64_t packetCount) {
    if (converter_ == nullptr || output == nullptr) {
        return 0;
    }
    input_ = input;
    inputSize_ = inputSize < 800 ? inputSize : inputSize * 4;
    ConverterBuffer out{3 - pcmChannels_, static_cast<uint32_t>(outputBlock_), output};
    uint32_t packets = static_cast<uint32_t>(packetCount);
    const int32_t status = ConverterFill(converter_, &CoreAudioCodec::SupplyInput, this, &packets, &out);
    if (status != 0) {
        char text[5];
        StatusText(status, text);
        std::printf("Returned packets = %d, AudioConverterFillComplexBuffer err %4.4s %08X %d\n",
                    static_cast<int>(packets), text, static_cast<unsigned>(status), status);
    }
    input_ = nullptr;
    return packets;
}
