#pragma once
// A small audio converter standing in for the platform's: 16-bit stereo
// PCM to and from 8-bit A-law or mu-law mono (G.711), with linear rate
// conversion between the two sample rates. Other formats (AAC) are refused.
// Calls return a status: 0 on success, else a four-character code.

#include <cstdint>
#include <vector>

constexpr uint32_t FourCc(const char (&c)[5]) {
    return static_cast<uint32_t>(static_cast<unsigned char>(c[0])) << 24 |
           static_cast<uint32_t>(static_cast<unsigned char>(c[1])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(c[2])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(c[3]));
}

inline constexpr uint32_t kConverterFormatLinearPcm = FourCc("lpcm");
inline constexpr uint32_t kConverterFormatALaw = FourCc("alaw");
inline constexpr uint32_t kConverterFormatMuLaw = FourCc("ulaw");
inline constexpr uint32_t kConverterFormatAac = FourCc("aac ");
inline constexpr uint32_t kPcmFlagsSignedPacked = 12;  // signed integer (4) | packed (8)

inline constexpr int32_t kConverterStatusUnsupported = static_cast<int32_t>(FourCc("fmt?"));
inline constexpr int32_t kConverterStatusBadArgument = static_cast<int32_t>(FourCc("prop"));

// The 40-byte stream description.
struct StreamDescription {
    double sampleRate;
    uint32_t formatId;
    uint32_t formatFlags;
    uint32_t bytesPerPacket;
    uint32_t framesPerPacket;
    uint32_t bytesPerFrame;
    uint32_t channelsPerFrame;
    uint32_t bitsPerChannel;
    uint32_t reserved;
};
static_assert(sizeof(StreamDescription) == 40, "stream description is 40 bytes");

struct ConverterBuffer {
    uint32_t channels;
    uint32_t size;  // bytes
    void* data;
};

class AudioConverterLayer;
// Asked for input; sets *packets to 0 at the end of the input.
using ConverterInputProc = int32_t (*)(AudioConverterLayer* converter, uint32_t* packets, ConverterBuffer* data,
                                       void* user);

// Completes a description from its format ID and channel count.
int32_t ConverterFormatInfo(StreamDescription& description);
int32_t ConverterNew(const StreamDescription& from, const StreamDescription& to, AudioConverterLayer** converter);
// Output channel i takes input channel map[i] (decoding only).
int32_t ConverterSetChannelMap(AudioConverterLayer* converter, const int32_t map[2]);
// Converts input until *packets output packets are made, the output buffer
// is full or the input ends; *packets receives the packets made.
int32_t ConverterFill(AudioConverterLayer* converter, ConverterInputProc input, void* user, uint32_t* packets,
                      ConverterBuffer* output);
void ConverterDispose(AudioConverterLayer* converter);

class AudioConverterLayer {
public:
    AudioConverterLayer(const StreamDescription& from, const StreamDescription& to);
    int32_t Fill(ConverterInputProc input, void* user, uint32_t* packets, ConverterBuffer* output);
    void SetChannelMap(const int32_t map[2]) { map_[0] = map[0]; map_[1] = map[1]; }

private:
    // Feeds one mono linear sample at the input rate; emits output samples.
    void Push(int value);
    void Emit(double value);

    bool encode_;         // PCM to G.711
    bool aLaw_;
    uint32_t pcmChannels_;
    double step_;         // input samples per output sample
    double position_ = 1.0;
    double previous_ = 0.0;
    int32_t map_[2] = {0, 1};
    uint32_t packetBytes_;
    std::vector<uint8_t> pending_;  // converted bytes not yet handed out
};
