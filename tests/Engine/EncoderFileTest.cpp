#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Source/Engine/Output/EncoderFile.h"
#include "codec/ZA2Durizez.h"

namespace {

AudioFormat Mpeg(int channels, uint32_t bitRate) {
    AudioFormat f;
    f.Initialise(kFormatMpeg);
    f.SetChannels(static_cast<uint16_t>(channels));
    f.SetBitRate(bitRate);
    f.SetBitsPerSample(16);
    f.SetSamplesPerSecond(44100);
    return f;
}

std::vector<int16_t> Tone(size_t samples, uint32_t seed) {
    std::vector<int16_t> v(samples);
    uint32_t x = seed;
    for (size_t i = 0; i < samples; ++i) {
        x = x * 1664525u + 1013904223u;
        v[i] = static_cast<int16_t>(9000 * std::sin(i * 0.031) + static_cast<int>(x >> 20) - 2048);
    }
    return v;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class EncoderFileTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vb_encfile_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::string cmd = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    std::string Path(const char* name) const { return dir_ + "/" + name; }

    // Encodes mono input with the given write sizes (cycled) and returns the file.
    std::vector<uint8_t> EncodeMono(const std::vector<int16_t>& in, const std::vector<size_t>& chunks,
                                    const char* name) {
        EncoderFile file(Path(name).c_str(), Mpeg(1, 128000));
        size_t at = 0;
        for (size_t k = 0; at < in.size(); ++k) {
            const size_t n = std::min(chunks[k % chunks.size()], in.size() - at);
            EXPECT_EQ(file.Write(in.data() + at, n, at), n);
            at += n;
        }
        EXPECT_TRUE(file.Flush());
        EXPECT_EQ(file.InputFrames(), in.size());
        EXPECT_FALSE(file.Failed());
        return ReadFile(Path(name));
    }

    std::string dir_;
};

// Frames produced for n input frames: none for the priming block, one per
// full block after it, then one or two for the tail.
size_t ExpectedFrames(size_t n) {
    const size_t rest = n - 480;
    const size_t rem = rest % 1152;
    return rest / 1152 + (rem == 0 || 1152 - rem >= 512 ? 1 : 2);
}

}  // namespace

TEST_F(EncoderFileTest, PrimingBlocksAndTailMatchTheCodecFedByHand) {
    for (size_t n : {480u, 481u, 1632u, 2272u, 2273u, 480u + 3 * 1152u, 100000u}) {
        SCOPED_TRACE(n);
        const std::vector<int16_t> in = Tone(n, static_cast<uint32_t>(n));
        const std::vector<uint8_t> got = EncodeMono(in, {n}, "a.mp2");
        ASSERT_EQ(got.size(), ExpectedFrames(n) * 417);

        // By hand: 672 zeros + the first 480 frames, output dropped; then
        // blocks; then the remainder and at least 512 frames of silence.
        ZA2Durizez enc(Mpeg(1, 128000), 0);
        std::vector<int16_t> padded(672, 0);
        padded.insert(padded.end(), in.begin(), in.end());
        const size_t silence = 512 + (1152 - (padded.size() + 512) % 1152) % 1152;
        padded.insert(padded.end(), silence, 0);
        enc.Encode(padded.data(), 2304, nullptr, 0);
        std::vector<uint8_t> want;
        uint8_t frame[417];
        for (size_t at = 1152; at + 1152 <= padded.size(); at += 1152) {
            enc.Encode(padded.data() + at, 2304, frame, sizeof frame);
            want.insert(want.end(), frame, frame + 417);
        }
        EXPECT_EQ(got, want);
    }
}

TEST_F(EncoderFileTest, SplitWritesGiveTheSameStream) {
    const std::vector<int16_t> in = Tone(20000, 5);
    const std::vector<uint8_t> whole = EncodeMono(in, {20000}, "whole.mp2");
    // Writes smaller than the priming count, odd sizes and exact blocks.
    for (const std::vector<size_t>& chunks : std::vector<std::vector<size_t>>{
             {1}, {100, 379, 3}, {479, 1152}, {1024}, {1151, 1153, 2304}}) {
        EXPECT_EQ(EncodeMono(in, chunks, "split.mp2"), whole) << "first chunk " << chunks[0];
    }
}

TEST_F(EncoderFileTest, InputShorterThanPrimingStillYieldsItsFrame) {
    const std::vector<int16_t> in = Tone(300, 9);
    const std::vector<uint8_t> got = EncodeMono(in, {300}, "short.mp2");
    ASSERT_EQ(got.size(), 417u);
    // The 300 frames come out of the filterbank in this frame: not silence.
    bool anyAllocation = false;
    for (int i = 4; i < 20; ++i) anyAllocation |= got[i] != 0;
    EXPECT_TRUE(anyAllocation);
}

TEST_F(EncoderFileTest, FlushWithoutFramesDoesNothing) {
    EncoderFile file(Path("none.mp2").c_str(), Mpeg(2, 256000));
    EXPECT_TRUE(file.HasCodec());
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(file.FramesWritten(), 0u);
}

TEST_F(EncoderFileTest, NoCodecMeansNoFileAndNoFrames) {
    AudioFormat unknown;
    unknown.Initialise(2);  // no codec for this tag
    unknown.SetChannels(2);
    unknown.SetBitsPerSample(16);
    AudioFormat badLayout = Mpeg(2, 256000);
    badLayout.SetBitsPerSample(24);  // 6 bytes per frame: not the 16-bit frames Write takes
    for (const AudioFormat& format : {unknown, badLayout}) {
        EncoderFile file(Path("x.mp2").c_str(), format);
        EXPECT_FALSE(file.HasCodec());
        const std::vector<int16_t> in(4000, 1);
        EXPECT_EQ(file.Write(in.data(), 1000, 0), 0u);
        EXPECT_FALSE(file.Flush());
        EXPECT_NE(access(Path("x.mp2").c_str(), F_OK), 0);
    }
}

TEST_F(EncoderFileTest, WavPathAddsPeakLevelsAndFlushes) {
    const std::vector<int16_t> in = Tone(2 * 5000, 3);
    EncoderFile file(Path("out.WAV").c_str(), Mpeg(2, 256000));
    ASSERT_EQ(file.Write(in.data(), 5000, 0), 5000u);
    EXPECT_TRUE(file.Flush());
    const std::vector<uint8_t> got = ReadFile(Path("out.WAV"));
    ASSERT_EQ(got.size(), ExpectedFrames(5000) * 835);
    EXPECT_NE(got[835 + 834] | got[835 + 833], 0);  // channel 0 peak of the second frame
}

TEST_F(EncoderFileTest, FailedWritesAreReported) {
    // /dev/full: every write fails once the stream buffer is flushed.
    const std::vector<int16_t> in = Tone(2 * 1024, 1);
    EncoderFile full("/dev/full", Mpeg(2, 256000));
    ASSERT_TRUE(full.HasCodec());
    uint64_t accepted = 0;
    int calls = 0;
    for (; calls < 200 && full.Write(in.data(), 1024, 0) == 1024; ++calls) accepted += 1024;
    EXPECT_LT(calls, 200) << "writes to a full device kept succeeding";
    EXPECT_TRUE(full.Failed());
    EXPECT_EQ(full.Write(in.data(), 1024, 0), 0u);  // and keeps failing
    EXPECT_EQ(full.Write(in.data(), 10, 0), 0u);
    EXPECT_FALSE(full.Flush());
    EXPECT_EQ(full.InputFrames(), accepted);

    // A stream short enough to stay in the stream buffer until the close:
    // the close fails, which Flush reports, and deleting the object must
    // not close the stream a second time.
    {
        EncoderFile late("/dev/full", Mpeg(2, 256000));
        EXPECT_EQ(late.Write(in.data(), 1024, 0), 1024u);
        EXPECT_EQ(late.Write(in.data(), 1024, 0), 1024u);
        EXPECT_FALSE(late.Failed());
        EXPECT_FALSE(late.Flush());
        EXPECT_TRUE(late.Failed());
    }

    // A path whose folder does not exist: the first encoded frame fails.
    EncoderFile missing(Path("no/such/dir.mp2").c_str(), Mpeg(2, 256000));
    EXPECT_EQ(missing.Write(in.data(), 1024, 0), 1024u);  // priming only, nothing to write yet
    EXPECT_EQ(missing.Write(in.data(), 1024, 0), 0u);
    EXPECT_TRUE(missing.Failed());
    EXPECT_FALSE(missing.Flush());
}
