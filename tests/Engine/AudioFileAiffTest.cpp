#include <gtest/gtest.h>

#include "Source/Engine/AudioFile/AudioFileAIFF.h"
#include "Source/Engine/AudioFile/CuePoints.h"
#include "tests/Engine/AudioFileFixtures.h"

using namespace fixture;

namespace {

struct AiffReader {
    explicit AiffReader(const std::string& path) : file(new AudioFileAIFF(path.c_str(), 0, 2)) {}
    ~AiffReader() { Object::Release(file); }
    AudioFileAIFF* operator->() const { return file; }
    std::vector<int16_t> ReadAll(uint64_t n = 4096) {
        std::vector<int16_t> out(2 * n);
        out.resize(2 * file->Read(out.data(), n, 0));
        return out;
    }
    AudioFileAIFF* file;
};

Bytes BigEndian(std::initializer_list<uint32_t> values, int width) {
    Bytes b;
    for (uint32_t v : values) PutBE(b, v, width);
    return b;
}

Bytes MarkBody(std::initializer_list<std::pair<uint32_t, std::string>> markers) {
    Bytes b;
    PutBE(b, markers.size(), 2);
    uint16_t id = 1;
    for (const auto& [position, name] : markers) {
        PutBE(b, id++, 2);
        PutBE(b, position, 4);
        b.push_back(static_cast<uint8_t>(name.size()));
        b.insert(b.end(), name.begin(), name.end());
        if (!(name.size() & 1)) b.push_back(0);  // counted string padded to even
    }
    return b;
}

}  // namespace

TEST(AudioFileAiff, DecodesRatesFromTheirExtendedForm) {
    for (uint32_t rate : {8000u, 11025u, 16000u, 22050u, 32000u, 44100u, 48000u, 96000u, 192000u}) {
        const Bytes e = Extended(rate);
        EXPECT_EQ(AudioFileAIFF::DecodeRate(static_cast<uint16_t>(e[0] << 8 | e[1]),
                                            static_cast<uint32_t>(e[2]) << 24 | e[3] << 16 | e[4] << 8 | e[5]),
                  rate);
    }
    // The writer's form: any 16-bit rate at the top of the mantissa under 0x400E.
    EXPECT_EQ(AudioFileAIFF::DecodeRate(0x400E, 22050u << 16), 22050u);
}

TEST(AudioFileAiff, ReadsBigEndianSamplesByWidth) {
    struct Case {
        const char* name;
        uint16_t channels, bits;
        Bytes data;
        std::vector<int16_t> out;
    };
    const Case cases[] = {
        {"16-bit stereo", 2, 16, BigEndian({0x1234, 0xFEDC, 0x7FFF, 0x8000}, 2), {0x1234, -292, 0x7FFF, -32768}},
        {"16-bit mono", 1, 16, BigEndian({0x0102, 0x8001}, 2), {0x0102, 0x0102, -32767, -32767}},
        {"24-bit truncated", 2, 24, BigEndian({0x7FFFFF, 0x800000, 0x1234FF, 0xFFFFFF}, 3), {0x7FFF, -32768, 0x1234, -1}},
        {"32-bit integer truncated", 1, 32, BigEndian({0x7FFFFFFF, 0x80000001}, 4), {0x7FFF, 0x7FFF, -32768, -32768}},
        {"8-bit", 2, 8, Bytes{0x7F, 0x80, 0x01, 0xFF}, {0x7F00, -32768, 0x0100, -256}},
        {"20-bit in 3 bytes", 1, 20, BigEndian({0x123450, 0xFEDCB0}, 3), {0x1234, 0x1234, -292, -292}},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AiffReader r(dir.Write("a.aiff", SimpleAiff(c.channels, c.bits, 44100, c.data)));
        EXPECT_TRUE(r->IsOk());
        EXPECT_EQ(r->FormatTag(), 1);
        EXPECT_EQ(r->BytesPerSample(), (c.bits + 7) / 8);
        EXPECT_EQ(r.ReadAll(), c.out);
    }
}

TEST(AudioFileAiff, DurationComesFromTheCommonChunk) {
    TempDir dir;
    const uint32_t frames = 44100 * 3 / 2;
    AiffReader r(dir.Write("a.aiff", SimpleAiff(2, 16, 44100, Bytes(frames * 4))));
    EXPECT_EQ(r->Duration(), static_cast<int32_t>(frames * 1000ull / 44100));  // no +1 as with WAV
    EXPECT_EQ(r->FrameCount(), frames);
    EXPECT_EQ(r->SampleRate(), 44100u);
    EXPECT_EQ(r->DataOffset(), 12u + 26u + 16u);

    // "(c) " of size 0 right after the form header moves the first chunk to 20.
    Bytes chunks = Bytes{'(', 'c', ')', ' ', 0, 0, 0, 0};
    Append(chunks, ChunkBE("COMM", CommBody(1, 2, 16, 22050)));
    Append(chunks, ChunkBE("SSND", SsndBody(BigEndian({5, 6}, 2))));
    AiffReader c(dir.Write("c.aiff", Form(chunks)));
    EXPECT_EQ(c->SampleRate(), 22050u);
    EXPECT_EQ(c.ReadAll(), (std::vector<int16_t>{5, 5, 6, 6}));
}

TEST(AudioFileAiff, RefusesWhatIsNotFormAiffAndKeepsNoStateFromTheWavAttempt) {
    TempDir dir;
    Bytes wav;
    PutId(wav, "RIFF");
    PutLE(wav, 36 + 400, 4);
    PutId(wav, "WAVE");
    Append(wav, ChunkLE("fmt ", Bytes{1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0}));
    Append(wav, ChunkLE("data", Bytes(400, 0x11)));
    Bytes aifc = SimpleAiff(2, 16, 44100, Bytes(400));
    std::copy_n("AIFC", 4, aifc.begin() + 8);
    for (const auto& [name, bytes] : {std::pair{"wav.aif", wav}, std::pair{"c.aifc", aifc}}) {
        SCOPED_TRACE(name);
        AiffReader r(dir.Write(name, bytes));
        EXPECT_FALSE(r->Open(r->Name()));
        EXPECT_EQ(r->Error(), 0);
        EXPECT_EQ(r->Duration(), 0);
        EXPECT_EQ(r->FrameCount(), 0u);
        EXPECT_EQ(r->SampleRate(), 0u);
        EXPECT_EQ(r->FormatTag(), 0);
        int16_t out[8];
        EXPECT_EQ(r->Read(out, 4, 0), 0u);
    }
}

TEST(AudioFileAiff, MarkersBecomeCuePoints) {
    TempDir dir;
    Bytes chunks = ChunkBE("COMM", CommBody(2, 100000, 16, 44100));
    Append(chunks, ChunkBE("MARK", MarkBody({{0, "start"}, {44100, "one"}, {66150, "at 1.5 s"}})));
    Append(chunks, ChunkBE("SSND", SsndBody(Bytes(64))));
    AiffReader r(dir.Write("m.aiff", Form(chunks)));
    ASSERT_NE(r->Cues(), nullptr);
    ASSERT_EQ(r->Cues()->Count(), 2u);  // the marker at 0 ms is skipped
    EXPECT_EQ(r->Cues()->At(0).name, "one");
    EXPECT_EQ(r->Cues()->At(0).timeMs, 1000u);
    EXPECT_EQ(r->Cues()->At(1).name, "at 1.5 s");
    EXPECT_EQ(r->Cues()->At(1).timeMs, 1500u);

    // Before the common chunk the rate is taken as 48000 Hz; a reopen does
    // not duplicate the list.
    Bytes early = ChunkBE("MARK", MarkBody({{48000, "a"}}));
    Append(early, ChunkBE("COMM", CommBody(2, 16, 16, 44100)));
    Append(early, ChunkBE("SSND", SsndBody(Bytes(64))));
    AiffReader e(dir.Write("e.aiff", Form(early)));
    EXPECT_TRUE(e->Open(e->Name()));
    ASSERT_NE(e->Cues(), nullptr);
    ASSERT_EQ(e->Cues()->Count(), 1u);
    EXPECT_EQ(e->Cues()->At(0).timeMs, 1000u);
}

TEST(AudioFileAiff, HostileChunksNeverReadOutsideTheFile) {
    Bytes wrap = ChunkBE("COMM", CommBody(2, 16, 16, 44100));
    Append(wrap, ChunkBE("JUNK", Bytes(4), 0xFFFFFFF8 - 38));  // wraps to the form start in 32 bits
    Append(wrap, ChunkBE("SSND", SsndBody(Bytes(64))));
    Bytes zeroChannels = ChunkBE("COMM", CommBody(0, 16, 16, 44100));
    Append(zeroChannels, ChunkBE("SSND", SsndBody(Bytes(64))));
    Bytes zeroRate = ChunkBE("COMM", CommBody(2, 16, 16, 0));
    Append(zeroRate, ChunkBE("SSND", SsndBody(Bytes(64))));
    Bytes ssndPastEnd = ChunkBE("COMM", CommBody(2, 1000, 16, 44100));
    Append(ssndPastEnd, ChunkBE("SSND", SsndBody(Bytes(64)), 4008));
    Bytes tinySsnd = ChunkBE("COMM", CommBody(2, 16, 16, 44100));
    Append(tinySsnd, ChunkBE("SSND", Bytes(4)));
    Append(tinySsnd, Bytes(40));
    Bytes truncatedComm = ChunkBE("SSND", SsndBody(Bytes(40)));
    Append(truncatedComm, Bytes{'C', 'O', 'M', 'M', 0, 0, 0, 18, 0, 2});
    Bytes badMark = ChunkBE("COMM", CommBody(2, 16, 16, 44100));
    Bytes markBody = MarkBody({{44100, "abc"}});
    markBody[1] = 200;  // count past the chunk
    markBody.push_back(0);
    markBody.push_back(0);
    markBody.push_back(0);
    markBody.push_back(250);  // a name longer than the chunk
    Append(badMark, ChunkBE("MARK", markBody));
    Append(badMark, ChunkBE("SSND", SsndBody(Bytes(64))));

    const Bytes valid = SimpleAiff(1, 16, 44100, Bytes(64));
    struct Case {
        const char* name;
        Bytes file;
        uint64_t frames;
    };
    const Case cases[] = {
        {"chunk size wrapping 32 bits", Form(wrap), 0},
        {"zero channels", Form(zeroChannels), 0},
        {"zero rate", Form(zeroRate), 16},
        {"sound data past the end", Form(ssndPastEnd), 16},
        {"sound chunk smaller than its header", Form(tinySsnd), 0},
        {"truncated common chunk", Form(truncatedComm), 0},
        {"marker count and name past the chunk", Form(badMark), 16},
        {"53 bytes", Bytes(valid.begin(), valid.begin() + 53), 0},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AiffReader r(dir.Write("h.aiff", c.file));
        EXPECT_EQ(r->FrameCount(), c.frames);
        if (c.frames == 0) {
            EXPECT_EQ(r->Duration(), 0);
        }
        EXPECT_EQ(r.ReadAll().size(), 2 * c.frames);
    }
}

TEST(AudioFileAiff, WriteModeRoundTripWithMarkers) {
    TempDir dir;
    const std::string path = dir.File("out.aiff");
    {
        AudioFileAIFF w(path.c_str(), 0, 2);
        w.SetFormat(2, 2, 44100);
        ASSERT_TRUE(w.Create(1000));
        uint8_t* at = nullptr;
        ASSERT_EQ(w.WriteAccess(&at, 1000, 0), 1000u);
        for (int i = 0; i < 2000; ++i) {
            at[2 * i] = static_cast<uint8_t>(i >> 8);
            at[2 * i + 1] = static_cast<uint8_t>(i);
        }
        w.MutableCues().Add("first", 10);
        w.MutableCues().Add("second", 20);
        ASSERT_TRUE(w.Finish(UString()));
    }
    AiffReader r(path);
    EXPECT_TRUE(r->IsOk());
    EXPECT_EQ(r->FrameCount(), 1000u);
    EXPECT_EQ(r->SampleRate(), 44100u);
    EXPECT_EQ(r->Duration(), 1000 * 1000 / 44100);
    const auto samples = r.ReadAll();
    ASSERT_EQ(samples.size(), 2000u);
    EXPECT_EQ(samples[1999], 1999);
    ASSERT_NE(r->Cues(), nullptr);
    ASSERT_EQ(r->Cues()->Count(), 2u);
    EXPECT_EQ(r->Cues()->At(1).name, "second");
    EXPECT_EQ(r->Cues()->At(1).timeMs, 20u);
    const Bytes bytes = ReadAll(path);
    EXPECT_EQ(static_cast<uint32_t>(bytes[4] << 24 | bytes[5] << 16 | bytes[6] << 8 | bytes[7]), bytes.size() - 8);
}
