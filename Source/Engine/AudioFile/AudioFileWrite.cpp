// Write mode of the mapped audio file: create a WAV file of a given length,
// hand out writable windows over its data, grow it, and finalise its header
// (RF64 with a "ds64" chunk when a size does not fit 32 bits).

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Source/Engine/AudioFile/AudioFile.h"
#include "Source/Engine/AudioFile/AudioFileLog.h"
#include "Source/Engine/AudioFile/ByteOrder.h"

namespace {

// Room left for a header when none is preset.
constexpr uint64_t kDefaultHeaderBytes = 48;
// The placeholder that becomes "ds64": 8 bytes of chunk header + 28 of body.
constexpr uint64_t kDs64PlaceholderBytes = 36;
constexpr uint32_t kCartBytes = 2048;
constexpr uint64_t k4GiB = 1ull << 32;

}  // namespace

bool AudioFile::Create(uint64_t frames) {
    if (fd_ > 0) Close();
    protection_ = kProtectReadWrite;
    if (pageSize_ <= 0) pageSize_ = static_cast<int32_t>(::sysconf(_SC_PAGESIZE));
    int fd = ::open(Name().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd == 0) {
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 1);
        ::close(fd);
        fd = moved;
    }
    if (fd < 0) {
        error_ = errno;
        LogAudioFile(AudioFileLogSites::kCreateOpenFailed, Name(), static_cast<uint32_t>(error_));
        return false;
    }
    fd_ = fd;
    error_ = 0;
    const uint64_t dataBytes = frames * FrameBytes();
    uint64_t size = dataBytes + (presetHeaderSize_ ? presetHeaderSize_ : kDefaultHeaderBytes);
    size = std::max<uint64_t>(size, static_cast<uint64_t>(pageSize_));
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
        error_ = errno;
        LogAudioFile(AudioFileLogSites::kCreateExtendFailed, Name(), static_cast<uint32_t>(error_));
        if (error_ == ENOSPC) LogAudioFile(AudioFileLogSites::kCreateNoSpace, HumanReadableSize(size));
        return false;
    }
    fileSize_ = static_cast<int64_t>(size);
    if (presetHeaderSize_ != 0) {
        // The caller owns the header; the data follows it.
        dataOffset_ = presetHeaderSize_;
        dataSize_ = dataBytes;
        return true;
    }

    uint64_t headerBytes = 12 + kDs64PlaceholderBytes + 24 + 8 + ((options_ & kOptionWriteCart) ? 8 + kCartBytes : 0);
    uint8_t* h = MapHeader(headerBytes);
    if (!h) return false;
    std::memset(h, 0, headerBytes);
    const uint64_t riffSize = size - 8;
    StoreChunkId(h, "RIFF");
    StoreLE32(h + 4, static_cast<uint32_t>(riffSize));
    StoreChunkId(h + 8, "WAVE");
    uint64_t at = 12;
    if (dataBytes == 0 || riffSize >= k4GiB) {
        // Reserve room for a "ds64" chunk in case the file outgrows 32 bits.
        StoreChunkId(h + at, "JUNK");
        StoreLE32(h + at + 4, kDs64PlaceholderBytes - 8);
        ds64Offset_ = at;
        if (riffSize >= k4GiB) {
            StoreChunkId(h, "RF64");
            StoreLE32(h + 4, 0xFFFFFFFFu);
            StoreLE64(h + at + 8, riffSize);
        }
        at += kDs64PlaceholderBytes;
    }
    const uint32_t rate = static_cast<uint32_t>(sampleRate_);
    StoreChunkId(h + at, "fmt ");
    StoreLE32(h + at + 4, 16);
    StoreLE16(h + at + 8, 1);
    StoreLE16(h + at + 10, static_cast<uint16_t>(channels_));
    StoreLE32(h + at + 12, rate);
    StoreLE32(h + at + 16, static_cast<uint32_t>(rate * FrameBytes()));
    StoreLE16(h + at + 20, static_cast<uint16_t>(FrameBytes()));
    StoreLE16(h + at + 22, static_cast<uint16_t>(bytesPerSample_ * 8));
    at += 24;
    if (options_ & kOptionWriteCart) {
        StoreChunkId(h + at, "cart");
        StoreLE32(h + at + 4, kCartBytes);
        at += 8 + kCartBytes;
    }
    StoreChunkId(h + at, "data");
    StoreLE32(h + at + 4, 0);
    UnmapHeader(h, headerBytes);
    dataSizeFieldOffset_ = at + 4;
    dataOffset_ = at + 8;
    dataSize_ = 0;
    return true;
}

uint64_t AudioFile::WriteAccess(uint8_t** out, uint64_t n, uint64_t p) {
    if (!out || error_ != 0 || fd_ <= 0 || p > static_cast<uint64_t>(INT64_MAX) || !IsWritable()) return 0;
    const uint64_t f = FrameBytes();
    if (f == 0 || p > dataSize_ / f) return 0;
    const uint64_t start = p * f;
    if (start > dataSize_) return 0;
    // A caller gets one pointer: hand out no more than one window holds.
    const uint64_t page = static_cast<uint64_t>(pageSize_ > 0 ? pageSize_ : 4096);
    n = std::min(n, (kWindowBytes - (dataOffset_ + start) % page) / f);
    const uint64_t end = start + n * f;
    if (end >= dataSize_) {
        if (dataSizeFieldOffset_ != 0) {
            if (!GrowFile(end)) return 0;
            dataSize_ = end;
        } else {
            n = (dataSize_ - start) / f;
        }
    }
    if (n == 0) return 0;
    uint8_t* address = MapOffset(dataOffset_ + start, n * f);
    if (!address) return 0;
    *out = address;
    return n;
}

bool AudioFile::GrowFile(uint64_t length) {
    if (length + dataOffset_ < static_cast<uint64_t>(fileSize_)) return true;
    UnmapAll();
    // Grow in 8 MiB steps beyond what is needed, so that sequential writes
    // do not extend the file at every block.
    const uint64_t size = length + dataOffset_ + kWindowBytes;
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
        error_ = errno;
        LogAudioFile(AudioFileLogSites::kGrowExtendFailed, Name(), static_cast<uint32_t>(error_));
        return false;
    }
    fileSize_ = static_cast<int64_t>(size);
    return true;
}

void AudioFile::WriteDataSize(uint8_t* header) {
    if (dataSizeFieldOffset_ == 0) return;
    if (dataSize_ >= k4GiB && ds64Offset_ != 0) {
        StoreLE64(header + ds64Offset_ + 16, dataSize_);
        if (LoadLE32(header + dataSizeFieldOffset_) != 0xFFFFFFFFu) {
            StoreLE32(header + dataSizeFieldOffset_, 0xFFFFFFFFu);
            StoreChunkId(header + ds64Offset_, "ds64");
        }
    } else {
        StoreLE32(header + dataSizeFieldOffset_, static_cast<uint32_t>(dataSize_));
    }
}

void AudioFile::WriteContainerSize(uint8_t* header, uint64_t fileSize) {
    const uint64_t riffSize = fileSize - 8;
    if (riffSize < k4GiB) {
        StoreLE32(header + 4, static_cast<uint32_t>(riffSize));
    } else if (ds64Offset_ != 0) {
        StoreChunkId(header, "RF64");
        StoreLE32(header + 4, 0xFFFFFFFFu);
        StoreChunkId(header + ds64Offset_, "ds64");
        StoreLE64(header + ds64Offset_ + 8, riffSize);
    } else {
        StoreLE32(header + 4, static_cast<uint32_t>(riffSize));
    }
}

bool AudioFile::Finish(const UString& newPath) {
    if (fd_ > 0 && IsWritable() && dataSizeFieldOffset_ != 0) {
        uint8_t* header = MapHeader(HeaderLength());
        if (!header) {
            Close();
            return false;
        }
        WriteDataSize(header);
        UnmapHeader(header, HeaderLength());
        dataSizeFieldOffset_ = 0;
    }
    if (channels_ > 0 && sampleRate_ != 0 && bytesPerSample_ > 0)
        SetDurationMs(dataSize_ / static_cast<uint64_t>(bytesPerSample_) / static_cast<uint64_t>(channels_) * 1000 / sampleRate_);
    const bool closed = Close();
    if (!newPath.IsEmpty() && std::rename(Name().c_str(), newPath.c_str()) == 0) SetName(newPath);
    unsupported_ = false;
    return closed;
}
