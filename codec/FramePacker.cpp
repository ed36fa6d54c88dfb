#include "codec/FramePacker.h"

#include <cstring>

uint32_t BuildFrameHeader(int bitRateIndex, int samplingIndex, int mode) {
    uint32_t h = 0xFFF;           // syncword
    h = h << 1 | 1;               // ID: MPEG-1
    h = h << 2 | 2;               // layer: II
    h = h << 1 | 1;               // protection_bit: no CRC
    h = h << 4 | static_cast<uint32_t>(bitRateIndex);
    h = h << 2 | static_cast<uint32_t>(samplingIndex);
    h = h << 1 | 0;               // padding_bit
    h = h << 1 | 0;               // private_bit
    h = h << 2 | static_cast<uint32_t>(mode);
    h = h << 2 | 0;               // mode_extension
    h = h << 1 | 0;               // copyright
    h = h << 1 | 1;               // original/copy
    h = h << 2 | 0;               // emphasis
    return h;
}

uint32_t QuantiseSample(double x, double scaleFactor, const QuantClass& q) {
    const double v = x / scaleFactor / q.z + q.b;
    // Truncation toward zero; the sign bit is inverted (K set for v >= 0).
    const uint32_t code = v >= 0.0 ? static_cast<uint32_t>(q.k) | static_cast<uint32_t>(static_cast<int>(v * q.k))
                                   : static_cast<uint32_t>(static_cast<int>((v + 1.0) * q.k));
    // A sample exactly as large as its scale factor would give the code
    // 'steps', one past the last level, which overflows a grouped codeword.
    const uint32_t last = static_cast<uint32_t>(q.steps - 1);
    return code < last ? code : last;
}

void PackFrame(const Layer2Layout& layout, const Layer2Frame& frame, uint32_t header, bool withPeaks,
               uint8_t* out, int frameBytes) {
    const int sblimit = layout.sblimit;
    BitWriter w(out);
    w.Put(header >> 16, 16);
    w.Put(header & 0xFFFF, 16);

    // 1. Allocation fields.
    for (int sb = 0; sb < sblimit; ++sb) {
        const int nbal = layout.Nbal(sb);
        for (int ch = 0; ch < layout.ChannelsIn(sb); ++ch) {
            w.Put(static_cast<uint32_t>(frame.allocation[ch][sb]), nbal);
        }
    }
    // 2. scfsi of every allocated band.
    for (int sb = 0; sb < sblimit; ++sb) {
        for (int ch = 0; ch < layout.channels; ++ch) {
            if (frame.allocation[ch][sb] != 0) {
                w.Put(static_cast<uint32_t>(frame.scfsi[ch][sb]), 2);
            }
        }
    }
    // 3. Scale factors: s0, then what the scfsi leaves to send.
    for (int sb = 0; sb < sblimit; ++sb) {
        for (int ch = 0; ch < layout.channels; ++ch) {
            if (frame.allocation[ch][sb] == 0) {
                continue;
            }
            const int* s0 = &frame.scaleFactor[ch][0][sb];
            const int s1 = frame.scaleFactor[ch][1][sb];
            const int s2 = frame.scaleFactor[ch][2][sb];
            w.Put(static_cast<uint32_t>(*s0), 6);
            switch (frame.scfsi[ch][sb]) {
                case 0:
                    w.Put(static_cast<uint32_t>(s1), 6);
                    w.Put(static_cast<uint32_t>(s2), 6);
                    break;
                case 1:
                case 3:
                    w.Put(static_cast<uint32_t>(s2), 6);
                    break;
                default:
                    break;
            }
        }
    }
    // 4. Samples (quantised beforehand into frame.codes), granule by
    // granule. The coded bands are the same in every granule: list them once.
    struct CodedBand {
        const uint32_t* codes;  // &frame.codes[ch][0][sb]
        uint32_t steps;
        int bits;
        bool grouped;
    };
    CodedBand coded[kMaxChannels * kSubbandCount];
    int codedCount = 0;
    for (int sb = 0; sb < sblimit; ++sb) {
        for (int ch = 0; ch < layout.ChannelsIn(sb); ++ch) {
            const int cls = frame.quantClass[ch][sb];
            if (cls != 0) {
                const QuantClass& q = kQuantClasses[cls];
                coded[codedCount++] = {&frame.codes[ch][0][sb], static_cast<uint32_t>(q.steps), q.bits, q.grouped};
            }
        }
    }
    for (int row = 0; row < kSamplesPerSubband; row += 3) {
        const int at = row * kSubbandCount;
        for (int n = 0; n < codedCount; ++n) {
            const CodedBand& band = coded[n];
            const uint32_t q0 = band.codes[at];
            const uint32_t q1 = band.codes[at + kSubbandCount];
            const uint32_t q2 = band.codes[at + 2 * kSubbandCount];
            if (band.grouped) {
                w.Put(q0 + band.steps * q1 + band.steps * band.steps * q2, band.bits);
            } else {
                w.Put(q0, band.bits);
                w.Put(q1, band.bits);
                w.Put(q2, band.bits);
            }
        }
    }
    // 5. Zero fill to the frame length.
    uint8_t* end = w.Finish();
    std::memset(end, 0, static_cast<size_t>(out + frameBytes - end));

    // 6. Peak levels, big-endian, in the reserved ancillary bits.
    if (withPeaks) {
        out[frameBytes - 2] = static_cast<uint8_t>(frame.peak[0] >> 8);
        out[frameBytes - 1] = static_cast<uint8_t>(frame.peak[0]);
        if (layout.channels == 2 && frame.peak[1] != 0) {
            out[frameBytes - 5] = static_cast<uint8_t>(frame.peak[1] >> 8);
            out[frameBytes - 4] = static_cast<uint8_t>(frame.peak[1]);
        }
    }
}
