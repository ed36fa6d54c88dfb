#include <gtest/gtest.h>

#include "Source/Engine/Base/AudioFormat.h"
#include "Source/Engine/Base/AudioSource.h"
#include "Source/Engine/Base/Object.h"

TEST(AudioFormat, InitialiseFillsDefaultsByTag) {
    struct Case { uint16_t tag; uint16_t ch; uint32_t rate, bps; uint16_t align, bits; };
    const Case cases[] = {
        {1, 1, 44100, 88200, 2, 16},
        {6, 1, 8000, 8000, 1, 8},
        {7, 1, 8000, 8000, 1, 8},
        {101, 1, 8000, 8000, 1, 8},
        {80, 0, 90000, 0, 1, 0},
        {0xAAC0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        AudioFormat f;
        f.averageBytesPerSecond = 12345;  // must be zeroed
        f.Initialise(c.tag);
        EXPECT_EQ(f.formatTag, c.tag);
        EXPECT_EQ(f.channels, c.ch) << c.tag;
        EXPECT_EQ(f.samplesPerSecond, c.rate) << c.tag;
        EXPECT_EQ(f.averageBytesPerSecond, c.bps) << c.tag;
        EXPECT_EQ(f.blockAlign, c.align) << c.tag;
        EXPECT_EQ(f.bitsPerSample, c.bits) << c.tag;
        EXPECT_EQ(f.extraSize, 0);
    }
}

TEST(AudioFormat, MpegRecordKeepsByteRateWhenBitsAreSet) {
    AudioFormat f;
    f.Initialise(kFormatMpeg);
    f.SetChannels(2);
    f.SetBitRate(256000);
    f.SetBitsPerSample(16);
    f.SetSamplesPerSecond(44100);
    EXPECT_EQ(f.channels, 2);
    EXPECT_EQ(f.samplesPerSecond, 44100u);
    EXPECT_EQ(f.averageBytesPerSecond, 32000u);
    EXPECT_EQ(f.blockAlign, 4);
    EXPECT_EQ(f.bitsPerSample, 16);

    AudioFormat pcm;
    pcm.Initialise(kFormatPcm);
    pcm.SetChannels(2);
    pcm.SetSamplesPerSecond(48000);
    pcm.SetBitsPerSample(24);
    EXPECT_EQ(pcm.blockAlign, 6);
    EXPECT_EQ(pcm.averageBytesPerSecond, 288000u);

    AudioFormat none;
    none.Initialise(0x1234);
    none.blockAlign = 7;
    none.SetBitsPerSample(16);  // no channels: block align untouched
    EXPECT_EQ(none.blockAlign, 7);
    EXPECT_EQ(none.bitsPerSample, 16);
}

namespace {
struct Counted : Object {
    explicit Counted(bool* destroyed) : Object(MakeTag("TEST"), "x", 0), destroyed_(destroyed) {}
    ~Counted() override { *destroyed_ = true; }
    bool* destroyed_;
};
}  // namespace

TEST(Object, ReleaseCountsDownAndDestroysAtZero) {
    bool destroyed = false;
    auto* o = new Counted(&destroyed);
    EXPECT_EQ(o->Tag(), 0x54534554);  // bytes T, E, S, T
    o->AddRef();
    EXPECT_EQ(Object::Release(o), 1);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(Object::Release(o), 0);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Object::Release(nullptr), 0);
}

namespace {
struct FixedSource : AudioSource {
    uint64_t Read(int16_t* buffer, uint64_t n, uint64_t) override {
        const int16_t values[4] = {-32768, 32767, 0, 1};
        uint64_t k = n < 2 ? n : 2;
        for (uint64_t i = 0; i < 2 * k; ++i) buffer[i] = values[i];
        return k;
    }
};
}  // namespace

TEST(AudioSource, DefaultReadDoubleScalesBy32767) {
    FixedSource s;
    double out[8] = {};
    EXPECT_EQ(s.ReadDouble(out, 4, 0), 2u);
    EXPECT_DOUBLE_EQ(out[0], -32768 / 32767.0);
    EXPECT_LT(out[0], -1.0);
    EXPECT_DOUBLE_EQ(out[1], 1.0);
    EXPECT_DOUBLE_EQ(out[3], 1 / 32767.0);
}
