#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "Source/Engine/Resampler/FilterDesign.h"
#include "Source/Engine/Resampler/FilterTable.h"
#include "Source/Engine/Resampler/ResamplerKernels.h"
#include "ResamplerTestSupport.h"

using namespace resampler_test;

namespace {

// Random full-range 16-bit input with runs of digital silence and of full
// scale (clipping and the exact-zero rule both get exercised).
std::vector<int16_t> RandomInput(uint64_t frames, int32_t channels, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<int16_t> s(frames * static_cast<uint64_t>(channels));
    for (size_t i = 0; i < s.size(); ++i) {
        const size_t run = (i / 997) % 7;
        s[i] = run == 3 ? 0 : run == 5 ? (i % 2 ? 32767 : -32768) : static_cast<int16_t>(rng());
    }
    return s;
}

// Output bytes of a resampler using `kernels`, fed in random block sizes.
std::vector<uint8_t> Convert(const ResamplerKernels& kernels, int32_t inRate, int32_t channels, int32_t outBytes,
                             const std::vector<int16_t>& input) {
    Chain chain(inRate, 44100, channels, outBytes);
    chain.resampler.UseKernels(kernels);
    const uint64_t frames = input.size() / static_cast<uint64_t>(channels);
    std::mt19937 rng(3);
    uint64_t position = 0;
    while (position < frames) {
        const uint64_t n = std::min<uint64_t>(rng() % 3000, frames - position);
        EXPECT_EQ(chain.resampler.Write(input.data() + position * channels, n, position), n);
        position += n;
    }
    EXPECT_TRUE(chain.resampler.Flush());
    return chain.sink->bytes;
}

}  // namespace

// The filter loops' values themselves, before requantising (which would
// hide a difference in the last bits): identical doubles, sign of zero
// included. Rates as in the resampler: 48 and 44.1 kHz take exact phases,
// 22.05 kHz lands on whole phases of the interpolating table, 32 kHz blends
// two phases, and ratio 2.5 uses a lengthened filter.
TEST(ResamplerKernels, FastFilterLoopsGiveThePlainValues) {
    const ResamplerKernels* fast = Avx2ResamplerKernels();
    if (fast == nullptr) GTEST_SKIP() << "no AVX2 on this processor";
    struct Case {
        uint64_t num, den;  // input / output rate, reduced
        int64_t phases;
        bool interpolate, lengthen;
    };
    const Case cases[] = {{160, 147, ResamplerDesign::kPhases48To44, false, false},
                          {147, 160, ResamplerDesign::kPhases44To48, false, false},
                          {1, 2, ResamplerDesign::kPhases, true, false},
                          {320, 441, ResamplerDesign::kPhases, true, false},
                          {5, 2, ResamplerDesign::kPhases, true, true}};
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (const Case& c : cases) {
        FilterTable table;
        table.Build(static_cast<double>(c.num) / static_cast<double>(c.den), c.phases, ResamplerDesign::kHalfLength,
                    c.lengthen);
        for (int32_t channels : {1, 2}) {
            SCOPED_TRACE(testing::Message() << c.num << "/" << c.den << ", " << channels << " channels");
            const uint64_t held = 4000;
            std::vector<double> input(held * static_cast<uint64_t>(channels));
            for (size_t i = 0; i < input.size(); ++i) input[i] = (i / 500) % 4 == 1 ? 0.0 : u(rng);
            FilterRun run;
            run.input = input.data();
            run.rows = table.Row(0);
            run.pairedRows = table.PairedRow(0);
            run.halfLength = table.HalfLength();
            run.phases = c.phases;
            run.interpolate = c.interpolate;
            run.channels = channels;
            run.rateNum = c.num;
            run.rateDen = c.den;
            run.firstFrame = 1001;  // not a multiple of the phase cycle
            run.blockPosition = run.firstFrame * c.num / c.den;
            run.inputEnd = run.blockPosition + held - static_cast<uint64_t>(2 * run.halfLength + 1);
            run.limit = held;
            std::vector<double> a(held * static_cast<uint64_t>(channels), 9.0), b = a;
            const auto filter = channels == 1 ? &ResamplerKernels::filterMono : &ResamplerKernels::filterStereo;
            const uint64_t producedPlain = (PlainResamplerKernels().*filter)(run, a.data());
            const uint64_t producedFast = (fast->*filter)(run, b.data());
            ASSERT_EQ(producedPlain, producedFast);
            ASSERT_GT(producedPlain, 1000u);
            EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(double)), 0);
        }
    }
}

// The AVX2 set must give the plain set's output bit for bit: 48 kHz takes
// the exact phases, 22.05 kHz the interpolating path on whole phases, and
// 32 kHz blends two phases for almost every frame.
TEST(ResamplerKernels, FastSetMatchesPlainSetBitForBit) {
    const ResamplerKernels* fast = Avx2ResamplerKernels();
    if (fast == nullptr) GTEST_SKIP() << "no AVX2 on this processor";
    EXPECT_EQ(&BestResamplerKernels(), fast);
    struct Case {
        int32_t rate, channels, outBytes;
    };
    const Case cases[] = {{48000, 1, 2}, {48000, 2, 2}, {22050, 1, 2}, {22050, 2, 2}, {32000, 1, 2},
                          {32000, 2, 2}, {48000, 2, 3}, {32000, 2, 4}, {16000, 1, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.channels << " channels, " << c.outBytes << " bytes");
        const auto input = RandomInput(70000, c.channels, static_cast<uint32_t>(c.rate + c.channels));
        const auto plain = Convert(PlainResamplerKernels(), c.rate, c.channels, c.outBytes, input);
        const auto avx2 = Convert(*fast, c.rate, c.channels, c.outBytes, input);
        ASSERT_GT(plain.size(), 60000u * static_cast<size_t>(c.channels * c.outBytes));
        EXPECT_TRUE(plain == avx2);
    }
}

// Requantising and input conversion on their own, at every length up to a
// few vectors (the tails) and on the values where rounding, clipping and
// the exact-zero rule decide.
TEST(ResamplerKernels, RequantiseAndInputConversionMatchPlainExactly) {
    const ResamplerKernels* fast = Avx2ResamplerKernels();
    if (fast == nullptr) GTEST_SKIP() << "no AVX2 on this processor";
    const ResamplerKernels& plain = PlainResamplerKernels();
    const double lsb = 1.0 / 32767.0;
    std::vector<double> values = {0.0, -0.0, std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                                  1.0, -1.0, 1.0 + lsb, -1.0 - 2 * lsb, 0.5 * lsb, -0.5 * lsb, 1e-300, -1e-300,
                                  1e300, -1e300, 0.49999 * lsb, -1.5 * lsb};
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(-1.1, 1.1);
    while (values.size() < 4099) values.push_back(u(rng));
    std::vector<double> dither(values.size());
    std::uniform_real_distribution<double> d(-lsb, lsb);
    for (double& v : dither) v = d(rng);
    for (size_t count : {size_t{0}, size_t{1}, size_t{7}, size_t{8}, size_t{9}, size_t{17}, values.size()}) {
        std::vector<uint8_t> a(2 * count + 2, 0xAA), b(2 * count + 2, 0xAA);
        plain.store16(values.data(), dither.data(), count, a.data());
        fast->store16(values.data(), dither.data(), count, b.data());
        EXPECT_TRUE(a == b) << count << " samples";  // including the untouched bytes after them
    }

    std::vector<int16_t> all(65536 + 5);
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int16_t>(i);
    for (size_t count : {size_t{0}, size_t{3}, size_t{8}, size_t{13}, all.size()}) {
        std::vector<double> a(count + 1, 7.0), b(count + 1, 7.0);
        plain.load16(reinterpret_cast<const uint8_t*>(all.data()), count, a.data());
        fast->load16(reinterpret_cast<const uint8_t*>(all.data()), count, b.data());
        EXPECT_TRUE(a == b) << count << " samples";
    }
}
