// The window scheme: every access to the file goes through one of three
// mapped windows of at most 8 MiB. A request inside a window is served at
// once; a request near a window (within 2 MiB) moves that window, so that
// sequential reading remaps one window in place; anything else takes a free
// window or the least recently chosen one.

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include "Source/Engine/AudioFile/AudioFile.h"
#include "Source/Engine/AudioFile/AudioFileLog.h"

namespace {
// Process-wide counters; they influence nothing but are read by diagnostics.
std::atomic<uint32_t> gMappingsMade{0};
std::atomic<int32_t> gSlotsInUse{0};

int ToProt(int32_t protection) { return (protection & 2) ? PROT_READ | PROT_WRITE : PROT_READ; }
}  // namespace

uint32_t AudioFile::MappingCount() { return gMappingsMade.load(std::memory_order_relaxed); }

uint8_t* AudioFile::MapOffset(uint64_t a, uint64_t b) {
    if (fd_ <= 0 || fileSize_ <= 0) return nullptr;
    const uint64_t size = static_cast<uint64_t>(fileSize_);
    // Only bytes of the file, and only what one window can hold.
    if (a > size || b > size - a) return nullptr;
    if (pageSize_ <= 0) pageSize_ = static_cast<int32_t>(::sysconf(_SC_PAGESIZE));
    const uint64_t page = static_cast<uint64_t>(pageSize_);
    if (a % page + b > kWindowBytes) return nullptr;

    if (!windows_) windows_ = new Window[kWindowCount]();

    // 1. A window that holds the range serves it; a nearby one is moved.
    Window* chosen = nullptr;
    bool sequential = false;
    for (uint32_t i = 0; i < windowCount_ && !chosen; ++i) {
        Window& w = windows_[i];
        if (!w.address) continue;
        const int64_t o = static_cast<int64_t>(w.offset), n = w.length;
        const int64_t A = static_cast<int64_t>(a), B = static_cast<int64_t>(b);
        const int64_t nearby = static_cast<int64_t>(kNearbyBytes);
        if (o <= A && A + B <= o + n) return w.address + (a - w.offset);
        if ((o < A && A + B <= o + n + nearby) || (o - nearby <= A && A <= o + n)) {
            chosen = &w;
            chosen->stamp = windowClock_;
            sequential = true;
        }
    }
    // 2. Otherwise a free window, else the least recently chosen.
    if (!chosen) {
        ++windowClock_;
        for (uint32_t i = 0; i < windowCount_ && !chosen; ++i)
            if (!windows_[i].address) chosen = &windows_[i];
        if (!chosen) {
            chosen = &windows_[0];
            for (uint32_t i = 1; i < windowCount_; ++i)
                if (windows_[i].stamp < chosen->stamp) chosen = &windows_[i];
        }
        chosen->stamp = windowClock_;
    }
    lastMapSequence_ = static_cast<int32_t>(gMappingsMade.fetch_add(1, std::memory_order_relaxed));

    if (chosen->address) {
        if (IsWritable()) ::msync(chosen->address, chosen->length, MS_ASYNC);
        ::munmap(chosen->address, chosen->length);
        chosen->address = nullptr;
    } else {
        gSlotsInUse.fetch_add(1, std::memory_order_relaxed);
    }

    // Write mode keeps the header's data size current at every new mapping,
    // so that an interrupted write still leaves a readable file.
    if (dataSizeFieldOffset_ != 0 && IsWritable() && dataSize_ != 0) {
        if (uint8_t* header = MapHeader(HeaderLength())) {
            WriteDataSize(header);
            UnmapHeader(header, HeaderLength());
        }
    }

    const uint64_t offset = a - a % page;
    const uint64_t length = std::min<uint64_t>(size - offset, kWindowBytes);
    // A window moved along the file is read through: map all of its pages
    // at once instead of faulting them in one by one.
    const int flags = MAP_SHARED | (sequential && !IsWritable() ? MAP_POPULATE : 0);
    void* address = ::mmap(nullptr, length, ToProt(protection_), flags, fd_, static_cast<off_t>(offset));
    if (address == MAP_FAILED) {
        error_ = errno;
        LogAudioFile(AudioFileLogSites::kMapFailed, Name(), static_cast<uint32_t>(error_));
        chosen->address = nullptr;
        chosen->length = 0;
        gSlotsInUse.fetch_sub(1, std::memory_order_relaxed);
        return nullptr;
    }
    chosen->address = static_cast<uint8_t*>(address);
    chosen->length = static_cast<uint32_t>(length);
    chosen->offset = offset;
    return chosen->address + (a - offset);
}

void AudioFile::UnmapAll() {
    if (!windows_) return;
    for (uint32_t i = 0; i < windowCount_; ++i) {
        Window& w = windows_[i];
        if (!w.address) continue;
        if (IsWritable()) ::msync(w.address, w.length, MS_ASYNC);
        ::munmap(w.address, w.length);
        w = Window{};
        gSlotsInUse.fetch_sub(1, std::memory_order_relaxed);
    }
}

uint8_t* AudioFile::MapHeader(uint64_t length) {
    if (fd_ <= 0 || fileSize_ <= 0) return nullptr;
    length = std::min<uint64_t>(length, static_cast<uint64_t>(fileSize_));
    void* address = ::mmap(nullptr, length, ToProt(protection_), MAP_SHARED, fd_, 0);
    return address == MAP_FAILED ? nullptr : static_cast<uint8_t*>(address);
}

void AudioFile::UnmapHeader(uint8_t* header, uint64_t length) {
    length = std::min<uint64_t>(length, static_cast<uint64_t>(fileSize_));
    ::munmap(header, length);
}
