#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "Source/Engine/Resampler/DitherTable.h"
#include "Source/Engine/Resampler/NoiseGenerator.h"

#ifdef __GLIBC__
TEST(ResamplerDither, NoiseGeneratorReproducesTheCLibrarySequence) {
    for (uint32_t seed : {1u, 12345u}) {
        std::srand(seed);
        NoiseGenerator g(seed);
        for (int i = 0; i < 100000; ++i) ASSERT_EQ(g.Next(), std::rand()) << "seed " << seed << " value " << i;
    }
}
#endif

namespace {

// Mean power of one channel of the table around frequencyHz (44.1 kHz),
// averaged over blocks.
double BandPower(const DitherTable& t, int32_t channel, double frequencyHz) {
    const int64_t block = 512;
    double total = 0;
    for (int64_t start = 0; start + block <= DitherTable::kPeriodFrames; start += block) {
        double re = 0, im = 0;
        for (int64_t i = 0; i < block; ++i) {
            const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / block);
            const double v = t.Frame(start + i)[channel] * w;
            const double a = 2 * std::numbers::pi * frequencyHz * static_cast<double>(i) / 44100.0;
            re += v * std::cos(a);
            im += v * std::sin(a);
        }
        total += re * re + im * im;
    }
    return total;
}

}  // namespace

TEST(ResamplerDither, TableLevelShapeAndSeamlessWrap) {
    const auto wide = DitherTable::Acquire(2, false);
    const auto shaped = DitherTable::Acquire(2, true);
    ASSERT_TRUE(wide && shaped);
    EXPECT_EQ(DitherTable::Acquire(2, true), shaped);  // built once, shared
    for (const auto* t : {wide.get(), shaped.get()}) {
        for (int64_t i = 0; i < DitherTable::kOverlapFrames; ++i) {
            for (int32_t c = 0; c < 2; ++c) {
                ASSERT_EQ(t->Frame(i)[c], t->Frame(DitherTable::kPeriodFrames + i)[c]) << i;
            }
        }
    }
    // Unshaped: difference of two uniform values, variance 1/6, scaled to
    // 0.83 LSB peak at 24 bits.
    double sq = 0, peak = 0;
    for (int64_t i = DitherTable::kOverlapFrames; i < DitherTable::kPeriodFrames; ++i) {
        const double v = wide->Frame(i)[1] * 8388607.0;
        sq += v * v;
        peak = std::max(peak, std::abs(v));
    }
    const double rms = std::sqrt(sq / static_cast<double>(DitherTable::kPeriodFrames - DitherTable::kOverlapFrames));
    EXPECT_NEAR(rms, std::sqrt(1.0 / 6.0) * 8388607.0 / DitherTable::kScaleWide, 0.005);
    EXPECT_LE(peak, 8388607.0 / DitherTable::kScaleWide);
    // High-pass: far more noise near the top of the band than at 1 kHz.
    EXPECT_GT(BandPower(*wide, 0, 16000.0), 50.0 * BandPower(*wide, 0, 1000.0));
    // Shaping for 16 bits: -6 dB around 3 kHz and +6 dB at the top, so the
    // 3 kHz : 16 kHz balance moves by about 12 dB against the unshaped noise.
    const double unshaped = BandPower(*wide, 0, 3000.0) / BandPower(*wide, 0, 16000.0);
    const double shapedRatio = BandPower(*shaped, 0, 3000.0) / BandPower(*shaped, 0, 16000.0);
    EXPECT_NEAR(10 * std::log10(shapedRatio / unshaped), -12.0, 2.5);
    // The channels carry different noise.
    EXPECT_NE(shaped->Frame(5000)[0], shaped->Frame(5000)[1]);
}
