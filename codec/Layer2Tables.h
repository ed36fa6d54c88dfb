#pragma once
// Constant tables of the Layer II encoder (ISO/IEC 11172-3, Annex B).

#include <cstdint>

inline constexpr int kGranulesPerFrame = 12;    // 3 parts x 4 granules
inline constexpr int kSamplesPerSubband = 36;   // per frame: 12 granules x 3
inline constexpr int kPartCount = 3;
inline constexpr int kFrameSamples = 1152;      // per channel
inline constexpr int kScaleFactorCount = 64;    // 0..62 of Table B.1 plus 63
inline constexpr int kSilentScaleFactor = 63;   // marks a silent part
inline constexpr int kQuantClassCount = 17;     // classes 1..17
inline constexpr int kMaxAllocationIndex = 15;  // 2^4 - 1

// Layer II bit rates in kbit/s by bit-rate index 1..14 (0, free format, unused).
extern const int kBitRatesKbps[15];
// Sampling frequencies in Hz by header code 0..2.
extern const int kSamplingFrequencies[3];

// Table choice: one byte per (row, frequency index) with the family in the
// top two bits and sblimit in the low six. The row comes from the bit-rate
// index, separately for one and two channels.
extern const uint8_t kTableRowMono[15];
extern const uint8_t kTableRowStereo[15];
extern const uint8_t kTableSelection[3][3];

// Allocation: one byte per (family, subband), nbal in the high nibble and the
// number of a class list in the low nibble. nbal 0 means not coded.
extern const uint8_t kAllocation[2][32];
// Class numbers (1..17) chosen by allocation index 1..15, per class list.
extern const uint8_t kClassLists[6][kMaxAllocationIndex];

struct QuantClass {
    int steps;     // quantisation levels
    int k;         // 2^(N-1), N the bits per sample
    bool grouped;  // three samples share one codeword
    int bits;      // codeword width
    double z;      // 1 / A, A = steps / 2^N
    double b;      // A - 1
    double snrDb;  // signal-to-noise ratio of the class
};
// Index 0 is "no allocation" (SNR 0); 1..17 are the Layer II classes.
extern const QuantClass kQuantClasses[kQuantClassCount + 1];

// Table B.1 (2 x 2^(-index/3), 14 significant digits) plus 5e-06 at 63.
extern const double kScaleFactors[kScaleFactorCount];

// Scale-factor bits in the frame by scfsi value 0..3.
extern const int kScaleFactorBits[4];

// Offsets applied to the threshold in quiet per subband, in dB.
extern const double kThresholdOffsetDb[32];

// Bits one granule of a class takes for one subband (three samples).
inline int GranuleBits(int quantClass) {
    if (quantClass == 0) return 0;
    const QuantClass& q = kQuantClasses[quantClass];
    return q.grouped ? q.bits : 3 * q.bits;
}
