#include "codec/AnalysisFilterbank.h"

#include <cmath>
#include <mutex>
#include <numbers>

#include "codec/AnalysisWindow.h"

namespace {

constexpr int kMatrixRows = 16;
constexpr int kFoldedLength = 32;

// Transposed: gMatrixT[j][i] = m[i][j], so that one column j of the matrix
// multiplies 16 accumulators at once. Written once under gMatrixOnce.
alignas(64) double gMatrixT[kFoldedLength][kMatrixRows];
std::once_flag gMatrixOnce;

// Sample scale: 32767, not 32768, so that +32767 maps to exactly 1.0.
constexpr double kSampleScale = 1.0 / 32767.0;

}  // namespace

void BuildMatrixingTable() {
    std::call_once(gMatrixOnce, [] {
        for (int i = 0; i < kMatrixRows; ++i) {
            for (int j = 0; j < kFoldedLength; ++j) {
                const double c = std::cos((2 * i + 1) * j * std::numbers::pi / 64.0);
                gMatrixT[j][i] = std::round(c * 1e9) * 1e-9;  // 9 decimal places
            }
        }
    });
}

double MatrixingCoefficient(int i, int j) {
    return gMatrixT[j][i];
}

const double* MatrixingColumns() {
    return &gMatrixT[0][0];
}

void AnalyseBlock(FilterbankPhase& phase, FilterbankHistory& history, const AnalysisBlock& block) {
    const int off = phase.column;
    const int half = phase.half;
    const double* window = kAnalysisWindow;

    // 1. Store the new samples in the oldest column, newest in row 0.
    double* newest = history.x[half][off];
    const int16_t* in = block.samples;
    int peak = 0;
    for (int i = 0; i < kSubbandCount; ++i) {
        const int v = in[i * block.stride];
        newest[31 - i] = v * kSampleScale;
        const int magnitude = v < 0 ? -v : v;
        peak = magnitude > peak ? magnitude : peak;
    }
    if (block.peak && peak > *block.peak) {
        *block.peak = static_cast<uint16_t>(peak);
    }

    // 2. and 3. Windowing with partial sums: y[i] (first half of the window)
    // from this block's half, y[32 + i] from the other half. Each tap j adds
    // one column times 32 consecutive window coefficients, in ascending j.
    alignas(64) double y[64] = {};
    const int otherHalf = 1 - half;
    const int p = half == 1 ? (off + 1) & 7 : off;
    for (int j = 0; j < kHistoryColumns; ++j) {
        const double* col = history.x[half][(off + j) & 7];
        const double* c = window + 64 * j;
        for (int i = 0; i < 32; ++i) {
            y[i] += col[i] * c[i];
        }
    }
    for (int j = 0; j < kHistoryColumns; ++j) {
        const double* col = history.x[otherHalf][(p + j) & 7];
        const double* c = window + 32 + 64 * j;
        for (int i = 0; i < 32; ++i) {
            y[32 + i] += col[i] * c[i];
        }
    }

    // 4. Folding by the symmetries of the cosine.
    alignas(64) double folded[kFoldedLength];
    folded[0] = y[16];
    for (int k = 1; k <= 16; ++k) {
        folded[k] = y[16 + k] + y[16 - k];
    }
    for (int k = 17; k < 32; ++k) {
        folded[k] = y[16 + k] - y[80 - k];
    }

    // 5. Matrixing: even and odd columns accumulated separately, each in
    // ascending j, for all 16 rows at once.
    alignas(64) double even[kMatrixRows] = {};
    alignas(64) double odd[kMatrixRows] = {};
    for (int j = 0; j < kFoldedLength; j += 2) {
        const double* m0 = gMatrixT[j];
        const double* m1 = gMatrixT[j + 1];
        const double f0 = folded[j];
        const double f1 = folded[j + 1];
        for (int i = 0; i < kMatrixRows; ++i) {
            even[i] += m0[i] * f0;
            odd[i] += m1[i] * f1;
        }
    }
    double* s = block.subbands;
    for (int i = 0; i < kMatrixRows; ++i) {
        s[i] = even[i] + odd[i];
        s[31 - i] = even[i] - odd[i];
    }

    // 6. Running maxima of the part.
    double* maxima = block.maxima;
    for (int k = 0; k < kSubbandCount; ++k) {
        const double a = std::fabs(s[k]);
        maxima[k] = a > maxima[k] ? a : maxima[k];
    }

    // 7. After the last channel: the column moves back every second block,
    // the halves swap every block.
    if (block.lastChannel) {
        if (half == 0) {
            phase.column = (off + 7) & 7;
        }
        phase.half = static_cast<uint8_t>(1 - half);
    }
}
