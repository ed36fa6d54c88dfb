#pragma once
// Fixtures for the job tests: temporary folders, generated WAV/RF64/AIFF
// sines, a log capture, and decoding outputs with ffmpeg.

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include <wx/log.h>
#include <wx/string.h>

namespace jobs_test {

// A fresh folder under /tmp, removed with everything in it at destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

enum class SampleKind { kInt16, kInt24, kFloat32, kInt32, kInt8 };

struct ToneSpec {
    int channels = 2;
    uint32_t rateHz = 44100;
    SampleKind kind = SampleKind::kInt16;
    double seconds = 0.5;
    // Channel 0 and channel 1 carry different tones so that a swap shows.
    double leftHz = 440.0;
    double rightHz = 1000.0;
    double amplitude = 0.5;
    bool rf64 = false;           // RF64 with a ds64 chunk and data size 0xFFFFFFFF
    int32_t formatTagOverride = 0;  // written instead of the natural tag when not 0
};

uint64_t FrameCountOf(const ToneSpec& shape);
// Writes a WAV (or RF64) file holding the tones.
void WriteWav(const std::string& path, const ToneSpec& shape);
// Writes a FORM/AIFF file holding the tones (integer kinds only).
void WriteAiff(const std::string& path, const ToneSpec& shape);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

// The fields of the first frame header of an MPEG audio stream.
struct StreamInfo {
    bool mpeg1 = false;
    int layer = 0;
    int sampleRateHz = 0;
    int channels = 0;
    int bitRate = 0;
};
StreamInfo ParseFirstHeader(const std::string& stream);
// Decodes each stream to interleaved 16-bit samples at its own rate, with
// one ffmpeg run for all of them.
std::vector<std::vector<int16_t>> DecodeAll(const std::vector<std::string>& paths, const std::string& scratchDir);
// Frequency of one channel measured from zero crossings over the middle of
// the signal.
double DominantFrequency(const std::vector<int16_t>& samples, int channels, int channel, int rateHz);

// Runs a shell command and returns its exit status (and its stdout).
int RunCommand(const std::string& command, std::string* output = nullptr);

// Collects log records; installed for its lifetime.
class LogCapture : public wxLog {
public:
    struct Record {
        wxLogLevel level;
        std::string text;
        std::string function;
        int line;
    };
    LogCapture();
    ~LogCapture() override;
    std::vector<Record> Records();

protected:
    void DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo& info) override;

private:
    std::mutex mutex_;
    std::vector<Record> records_;
    wxLog* previous_;
};

// The folder holding the built executables (VB_BIN_DIR).
std::string BinDir();

}  // namespace jobs_test
