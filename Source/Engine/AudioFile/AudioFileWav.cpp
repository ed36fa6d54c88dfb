// The WAV parser: RIFF and RF64 files, all integers little-endian.

#include <unistd.h>

#include <algorithm>

#include "Source/Engine/AudioFile/AudioFile.h"
#include "Source/Engine/AudioFile/ByteOrder.h"
#include "Source/Engine/Base/AudioFormat.h"
#include "Source/Engine/Base/EngineRate.h"

namespace {

constexpr int64_t kMinimumFileBytes = 40;
// A zero-sized chunk may be garbage: the data search then steps 4 bytes at a
// time, but only within the first 32 KiB of the file.
constexpr uint64_t kResyncLimit = 32768;
// WAVE_FORMAT_EXTENSIBLE: the real format is the first two bytes of the
// sub-format GUID, 24 bytes into a format chunk body of at least 40 bytes.
constexpr uint32_t kExtensibleMinimumSize = 40;
constexpr uint64_t kSubFormatOffset = 8 + 24;

uint64_t NextChunk(uint64_t offset, uint32_t size) {
    uint64_t next = offset + 8 + size;
    if (next & 1) ++next;  // pad byte
    return next;
}

bool IsPlayable(uint32_t tag, uint32_t channels, uint64_t rate, uint32_t bits, uint32_t options) {
    if (tag != kFormatPcm && tag != kFormatIeeeFloat) return false;
    if (tag == kFormatIeeeFloat && bits != 32) return false;
    if (channels > 2) return false;
    if (rate != kEngineSampleRate && !(options & AudioFile::kOpenAnyRate)) return false;
    return bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

bool AudioFile::Open(const UString& path, uint32_t options) {
    if (fd_ > 0) Close();
    error_ = kErrorOpening;
    SetName(path);
    pageSize_ = static_cast<int32_t>(::sysconf(_SC_PAGESIZE));
    if (!OpenDescriptor(path, true)) return false;
    if (fileSize_ < kMinimumFileBytes) return false;
    const uint64_t fileSize = static_cast<uint64_t>(fileSize_);

    const uint8_t* riff = Bytes(0, 12);
    if (!riff || !(IsChunkId(riff, "RIFF") || IsChunkId(riff, "RF64"))) return false;

    // Find the format chunk, remembering a "ds64" chunk on the way.
    uint64_t offset = 12, ds64 = 0;
    for (;;) {
        if (offset >= fileSize - kMinimumFileBytes) break;
        const uint8_t* chunk = Bytes(offset, 8);
        if (!chunk) return false;
        const uint32_t size = LoadLE32(chunk + 4);
        if (IsChunkId(chunk, "fmt ") || size == 0) break;
        if (IsChunkId(chunk, "ds64")) ds64 = offset;
        offset = NextChunk(offset, size);
    }
    const uint8_t* fmt = Bytes(offset, 24);
    if (!fmt) return false;
    const uint32_t fmtSize = LoadLE32(fmt + 4);
    uint32_t tag = LoadLE16(fmt + 8);
    const uint32_t channels = LoadLE16(fmt + 10);
    const uint32_t rate = LoadLE32(fmt + 12);
    const uint32_t bits = LoadLE16(fmt + 22);
    if (tag == kFormatExtensible && fmtSize >= kExtensibleMinimumSize) {
        if (const uint8_t* sub = Bytes(offset + kSubFormatOffset, 2)) {
            const uint32_t subTag = LoadLE16(sub);
            if (subTag == kFormatPcm || subTag == kFormatIeeeFloat) tag = subTag;
        }
    }
    formatTag_ = static_cast<int32_t>(tag);
    channels_ = static_cast<int32_t>(channels);
    sampleRate_ = rate;
    unsupported_ = !IsPlayable(tag, channels, rate, bits, options);
    // The width of the stored container: a 20-bit sample sits in 3 bytes.
    bytesPerSample_ = static_cast<int32_t>((bits + 7) / 8);

    // Find the data chunk after the format chunk.
    offset = offset + 8 + fmtSize;
    bool resync = false;
    const uint8_t* data = nullptr;
    for (;;) {
        data = Bytes(offset, 8);
        if (!data) return false;
        if (IsChunkId(data, "data")) break;
        if (resync && offset > std::min<uint64_t>(fileSize, kResyncLimit)) return false;
        const uint32_t size = LoadLE32(data + 4);
        if (size != 0) {
            offset = NextChunk(offset, size);
            if (offset > fileSize) return false;
        } else {
            offset += 4;
            resync = true;
        }
    }
    dataOffset_ = offset + 8;
    const uint32_t size32 = LoadLE32(data + 4);
    uint64_t dataSize = size32;
    if (ds64 != 0 && size32 == 0xFFFFFFFFu) {
        if (const uint8_t* big = Bytes(ds64 + 16, 8)) dataSize = LoadLE64(big);
    }
    // Size 0 means "to the end of the file"; a size past the end is clipped.
    if (dataSize == 0 || dataSize > fileSize - dataOffset_) dataSize = fileSize - dataOffset_;
    dataSize_ = dataSize;

    if ((formatTag_ < 4 || Value() == 0) && channels_ != 0 && bytesPerSample_ != 0 && sampleRate_ != 0) {
        uint64_t ms = dataSize_ / static_cast<uint64_t>(bytesPerSample_) / static_cast<uint64_t>(channels_);
        ms = ms > UINT64_MAX / 1000 ? UINT64_MAX : ms * 1000 / sampleRate_;
        SetDurationMs(ms != 0 ? ms + 1 : 0);
    }
    error_ = 0;
    return !unsupported_;
}
