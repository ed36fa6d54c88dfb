#pragma once
// Builders for small audio files made from bytes in the tests, a temporary
// folder that removes itself, and a log target that records what was logged.

#include <unistd.h>
#include <wx/log.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fixture {

using Bytes = std::vector<uint8_t>;

inline void PutLE(Bytes& b, uint64_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void PutBE(Bytes& b, uint64_t v, int n) {
    for (int i = n - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void PutId(Bytes& b, const char* id) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(id[i]));
}
inline void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

// A RIFF chunk: id, little-endian size (the body's unless given), body, pad byte.
inline Bytes ChunkLE(const char* id, const Bytes& body, int64_t size = -1) {
    Bytes b;
    PutId(b, id);
    PutLE(b, size < 0 ? body.size() : static_cast<uint64_t>(size), 4);
    Append(b, body);
    if (body.size() & 1) b.push_back(0);
    return b;
}
inline Bytes ChunkBE(const char* id, const Bytes& body, int64_t size = -1) {
    Bytes b;
    PutId(b, id);
    PutBE(b, size < 0 ? body.size() : static_cast<uint64_t>(size), 4);
    Append(b, body);
    if (body.size() & 1) b.push_back(0);
    return b;
}

inline Bytes FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, uint16_t blockAlign = 0) {
    if (blockAlign == 0) blockAlign = static_cast<uint16_t>(channels * ((bits + 7) / 8));
    Bytes b;
    PutLE(b, tag, 2);
    PutLE(b, channels, 2);
    PutLE(b, rate, 4);
    PutLE(b, static_cast<uint64_t>(rate) * blockAlign, 4);
    PutLE(b, blockAlign, 2);
    PutLE(b, bits, 2);
    return b;
}

// WAVE_FORMAT_EXTENSIBLE body (40 bytes) whose sub-format GUID starts with `subTag`.
inline Bytes ExtensibleBody(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t subTag) {
    Bytes b = FmtBody(0xFFFE, channels, rate, bits);
    PutLE(b, 22, 2);    // extra size
    PutLE(b, bits, 2);  // valid bits
    PutLE(b, 3, 4);     // channel mask
    PutLE(b, subTag, 2);
    const uint8_t guidRest[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    b.insert(b.end(), guidRest, guidRest + 14);
    return b;
}

// "RIFF" + size + "WAVE" around the given chunks.
inline Bytes Riff(const Bytes& chunks, const char* id = "RIFF") {
    Bytes b;
    PutId(b, id);
    PutLE(b, chunks.size() + 4, 4);
    PutId(b, "WAVE");
    Append(b, chunks);
    return b;
}

inline Bytes SimpleWav(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& data) {
    Bytes chunks = ChunkLE("fmt ", FmtBody(tag, channels, rate, bits));
    Append(chunks, ChunkLE("data", data));
    return Riff(chunks);
}

inline Bytes Samples16(std::initializer_list<int> values) {
    Bytes b;
    for (int v : values) PutLE(b, static_cast<uint16_t>(v), 2);
    return b;
}

// The 80-bit extended form of an integer rate: sign/exponent word, 64-bit mantissa.
inline Bytes Extended(uint32_t rate) {
    Bytes b;
    if (rate == 0) {
        b.assign(10, 0);
        return b;
    }
    int msb = 31;
    while (!(rate >> msb)) --msb;
    PutBE(b, 16383 + msb, 2);
    PutBE(b, static_cast<uint64_t>(rate) << (63 - msb), 8);
    return b;
}

inline Bytes CommBody(uint16_t channels, uint32_t frames, uint16_t bits, uint32_t rate) {
    Bytes b;
    PutBE(b, channels, 2);
    PutBE(b, frames, 4);
    PutBE(b, bits, 2);
    Append(b, Extended(rate));
    return b;
}

inline Bytes SsndBody(const Bytes& data) {
    Bytes b(8, 0);  // offset, block size
    Append(b, data);
    return b;
}

inline Bytes Form(const Bytes& chunks, const char* type = "AIFF") {
    Bytes b;
    PutId(b, "FORM");
    PutBE(b, chunks.size() + 4, 4);
    PutId(b, type);
    Append(b, chunks);
    return b;
}

inline Bytes SimpleAiff(uint16_t channels, uint16_t bits, uint32_t rate, const Bytes& data) {
    const uint32_t frames = static_cast<uint32_t>(data.size() / (channels * ((bits + 7) / 8)));
    Bytes chunks = ChunkBE("COMM", CommBody(channels, frames, bits, rate));
    Append(chunks, ChunkBE("SSND", SsndBody(data)));
    return Form(chunks);
}

// A temporary folder for the files of one test.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vb-audiofile-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    std::string Write(const std::string& name, const Bytes& bytes) const {
        const std::string p = File(name);
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return p;
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

inline Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Records every log record while it is the active target.
class LogRecorder : public wxLog {
public:
    struct Record {
        wxLogLevel level;
        std::string text, file, function;
        int line;
    };
    LogRecorder() { previous_ = wxLog::SetActiveTarget(this); }
    ~LogRecorder() override { wxLog::SetActiveTarget(previous_); }
    std::vector<Record> records;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override {
        records.push_back({level, std::string(msg.utf8_str()), info.filename ? info.filename : "", info.func ? info.func : "", info.line});
    }

private:
    wxLog* previous_ = nullptr;
};

}  // namespace fixture
