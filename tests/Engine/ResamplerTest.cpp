#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "Source/Engine/Resampler/DitherTable.h"
#include "Source/Engine/Resampler/FilterTable.h"
#include "Source/Engine/Resampler/Resampler.h"
#include "tests/Engine/ResamplerTestSupport.h"

using resampler_test::CaptureSink;
using resampler_test::Chain;
using resampler_test::TestSignal;

namespace {

// F(L) around input frame H written straight from the wing of the impulse
// response (independent of the resampler's per-phase rows); frames outside
// `x` are zeros.
double WingValue(const FilterTable& f, const std::vector<double>& x, int64_t h, int64_t phase) {
    const auto& wing = f.Wing();
    const int64_t p = f.Phases();
    const int64_t n = f.HalfLength();
    auto at = [&](int64_t i) { return i >= 0 && i < static_cast<int64_t>(x.size()) ? x[static_cast<size_t>(i)] : 0.0; };
    double s = 0.0;
    for (int64_t k = 0; k < n; ++k) s += at(h - k) * wing[static_cast<size_t>(phase + k * p)];
    for (int64_t k = 1; k < n; ++k) s += at(h + k) * wing[static_cast<size_t>(k * p - phase)];
    return s;
}

std::vector<double> Doubles(const std::vector<int16_t>& s) {
    std::vector<double> d(s.size());
    for (size_t i = 0; i < s.size(); ++i) d[i] = s[i] / 32767.0;
    return d;
}

}  // namespace

TEST(ResamplerFilter, TableFollowsDesignAndLengtheningRule) {
    struct Case {
        double ratio;
        bool lengthen;
        int64_t halfLength;
        double gain;
    };
    const Case cases[] = {
        {0.5, true, 12, 1.0},                  // up-sampling: plain sinc
        {48000.0 / 44100.0, true, 12, 1.0 / (1.35 * 48000.0 / 44100.0)},
        {1.99, true, 12, 1.0 / (1.35 * 1.99)},
        {2.0, true, 20, 1.0 / (1.35 * 2.0)},   // + 4 x trunc(ratio)
        {3.5, true, 24, 1.0 / (1.35 * 3.5)},
        {3.5, false, 12, 1.0 / (1.35 * 3.5)},  // no-lengthening flag
    };
    for (const Case& c : cases) {
        FilterTable f;
        f.Build(c.ratio, 128, 12, c.lengthen);
        SCOPED_TRACE(c.ratio);
        EXPECT_EQ(f.HalfLength(), c.halfLength);
        EXPECT_DOUBLE_EQ(f.Gain(), c.gain);
        ASSERT_EQ(f.Wing().size(), static_cast<size_t>(c.halfLength * 128 + 1));
        const int64_t wingLength = c.halfLength * 128;
        EXPECT_DOUBLE_EQ(f.Wing()[0], c.gain * FilterTable::Window(0, wingLength));
        // Near the window's end the response has all but vanished.
        EXPECT_LT(std::abs(f.Wing().back()), 1e-4);
        // Unit gain at 0 Hz: for any phase the taps add up to about 1 (a
        // filter left short at a large ratio loses some 0.13 dB).
        const double tolerance = c.lengthen || c.ratio < 2.0 ? 2e-3 : 2e-2;
        for (int64_t phase : {0, 37, 64, 127}) {
            double sum = 0;
            for (int64_t m = 0; m < f.RowLength(); ++m) sum += f.Row(phase)[m];
            EXPECT_NEAR(sum, 1.0, tolerance) << "phase " << phase;
        }
    }
    // Up-sampling: the zeros of the sinc fall on the input samples.
    FilterTable up;
    up.Build(0.5, 128, 12, true);
    for (int64_t k = 1; k < 12; ++k) EXPECT_NEAR(up.Wing()[static_cast<size_t>(k * 128)], 0.0, 1e-15);
    EXPECT_NEAR(up.Wing()[0], 1.0, 1e-6);
}

TEST(ResamplerBlocks, RandomBlockSizesMatchOneLargeWrite) {
    struct Case {
        int32_t in, channels, outBytes;
        uint64_t frames;
    };
    // 22050 -> 44100 runs past one period of the dither table (262144 output frames).
    const Case cases[] = {
        {22050, 2, 2, 140000},
        {48000, 2, 2, 60000},
        {16000, 1, 2, 40000},
        {32000, 1, 3, 30000},
        {24000, 2, 4, 30000},
    };
    const uint32_t seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "block seed " << seed);
    std::mt19937 rng(seed);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        const auto signal = TestSignal(c.frames, c.channels, c.in);

        Chain whole(c.in, 44100, c.channels, c.outBytes);
        ASSERT_EQ(whole.resampler.Write(signal.data(), c.frames, 0), c.frames);
        ASSERT_TRUE(whole.resampler.Flush());

        Chain blocks(c.in, 44100, c.channels, c.outBytes);
        std::uniform_int_distribution<int> small(0, 30);  // around the 25-frame history
        std::uniform_int_distribution<int> large(31, 5000);
        uint64_t position = 0;
        while (position < c.frames) {
            uint64_t n = static_cast<uint64_t>(rng() % 2 ? small(rng) : large(rng));
            n = std::min(n, c.frames - position);
            ASSERT_EQ(blocks.resampler.Write(signal.data() + position * c.channels, n, position), n);
            position += n;
        }
        ASSERT_TRUE(blocks.resampler.Flush());

        EXPECT_TRUE(blocks.sink->consecutive);
        ASSERT_EQ(blocks.sink->Frames(), whole.sink->Frames());
        EXPECT_GT(whole.sink->Frames(), c.frames * 44100 / static_cast<uint64_t>(c.in));
        EXPECT_TRUE(blocks.sink->bytes == whole.sink->bytes);
    }
}

TEST(ResamplerRequantise, DigitalSilenceStaysExactZero) {
    for (int32_t rate : {16000, 22050, 48000}) {
        for (int32_t channels : {1, 2}) {
            Chain chain(rate, 44100, channels, 2);
            const std::vector<int16_t> zeros(20000 * static_cast<size_t>(channels), 0);
            chain.resampler.Write(zeros.data(), 10000, 0);
            chain.resampler.Write(nullptr, 10000, 10000);
            chain.resampler.Flush();
            const auto out = chain.sink->Samples16();
            ASSERT_FALSE(out.empty());
            EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](int16_t v) { return v == 0; })) << rate;
        }
    }
}

TEST(ResamplerRequantise, OvershootClipsToFullScale) {
    // A full-scale square wave rings past full scale after filtering.
    const int32_t rate = 48000;
    std::vector<int16_t> square(48000);
    for (size_t i = 0; i < square.size(); ++i) square[i] = (i / 24) % 2 ? -32768 : 32767;

    Chain ints(rate, 44100, 1, 2);
    Chain floats(rate, 44100, 1, 4);
    ints.resampler.Write(square.data(), square.size(), 0);
    floats.resampler.Write(square.data(), square.size(), 0);
    const auto s = ints.sink->Samples16();
    const auto f = floats.sink->Floats();
    ASSERT_EQ(s.size(), f.size());
    int high = 0, low = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (f[i] > 1.001f) {
            EXPECT_EQ(s[i], 32767) << i;
            ++high;
        }
        if (f[i] < -1.001f) {
            EXPECT_EQ(s[i], -32768) << i;
            ++low;
        }
        if (f[i] > 0.5f) {
            EXPECT_GT(s[i], 0) << i;  // no wrap-around
        }
        if (f[i] < -0.5f) {
            EXPECT_LT(s[i], 0) << i;
        }
    }
    EXPECT_GT(high, 100);
    EXPECT_GT(low, 100);
}

TEST(ResamplerTiming, OutputFrameZeroIsInputTimeZero) {
    for (int32_t rate : {16000, 22050, 24000, 32000, 48000}) {
        Chain chain(rate, 44100, 1, 4, 64);
        std::vector<double> impulse(200, 0.0);
        impulse[0] = 1.0;
        chain.resampler.Write(reinterpret_cast<const int16_t*>(impulse.data()), impulse.size(), 0);
        const auto out = chain.sink->Floats();
        ASSERT_GT(out.size(), 10u);
        // Frame 0 is the filter's centre tap; every later frame is smaller.
        EXPECT_FLOAT_EQ(out[0], static_cast<float>(chain.resampler.Filter().Wing()[0])) << rate;
        for (size_t i = 1; i < out.size(); ++i) EXPECT_LT(std::abs(out[i]), out[0]) << rate << " frame " << i;
    }
}

TEST(ResamplerPhases, DoubleRateReproducesInputOnEvenFrames) {
    Chain chain(22050, 44100, 1, 4);
    EXPECT_TRUE(chain.resampler.Interpolates());
    const auto signal = TestSignal(3000, 1, 22050);
    chain.resampler.Write(signal.data(), signal.size(), 0);
    const auto out = chain.sink->Floats();
    const auto x = Doubles(signal);
    const FilterTable& f = chain.resampler.Filter();
    const double centre = f.Wing()[0];
    EXPECT_NEAR(centre, 1.0, 1e-6);
    ASSERT_GT(out.size(), 5900u);
    for (size_t e = 0; e < out.size(); ++e) {
        const auto h = static_cast<int64_t>(e / 2);
        // Even frames: phase 0, the input times the window's centre value.
        // Odd frames: exactly halfway, phase 64.
        const double expected = e % 2 == 0 ? x[static_cast<size_t>(h)] * centre : WingValue(f, x, h, 64);
        ASSERT_NEAR(out[e], expected, 1e-6) << "frame " << e;
    }
}

TEST(ResamplerPhases, RatePairs48And44UseExactPhases) {
    struct Case {
        int32_t in, out;
        int64_t phases, num, den;
    };
    const Case cases[] = {{48000, 44100, 147, 160, 147}, {44100, 48000, 160, 147, 160}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        Chain chain(c.in, c.out, 1, 4);
        EXPECT_FALSE(chain.resampler.Interpolates());
        EXPECT_EQ(chain.resampler.Filter().Phases(), c.phases);
        const auto signal = TestSignal(4000, 1, c.in);
        chain.resampler.Write(signal.data(), signal.size(), 0);
        const auto out = chain.sink->Floats();
        const auto x = Doubles(signal);
        ASSERT_GT(out.size(), 3500u);
        for (size_t e = 0; e < out.size(); ++e) {
            // Input time of output frame E is (num / den) x E: frame H, phase (num x E mod den).
            const auto h = static_cast<int64_t>(c.num * static_cast<int64_t>(e) / c.den);
            const auto phase = c.num * static_cast<int64_t>(e) % c.den;
            ASSERT_NEAR(out[e], WingValue(chain.resampler.Filter(), x, h, phase), 2e-6) << "frame " << e;
        }
    }
}

TEST(ResamplerChain, TakesChannelsAndRateFromNextSink) {
    Resampler r(22050, 44100, 16, true, true, 1.0);
    EXPECT_EQ(r.Channels(), 1);
    auto* sink = new CaptureSink(2, 2, 48000);
    r.Chain(sink);
    EXPECT_EQ(r.Channels(), 2);
    EXPECT_EQ(r.SampleRate(), 48000);
    EXPECT_DOUBLE_EQ(r.Ratio(), 22050.0 / 48000.0);
    const auto signal = TestSignal(22050, 2, 22050);
    r.Write(signal.data(), 22050, 0);
    r.Flush();
    EXPECT_NEAR(static_cast<double>(sink->Frames()), 48000.0, 60.0);

    // A next sink at the input rate leaves the output rate as constructed.
    Resampler same(22050, 44100, 16, true, true, 1.0);
    same.Chain(new CaptureSink(1, 2, 22050));
    EXPECT_EQ(same.SampleRate(), 44100);
    // Down-sampling by 2 or more without the no-lengthening flag gets a longer filter.
    Resampler longer(48000, 16000, 16, false, true, 1.0);
    EXPECT_EQ(longer.Filter().HalfLength(), 24);  // ratio 3: 12 + 4 x 3
    longer.Chain(new CaptureSink(1, 2, 32000));
    EXPECT_EQ(longer.Filter().HalfLength(), 12);  // ratio 1.5
    longer.Chain(new CaptureSink(1, 2, 12000));
    EXPECT_EQ(longer.Filter().HalfLength(), 28);  // ratio 4
    const auto mono = TestSignal(4000, 1, 48000);
    EXPECT_EQ(longer.Write(mono.data(), 4000, 0), 4000u);
}

TEST(ResamplerFlush, AppendsHistoryOfZerosAndReportsNextSink) {
    for (bool sinkResult : {true, false}) {
        Chain chain(48000, 44100, 2, 2);
        chain.sink->flushResult = sinkResult;
        const auto signal = TestSignal(10000, 2, 48000);
        chain.resampler.Write(signal.data(), 10000, 0);
        EXPECT_EQ(chain.resampler.Flush(), sinkResult);
        EXPECT_EQ(chain.sink->flushes, 1);
        // Every output frame E whose input frames reach at most n past the
        // end of input plus the 25 flushed zeros: 160E/147 + 12 <= 10025.
        uint64_t expected = 0;
        while (160 * expected / 147 + 12 <= 10025) ++expected;
        EXPECT_EQ(chain.sink->Frames(), expected);
    }
    // Mono waits for one more frame.
    Chain mono(48000, 44100, 1, 2);
    const auto signal = TestSignal(10000, 1, 48000);
    mono.resampler.Write(signal.data(), 10000, 0);
    mono.resampler.Flush();
    uint64_t expected = 0;
    while (160 * expected / 147 + 12 < 10025) ++expected;
    EXPECT_EQ(mono.sink->Frames(), expected);
}

TEST(ResamplerFailure, NextSinkFailurePropagates) {
    Chain chain(22050, 44100, 2, 2);
    const auto signal = TestSignal(2048, 2, 22050);
    ASSERT_EQ(chain.resampler.Write(signal.data(), 1024, 0), 1024u);
    chain.sink->failWrites = true;
    chain.sink->flushResult = false;
    EXPECT_EQ(chain.resampler.Write(signal.data() + 2048, 1024, 1024), 0u);
    EXPECT_FALSE(chain.resampler.Flush());
    // A sink that fails only in Flush still fails the flush.
    Chain closing(22050, 44100, 2, 2);
    closing.sink->flushResult = false;
    closing.resampler.Write(signal.data(), 1024, 0);
    EXPECT_FALSE(closing.resampler.Flush());
}

TEST(ResamplerFailure, RefusesOversizedCountsAndUnusableSetups) {
    Chain chain(22050, 44100, 2, 2);
    EXPECT_EQ(chain.resampler.Write(nullptr, 2147483647, 0), 0u);
    EXPECT_EQ(chain.resampler.Write(nullptr, UINT64_MAX, 0), 0u);
    EXPECT_EQ(chain.sink->writes, 0);

    struct Bad {
        int32_t in, out, bits, sinkBytes;
    };
    const Bad bad[] = {{0, 44100, 16, 2}, {22050, -1, 16, 2}, {22050, 44100, 8, 2},
                       {22050, 44100, 12, 2}, {22050, 44100, 16, 1}, {100, 44100, 16, 2}};
    for (const Bad& b : bad) {
        Resampler r(b.in, b.out, b.bits, true, true, 1.0);
        auto* sink = new CaptureSink(1, b.sinkBytes);
        r.Chain(sink);
        EXPECT_FALSE(r.IsValid()) << b.in << " " << b.out << " " << b.bits;
        int16_t samples[64] = {};
        EXPECT_EQ(r.Write(samples, 16, 0), 0u);
        EXPECT_FALSE(r.Flush());
        EXPECT_EQ(sink->writes, 0);
    }
}

TEST(ResamplerInput, SampleWidthsGiveTheSameSignal) {
    const auto reference16 = TestSignal(4000, 2, 32000);
    std::vector<double> values(reference16.size());
    for (size_t i = 0; i < values.size(); ++i) values[i] = reference16[i] / 32767.0;

    struct Case {
        int32_t bits;
        bool floatInput;
        double gain;
        double tolerance;
    };
    const Case cases[] = {
        {16, true, 1.0, 1e-6}, {24, true, 1.0, 2e-6}, {32, true, 4.0, 1e-6},
        {32, false, 1.0, 2e-6}, {64, true, 0.5, 1e-6},
    };
    Chain reference(32000, 44100, 2, 4);
    reference.resampler.Write(reference16.data(), 4000, 0);
    const auto expected = reference.sink->Floats();

    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        std::vector<uint8_t> bytes;
        for (double v : values) {
            if (c.bits == 16) {
                const auto s = static_cast<int16_t>(std::lround(v * 32767.0));
                bytes.insert(bytes.end(), reinterpret_cast<const uint8_t*>(&s), reinterpret_cast<const uint8_t*>(&s) + 2);
            } else if (c.bits == 24) {
                const auto s = static_cast<uint32_t>(static_cast<int32_t>(std::lround(v * 8388607.0)));
                bytes.push_back(static_cast<uint8_t>(s));
                bytes.push_back(static_cast<uint8_t>(s >> 8));
                bytes.push_back(static_cast<uint8_t>(s >> 16));
            } else if (c.bits == 32 && c.floatInput) {
                const float f = static_cast<float>(v / c.gain);
                bytes.insert(bytes.end(), reinterpret_cast<const uint8_t*>(&f), reinterpret_cast<const uint8_t*>(&f) + 4);
            } else if (c.bits == 32) {
                const auto s = static_cast<int32_t>(std::lround(v * 2147483647.0));
                bytes.insert(bytes.end(), reinterpret_cast<const uint8_t*>(&s), reinterpret_cast<const uint8_t*>(&s) + 4);
            } else {
                const double d = v / c.gain;
                bytes.insert(bytes.end(), reinterpret_cast<const uint8_t*>(&d), reinterpret_cast<const uint8_t*>(&d) + 8);
            }
        }
        // Odd offset: the reader must not assume alignment.
        std::vector<uint8_t> unaligned(bytes.size() + 2);
        std::memcpy(unaligned.data() + 2, bytes.data(), bytes.size());
        Chain chain(32000, 44100, 2, 4, c.bits, c.gain, c.floatInput);
        chain.resampler.Write(reinterpret_cast<const int16_t*>(unaligned.data() + 2), 4000, 0);
        const auto out = chain.sink->Floats();
        ASSERT_EQ(out.size(), expected.size());
        for (size_t i = 0; i < out.size(); ++i) ASSERT_NEAR(out[i], expected[i], c.tolerance) << i;
    }
}

TEST(ResamplerRequantise, IntegerOutputsStayWithinDitherOfTheValue) {
    const auto signal = TestSignal(20000, 2, 24000);
    Chain floats(24000, 44100, 2, 4);
    Chain sixteen(24000, 44100, 2, 2);
    Chain wide(24000, 44100, 2, 3);
    for (Chain* c : {&floats, &sixteen, &wide}) c->resampler.Write(signal.data(), 20000, 0);
    const auto f = floats.sink->Floats();
    const auto s16 = sixteen.sink->Samples16();
    const auto s24 = wide.sink->Samples24();
    ASSERT_EQ(s16.size(), f.size());
    ASSERT_EQ(s24.size(), f.size());
    double sum16 = 0, sum24 = 0, sq16 = 0;
    for (size_t i = 0; i < f.size(); ++i) {
        const double e16 = s16[i] - f[i] * 32767.0;
        const double e24 = s24[i] - f[i] * 8388607.0;
        ASSERT_LE(std::abs(e16), 3.0) << i;   // shaped dither plus rounding
        // 0.83 LSB peak triangular, rounding, and the float reference's own
        // 24-bit precision.
        ASSERT_LE(std::abs(e24), 1.9) << i;
        sum16 += e16;
        sum24 += e24;
        sq16 += e16 * e16;
    }
    const double count = static_cast<double>(f.size());
    EXPECT_NEAR(sum16 / count, 0.0, 0.02);  // no bias
    EXPECT_NEAR(sum24 / count, 0.0, 0.02);
    EXPECT_GT(std::sqrt(sq16 / count), 0.3);  // the dither is really there
}

TEST(ResamplerBlocks, PositionsThatSkipOrRestartAreTakenAsConsecutive) {
    // A first block at a later position, a jump back to 0 (as a position
    // counter that wraps would give) and a jump ahead must neither read
    // outside the held input nor change the output.
    const auto signal = TestSignal(6000, 2, 48000);
    Chain reference(48000, 44100, 2, 2);
    Chain odd(48000, 44100, 2, 2);
    const uint64_t positions[] = {5000, 0, 1u << 31, 7};
    for (uint64_t b = 0; b < 4; ++b) {
        reference.resampler.Write(signal.data() + b * 3000, 1500, b * 1500);
        odd.resampler.Write(signal.data() + b * 3000, 1500, positions[b]);
    }
    reference.resampler.Flush();
    odd.resampler.Flush();
    EXPECT_TRUE(odd.sink->consecutive);
    EXPECT_TRUE(odd.sink->bytes == reference.sink->bytes);
}

TEST(ResamplerInput, NonFiniteFloatSamplesOnlySilenceTheirNeighbourhood) {
    // NaN, infinities and huge values in float input must not reach an
    // out-of-range conversion: frames whose window holds one come out as 0
    // or full scale, every other frame as from the clean signal.
    const size_t frames = 4000;
    std::vector<float> clean(frames), hostile(frames);
    for (size_t i = 0; i < frames; ++i) clean[i] = hostile[i] = 0.5f * std::sin(0.05f * static_cast<float>(i));
    const size_t bad[] = {1000, 2000, 3000};
    hostile[bad[0]] = std::numeric_limits<float>::quiet_NaN();
    hostile[bad[1]] = std::numeric_limits<float>::infinity();
    hostile[bad[2]] = -1e30f;

    Chain a(32000, 44100, 1, 2, 32), b(32000, 44100, 1, 2, 32);
    a.resampler.Write(reinterpret_cast<const int16_t*>(clean.data()), frames, 0);
    b.resampler.Write(reinterpret_cast<const int16_t*>(hostile.data()), frames, 0);
    const auto s = a.sink->Samples16();
    const auto t = b.sink->Samples16();
    ASSERT_EQ(s.size(), t.size());
    size_t differing = 0;
    for (size_t e = 0; e < s.size(); ++e) {
        const double inputTime = static_cast<double>(e) * 32000.0 / 44100.0;
        bool near = false;
        for (size_t p : bad) near = near || std::abs(inputTime - static_cast<double>(p)) < 13.0;
        if (!near) {
            ASSERT_EQ(s[e], t[e]) << e;
        } else if (s[e] != t[e]) {
            ++differing;
            EXPECT_TRUE(t[e] == 0 || t[e] == 32767 || t[e] == -32768) << e << " " << t[e];
        }
    }
    EXPECT_GT(differing, 30u);
}
