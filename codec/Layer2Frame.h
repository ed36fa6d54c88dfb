#pragma once
// Working data of one Layer II frame and the stream settings the stages
// share. Lives on the stack for one Encode call; nothing is allocated.

#include <cstdint>

#include "codec/AnalysisFilterbank.h"
#include "codec/Layer2Tables.h"

inline constexpr int kMaxChannels = 2;

// Fixed for a stream; set at construction and by Reset.
struct Layer2Layout {
    int channels;  // 1 or 2
    int sblimit;   // coded subbands: 8, 12, 27 or 30
    int bound;     // below it one allocation per channel; sblimit or 0
    int family;    // allocation table family: 0 (B.2c/d) or 1 (B.2a/b)

    int Nbal(int subband) const { return kAllocation[family][subband] >> 4; }
    const uint8_t* ClassList(int subband) const { return kClassLists[kAllocation[family][subband] & 15]; }
    // Channels carrying their own allocation in a subband.
    int ChannelsIn(int subband) const { return subband < bound ? channels : 1; }
};

struct Layer2Frame {
    // [channel][12 * part + 3 * granule + sample][subband]
    double subbands[kMaxChannels][kSamplesPerSubband][kSubbandCount];
    double maxima[kMaxChannels][kPartCount][kSubbandCount];
    int scaleFactor[kMaxChannels][kPartCount][kSubbandCount];  // transmitted indices
    int smallestScaleFactor[kMaxChannels][kSubbandCount];
    int scfsi[kMaxChannels][kSubbandCount];
    int allocation[kMaxChannels][kSubbandCount];
    int quantClass[kMaxChannels][kSubbandCount];  // 0: none
    double smrDb[kMaxChannels][kSubbandCount];
    double mnrDb[kMaxChannels][kSubbandCount];
    uint16_t peak[kMaxChannels];
    // Quantisation codes, [channel][row][subband] like the samples.
    uint32_t codes[kMaxChannels][kSamplesPerSubband][kSubbandCount];

    // Clears everything the analysis and the quantiser do not overwrite.
    void Clear();
};
