#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "Source/Engine/AudioFile/AudioFile.h"
#include "Source/Engine/AudioFile/AudioFileLog.h"
#include "Source/Engine/AudioFile/AudioFileRegistry.h"
#include "Source/Engine/AudioFile/ByteOrder.h"
#include "Source/Engine/AudioFile/SampleConvert.h"
#include "tests/Engine/AudioFileFixtures.h"

using namespace fixture;

namespace {

struct Reader {
    explicit Reader(const std::string& path) : file(new AudioFile(path.c_str(), 0, 2)) {}
    ~Reader() { Object::Release(file); }
    AudioFile* operator->() const { return file; }
    std::vector<int16_t> ReadAll(uint64_t n = 1 << 20) {
        std::vector<int16_t> out(2 * n, 0x5555);
        out.resize(2 * file->Read(out.data(), n, 0));
        return out;
    }
    AudioFile* file;
};

Bytes Noise(size_t bytes) {
    Bytes b(bytes);
    uint32_t x = 12345;
    for (auto& v : b) v = static_cast<uint8_t>((x = x * 1103515245 + 12345) >> 16);
    return b;
}

}  // namespace

TEST(AudioFileWav, OpensFormatsAndMarksWhatTheEngineDoesNotPlay) {
    const Bytes data = Noise(4 * 4410);  // 4410 stereo 16-bit frames
    Bytes withList = ChunkLE("fmt ", FmtBody(1, 2, 44100, 16));
    Append(withList, ChunkLE("LIST", Bytes{'I', 'N', 'F', 'O', 'x'}));  // odd size: pad byte
    Append(withList, ChunkLE("data", data));
    Bytes extensible24 = ChunkLE("fmt ", ExtensibleBody(2, 44100, 24, 1));
    Append(extensible24, ChunkLE("data", data));
    Bytes extensibleFloat = ChunkLE("fmt ", ExtensibleBody(2, 44100, 32, 3));
    Append(extensibleFloat, ChunkLE("data", data));
    Bytes extensibleOther = ChunkLE("fmt ", ExtensibleBody(2, 44100, 16, 2));
    Append(extensibleOther, ChunkLE("data", data));
    Bytes twentyBit = ChunkLE("fmt ", FmtBody(1, 2, 44100, 20, 6));
    Append(twentyBit, ChunkLE("data", data));

    struct Case {
        const char* name;
        Bytes file;
        bool opens, unsupported;
        int tag, channels, width;
        uint64_t rate;
        int32_t durationMs;
    };
    const int32_t d16 = 17640 / 4 * 1000 / 44100 + 1;
    const Case cases[] = {
        {"list chunk before data", Riff(withList), true, false, 1, 2, 2, 44100, d16},
        {"48 kHz", SimpleWav(1, 2, 48000, 16, data), false, true, 1, 2, 2, 48000, 17640 / 4 * 1000 / 48000 + 1},
        {"24-bit", SimpleWav(1, 2, 44100, 24, data), true, false, 1, 2, 3, 44100, 17640 / 3 / 2 * 1000 / 44100 + 1},
        {"float", SimpleWav(3, 2, 44100, 32, data), true, false, 3, 2, 4, 44100, 17640 / 8 * 1000 / 44100 + 1},
        {"16-bit float", SimpleWav(3, 2, 44100, 16, data), false, true, 3, 2, 2, 44100, d16},
        {"mono", SimpleWav(1, 1, 44100, 16, data), true, false, 1, 1, 2, 44100, 17640 / 2 * 1000 / 44100 + 1},
        {"8-bit", SimpleWav(1, 2, 44100, 8, data), false, true, 1, 2, 1, 44100, 17640 / 2 * 1000 / 44100 + 1},
        {"3 channels", SimpleWav(1, 3, 44100, 16, data), false, true, 1, 3, 2, 44100, 17640 / 6 * 1000 / 44100 + 1},
        {"A-law", SimpleWav(6, 2, 44100, 16, data), false, true, 6, 2, 2, 44100, d16},
        {"extensible PCM 24", Riff(extensible24), true, false, 1, 2, 3, 44100, 17640 / 6 * 1000 / 44100 + 1},
        {"extensible float", Riff(extensibleFloat), true, false, 3, 2, 4, 44100, 17640 / 8 * 1000 / 44100 + 1},
        {"extensible ADPCM", Riff(extensibleOther), false, true, 0xFFFE, 2, 2, 44100, d16},
        {"20-bit in 3 bytes", Riff(twentyBit), false, true, 1, 2, 3, 44100, 17640 / 6 * 1000 / 44100 + 1},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.Write("f.wav", c.file);
        AudioFile f(path.c_str(), 0, 2);
        EXPECT_EQ(f.Open(path.c_str(), 0), c.opens);
        EXPECT_EQ(f.IsUnsupported(), c.unsupported);
        EXPECT_EQ(f.Error(), 0);
        EXPECT_EQ(f.FormatTag(), c.tag);
        EXPECT_EQ(f.Channels(), c.channels);
        EXPECT_EQ(f.BytesPerSample(), c.width);
        EXPECT_EQ(f.SampleRate(), c.rate);
        EXPECT_EQ(f.Duration(), c.durationMs);
        EXPECT_EQ(f.FrameCount(), 17640u / (c.channels * c.width));
    }
}

TEST(AudioFileWav, UnsupportedFileReadsOnceTheFlagIsCleared) {
    TempDir dir;
    Reader r(dir.Write("a.wav", SimpleWav(1, 2, 48000, 16, Samples16({1, -2, 3, -4}))));
    int16_t out[4] = {};
    EXPECT_EQ(r->Read(out, 2, 0), 0u);
    r->SetUnsupported(false);
    EXPECT_EQ(r->Read(out, 2, 0), 2u);
    EXPECT_EQ(out[3], -4);
}

TEST(AudioFileWav, TwentyBitSamplesReadAsTheirUpperSixteenBits) {
    // 20-bit samples left-justified in 3-byte containers, block align 6.
    Bytes data;
    for (uint32_t v : {0x123450u, 0xFEDCB0u, 0x7FFFF0u, 0x800000u}) PutLE(data, v, 3);
    Bytes chunks = ChunkLE("fmt ", FmtBody(1, 2, 44100, 20, 6));
    Append(chunks, ChunkLE("data", data));
    TempDir dir;
    Reader r(dir.Write("a.wav", Riff(chunks)));
    r->SetUnsupported(false);
    EXPECT_EQ(r.ReadAll(), (std::vector<int16_t>{0x1234, static_cast<int16_t>(0xFEDC), 0x7FFF, -32768}));
}

TEST(AudioFileWav, DataChunkSizes) {
    const Bytes data = Samples16({1, 2, 3, 4, 5, 6});  // 3 stereo frames
    auto withSize = [&](int64_t size, const char* riffId = "RIFF", const Bytes& before = {}) {
        Bytes chunks = before;
        Append(chunks, ChunkLE("fmt ", FmtBody(1, 2, 44100, 16)));
        Append(chunks, ChunkLE("data", data, size));
        return Riff(chunks, riffId);
    };
    Bytes ds64Body;
    PutLE(ds64Body, 0, 8);   // RIFF size
    PutLE(ds64Body, 8, 8);   // data size: two frames
    PutLE(ds64Body, 2, 8);   // sample count
    PutLE(ds64Body, 0, 4);   // table length
    struct Case {
        const char* name;
        Bytes file;
        uint64_t frames;
    };
    const Case cases[] = {
        {"exact", withSize(12), 3},
        {"past the end is clipped", withSize(0x7FFFFFF0), 3},
        {"zero runs to the end", withSize(0), 3},
        {"near 2^32 is clipped", withSize(0xFFFFFFF0), 3},
        {"RF64 takes the ds64 size", withSize(0xFFFFFFFF, "RF64", ChunkLE("ds64", ds64Body)), 2},
        {"0xFFFFFFFF without ds64 is clipped", withSize(0xFFFFFFFF), 3},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reader r(dir.Write("a.wav", c.file));
        EXPECT_TRUE(r->IsOk());
        EXPECT_EQ(r->FrameCount(), c.frames);
        EXPECT_EQ(r.ReadAll().size(), 2 * c.frames);
    }
}

TEST(AudioFileWav, ReadsClipToTheData) {
    TempDir dir;
    Reader r(dir.Write("a.wav", SimpleWav(1, 2, 44100, 16, Samples16({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}))));
    int16_t out[16] = {};
    EXPECT_EQ(r->Read(out, 4, 5), 0u);                // past the data
    EXPECT_EQ(r->Read(out, 4, 3), 2u);                // straddles the end
    EXPECT_EQ(out[3], 10);
    EXPECT_EQ(r->Read(out, 4, uint64_t{1} << 63), 0u);  // a negative position
    EXPECT_EQ(r->Read(out, std::numeric_limits<uint64_t>::max(), 4), 1u);
}

TEST(AudioFileWav, SampleConversions) {
    struct FloatCase {
        float in;
        int16_t out;
    };
    const FloatCase floats[] = {{1.0f, 32767},     {-1.0f, -32766},   {1.5f, 32767},    {-2.0f, -32768},
                                {0.00002f, 1},     {-0.00002f, 0},    {0.0f, 0},        {0.5f, 16384},
                                {NAN, 0},          {INFINITY, 32767}, {-INFINITY, -32768}};
    Bytes floatData;
    for (const FloatCase& c : floats) {
        uint32_t bits;
        std::memcpy(&bits, &c.in, 4);
        PutLE(floatData, bits, 4);
    }
    Bytes data24;
    const std::pair<uint32_t, int16_t> ints24[] = {{0x7FFFFF, 0x7FFF}, {0x800000, -32768}, {0x0000FF, 0}, {0xFFFFFF, -1}, {0x123456, 0x1234}};
    for (auto [v, out] : ints24) PutLE(data24, v, 3);

    TempDir dir;
    {
        Reader r(dir.Write("f.wav", SimpleWav(3, 1, 44100, 32, floatData)));
        const auto out = r.ReadAll();
        ASSERT_EQ(out.size(), 2 * std::size(floats));
        for (size_t i = 0; i < std::size(floats); ++i) {
            EXPECT_EQ(out[2 * i], floats[i].out) << floats[i].in;
            EXPECT_EQ(out[2 * i + 1], floats[i].out) << "mono is duplicated";
        }
    }
    {
        Reader r(dir.Write("i.wav", SimpleWav(1, 1, 44100, 24, data24)));
        const auto out = r.ReadAll();
        ASSERT_EQ(out.size(), 2 * std::size(ints24));
        for (size_t i = 0; i < std::size(ints24); ++i) EXPECT_EQ(out[2 * i], ints24[i].second) << std::hex << ints24[i].first;
    }
    {
        Reader r(dir.Write("m.wav", SimpleWav(1, 1, 44100, 16, Samples16({-32768, 7}))));
        EXPECT_EQ(r.ReadAll(), (std::vector<int16_t>{-32768, -32768, 7, 7}));
    }
}

TEST(AudioFileWav, ReadDoubleScalesByWidth) {
    TempDir dir;
    struct Case {
        Bytes file;
        double first, second;
    };
    Bytes d24;
    PutLE(d24, 0x7FFFFF, 3);
    PutLE(d24, 0x800000, 3);
    Bytes dFloat;
    PutLE(dFloat, 0x3FC00000, 4);  // 1.5, unscaled
    PutLE(dFloat, 0xBF000000, 4);  // -0.5
    const Case cases[] = {
        {SimpleWav(1, 2, 44100, 16, Samples16({-32768, 32767})), -32768 / 32767.0, 1.0},
        {SimpleWav(1, 2, 44100, 24, d24), 1.0, -8388608 / 8388607.0},
        {SimpleWav(3, 2, 44100, 32, dFloat), 1.5, -0.5},
    };
    for (const Case& c : cases) {
        Reader r(dir.Write("a.wav", c.file));
        double out[2] = {};
        ASSERT_EQ(r->ReadDouble(out, 4, 0), 1u);
        EXPECT_DOUBLE_EQ(out[0], c.first);
        EXPECT_DOUBLE_EQ(out[1], c.second);
    }
}

TEST(AudioFileWav, ReadsLongerThanAWindowArriveWhole) {
    // 12 MiB of 16-bit stereo frames read in one call: more than one window.
    const uint64_t frames = (12u << 20) / 4;
    Bytes data;
    data.reserve(frames * 4);
    for (uint64_t i = 0; i < frames; ++i) {
        PutLE(data, i & 0xFFFF, 2);
        PutLE(data, (i >> 16) & 0xFFFF, 2);
    }
    TempDir dir;
    Reader r(dir.Write("big.wav", SimpleWav(1, 2, 44100, 16, data)));
    std::vector<int16_t> out(2 * frames);
    ASSERT_EQ(r->Read(out.data(), frames, 0), frames);
    for (uint64_t i = 0; i < frames; i += 4099) {
        ASSERT_EQ(static_cast<uint16_t>(out[2 * i]), i & 0xFFFF);
        ASSERT_EQ(static_cast<uint16_t>(out[2 * i + 1]), (i >> 16) & 0xFFFF);
    }
    EXPECT_EQ(out.back(), static_cast<int16_t>((frames - 1) >> 16));

    // Sequential reading in engine blocks moves one window along the file.
    const uint32_t before = AudioFile::MappingCount();
    std::vector<int16_t> block(2048);
    for (uint64_t p = 0; p < frames; p += 1024) ASSERT_GT(r->Read(block.data(), 1024, p), 0u);
    EXPECT_LE(AudioFile::MappingCount() - before, 4u);
}

TEST(AudioFileWav, HostileHeadersFailOrReadSafely) {
    Bytes hugeBeforeFmt = ChunkLE("JUNK", Bytes(4), 0xFFFFFFF4);  // 12 + 8 + size wraps in 32 bits
    Append(hugeBeforeFmt, ChunkLE("fmt ", FmtBody(1, 2, 44100, 16)));
    Append(hugeBeforeFmt, ChunkLE("data", Bytes(64)));
    Bytes hugeAfterFmt = ChunkLE("fmt ", FmtBody(1, 2, 44100, 16));
    Append(hugeAfterFmt, ChunkLE("LIST", Bytes(4), 0xFFFFFFF8));
    Append(hugeAfterFmt, ChunkLE("data", Bytes(64)));
    Bytes resync = ChunkLE("fmt ", FmtBody(1, 2, 44100, 16));
    // After a zero size the search steps 4 bytes: onto the zero size field,
    // whose following word (4) skips the filler to the data chunk.
    Append(resync, ChunkLE("zero", Bytes{}, 0));
    PutLE(resync, 4, 4);
    Append(resync, Bytes(4, 'x'));
    Append(resync, ChunkLE("data", Samples16({1, 2})));
    Bytes noData = ChunkLE("fmt ", FmtBody(1, 2, 44100, 16));
    Append(noData, ChunkLE("JUNK", Bytes(40)));
    Bytes bigFmt = ChunkLE("fmt ", FmtBody(1, 2, 44100, 16), 0xFFFFFF00);
    Append(bigFmt, Bytes(40));
    const Bytes valid = SimpleWav(1, 2, 44100, 16, Bytes(64));
    Bytes notRiff = valid;
    notRiff[3] = 'X';
    Bytes truncated = valid;
    truncated.resize(41);

    struct Case {
        const char* name;
        Bytes file;
        bool opens;
        uint64_t frames;
    };
    const Case cases[] = {
        {"39 bytes", Bytes(valid.begin(), valid.begin() + 39), false, 0},
        {"not RIFF", notRiff, false, 0},
        {"truncated in the data header", truncated, false, 0},
        {"chunk size near 2^32 before fmt", Riff(hugeBeforeFmt), false, 0},
        {"chunk size near 2^32 after fmt", Riff(hugeAfterFmt), false, 0},
        {"format chunk size near 2^32", Riff(bigFmt), false, 0},
        {"zero-sized chunk resyncs to data", Riff(resync), true, 1},
        {"no data chunk", Riff(noData), false, 0},
        {"zero channels", SimpleWav(1, 0, 44100, 16, Bytes(64)), true, 0},
        {"zero rate", SimpleWav(1, 2, 0, 16, Bytes(64)), false, 16},
        {"zero bits", SimpleWav(1, 2, 44100, 0, Bytes(64)), false, 0},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.Write("h.wav", c.file);
        AudioFile f(path.c_str(), 0, 2);
        EXPECT_EQ(f.Open(path.c_str(), 0), c.opens);
        if (!c.opens && f.Error() != 0) {
            EXPECT_EQ(f.Duration(), 0);
        }
        f.SetUnsupported(false);
        EXPECT_EQ(f.FrameCount(), c.frames);
        std::vector<int16_t> out(2 * 64);
        EXPECT_LE(f.Read(out.data(), 64, 0), c.frames);
        EXPECT_LE(f.Read(out.data(), 64, 1), c.frames);
    }
}

TEST(AudioFileWav, FailuresAreLoggedWithSourceFunctionAndLine) {
    TempDir dir;
    LogRecorder log;
    {
        const Bytes bytes = SimpleWav(1, 2, 44100, 16, Bytes(64));
        Reader shortFile(dir.Write("short.wav", Bytes(bytes.begin(), bytes.begin() + 39)));
        EXPECT_EQ(shortFile->Error(), AudioFile::kErrorOpening);
        EXPECT_EQ(shortFile->Duration(), 0);
    }
    EXPECT_TRUE(log.records.empty()) << "a short file fails without a message";

    const std::string missing = dir.File("missing.wav");
    AudioFile f(missing.c_str(), 0, 2);
    EXPECT_FALSE(f.Open(missing.c_str(), 0));
    EXPECT_EQ(f.Error(), ENOENT);
    ASSERT_EQ(log.records.size(), 1u);
    const auto& r = log.records[0];
    EXPECT_EQ(r.level, wxLOG_Warning);
    EXPECT_EQ(r.text, "Failed to open file: \"" + missing + "\". Code: 00000002");
    EXPECT_EQ(r.file, "Source/Engine/AudioFile");
    EXPECT_EQ(r.function, "Open");
    EXPECT_EQ(r.line, 337);

    // Creating in a folder that does not exist.
    const std::string nowhere = dir.File("no/such/dir.wav");
    AudioFile w(nowhere.c_str(), 0, 2);
    EXPECT_FALSE(w.Create(10));
    ASSERT_EQ(log.records.size(), 2u);
    EXPECT_EQ(log.records[1].function, "Create");
    EXPECT_EQ(log.records[1].line, 591);
}

TEST(AudioFileWav, DurationAndReadsReopenAClosedFile) {
    TempDir dir;
    Reader r(dir.Write("a.wav", SimpleWav(1, 2, 44100, 16, Samples16({1, 2, 3, 4}))));
    const int32_t duration = r->Duration();
    EXPECT_TRUE(r->Close());
    EXPECT_FALSE(r->IsOpen());
    EXPECT_EQ(r->Duration(), duration);
    int16_t out[4] = {};
    EXPECT_EQ(r->Read(out, 2, 0), 2u);
    EXPECT_TRUE(r->IsOpen());
    EXPECT_EQ(out[2], 3);
}

TEST(AudioFileWav, FilesRegisterForTheirLifetime) {
    TempDir dir;
    const size_t before = RegisteredAudioFileCount();
    auto* a = new AudioFile(dir.File("none.wav").c_str(), 0, 2);
    auto* b = new AudioFile(dir.File("none.wav").c_str(), 0, 2);
    EXPECT_EQ(a->Tag(), MakeTag("AFLE"));
    EXPECT_EQ(RegisteredAudioFileCount(), before + 2);
    EXPECT_TRUE(IsAudioFileRegistered(a));
    b->AddRef();
    EXPECT_EQ(Object::Release(b), 1);
    EXPECT_EQ(Object::Release(b), 0);
    EXPECT_FALSE(IsAudioFileRegistered(b));
    Object::Release(a);
    EXPECT_EQ(RegisteredAudioFileCount(), before);
}

TEST(AudioFileWav, WriteModeRoundTrip) {
    for (bool cart : {false, true}) {
        SCOPED_TRACE(cart ? "with cart chunk" : "plain");
        TempDir dir;
        const std::string tmp = dir.File("out.tmp"), final = dir.File("out.wav");
        {
            AudioFile w(tmp.c_str(), 0, 2);
            w.SetFormat(2, 2, 44100);
            w.SetOptions(cart ? AudioFile::kOptionWriteCart : 0);
            ASSERT_TRUE(w.Create(0));
            // Written in blocks, growing the file as it goes.
            for (uint64_t p = 0; p < 30000; p += 1000) {
                uint8_t* at = nullptr;
                ASSERT_EQ(w.WriteAccess(&at, 1000, p), 1000u);
                for (uint64_t i = 0; i < 1000; ++i) {
                    StoreLE16(at + 4 * i, static_cast<uint16_t>(p + i));
                    StoreLE16(at + 4 * i + 2, static_cast<uint16_t>(-static_cast<int>(p + i)));
                }
            }
            ASSERT_TRUE(w.Finish(final.c_str()));
            EXPECT_EQ(w.Name(), final.c_str());
            EXPECT_EQ(w.Duration(), 30000 * 1000 / 44100);
        }
        const Bytes bytes = fixture::ReadAll(final);
        const uint64_t header = cart ? 80 + 2056 : 80;
        ASSERT_EQ(bytes.size(), header + 120000);  // cut to the data
        EXPECT_EQ(LoadLE32(bytes.data() + 4), bytes.size() - 8);
        Reader r(final);
        EXPECT_TRUE(r->IsOk());
        EXPECT_EQ(r->FrameCount(), 30000u);
        const auto samples = r.ReadAll();
        ASSERT_EQ(samples.size(), 60000u);
        EXPECT_EQ(samples[2 * 29999], static_cast<int16_t>(29999));
        EXPECT_EQ(samples[2 * 29999 + 1], static_cast<int16_t>(-29999));
    }
}

TEST(AudioFileWav, HumanReadableSizes) {
    const std::pair<uint64_t, const char*> cases[] = {
        {0, "0 B"}, {799, "799 B"}, {800, "0.8 KB"}, {1536, "1.5 KB"}, {99 * 1024, "99.0 KB"},
        {100 * 1024, "100 KB"}, {5ull << 30, "5.0 GB"}, {3000ull << 40, "3000 TB"},
    };
    for (auto [bytes, text] : cases) EXPECT_EQ(HumanReadableSize(bytes), text) << bytes;
}

TEST(AudioFileWav, WriteModeBeyond4GiBBecomesRF64) {
    // A sparse file: the windows are handed out but never touched.
    TempDir dir;
    const std::string path = dir.File("big.wav");
    const uint64_t frames = (uint64_t{1} << 30) + 4096;  // 4 GiB + 16 KiB of stereo 16-bit
    {
        AudioFile w(path.c_str(), 0, 2);
        w.SetFormat(2, 2, 44100);
        ASSERT_TRUE(w.Create(0));
        uint64_t p = 0;
        while (p < frames) {
            uint8_t* at = nullptr;
            const uint64_t k = w.WriteAccess(&at, frames - p, p);
            ASSERT_GT(k, 0u);
            p += k;
        }
        EXPECT_EQ(w.DataSize(), frames * 4);
        ASSERT_TRUE(w.Finish(UString()));
    }
    const Bytes header = [&] {
        Bytes all(80);
        FILE* f = std::fopen(path.c_str(), "rb");
        EXPECT_EQ(std::fread(all.data(), 1, all.size(), f), all.size());
        std::fclose(f);
        return all;
    }();
    EXPECT_EQ(std::string(header.begin(), header.begin() + 4), "RF64");
    EXPECT_EQ(std::string(header.begin() + 12, header.begin() + 16), "ds64");
    EXPECT_EQ(LoadLE64(header.data() + 20), 80 + frames * 4 - 8);  // 64-bit RIFF size
    EXPECT_EQ(LoadLE64(header.data() + 28), frames * 4);           // 64-bit data size
    EXPECT_EQ(LoadLE32(header.data() + 76), 0xFFFFFFFFu);           // data chunk size
    Reader r(path);
    EXPECT_TRUE(r->IsOk());
    EXPECT_EQ(r->FrameCount(), frames);
    EXPECT_EQ(r->Duration(), static_cast<int32_t>(frames * 1000 / 44100 + 1));
    int16_t out[4] = {1, 1, 1, 1};
    EXPECT_EQ(r->Read(out, 2, frames - 1), 1u);
    EXPECT_EQ(out[0], 0);
}
