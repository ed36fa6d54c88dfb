#pragma once
// CoreAudioCodec: A-law, mu-law and AAC over the audio converter layer.
// The PCM side is always 16-bit stereo at the engine rate. AAC is refused
// by the layer: such a codec has no converter and produces nothing.

#include <cstdint>

#include "Source/Engine/Base/Codec.h"
#include "Source/Engine/Codecs/AudioConverterLayer.h"

class CoreAudioCodec : public Codec {
public:
    CoreAudioCodec(uint32_t formatId, bool encode, uint32_t sampleRate, uint32_t channels);
    ~CoreAudioCodec() override;

    // Encoding: input is PCM (inputSize bytes, or frames when 800 or more),
    // output receives up to OutputBlock() bytes of whole packets; returns
    // the packets made. Decoding: input is compressed bytes, output PCM
    // frames (one per packet).
    uint64_t Encode(const void* input, uint64_t inputSize, void* output, uint64_t packetCount) override;

    bool HasConverter() const noexcept { return converter_ != nullptr; }
    uint32_t PcmChannels() const noexcept { return pcmChannels_; }

private:
    static int32_t SupplyInput(AudioConverterLayer* converter, uint32_t* packets, ConverterBuffer* data, void* user);

    AudioConverterLayer* converter_ = nullptr;
    const void* input_ = nullptr;
    uint64_t inputSize_ = 0;
    uint32_t pcmChannels_;
};
