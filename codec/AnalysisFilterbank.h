#pragma once
// The polyphase analysis filterbank: each block of 32 new PCM samples of one
// channel becomes one sample of each of the 32 subbands. Alongside it keeps
// the largest magnitude of each subband over a part of a frame and the peak
// sample magnitude of the channel over a frame.

#include <cstdint>

inline constexpr int kSubbandCount = 32;
inline constexpr int kHistoryColumns = 8;  // 8 x 32 samples per half = 256

// The last 512 input samples of one channel. Nothing is ever moved: each
// block overwrites the oldest column of one half. Stored column-major
// ([half][column][row]) so that a window tap runs over 32 consecutive rows.
struct alignas(32) FilterbankHistory {
    double x[2][kHistoryColumns][kSubbandCount];
};

// Shared by all channels of one encoder; advances after the last channel.
struct FilterbankPhase {
    int32_t column = 0;  // 0..7
    uint8_t half = 0;    // 0 or 1
};

// Builds the 16 x 32 matrixing table once per process; safe to call from
// several threads. The encoder calls it from Reset.
void BuildMatrixingTable();
// m[i][j] = cos((2i + 1) j pi / 64) rounded to 9 decimals.
double MatrixingCoefficient(int i, int j);
// The table by columns, 64-byte aligned: element 16 j + i is m[i][j].
const double* MatrixingColumns();

// Arguments of one analysis call.
struct AnalysisBlock {
    const int16_t* samples;  // the channel's first sample of the block
    int stride;              // 1 (single channel) or 2 (interleaved stereo)
    bool lastChannel;        // advance the shared phase after this call
    double* subbands;        // receives s[0..31]
    double* maxima;          // raised to |s[k]| per subband
    uint16_t* peak;          // raised to the largest |sample|, or null
    int channel = 0;         // with stride 2: 0 or 1, which sample of each
                             // interleaved pair `samples` points at
};

// Runs one block through the filterbank and, after the last channel,
// advances the phase. No allocation.
void AnalyseBlock(FilterbankPhase& phase, FilterbankHistory& history, const AnalysisBlock& block);
