#include "Source/Engine/Codecs/G711.h"

namespace {

// Upper ends of the eight segments of the magnitude scale.
constexpr int kALawSegmentEnd[8] = {0x1F, 0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF};   // 13-bit input
constexpr int kMuLawSegmentEnd[8] = {0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF, 0x1FFF};  // 14-bit input
constexpr int kMuLawBias = 0x84;   // 132, added before segmenting
constexpr int kMuLawClip = 8159;   // largest 14-bit magnitude before the bias

int Segment(int value, const int (&ends)[8]) {
    for (int seg = 0; seg < 8; ++seg) {
        if (value <= ends[seg]) return seg;
    }
    return 8;
}

}  // namespace

uint8_t LinearToALaw(int16_t sample) {
    int value = sample >> 3;  // 13 significant bits
    int mask = 0xD5;          // sign bit set for positive values, even bits inverted
    if (value < 0) {
        mask = 0x55;
        value = -value - 1;
    }
    const int seg = Segment(value, kALawSegmentEnd);
    if (seg >= 8) {
        return static_cast<uint8_t>(0x7F ^ mask);
    }
    int code = seg << 4;
    code |= seg < 2 ? (value >> 1) & 0xF : (value >> seg) & 0xF;
    return static_cast<uint8_t>(code ^ mask);
}

int16_t ALawToLinear(uint8_t code) {
    code ^= 0x55;
    int t = (code & 0xF) << 4;
    const int seg = (code & 0x70) >> 4;
    if (seg == 0) {
        t += 8;
    } else {
        t += 0x108;
        if (seg > 1) t <<= seg - 1;
    }
    return static_cast<int16_t>((code & 0x80) ? t : -t);
}

uint8_t LinearToMuLaw(int16_t sample) {
    int value = sample >> 2;  // 14 significant bits
    int mask = 0xFF;
    if (value < 0) {
        value = -value;
        mask = 0x7F;
    }
    if (value > kMuLawClip) value = kMuLawClip;
    value += kMuLawBias >> 2;
    const int seg = Segment(value, kMuLawSegmentEnd);
    if (seg >= 8) {
        return static_cast<uint8_t>(0x7F ^ mask);
    }
    const int code = (seg << 4) | ((value >> (seg + 1)) & 0xF);
    return static_cast<uint8_t>(code ^ mask);
}

int16_t MuLawToLinear(uint8_t code) {
    code = static_cast<uint8_t>(~code);
    int t = ((code & 0xF) << 3) + kMuLawBias;
    t <<= (code & 0x70) >> 4;
    return static_cast<int16_t>((code & 0x80) ? kMuLawBias - t : t - kMuLawBias);
}
