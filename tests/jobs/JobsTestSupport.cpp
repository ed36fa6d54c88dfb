#include "JobsTestSupport.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <wx/init.h>

namespace jobs_test {
namespace {

// Initialises the toolkit once for the whole test program, so that log
// records of job threads are told apart from the main thread's.
class ToolkitEnvironment : public ::testing::Environment {
public:
    void SetUp() override { initializer_ = new wxInitializer; }
    void TearDown() override { delete initializer_; }

private:
    wxInitializer* initializer_ = nullptr;
};
[[maybe_unused]] ::testing::Environment* const gToolkit =
    ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

void PutLE(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void PutBE(std::string& out, uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

int BytesPerSample(SampleKind kind) {
    switch (kind) {
        case SampleKind::kInt8: return 1;
        case SampleKind::kInt16: return 2;
        case SampleKind::kInt24: return 3;
        default: return 4;
    }
}

double ToneValue(const ToneSpec& shape, uint64_t frame, int channel) {
    const double hz = channel == 0 ? shape.leftHz : shape.rightHz;
    return shape.amplitude * std::sin(2.0 * M_PI * hz * static_cast<double>(frame) / shape.rateHz);
}

// Sample bytes in file order; bigEndian for AIFF.
std::string SampleData(const ToneSpec& shape, bool bigEndian) {
    std::string data;
    const uint64_t frames = FrameCountOf(shape);
    const int width = BytesPerSample(shape.kind);
    data.reserve(frames * shape.channels * width);
    for (uint64_t f = 0; f < frames; ++f) {
        for (int c = 0; c < shape.channels; ++c) {
            const double v = ToneValue(shape, f, c);
            uint64_t bits = 0;
            switch (shape.kind) {
                case SampleKind::kInt8:
                    bits = bigEndian ? static_cast<uint8_t>(static_cast<int8_t>(std::lround(v * 127)))
                                     : static_cast<uint8_t>(128 + std::lround(v * 127));
                    break;
                case SampleKind::kInt16: bits = static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767))); break;
                case SampleKind::kInt24: bits = static_cast<uint32_t>(std::lround(v * 8388607)) & 0xFFFFFF; break;
                case SampleKind::kInt32: bits = static_cast<uint32_t>(static_cast<int32_t>(std::lround(v * 2147483647.0))); break;
                case SampleKind::kFloat32: {
                    const float f32 = static_cast<float>(v);
                    uint32_t u = 0;
                    std::memcpy(&u, &f32, 4);
                    bits = u;
                    break;
                }
            }
            if (bigEndian) {
                PutBE(data, bits, width);
            } else {
                PutLE(data, bits, width);
            }
        }
    }
    return data;
}

}  // namespace

TempDir::TempDir() {
    char pattern[] = "/tmp/vbjobs-XXXXXX";
    const char* made = mkdtemp(pattern);
    path_ = made != nullptr ? made : "/tmp";
    chmod(path_.c_str(), 0755);
}

TempDir::~TempDir() {
    std::error_code error;
    // Restore permissions a test may have taken away, then remove.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_directory(error)) {
            chmod(it->path().c_str(), 0755);
        }
    }
    std::filesystem::remove_all(path_, error);
}

uint64_t FrameCountOf(const ToneSpec& shape) {
    return static_cast<uint64_t>(std::llround(shape.seconds * shape.rateHz));
}

void WriteWav(const std::string& path, const ToneSpec& shape) {
    const std::string data = SampleData(shape, false);
    const int width = BytesPerSample(shape.kind);
    const int32_t tag = shape.formatTagOverride != 0 ? shape.formatTagOverride
                                                     : (shape.kind == SampleKind::kFloat32 ? 3 : 1);
    std::string out;
    out += shape.rf64 ? "RF64" : "RIFF";
    const uint64_t riffSize = 4 + (shape.rf64 ? 36 : 0) + 24 + 8 + data.size();
    PutLE(out, shape.rf64 ? 0xFFFFFFFFu : riffSize, 4);
    out += "WAVE";
    if (shape.rf64) {
        out += "ds64";
        PutLE(out, 28, 4);
        PutLE(out, riffSize, 8);
        PutLE(out, data.size(), 8);
        PutLE(out, FrameCountOf(shape), 8);
        PutLE(out, 0, 4);
    }
    out += "fmt ";
    PutLE(out, 16, 4);
    PutLE(out, static_cast<uint32_t>(tag), 2);
    PutLE(out, shape.channels, 2);
    PutLE(out, shape.rateHz, 4);
    PutLE(out, uint64_t{shape.rateHz} * shape.channels * width, 4);
    PutLE(out, shape.channels * width, 2);
    PutLE(out, width * 8, 2);
    out += "data";
    PutLE(out, shape.rf64 ? 0xFFFFFFFFu : data.size(), 4);
    out += data;
    WriteBytes(path, out);
}

void WriteAiff(const std::string& path, const ToneSpec& shape) {
    const std::string data = SampleData(shape, true);
    const int width = BytesPerSample(shape.kind);
    std::string out = "FORM";
    PutBE(out, 4 + 26 + 16 + data.size(), 4);
    out += "AIFF";
    out += "COMM";
    PutBE(out, 18, 4);
    PutBE(out, shape.channels, 2);
    PutBE(out, FrameCountOf(shape), 4);
    PutBE(out, width * 8, 2);
    // The rate as an 80-bit extended value: exponent, then a normalised mantissa.
    int log2 = 0;
    while ((uint64_t{2} << log2) <= shape.rateHz) {
        ++log2;
    }
    PutBE(out, 16383 + log2, 2);
    PutBE(out, uint64_t{shape.rateHz} << (63 - log2), 8);
    out += "SSND";
    PutBE(out, 8 + data.size(), 4);
    PutBE(out, 0, 4);
    PutBE(out, 0, 4);
    out += data;
    WriteBytes(path, out);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

int RunCommand(const std::string& command, std::string* output) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    std::string text;
    char buffer[65536];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        text.append(buffer, n);
    }
    const int status = pclose(pipe);
    if (output != nullptr) {
        *output = std::move(text);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

StreamInfo ParseFirstHeader(const std::string& stream) {
    // Layer II bit rates in kbit/s by index, MPEG-1.
    static const int kLayer2KbitPerSecond[16] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0};
    static const int kRatesHz[4] = {44100, 48000, 32000, 0};
    StreamInfo info;
    if (stream.size() < 4) {
        return info;
    }
    const auto* b = reinterpret_cast<const unsigned char*>(stream.data());
    if (b[0] != 0xFF || (b[1] & 0xF0) != 0xF0) {
        return info;
    }
    info.mpeg1 = (b[1] & 0x08) != 0;
    info.layer = 4 - ((b[1] >> 1) & 3);
    info.bitRate = kLayer2KbitPerSecond[b[2] >> 4] * 1000;
    info.sampleRateHz = kRatesHz[(b[2] >> 2) & 3];
    info.channels = (b[3] >> 6) == 3 ? 1 : 2;
    return info;
}

std::vector<std::vector<int16_t>> DecodeAll(const std::vector<std::string>& paths, const std::string& scratchDir) {
    std::string command = "ffmpeg -v error -y";
    for (const std::string& path : paths) {
        command += " -i '" + path + "'";
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        command += " -map " + std::to_string(i) + ":a -f s16le -acodec pcm_s16le '" + scratchDir + "/decoded" +
                   std::to_string(i) + ".raw'";
    }
    RunCommand(command);
    std::vector<std::vector<int16_t>> decoded;
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string bytes = ReadBytes(scratchDir + "/decoded" + std::to_string(i) + ".raw");
        std::vector<int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        decoded.push_back(std::move(samples));
    }
    return decoded;
}

double DominantFrequency(const std::vector<int16_t>& samples, int channels, int channel, int rateHz) {
    const size_t frames = samples.size() / channels;
    const size_t begin = frames / 5;
    const size_t end = frames - frames / 5;
    int crossings = 0;
    for (size_t f = begin + 1; f < end; ++f) {
        const int16_t before = samples[(f - 1) * channels + channel];
        const int16_t now = samples[f * channels + channel];
        if (before < 0 && now >= 0) {
            ++crossings;
        }
    }
    return end > begin ? crossings * static_cast<double>(rateHz) / static_cast<double>(end - begin) : 0.0;
}

LogCapture::LogCapture() { previous_ = wxLog::SetActiveTarget(this); }

LogCapture::~LogCapture() { wxLog::SetActiveTarget(previous_); }

std::vector<LogCapture::Record> LogCapture::Records() {
    wxLog::FlushActive();  // records buffered from job threads
    std::lock_guard<std::mutex> lock(mutex_);
    return records_;
}

void LogCapture::DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo& info) {
    std::lock_guard<std::mutex> lock(mutex_);
    records_.push_back({level, std::string(message.utf8_str().data()), info.func ? info.func : "", info.line});
}

std::string BinDir() {
    const char* dir = std::getenv("VB_BIN_DIR");
    if (dir != nullptr && *dir != '\0') {
        return dir;
    }
    // The test executable sits beside the other executables.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("build/bin") : self.parent_path().string();
}

}  // namespace jobs_test
