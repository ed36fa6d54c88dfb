// The filterbank against a direct implementation of the standard's
// analysis: a shifting 512-sample FIFO, windowing with Table C.1 and the
// full 32 x 64 matrixing with exact cosines.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <random>
#include <vector>

#include "codec/AnalysisFilterbank.h"
#include "codec/AnalysisWindow.h"
#include "codec/CodecKernels.h"

namespace {

class DirectAnalysis {
public:
    DirectAnalysis() {
        for (int i = 0; i < 32; ++i) {
            for (int k = 0; k < 64; ++k) {
                m_[i][k] = std::cos((2 * i + 1) * (k - 16) * std::numbers::pi / 64.0);
            }
        }
    }
    // samples: 32 values at the given stride.
    void Run(const int16_t* samples, int stride, double out[32]) {
        for (int i = 511; i >= 32; --i) x_[i] = x_[i - 32];
        for (int i = 31; i >= 0; --i) x_[i] = samples[(31 - i) * stride] / 32767.0;
        double y[64];
        for (int i = 0; i < 64; ++i) {
            y[i] = 0;
            for (int j = 0; j < 8; ++j) y[i] += kAnalysisWindow[i + 64 * j] * x_[i + 64 * j];
        }
        for (int i = 0; i < 32; ++i) {
            out[i] = 0;
            for (int k = 0; k < 64; ++k) out[i] += m_[i][k] * y[k];
        }
    }

private:
    double x_[512] = {};
    double m_[32][64];
};

struct Encoderish {
    FilterbankHistory history[2] = {};
    FilterbankPhase phase;
};

// Largest deviation from the direct analysis over `blocks` blocks of
// uniform random samples in [-amplitude, amplitude].
double MaxDeviation(const CodecKernels& kernels, int channels, int amplitude, int blocks, uint32_t seed) {
    BuildMatrixingTable();
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> dist(-amplitude, amplitude);
    Encoderish enc;
    DirectAnalysis direct[2];
    std::vector<int16_t> block(32 * channels);
    double worst = 0;
    for (int n = 0; n < blocks; ++n) {
        for (auto& s : block) s = static_cast<int16_t>(std::max(-32768, dist(rng)));
        for (int ch = 0; ch < channels; ++ch) {
            double got[32];
            double maxima[32] = {};
            kernels.analyse(enc.phase, enc.history[ch],
                         {block.data() + ch, channels, ch == channels - 1, got, maxima, nullptr, ch});
            double want[32];
            direct[ch].Run(block.data() + ch, channels, want);
            for (int k = 0; k < 32; ++k) {
                worst = std::max(worst, std::fabs(got[k] - want[k]));
                EXPECT_EQ(maxima[k], std::fabs(got[k]));
            }
        }
    }
    return worst;
}

std::vector<const CodecKernels*> AllKernels() {
    std::vector<const CodecKernels*> sets{&PlainKernels()};
    if (const CodecKernels* avx2 = Avx2Kernels()) sets.push_back(avx2);
    return sets;
}

}  // namespace

TEST(AnalysisFilterbank, MatchesDirectAnalysisAtModerateLevel) {
    for (const CodecKernels* kernels : AllKernels()) {
        for (int channels : {1, 2}) {
            const uint32_t seed = 1234 + channels;
            const double worst = MaxDeviation(*kernels, channels, 8000, 3000, seed);
            EXPECT_LT(worst, 2e-10) << kernels->name << ", channels " << channels << ", seed " << seed;
            std::printf("[ info ] %s, %d channel(s), moderate level: max deviation %.3g\n", kernels->name, channels, worst);
        }
    }
}

TEST(AnalysisFilterbank, MatchesDirectAnalysisAtFullScale) {
    for (const CodecKernels* kernels : AllKernels()) {
        for (int channels : {1, 2}) {
            const uint32_t seed = 99 + channels;
            const double worst = MaxDeviation(*kernels, channels, 32768, 3000, seed);
            EXPECT_LT(worst, 7e-10) << kernels->name << ", channels " << channels << ", seed " << seed;
            std::printf("[ info ] %s, %d channel(s), full scale: max deviation %.3g\n", kernels->name, channels, worst);
        }
    }
}

TEST(AnalysisFilterbank, SilenceAfterResetGivesZeros) {
    BuildMatrixingTable();
    Encoderish enc;
    int16_t zeros[32] = {};
    double out[32];
    double maxima[32] = {};
    uint16_t peak = 0;
    for (int n = 0; n < 20; ++n) {
        AnalyseBlock(enc.phase, enc.history[0], {zeros, 1, true, out, maxima, &peak});
        for (double s : out) ASSERT_EQ(s, 0.0);
    }
    EXPECT_EQ(peak, 0);
}

TEST(AnalysisFilterbank, PeakOfMostNegativeSampleIs32768) {
    BuildMatrixingTable();
    Encoderish enc;
    int16_t block[32] = {};
    block[7] = -32768;
    block[9] = 32767;
    double out[32];
    double maxima[32] = {};
    uint16_t peak = 100;
    AnalyseBlock(enc.phase, enc.history[0], {block, 1, true, out, maxima, &peak});
    EXPECT_EQ(peak, 32768);
}

TEST(AnalysisFilterbank, SineAtSubbandCentreStaysInItsSubband) {
    BuildMatrixingTable();
    for (int band : {0, 5, 17, 31}) {
        Encoderish enc;
        const double freq = (band + 0.5) / 64.0;  // cycles per sample
        double energy[32] = {};
        int64_t t = 0;
        for (int n = 0; n < 200; ++n) {
            int16_t block[32];
            for (auto& s : block) s = static_cast<int16_t>(std::lround(32000 * std::sin(2 * std::numbers::pi * freq * t++)));
            double out[32];
            double maxima[32] = {};
            AnalyseBlock(enc.phase, enc.history[0], {block, 1, true, out, maxima, nullptr});
            if (n >= 20) {
                for (int k = 0; k < 32; ++k) energy[k] += out[k] * out[k];
            }
        }
        double total = 0;
        for (double e : energy) total += e;
        EXPECT_GT(energy[band] / total, 0.999) << "band " << band;
    }
}

TEST(AnalysisFilterbank, PhaseAdvancesAfterLastChannelOnly) {
    BuildMatrixingTable();
    Encoderish enc;
    int16_t block[64] = {};
    double out[32];
    double maxima[32] = {};
    // Column moves back every second block; halves swap every block.
    const int expected[][2] = {{7, 1}, {7, 0}, {6, 1}, {6, 0}, {5, 1}};
    for (const auto& e : expected) {
        AnalyseBlock(enc.phase, enc.history[0], {block, 2, false, out, maxima, nullptr});
        AnalyseBlock(enc.phase, enc.history[1], {block + 1, 2, true, out, maxima, nullptr, 1});
        EXPECT_EQ(enc.phase.column, e[0]);
        EXPECT_EQ(enc.phase.half, e[1]);
    }
}

TEST(AnalysisFilterbank, MatrixingTableIsRoundedToNineDecimals) {
    BuildMatrixingTable();
    EXPECT_EQ(MatrixingCoefficient(0, 0), 1.0);
    EXPECT_DOUBLE_EQ(MatrixingCoefficient(0, 1), 0.998795456);  // cos(pi / 64)
    EXPECT_DOUBLE_EQ(MatrixingCoefficient(15, 31), std::round(std::cos(31 * 31 * std::numbers::pi / 64) * 1e9) * 1e-9);
}
