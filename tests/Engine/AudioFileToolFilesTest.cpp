// Files written by sox and ffmpeg at test time: the reader must find the same
// number of frames and the same samples as the tools' own raw dump.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "Source/Engine/AudioFile/AudioFileAIFF.h"
#include "Source/Engine/AudioFile/ByteOrder.h"
#include "Source/Engine/AudioFile/SampleConvert.h"
#include "tests/Engine/AudioFileFixtures.h"

using namespace fixture;

namespace {

bool HaveTool(const char* name) { return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0; }

bool RunQuietly(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// How the raw dump (little-endian, same width as stored) maps to 16 bits.
enum class Raw { S16, S24, F32 };

std::vector<int16_t> Expected(const Bytes& raw, Raw kind, int channels) {
    const size_t width = kind == Raw::S16 ? 2 : kind == Raw::S24 ? 3 : 4;
    std::vector<int16_t> samples;
    for (size_t at = 0; at + width <= raw.size(); at += width) {
        const uint8_t* p = &raw[at];
        int16_t v = 0;
        if (kind == Raw::S16) v = static_cast<int16_t>(LoadLE16(p));
        if (kind == Raw::S24) v = static_cast<int16_t>(LoadLE16(p + 1));
        if (kind == Raw::F32) {
            const uint32_t bits = LoadLE32(p);
            float f;
            std::memcpy(&f, &bits, 4);
            v = FloatToSample16(f);
        }
        samples.push_back(v);
        if (channels == 1) samples.push_back(v);
    }
    return samples;
}

}  // namespace

TEST(AudioFileToolFiles, ReaderMatchesTheToolsRawDump) {
    struct Case {
        const char* tool;
        const char* file;
        std::string make;  // writes FILE
        std::string dump;  // writes FILE.raw
        Raw kind;
        int channels;
        uint64_t rate;
    };
    const std::string sine = "-f lavfi -i sine=frequency=440:duration=0.3:sample_rate=";
    const Case cases[] = {
        {"sox", "s16.wav", "sox -n -r 44100 -c 2 -b 16 FILE synth 0.3 sine 440 sine 1000",
         "sox FILE -t raw -e signed -b 16 -L FILE.raw", Raw::S16, 2, 44100},
        {"sox", "s24.wav", "sox -n -r 48000 -c 2 -b 24 FILE synth 0.3 sine 440 sine 1000",
         "sox FILE -t raw -e signed -b 24 -L FILE.raw", Raw::S24, 2, 48000},
        {"sox", "s24.aiff", "sox -n -r 44100 -c 2 -b 24 FILE synth 0.3 sine 440 sine 1000",
         "sox FILE -t raw -e signed -b 24 -L FILE.raw", Raw::S24, 2, 44100},
        {"sox", "m16.aif", "sox -n -r 22050 -c 1 -b 16 FILE synth 0.3 sine 440",
         "sox FILE -t raw -e signed -b 16 -L FILE.raw", Raw::S16, 1, 22050},
        {"ffmpeg", "f32.wav", "ffmpeg -y " + sine + "44100 -ac 2 -c:a pcm_f32le FILE",
         "ffmpeg -y -i FILE -f f32le -c:a pcm_f32le FILE.raw", Raw::F32, 2, 44100},
        {"ffmpeg", "meta.wav", "ffmpeg -y " + sine + "44100 -ac 1 -metadata title=tone -c:a pcm_s16le FILE",
         "ffmpeg -y -i FILE -f s16le -c:a pcm_s16le FILE.raw", Raw::S16, 1, 44100},
        {"ffmpeg", "rf64.wav", "ffmpeg -y " + sine + "44100 -ac 2 -rf64 always -c:a pcm_s16le FILE",
         "ffmpeg -y -i FILE -f s16le -c:a pcm_s16le FILE.raw", Raw::S16, 2, 44100},
        {"ffmpeg", "x24.wav", "ffmpeg -y " + sine + "32000 -ac 2 -c:a pcm_s24le FILE",
         "ffmpeg -y -i FILE -f s24le -c:a pcm_s24le FILE.raw", Raw::S24, 2, 32000},
        {"ffmpeg", "be16.aiff", "ffmpeg -y " + sine + "48000 -ac 2 -c:a pcm_s16be FILE",
         "ffmpeg -y -i FILE -f s16le -c:a pcm_s16le FILE.raw", Raw::S16, 2, 48000},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        if (!HaveTool(c.tool)) {
            ADD_FAILURE() << c.tool << " is not installed (tools/install-deps.sh installs it)";
            continue;
        }
        const std::string path = dir.File(c.file);
        auto expand = [&](std::string command) {
            for (size_t at; (at = command.find("FILE")) != std::string::npos;) command.replace(at, 4, path);
            return command;
        };
        ASSERT_TRUE(RunQuietly(expand(c.make)));
        ASSERT_TRUE(RunQuietly(expand(c.dump)));
        const std::vector<int16_t> expected = Expected(ReadAll(path + ".raw"), c.kind, c.channels);
        ASSERT_GT(expected.size(), 1000u);

        const std::string name = c.file;
        const bool isWav = name.substr(name.size() - 4) == ".wav";
        std::unique_ptr<AudioFile, int32_t (*)(Object*)> reader(
            isWav ? new AudioFile(path.c_str(), 0, 2) : new AudioFileAIFF(path.c_str(), 0, 2), &Object::Release);
        reader->SetUnsupported(false);  // as the encode job does for other rates
        EXPECT_EQ(reader->Channels(), c.channels);
        EXPECT_EQ(reader->SampleRate(), c.rate);
        EXPECT_EQ(reader->FrameCount(), expected.size() / 2);
        EXPECT_GT(reader->Duration(), 290);

        std::vector<int16_t> got;
        std::vector<int16_t> block(2 * 1024);
        for (uint64_t p = 0;; p += 1024) {
            const uint64_t k = reader->Read(block.data(), 1024, p);
            got.insert(got.end(), block.begin(), block.begin() + 2 * k);
            if (k < 1024) break;
        }
        ASSERT_EQ(got.size(), expected.size());
        EXPECT_TRUE(got == expected);
        EXPECT_EQ(std::vector<int16_t>(got.begin(), got.begin() + 8), std::vector<int16_t>(expected.begin(), expected.begin() + 8));
    }
}
