#pragma once
// Writes a Layer II frame: header, allocation, scfsi, scale factors,
// quantised samples, zero fill and the optional peak-level bytes.

#include <cstdint>

#include "codec/Layer2Frame.h"

// Writes bits most significant first, continuously across byte boundaries,
// through a 32-bit register emptied a byte at a time.
class BitWriter {
public:
    explicit BitWriter(uint8_t* out) : out_(out) {}
    // value must fit in count bits; count <= 24.
    void Put(uint32_t value, int count) {
        reg_ = reg_ << count | value;
        pending_ += count;
        while (pending_ >= 8) {
            pending_ -= 8;
            *out_++ = static_cast<uint8_t>(reg_ >> pending_);
        }
    }
    // Pads the last partly written byte with zero bits; returns the end.
    uint8_t* Finish() {
        if (pending_ > 0) {
            *out_++ = static_cast<uint8_t>(reg_ << (8 - pending_));
            pending_ = 0;
        }
        return out_;
    }

private:
    uint8_t* out_;
    uint32_t reg_ = 0;
    int pending_ = 0;
};

// The 32-bit header: MPEG-1, Layer II, no CRC, no padding, original.
// mode: 0 stereo, 3 single channel.
uint32_t BuildFrameHeader(int bitRateIndex, int samplingIndex, int mode);

// Quantisation code of one sample x with scale factor v in a class (the
// rule the quantiser kernels apply to whole frames).
uint32_t QuantiseSample(double x, double scaleFactor, const QuantClass& q);

// Writes one whole frame of frameBytes bytes from the frame's allocation,
// scale factors and codes. With peaks given, the peak
// levels go into the last bytes (channel 0 in the last two, channel 1, when
// nonzero in stereo, in the fifth- and fourth-last).
void PackFrame(const Layer2Layout& layout, const Layer2Frame& frame, uint32_t header, bool withPeaks,
               uint8_t* out, int frameBytes);
