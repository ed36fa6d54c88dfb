// The encode job end to end: generated inputs, the job run in-process,
// outputs decoded with ffmpeg.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "JobsTestSupport.h"
#include "Source/Engine/AudioFile/AudioFile.h"
#include "Source/Engine/Base/AudioFormat.h"
#include "Source/Engine/Output/EncoderFile.h"
#include "ZA2Durizez/core/BatchFileItem.h"
#include "ZA2Durizez/core/EncodeJob.h"
#include "ZA2Durizez/core/EncodeShared.h"

using namespace jobs_test;

namespace {

constexpr int kLayer2FrameSamples = 1152;

struct JobResult {
    int32_t status = -1;
    int32_t progress = -1;
    std::vector<uint64_t> blocks;  // frames done after each block
};

// Runs one job the way the scheduler does: item Encoding, worker counted.
JobResult RunJob(const std::string& path, std::function<void(uint64_t)> onBlock = nullptr) {
    BatchFileItem item(wxString::FromUTF8(path));
    item.SetStatus(kJobEncoding);
    gRunningWorkers.fetch_add(1);
    JobResult result;
    EncodeJob job(item, [&result](BatchFileItem&, int32_t status) { result.status = status; });
    job.SetBlockEvent([&](BatchFileItem&, uint64_t done) {
        result.blocks.push_back(done);
        if (onBlock) {
            onBlock(done);
        }
    });
    job.Run();
    result.progress = item.Progress();
    EXPECT_EQ(item.Status(), result.status);
    return result;
}

std::string OutputOf(const std::string& input) { return input.substr(0, input.find_last_of('.')) + ".mp2"; }

const char* KindName(SampleKind kind) {
    switch (kind) {
        case SampleKind::kInt16: return "16-bit";
        case SampleKind::kInt24: return "24-bit";
        case SampleKind::kFloat32: return "float";
        default: return "other";
    }
}

struct FormatCase {
    ToneSpec shape;
    bool aiff = false;
};

std::vector<FormatCase> AdmittedFormats() {
    std::vector<FormatCase> cases;
    for (SampleKind kind : {SampleKind::kInt16, SampleKind::kInt24, SampleKind::kFloat32}) {
        for (int channels : {1, 2}) {
            for (uint32_t rate : {16000u, 22050u, 24000u, 32000u, 44100u, 48000u}) {
                FormatCase c;
                c.shape.kind = kind;
                c.shape.channels = channels;
                c.shape.rateHz = rate;
                cases.push_back(c);
            }
        }
    }
    FormatCase rf64;
    rf64.shape.rf64 = true;
    rf64.shape.rateHz = 48000;
    cases.push_back(rf64);
    for (SampleKind kind : {SampleKind::kInt16, SampleKind::kInt24}) {
        for (int channels : {1, 2}) {
            FormatCase aiff;
            aiff.aiff = true;
            aiff.shape.kind = kind;
            aiff.shape.channels = channels;
            aiff.shape.rateHz = channels == 1 ? 22050 : 44100;
            cases.push_back(aiff);
        }
    }
    return cases;
}

}  // namespace

TEST(EncodeJob, EveryAdmittedFormatDecodesToItsTones) {
    TempDir dir;
    const std::vector<FormatCase> cases = AdmittedFormats();
    std::vector<std::string> names;
    std::vector<std::string> outputs;
    for (const FormatCase& c : cases) {
        const ToneSpec& shape = c.shape;
        const std::string name = std::string(c.aiff ? "aiff" : (shape.rf64 ? "rf64" : "wav")) + "-" +
                                 KindName(shape.kind) + "-" + std::to_string(shape.channels) + "ch-" +
                                 std::to_string(shape.rateHz);
        SCOPED_TRACE(name);
        const std::string input = dir / (name + (c.aiff ? ".aiff" : ".wav"));
        if (c.aiff) {
            WriteAiff(input, shape);
        } else {
            WriteWav(input, shape);
        }
        const JobResult result = RunJob(input);
        ASSERT_EQ(result.status, kJobDone);
        EXPECT_EQ(result.progress, 1000);
        names.push_back(name);
        outputs.push_back(OutputOf(input));
    }

    const std::vector<std::vector<int16_t>> decoded = DecodeAll(outputs, dir.Path());
    for (size_t i = 0; i < cases.size(); ++i) {
        const ToneSpec& shape = cases[i].shape;
        SCOPED_TRACE(names[i]);
        const StreamInfo info = ParseFirstHeader(ReadBytes(outputs[i]));
        EXPECT_TRUE(info.mpeg1);
        EXPECT_EQ(info.layer, 2);
        EXPECT_EQ(info.sampleRateHz, 44100);
        EXPECT_EQ(info.channels, shape.channels);
        EXPECT_EQ(info.bitRate, shape.channels == 1 ? 128000 : 256000);

        const std::vector<int16_t>& samples = decoded[i];
        const double decodedFrames = static_cast<double>(samples.size()) / shape.channels;
        EXPECT_NEAR(decodedFrames, shape.seconds * 44100, 2 * kLayer2FrameSamples);
        EXPECT_NEAR(DominantFrequency(samples, shape.channels, 0, 44100), shape.leftHz, shape.leftHz * 0.03);
        if (shape.channels == 2) {
            EXPECT_NEAR(DominantFrequency(samples, shape.channels, 1, 44100), shape.rightHz, shape.rightHz * 0.03);
        }
    }
}

// The frame total comes from the exact frame count: an AIFF file whose
// length is not a whole number of milliseconds still has its last frames
// encoded, and a WAV file is read to its last frame.
TEST(EncodeJob, PumpsExactlyTheFramesOfTheFile) {
    TempDir dir;
    for (bool aiff : {true, false}) {
        SCOPED_TRACE(aiff ? "aiff" : "wav");
        ToneSpec shape;
        shape.seconds = 44143.0 / 44100;  // 1000 ms and 43 frames
        const std::string input = dir / (aiff ? "odd.aif" : "odd.wav");
        aiff ? WriteAiff(input, shape) : WriteWav(input, shape);
        const JobResult result = RunJob(input);
        ASSERT_EQ(result.status, kJobDone);
        ASSERT_FALSE(result.blocks.empty());
        EXPECT_EQ(result.blocks.back(), 44143u);
        EXPECT_EQ(result.blocks.size(), (44143u + 1023) / 1024);
    }
}

// The job's output is what the chain makes of every frame of the file, fed
// in 1024-frame blocks: the same bytes as feeding the encoder directly.
TEST(EncodeJob, WavOutputMatchesTheEncoderFedDirectly) {
    TempDir dir;
    ToneSpec shape;
    shape.seconds = 1.3;
    const std::string input = dir / "take.wav";
    WriteWav(input, shape);
    ASSERT_EQ(RunJob(input).status, kJobDone);

    const std::string direct = dir / "direct.mp2";
    {
        AudioFormat format;
        format.Initialise(kFormatMpeg);
        format.SetChannels(2);
        format.SetBitRate(256000);
        format.SetBitsPerSample(16);
        format.SetSamplesPerSecond(44100);
        EncoderFile encoder(UString(direct.c_str()), format);
        auto* reader = new AudioFile(UString(input.c_str()), 0, 2);
        int16_t block[2048];
        uint64_t position = 0;
        uint64_t got = 0;
        while ((got = reader->Read(block, 1024, position)) != 0) {
            encoder.Write(block, got, position);
            position += got;
        }
        EXPECT_TRUE(encoder.Flush());
        Object::Release(reader);
    }
    EXPECT_EQ(ReadBytes(OutputOf(input)), ReadBytes(direct));
}

TEST(EncodeJob, OutputSitsBesideTheInputAndTheInputIsUntouched) {
    TempDir dir;
    ASSERT_EQ(mkdir((dir / "b.c").c_str(), 0755), 0);
    ToneSpec shape;
    shape.seconds = 0.2;
    struct Case {
        std::string input;
        bool aiff;
    };
    for (const Case& c : {Case{"b.c/take.WAV", false}, Case{"b.c/loop.AIFF", true}, Case{"b.c/hit.aif", true}}) {
        SCOPED_TRACE(c.input);
        const std::string input = dir / c.input;
        c.aiff ? WriteAiff(input, shape) : WriteWav(input, shape);
        const std::string before = ReadBytes(input);
        ASSERT_EQ(RunJob(input).status, kJobDone);
        EXPECT_TRUE(FileExists(OutputOf(input)));
        EXPECT_EQ(ReadBytes(input), before);
    }
    EXPECT_FALSE(FileExists(dir / "b.mp2"));
}

// A job deletes only an output it created itself.
TEST(EncodeJob, FailuresTouchNoFileTheJobDidNotWrite) {
    TempDir dir;
    LogCapture log;
    // An unsupported type: its would-be output is the input itself, or (no
    // dot in the name) a file outside its folder.
    ASSERT_EQ(mkdir((dir / "d.e").c_str(), 0755), 0);
    WriteBytes(dir / "song.mp2", "not ours");
    WriteBytes(dir / "d.e/noext", "input");
    WriteBytes(dir / "d.mp2", "not ours either");
    for (const char* name : {"song.mp2", "d.e/noext"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(RunJob(dir / name).status, kJobFailed);
    }
    EXPECT_EQ(ReadBytes(dir / "song.mp2"), "not ours");
    EXPECT_EQ(ReadBytes(dir / "d.mp2"), "not ours either");

    // An output name linked to the input: writing it would destroy the input.
    ToneSpec shape;
    shape.seconds = 0.2;
    WriteWav(dir / "linked.wav", shape);
    const std::string before = ReadBytes(dir / "linked.wav");
    ASSERT_EQ(link((dir / "linked.wav").c_str(), (dir / "linked.mp2").c_str()), 0);
    EXPECT_EQ(RunJob(dir / "linked.wav").status, kJobFailed);
    EXPECT_EQ(ReadBytes(dir / "linked.wav"), before);

    const auto records = log.Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].level, wxLOG_Error);
    EXPECT_EQ(records[0].text, "There was an error processing the file \n\n\"" + dir / "song.mp2" +
                                   "\"\n\nPlease try again by adding the file to the list once more.");
    EXPECT_EQ(records[0].function, "OnExit");
    EXPECT_EQ(records[0].line, 475);
}

// A file that has become unreadable since admission produces nothing and
// ends Done, as the reader reports no audio.
TEST(EncodeJob, UnreadableInputWritesNothing) {
    TempDir dir;
    WriteBytes(dir / "gone.wav", "RIFF????WAVEjunk");
    EXPECT_EQ(RunJob(dir / "gone.wav").status, kJobDone);
    EXPECT_FALSE(FileExists(dir / "gone.mp2"));
}

// The output cannot be written (the disk is full): the file ends Failed with
// the error message, and no partial output stays behind.
TEST(EncodeJob, WriteFailureFailsTheFileAndRemovesTheOutput) {
    TempDir dir;
    LogCapture log;
    for (uint32_t rate : {44100u, 48000u}) {
        SCOPED_TRACE(rate);
        ToneSpec shape;
        shape.rateHz = rate;
        shape.seconds = 3;
        const std::string input = dir / ("full" + std::to_string(rate) + ".wav");
        WriteWav(input, shape);
        ASSERT_EQ(symlink("/dev/full", OutputOf(input).c_str()), 0);
        EXPECT_EQ(RunJob(input).status, kJobFailed);
        EXPECT_FALSE(FileExists(OutputOf(input)));
    }
    const auto records = log.Records();
    ASSERT_FALSE(records.empty());
    EXPECT_NE(records.back().text.find("Please try again by adding the file"), std::string::npos);
}

// Cancelling mid-file: the job stops before its next block, leaves the item
// Cancelled with its last progress, and removes the partial output.
TEST(EncodeJob, CancelStopsWithinOneBlockAndRemovesThePartialOutput) {
    TempDir dir;
    for (uint32_t rate : {44100u, 22050u}) {
        SCOPED_TRACE(rate);
        ToneSpec shape;
        shape.rateHz = rate;
        shape.seconds = 2;
        const std::string input = dir / ("cut" + std::to_string(rate) + ".wav");
        WriteWav(input, shape);
        const uint64_t total = FrameCountOf(shape);
        const JobResult result = RunJob(input, [](uint64_t done) {
            if (done == 3 * EncodeJob::kBlockFrames) {
                gCancelFlag.store(true);
            }
        });
        gCancelFlag.store(false);
        EXPECT_EQ(result.status, kJobCancelled);
        EXPECT_EQ(result.blocks.size(), 3u);
        EXPECT_EQ(result.progress, static_cast<int32_t>(3 * EncodeJob::kBlockFrames * 1000 / total));
        EXPECT_FALSE(FileExists(OutputOf(input)));
    }
    EXPECT_EQ(gRunningWorkers.load(), 0);
}
