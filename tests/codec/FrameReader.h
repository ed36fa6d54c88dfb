#pragma once
// Reads the side information of one Layer II frame (allocation, scfsi and
// scale factors) so that tests can check what the encoder transmitted.

#include <cstdint>

#include "codec/Layer2Tables.h"

struct FrameSideInfo {
    int allocation[2][32] = {};
    int scfsi[2][32] = {};
    int scaleFactor[2][3][32] = {};  // as transmitted, expanded by scfsi
};

class TestBitReader {
public:
    explicit TestBitReader(const uint8_t* data) : data_(data) {}
    uint32_t Get(int count) {
        uint32_t v = 0;
        for (int i = 0; i < count; ++i, ++pos_) v = v << 1 | ((data_[pos_ >> 3] >> (7 - (pos_ & 7))) & 1);
        return v;
    }

private:
    const uint8_t* data_;
    size_t pos_ = 0;
};

inline FrameSideInfo ReadSideInfo(const uint8_t* frame, int channels, int sblimit, int family) {
    FrameSideInfo info;
    TestBitReader r(frame);
    r.Get(32);
    for (int sb = 0; sb < sblimit; ++sb)
        for (int ch = 0; ch < channels; ++ch) info.allocation[ch][sb] = static_cast<int>(r.Get(kAllocation[family][sb] >> 4));
    for (int sb = 0; sb < sblimit; ++sb)
        for (int ch = 0; ch < channels; ++ch)
            if (info.allocation[ch][sb]) info.scfsi[ch][sb] = static_cast<int>(r.Get(2));
    for (int sb = 0; sb < sblimit; ++sb)
        for (int ch = 0; ch < channels; ++ch) {
            if (!info.allocation[ch][sb]) continue;
            int* s[3] = {&info.scaleFactor[ch][0][sb], &info.scaleFactor[ch][1][sb], &info.scaleFactor[ch][2][sb]};
            *s[0] = static_cast<int>(r.Get(6));
            switch (info.scfsi[ch][sb]) {
                case 0: *s[1] = static_cast<int>(r.Get(6)); *s[2] = static_cast<int>(r.Get(6)); break;
                case 1: *s[1] = *s[0]; *s[2] = static_cast<int>(r.Get(6)); break;
                case 2: *s[1] = *s[2] = *s[0]; break;
                default: *s[1] = *s[2] = static_cast<int>(r.Get(6)); break;
            }
        }
    return info;
}
