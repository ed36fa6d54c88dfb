#include "Source/Engine/AudioFile/AudioFileAIFF.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "Source/Engine/AudioFile/AudioFilePieces.h"
#include "Source/Engine/AudioFile/ByteOrder.h"
#include "Source/Engine/AudioFile/CuePoints.h"
#include "Source/Engine/AudioFile/SampleConvert.h"

namespace {

// "FORM" + size + "AIFF", "COMM" chunk of 18 bytes, "SSND" header of 16.
constexpr uint64_t kHeaderBytes = 54;
constexpr uint64_t kFormSizeOffset = 4;
constexpr uint64_t kCommFramesOffset = 22;
// Markers before a known rate are timed at this rate.
constexpr uint64_t kMarkerFallbackRateHz = 48000;
// Exponent of every rate from 32768 to 65535 Hz; the writer stores any
// 16-bit rate as the top of the mantissa under it.
constexpr uint16_t kWriterExponent = 0x400E;
// Room reserved after the data for the marker chunk when finishing.
constexpr uint64_t kMarkerRoomBytes = 16384;
constexpr size_t kMaxMarkerName = 255;

}  // namespace

AudioFileAIFF::AudioFileAIFF(const UString& path, int32_t presetDurationMs, int32_t defaultChannels)
    : AudioFile(path, presetDurationMs, defaultChannels) {
    if (presetDurationMs == 0) AudioFileAIFF::Open(path);
}

AudioFileAIFF::~AudioFileAIFF() {
    // Closed here, while the AIFF header writer is still the one called.
    AudioFileAIFF::Close();
}

uint64_t AudioFileAIFF::DecodeRate(uint16_t exponent, uint32_t mantissaHigh) {
    // The mantissa's integer bit is bit 31; 16414 = 16383 (bias) + 31.
    const unsigned shift = static_cast<unsigned>(16414 - static_cast<int>(exponent)) & 63u;
    return static_cast<uint64_t>(mantissaHigh) >> shift;
}

bool AudioFileAIFF::Open(const UString& path, uint32_t) {
    // Whatever an earlier parse (the base's WAV attempt) left behind goes.
    if (fd_ > 0) AudioFile::Close();
    ResetParsedState();
    error_ = 0;
    SetName(path);
    if (!OpenDescriptor(path, false)) return false;
    if (fileSize_ < static_cast<int64_t>(kHeaderBytes)) return false;
    const uint64_t fileSize = static_cast<uint64_t>(fileSize_);

    const uint8_t* form = Bytes(0, 12);
    if (!form) {
        error_ = kErrorFirstWindow;
        return false;
    }
    if (!IsChunkId(form, "FORM") || !IsChunkId(form + 8, "AIFF")) return false;

    uint64_t offset = 12;
    if (const uint8_t* first = Bytes(offset, 8); first && IsChunkId(first, "(c) ") && LoadBE32(first + 4) == 0) offset = 20;
    bool sawCommon = false, sawSound = false;
    for (;;) {
        const uint8_t* chunk = Bytes(offset, 8);
        if (!chunk) break;
        const uint32_t size = LoadBE32(chunk + 4);
        if (size == 0) break;
        if (IsChunkId(chunk, "SSND")) {
            sawSound = true;
            // The chunk's own offset and block-size fields are skipped.
            dataSize_ = size >= 8 ? size - 8 : 0;
            dataOffset_ = offset + 16;
        } else if (IsChunkId(chunk, "COMM")) {
            sawCommon = ParseCommon(offset);
        } else if (IsChunkId(chunk, "MARK")) {
            ParseMarkers(offset, size);
        }
        // 64-bit arithmetic: a size near 2^32 cannot wrap back to an earlier chunk.
        const uint64_t next = offset + 8 + size + (size & 1);
        if (next >= fileSize) break;
        offset = next;
    }
    // Without both a format and a sound chunk there is no audio: nothing to
    // read (rather than the header bytes at offset 0) and no duration.
    if (!sawCommon || !sawSound) {
        dataSize_ = 0;
        SetValue(0);
    }
    // Only bytes that exist are data.
    if (dataOffset_ >= fileSize)
        dataSize_ = 0;
    else
        dataSize_ = std::min<uint64_t>(dataSize_, fileSize - dataOffset_);
    return true;
}

bool AudioFileAIFF::ParseCommon(uint64_t offset) {
    const uint8_t* c = Bytes(offset, 26);
    if (!c) return false;
    const uint32_t channels = LoadBE16(c + 8);
    const uint32_t frames = LoadBE32(c + 10);
    const uint32_t bits = LoadBE16(c + 14);
    const uint32_t width = (bits + 7) / 8;
    channels_ = static_cast<int32_t>(channels);
    bytesPerSample_ = static_cast<int32_t>(width);
    // A 32-bit product, as the header's frame count can describe no more.
    dataSize_ = static_cast<uint32_t>(channels * frames * width);
    formatTag_ = 1;
    sampleRate_ = DecodeRate(LoadBE16(c + 16), LoadBE32(c + 18));
    if (sampleRate_ != 0 && channels != 0 && width != 0)
        SetDurationMs(dataSize_ / width / channels * 1000 / sampleRate_);
    return true;
}

void AudioFileAIFF::ParseMarkers(uint64_t offset, uint32_t size) {
    const uint64_t rate = sampleRate_ ? sampleRate_ : kMarkerFallbackRateHz;
    const uint64_t end = std::min<uint64_t>(offset + 8 + size, static_cast<uint64_t>(fileSize_));
    if (offset + 10 > end) return;
    const uint8_t* head = Bytes(offset + 8, 2);
    if (!head) return;
    const uint32_t count = LoadBE16(head);
    uint64_t at = offset + 10;
    for (uint32_t i = 0; i < count; ++i) {
        // id (u16), position in frames (u32), name length byte, name.
        if (at + 7 > end) break;
        const uint8_t* m = Bytes(at, 7);
        if (!m) break;
        const uint32_t position = LoadBE32(m + 2);
        const uint32_t length = m[6];
        if (at + 7 + length > end) break;
        const uint8_t* name = Bytes(at + 7, length);
        if (!name && length != 0) break;
        const uint64_t ms = static_cast<uint64_t>(position) * 1000 / rate;
        if (ms > 0) MutableCues().Add(UString(reinterpret_cast<const char*>(name), length), ms);
        // The counted string is padded to an even length.
        at += 7 + length + ((1 + length) & 1);
    }
}

uint64_t AudioFileAIFF::Read(int16_t* buffer, uint64_t n, uint64_t p) {
    if (!ReadyToRead(p)) return 0;
    n = ClipFrames(n, p);
    if (n == 0) return 0;
    const int ch = channels_, width = bytesPerSample_;
    if (width < 1 || width > 4) return ForEachPiece(n, p, [](const uint8_t*, uint64_t, uint64_t) {});
    return ForEachPiece(n, p, [&](const uint8_t* in, uint64_t at, uint64_t k) { ConvertBE(in, buffer + 2 * at, k, ch, width); });
}

bool AudioFileAIFF::Close() { return AudioFile::Close(); }

void AudioFileAIFF::WriteContainerSize(uint8_t* header, uint64_t fileSize) {
    StoreBE32(header + kFormSizeOffset, static_cast<uint32_t>(fileSize - 8));
}

bool AudioFileAIFF::Create(uint64_t frames) {
    presetHeaderSize_ = kHeaderBytes;
    if (!AudioFile::Create(frames)) return false;
    dataSize_ = frames * FrameBytes();
    dataOffset_ = kHeaderBytes;
    uint8_t* h = MapOffset(0, kHeaderBytes);
    if (!h) return false;
    std::memset(h, 0, kHeaderBytes);
    StoreChunkId(h, "FORM");
    StoreBE32(h + 4, static_cast<uint32_t>(dataSize_ + kHeaderBytes - 8));
    StoreChunkId(h + 8, "AIFF");
    StoreChunkId(h + 12, "COMM");
    StoreBE32(h + 16, 18);
    StoreBE16(h + 20, static_cast<uint16_t>(channels_));
    StoreBE32(h + kCommFramesOffset, static_cast<uint32_t>(frames));
    StoreBE16(h + 26, static_cast<uint16_t>(bytesPerSample_ * 8));
    StoreBE16(h + 28, kWriterExponent);
    StoreBE16(h + 30, static_cast<uint16_t>(sampleRate_));
    StoreChunkId(h + 38, "SSND");
    StoreBE32(h + 42, static_cast<uint32_t>(dataSize_ + 8));
    return true;
}

bool AudioFileAIFF::Finish(const UString& newPath) {
    if (fd_ > 0 && IsWritable() && dataSize_ != 0) {
        const uint64_t dataEnd = dataOffset_ + dataSize_;
        if (cuePoints_ && cuePoints_->Count() != 0) {
            // "MARK": count, then per cue id, position in frames, counted name
            // padded to an even length; behind the data's own pad byte.
            const size_t count = std::min<size_t>(cuePoints_->Count(), 0xFFFF);
            const size_t chunkStart = dataEnd & 1;
            size_t total = chunkStart + 10;
            for (size_t i = 0; i < count; ++i) {
                const size_t length = std::min(cuePoints_->At(i).name.Length(), kMaxMarkerName);
                total += 7 + length + ((1 + length) & 1);
            }
            std::vector<uint8_t> mark(total, 0);
            StoreChunkId(&mark[chunkStart], "MARK");
            StoreBE32(&mark[chunkStart + 4], static_cast<uint32_t>(total - chunkStart - 8));
            StoreBE16(&mark[chunkStart + 8], static_cast<uint16_t>(count));
            size_t at = chunkStart + 10;
            for (size_t i = 0; i < count; ++i) {
                const CuePoints::Entry& e = cuePoints_->At(i);
                const size_t length = std::min(e.name.Length(), kMaxMarkerName);
                StoreBE16(&mark[at], static_cast<uint16_t>(i + 1));
                StoreBE32(&mark[at + 2], static_cast<uint32_t>(e.timeMs * sampleRate_ / 1000));
                mark[at + 6] = static_cast<uint8_t>(length);
                std::memcpy(&mark[at + 7], e.name.c_str(), length);
                at += 7 + length + ((1 + length) & 1);
            }
            if (GrowFile(dataSize_ + std::max<uint64_t>(kMarkerRoomBytes, mark.size())) &&
                ::pwrite(fd_, mark.data(), mark.size(), static_cast<off_t>(dataEnd)) == static_cast<ssize_t>(mark.size()))
                trailingSize_ = mark.size();
        }
        if (uint8_t* h = MapOffset(0, kHeaderBytes)) {
            StoreBE32(h + kFormSizeOffset, static_cast<uint32_t>(trailingSize_ + dataEnd - 8));
            StoreBE32(h + dataOffset_ - 12, static_cast<uint32_t>(dataSize_ + 8));
            if (FrameBytes() != 0) StoreBE32(h + kCommFramesOffset, static_cast<uint32_t>(dataSize_ / FrameBytes()));
        }
    }
    const bool closed = AudioFile::Close();
    if (channels_ > 0 && sampleRate_ != 0 && bytesPerSample_ > 0)
        SetDurationMs(dataSize_ / static_cast<uint64_t>(bytesPerSample_) / static_cast<uint64_t>(channels_) * 1000 / sampleRate_);
    if (!newPath.IsEmpty() && std::rename(Name().c_str(), newPath.c_str()) == 0) SetName(newPath);
    unsupported_ = false;
    return closed;
}
