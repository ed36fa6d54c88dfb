#include "codec/Layer2Tables.h"

const int kBitRatesKbps[15] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};

const int kSamplingFrequencies[3] = {44100, 48000, 32000};

//                                    index: 0  1  2  3  4  5  6  7  8  9 10 11 12 13 14
const uint8_t kTableRowMono[15] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2};
const uint8_t kTableRowStereo[15] = {0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 2, 2, 2, 2, 2};

namespace {
constexpr uint8_t Select(int family, int sblimit) {
    return static_cast<uint8_t>(family << 6 | sblimit);
}
}  // namespace

//                                         44100 Hz       48000 Hz       32000 Hz
const uint8_t kTableSelection[3][3] = {
    {Select(0, 8), Select(0, 8), Select(0, 12)},     // row 0: B.2c, B.2c, B.2d
    {Select(1, 27), Select(1, 27), Select(1, 27)},   // row 1: B.2a
    {Select(1, 30), Select(1, 27), Select(1, 30)},   // row 2: B.2b, B.2a, B.2b
};

namespace {
constexpr uint8_t Alloc(int nbal, int list) {
    return static_cast<uint8_t>(nbal << 4 | list);
}
constexpr uint8_t kNone = 0;
}  // namespace

const uint8_t kAllocation[2][32] = {
    // Family 0 (Tables B.2c and B.2d): subbands 0-1, 2-11.
    {Alloc(4, 4), Alloc(4, 4), Alloc(3, 5), Alloc(3, 5), Alloc(3, 5), Alloc(3, 5), Alloc(3, 5), Alloc(3, 5),
     Alloc(3, 5), Alloc(3, 5), Alloc(3, 5), Alloc(3, 5), kNone, kNone, kNone, kNone,
     kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone,
     kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone},
    // Family 1 (Tables B.2a and B.2b): subbands 0-2, 3-10, 11-22, 23-29.
    {Alloc(4, 0), Alloc(4, 0), Alloc(4, 0), Alloc(4, 1), Alloc(4, 1), Alloc(4, 1), Alloc(4, 1), Alloc(4, 1),
     Alloc(4, 1), Alloc(4, 1), Alloc(4, 1), Alloc(3, 2), Alloc(3, 2), Alloc(3, 2), Alloc(3, 2), Alloc(3, 2),
     Alloc(3, 2), Alloc(3, 2), Alloc(3, 2), Alloc(3, 2), Alloc(3, 2), Alloc(3, 2), Alloc(3, 2), Alloc(2, 3),
     Alloc(2, 3), Alloc(2, 3), Alloc(2, 3), Alloc(2, 3), Alloc(2, 3), Alloc(2, 3), kNone, kNone},
};

const uint8_t kClassLists[6][kMaxAllocationIndex] = {
    {1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17},  // 0: family 1, subbands 0-2
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17},    // 1: family 1, subbands 3-10
    {1, 2, 3, 4, 5, 6, 17},                                 // 2: family 1, subbands 11-22
    {1, 2, 17},                                             // 3: family 1, subbands 23-29
    {1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},   // 4: family 0, subbands 0-1
    {1, 2, 4, 5, 6, 7, 8},                                  // 5: family 0, subbands 2-11
};

// Z is 1 / A to 12 significant digits, B is A - 1, as the standard lists them.
const QuantClass kQuantClasses[kQuantClassCount + 1] = {
    //  steps      K  grouped bits  Z               B              SNR dB
    {0, 0, false, 0, 0.0, 0.0, 0.00},
    {3, 2, true, 5, 1.33333333333, -0.25, 7.00},
    {5, 4, true, 7, 1.6, -0.375, 11.00},
    {7, 4, false, 3, 1.14285714286, -0.125, 16.00},
    {9, 8, true, 10, 1.77777777777, -0.4375, 20.84},
    {15, 8, false, 4, 1.06666666666, -0.0625, 25.28},
    {31, 16, false, 5, 1.03225806452, -0.03125, 31.59},
    {63, 32, false, 6, 1.01587301587, -0.015625, 37.75},
    {127, 64, false, 7, 1.00787401575, -0.0078125, 43.84},
    {255, 128, false, 8, 1.00392156863, -0.00390625, 49.89},
    {511, 256, false, 9, 1.00195694716, -0.001953125, 55.93},
    {1023, 512, false, 10, 1.00097751711, -0.000976563, 61.96},
    {2047, 1024, false, 11, 1.00048851979, -0.000488281, 67.98},
    {4095, 2048, false, 12, 1.00024420024, -0.000244141, 74.01},
    {8191, 4096, false, 13, 1.00012208522, -0.00012207, 80.03},
    {16383, 8192, false, 14, 1.00006103888, -0.000061035, 86.05},
    {32767, 16384, false, 15, 1.00003051851, -0.000030518, 92.01},
    {65535, 32768, false, 16, 1.00001525902, -0.000015259, 98.01},
};

// Generated with: python3 -c "print(['%.13e' % (2 * 2 ** (-i / 3)) for i in range(63)])"
const double kScaleFactors[kScaleFactorCount] = {
    2.0000000000000e+00, 1.5874010519682e+00, 1.2599210498949e+00, 1.0000000000000e+00,
    7.9370052598410e-01, 6.2996052494744e-01, 5.0000000000000e-01, 3.9685026299205e-01,
    3.1498026247372e-01, 2.5000000000000e-01, 1.9842513149602e-01, 1.5749013123686e-01,
    1.2500000000000e-01, 9.9212565748012e-02, 7.8745065618430e-02, 6.2500000000000e-02,
    4.9606282874006e-02, 3.9372532809215e-02, 3.1250000000000e-02, 2.4803141437003e-02,
    1.9686266404607e-02, 1.5625000000000e-02, 1.2401570718502e-02, 9.8431332023037e-03,
    7.8125000000000e-03, 6.2007853592508e-03, 4.9215666011519e-03, 3.9062500000000e-03,
    3.1003926796254e-03, 2.4607833005759e-03, 1.9531250000000e-03, 1.5501963398127e-03,
    1.2303916502880e-03, 9.7656250000000e-04, 7.7509816990635e-04, 6.1519582514398e-04,
    4.8828125000000e-04, 3.8754908495317e-04, 3.0759791257199e-04, 2.4414062500000e-04,
    1.9377454247659e-04, 1.5379895628600e-04, 1.2207031250000e-04, 9.6887271238293e-05,
    7.6899478142998e-05, 6.1035156250000e-05, 4.8443635619147e-05, 3.8449739071499e-05,
    3.0517578125000e-05, 2.4221817809573e-05, 1.9224869535749e-05, 1.5258789062500e-05,
    1.2110908904787e-05, 9.6124347678747e-06, 7.6293945312500e-06, 6.0554544523933e-06,
    4.8062173839373e-06, 3.8146972656250e-06, 3.0277272261967e-06, 2.4031086919687e-06,
    1.9073486328125e-06, 1.5138636130983e-06, 1.2015543459843e-06,
    5.0e-06,  // 63: silent part
};

const int kScaleFactorBits[4] = {18, 12, 6, 12};

const double kThresholdOffsetDb[32] = {-9, -6, -5, -3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                       0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
