#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "Source/Engine/Codecs/CodecFactory.h"
#include "Source/Engine/Codecs/CoreAudioCodec.h"
#include "Source/Engine/Codecs/G711.h"
#include "codec/ZA2Durizez.h"

namespace {
AudioFormat Record(uint16_t tag) {
    AudioFormat f;
    f.Initialise(tag);
    if (tag == kFormatMpeg) {
        f.SetChannels(2);
        f.SetBitRate(256000);
        f.SetBitsPerSample(16);
        f.SetSamplesPerSecond(44100);
    }
    return f;
}
}  // namespace

TEST(CodecFactory, BuildsByFormatTag) {
    for (uint16_t tag : {2, 85, 0, 3}) {
        EXPECT_EQ(CodecFactory::Create(Record(tag), true, 0), nullptr) << tag;
    }
    // No Layer II decoder is built (PCM, the rate adapter, has its own tests).
    EXPECT_EQ(CodecFactory::Create(Record(kFormatMpeg), false, 0), nullptr);

    for (uint32_t flags : {0u, 0x10u, 0xFFu, 0xEFu}) {
        std::unique_ptr<Codec> codec(CodecFactory::Create(Record(kFormatMpeg), true, flags));
        auto* enc = dynamic_cast<ZA2Durizez*>(codec.get());
        ASSERT_NE(enc, nullptr);
        EXPECT_EQ(enc->PeakLevels(), (flags & 0x10) != 0) << flags;
        EXPECT_EQ(enc->FrameBytes(), 835);
    }
    for (uint16_t tag : {kFormatALaw, kFormatMuLaw}) {
        std::unique_ptr<Codec> codec(CodecFactory::Create(Record(tag), true, 0));
        auto* g711 = dynamic_cast<CoreAudioCodec*>(codec.get());
        ASSERT_NE(g711, nullptr);
        EXPECT_TRUE(g711->HasConverter());
        EXPECT_EQ(g711->PcmChannels(), 2u);
    }
}

TEST(CodecFactory, AacIsRefusedClearly) {
    testing::internal::CaptureStdout();
    std::unique_ptr<Codec> codec(CodecFactory::Create(Record(kFormatAac), true, 0));
    const std::string printed = testing::internal::GetCapturedStdout();
    auto* aac = dynamic_cast<CoreAudioCodec*>(codec.get());
    ASSERT_NE(aac, nullptr);
    EXPECT_FALSE(aac->HasConverter());
    EXPECT_EQ(printed, "AudioConverterNew err fmt? 666D743F 1718449215\n");
    std::vector<int16_t> in(2 * 1024, 0);
    std::vector<uint8_t> out(4096);
    EXPECT_EQ(codec->Encode(in.data(), 1024, out.data(), 10), 0u);
}

TEST(G711, KnownCodesAndRoundTrip) {
    EXPECT_EQ(LinearToALaw(0), 0xD5);
    EXPECT_EQ(LinearToMuLaw(0), 0xFF);
    EXPECT_EQ(MuLawToLinear(0xFF), 0);
    EXPECT_EQ(ALawToLinear(0xD5), 8);
    EXPECT_EQ(LinearToALaw(32767), 0xAA);
    EXPECT_EQ(LinearToALaw(-32768), 0x2A);
    EXPECT_EQ(LinearToMuLaw(32767), 0x80);
    EXPECT_EQ(LinearToMuLaw(-32768), 0x00);
    for (int x = -32768; x <= 32767; x += 7) {
        const int16_t s = static_cast<int16_t>(x);
        const int bound = 16 + std::abs(x) / 16;  // half a step of the segment
        ASSERT_LE(std::abs(ALawToLinear(LinearToALaw(s)) - x), bound) << x;
        ASSERT_LE(std::abs(MuLawToLinear(LinearToMuLaw(s)) - x), bound + 16) << x;
    }
    // Decoding is monotonic in the magnitude code order and re-encodes to itself.
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(LinearToALaw(ALawToLinear(static_cast<uint8_t>(c))), c);
        EXPECT_EQ(LinearToMuLaw(MuLawToLinear(static_cast<uint8_t>(c))), c == 0x7F ? 0xFF : c);
    }
}

TEST(CoreAudioCodec, ALawEncodesWholePackets) {
    std::unique_ptr<Codec> codec(CodecFactory::Create(Record(kFormatALaw), true, 0));
    ASSERT_NE(codec, nullptr);
    std::vector<int16_t> in(2 * 4410, 1000);  // 0.1 s of DC
    std::vector<uint8_t> out(160, 0);
    // 4410 frames (passed as a frame count) give 800 samples at 8 kHz: five
    // packets, one per call as the output holds one.
    int packets = 0;
    for (int call = 0; call < 8; ++call) {
        const uint64_t n = codec->Encode(call == 0 ? in.data() : nullptr, call == 0 ? 4410 : 0, out.data(), 1);
        packets += static_cast<int>(n);
        if (n == 1 && call > 0) {
            for (uint8_t b : out) ASSERT_EQ(b, LinearToALaw(1000));
        }
    }
    EXPECT_EQ(packets, 5);
}
