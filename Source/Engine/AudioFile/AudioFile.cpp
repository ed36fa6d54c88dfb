#include "Source/Engine/AudioFile/AudioFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "Source/Engine/AudioFile/AudioFileLog.h"
#include "Source/Engine/AudioFile/AudioFilePieces.h"
#include "Source/Engine/AudioFile/AudioFileRegistry.h"
#include "Source/Engine/AudioFile/CuePoints.h"
#include "Source/Engine/AudioFile/SampleConvert.h"

AudioFile::AudioFile(const UString& path, int32_t presetDurationMs, int32_t defaultChannels)
    : Object(MakeTag("AFLE"), path, presetDurationMs), constructionPath_(path), defaultChannels_(defaultChannels) {
    channels_ = defaultChannels;
    struct stat st;
    if (presetDurationMs == 0 && ::stat(path.c_str(), &st) == 0) AudioFile::Open(path, 0);
    RegisterAudioFile(this);
}

AudioFile::~AudioFile() {
    AudioFile::Close();
    delete[] windows_;
    windows_ = nullptr;
    if (deleteOnClose_) ::unlink(constructionPath_.c_str());
    Object::Release(attached_);
    Object::Release(cuePoints_);
    UnregisterAudioFile(this);
}

bool AudioFile::OpenDescriptor(const UString& path, bool logFailure) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd == 0) {
        // Descriptor 0 means "closed" here: move it out of the way.
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 1);
        ::close(fd);
        fd = moved;
    }
    if (fd < 0) {
        error_ = errno;
        if (logFailure) LogAudioFile(AudioFileLogSites::kOpenFailed, path, static_cast<uint32_t>(error_));
        return false;
    }
    fd_ = fd;
    protection_ = kProtectRead;
    if (pageSize_ <= 0) pageSize_ = static_cast<int32_t>(::sysconf(_SC_PAGESIZE));
    const off_t end = ::lseek(fd_, 0, SEEK_END);
    fileSize_ = end > 0 ? end : 0;
    return true;
}

void AudioFile::ResetParsedState() {
    SetValue(0);
    channels_ = defaultChannels_;
    bytesPerSample_ = 2;
    sampleRate_ = 0;
    formatTag_ = 0;
    unsupported_ = false;
    dataSize_ = 0;
    dataOffset_ = 0;
    dataSizeFieldOffset_ = 0;
    ds64Offset_ = 0;
    trailingSize_ = 0;
    Object::Release(cuePoints_);
    cuePoints_ = nullptr;
}

CuePoints& AudioFile::MutableCues() {
    if (!cuePoints_) cuePoints_ = new CuePoints;
    return *cuePoints_;
}

void AudioFile::SetFormat(int32_t channels, int32_t bytesPerSample, uint64_t sampleRateHz) {
    channels_ = channels;
    bytesPerSample_ = bytesPerSample;
    sampleRate_ = sampleRateHz;
    formatTag_ = 1;
}

void AudioFile::SetDurationMs(uint64_t ms) { SetValue(static_cast<int32_t>(std::min<uint64_t>(ms, INT32_MAX))); }

int32_t AudioFile::Duration() {
    if (Value() != 0) return Value();
    if (fd_ > 0 || error_ != 0) return 0;
    Open(Name(), 0);
    return Value();
}

uint64_t AudioFile::FrameCount() const {
    const uint64_t f = FrameBytes();
    return f ? dataSize_ / f : 0;
}

bool AudioFile::Close() {
    if (fd_ <= 0) return true;
    bool resized = false;
    uint64_t newSize = static_cast<uint64_t>(fileSize_);
    if (IsWritable() && dataSize_ != 0) {
        const uint64_t wanted = dataOffset_ + dataSize_ + trailingSize_;
        if (wanted < newSize) {
            newSize = wanted;
            resized = true;
        }
        if (uint8_t* header = MapHeader(HeaderLength())) {
            WriteContainerSize(header, newSize);
            UnmapHeader(header, HeaderLength());
        }
    }
    UnmapAll();
    if (resized) {
        if (::ftruncate(fd_, static_cast<off_t>(newSize)) != 0) {
            error_ = errno;
            LogAudioFile(AudioFileLogSites::kCloseTruncateFailed, Name(), static_cast<uint32_t>(error_));
            return false;
        }
    }
    ::close(fd_);
    fd_ = 0;
    unsupported_ = false;
    fileSize_ = 0;
    return true;
}

bool AudioFile::ReadyToRead(uint64_t p) {
    if (fd_ <= 0 && error_ == 0 && !unsupported_) Open(Name(), 0);
    if (p > static_cast<uint64_t>(INT64_MAX)) return false;  // a negative position
    if (error_ != 0 || unsupported_) return false;
    return FrameBytes() != 0;
}

uint64_t AudioFile::ClipFrames(uint64_t n, uint64_t p) const {
    const uint64_t f = FrameBytes();
    if (f == 0 || p > dataSize_ / f) return 0;
    const uint64_t start = p * f;
    if (start >= dataSize_) return 0;
    return std::min(n, (dataSize_ - start) / f);
}

template <typename Out>
uint64_t AudioFile::ReadConverted(Out* buffer, uint64_t n, uint64_t p, Converter<Out> le16, Converter<Out> le24,
                                  Converter<Out> float32) {
    if (!ReadyToRead(p)) return 0;
    n = ClipFrames(n, p);
    if (n == 0) return 0;
    Converter<Out> convert = bytesPerSample_ == 2 ? le16 : bytesPerSample_ == 3 ? le24 : bytesPerSample_ == 4 ? float32 : nullptr;
    if (!convert) {
        // Widths the engine does not convert: nothing is written.
        return ForEachPiece(n, p, [](const uint8_t*, uint64_t, uint64_t) {});
    }
    const int ch = channels_;
    return ForEachPiece(n, p, [&](const uint8_t* in, uint64_t at, uint64_t k) { convert(in, buffer + 2 * at, k, ch); });
}

uint64_t AudioFile::Read(int16_t* buffer, uint64_t n, uint64_t p) {
    return ReadConverted<int16_t>(buffer, n, p, ConvertLE16, ConvertLE24, ConvertFloat32);
}

uint64_t AudioFile::ReadDouble(double* buffer, uint64_t n, uint64_t p) {
    return ReadConverted<double>(buffer, n, p, ConvertLE16ToDouble, ConvertLE24ToDouble, ConvertFloat32ToDouble);
}
