#pragma once
// AudioFile: random access to the samples of an uncompressed audio file
// through at most three memory-mapped windows of the file, without reading
// the file into memory. Parses WAV (RIFF and RF64), converts stored samples
// to interleaved 16-bit stereo frames (or doubles), and has a write mode that
// creates, grows and finalises a WAV file through the same windows.
//
// Reference counted (tag "AFLE"): the Object name is the current path and the
// Object value the duration in milliseconds (0 = not yet computed). The
// AudioSource fields channels, bytes per sample and sample rate describe the
// stored data. Used by one thread at a time; only the registry is shared.

#include <cstdint>

#include "Source/Engine/Base/AudioSource.h"
#include "Source/Engine/Base/Object.h"

class CuePoints;

class AudioFile : public Object, public AudioSource {
public:
    // Open option: accept any sample rate, not only the engine rate.
    static constexpr uint32_t kOpenAnyRate = 0x10000;
    // Option bit: write a "cart" chunk when creating.
    static constexpr uint8_t kOptionWriteCart = 1u << 2;

    // Error values besides 0 (none) and system error numbers.
    static constexpr int32_t kErrorOpening = -2;     // opening, or an open that stopped early
    static constexpr int32_t kErrorFirstWindow = -1;  // AIFF: the header window failed

    // Opens an existing file at once (when presetDurationMs is 0); callers
    // pass 0 and 2 default channels.
    AudioFile(const UString& path, int32_t presetDurationMs, int32_t defaultChannels);
    ~AudioFile() override;

    // True when the file is a WAV file in a format the engine plays directly.
    // A format it does not play leaves the duration and format filled in,
    // error 0 and the unsupported flag set.
    virtual bool Open(const UString& path, uint32_t options);
    // Write mode: creates the file (read-write) for `frames` frames of the
    // current format and writes a WAV header unless a header size is preset.
    virtual bool Create(uint64_t frames);
    // Unmaps everything and closes the descriptor; a written file is cut to
    // its data and trailer first. False only when that truncation failed.
    virtual bool Close();
    // Write mode: finalises the header, closes, and renames the file to
    // newPath when one is given (empty: keep the name).
    virtual bool Finish(const UString& newPath);

    bool IsOk() const override { return error_ == 0; }
    // Milliseconds; opens the file when needed. 0 when unknown or failed.
    virtual int32_t Duration();
    // Up to n frames at frame p as interleaved 16-bit stereo; frames delivered.
    uint64_t Read(int16_t* buffer, uint64_t n, uint64_t p) override;
    // Two doubles per frame.
    uint64_t ReadDouble(double* buffer, uint64_t n, uint64_t p) override;
    // Write mode: points *out at the bytes of n frames at frame p, growing the
    // file as needed; returns the frames that may be written there (fewer
    // than n when they would not fit one window: call again for the rest).
    virtual uint64_t WriteAccess(uint8_t** out, uint64_t n, uint64_t p);

    // Exact number of whole sample frames in the data (data size / frame size).
    uint64_t FrameCount() const;

    bool IsUnsupported() const noexcept { return unsupported_; }
    void SetUnsupported(bool unsupported) noexcept { unsupported_ = unsupported; }
    int32_t FormatTag() const noexcept { return formatTag_; }
    int32_t Error() const noexcept { return error_; }
    uint64_t DataSize() const noexcept { return dataSize_; }
    uint64_t DataOffset() const noexcept { return dataOffset_; }
    int64_t FileSize() const noexcept { return fileSize_; }
    bool IsOpen() const noexcept { return fd_ > 0; }
    // Markers found in the file; null when it has none.
    CuePoints* Cues() const noexcept { return cuePoints_; }
    // The cue-point list, created on first use.
    CuePoints& MutableCues();
    const UString& ConstructionPath() const noexcept { return constructionPath_; }

    // Write-mode settings, applied before Create.
    void SetFormat(int32_t channels, int32_t bytesPerSample, uint64_t sampleRateHz);
    void SetOptions(uint8_t options) noexcept { options_ = options; }
    void SetPresetHeaderSize(uint32_t bytes) noexcept { presetHeaderSize_ = bytes; }
    void SetDeleteOnClose(bool yes) noexcept { deleteOnClose_ = yes; }

    // Address of the byte at `offset`, valid for `length` bytes, served from
    // one of the three windows; null when the range lies outside the file,
    // does not fit one window, or mapping fails (the last is logged).
    uint8_t* MapOffset(uint64_t offset, uint64_t length);

    // Process-wide count of mappings made (diagnostics).
    static uint32_t MappingCount();

    // Longest request a window is guaranteed to serve from any offset.
    static constexpr uint64_t kWindowBytes = 8u << 20;
    static constexpr uint64_t kNearbyBytes = 2u << 20;

protected:
    struct Window {
        uint8_t* address = nullptr;  // null: free
        uint32_t length = 0;
        uint64_t offset = 0;  // a multiple of the page size
        uint32_t stamp = 0;
    };
    static constexpr uint32_t kWindowCount = 3;

    // Opens the path read-only and records its size (steps shared with the
    // AIFF reader). False when it cannot be opened (error = errno; logged
    // when `logFailure`).
    bool OpenDescriptor(const UString& path, bool logFailure);
    // Forgets everything learnt from a previous parse: format, sizes,
    // duration, flags, cue points.
    void ResetParsedState();
    // Bytes [offset, offset + length) of the file, or null when not all of
    // them are in the file or they cannot be mapped.
    const uint8_t* Bytes(uint64_t offset, uint64_t length) { return MapOffset(offset, length); }
    // Unmaps every window (scheduling writes first when writable).
    void UnmapAll();
    // Write mode: makes room for `length` data bytes.
    bool GrowFile(uint64_t length);
    // Write mode: stores the container size (file size − 8) in the header at
    // `header` (the first 100 bytes of the file, mapped writable).
    virtual void WriteContainerSize(uint8_t* header, uint64_t fileSize);
    // Write mode: bytes of the header that hold every size field.
    uint64_t HeaderLength() const noexcept { return dataSizeFieldOffset_ + 4 > 100 ? dataSizeFieldOffset_ + 4 : 100; }
    // Write mode: maps the first `length` bytes of the file on their own.
    uint8_t* MapHeader(uint64_t length);
    void UnmapHeader(uint8_t* header, uint64_t length);
    bool IsWritable() const noexcept { return protection_ == kProtectReadWrite; }
    uint64_t FrameBytes() const noexcept {
        return static_cast<uint64_t>(channels_ > 0 ? channels_ : 0) * static_cast<uint64_t>(bytesPerSample_ > 0 ? bytesPerSample_ : 0);
    }
    // Reopens a closed file before a read; false when reads must refuse.
    bool ReadyToRead(uint64_t p);
    // Frames of a read of n frames at p after clipping to the data.
    uint64_t ClipFrames(uint64_t n, uint64_t p) const;
    // Calls convert(bytes, firstFrame, frames) over the stored bytes of
    // frames [p, p + n), in pieces that each fit one window. Returns the
    // frames converted (stops early when a piece cannot be mapped).
    template <typename Fn>
    uint64_t ForEachPiece(uint64_t n, uint64_t p, Fn convert);
    // The body of Read and ReadDouble: converts frames [p, p + n) with the
    // converter for the stored width (16-bit, 24-bit or float samples).
    template <typename Out>
    using Converter = void (*)(const uint8_t* in, Out* out, uint64_t frames, int channels);
    template <typename Out>
    uint64_t ReadConverted(Out* buffer, uint64_t n, uint64_t p, Converter<Out> le16, Converter<Out> le24,
                           Converter<Out> float32);
    // Stores a duration in milliseconds, saturated to the 32-bit value field.
    void SetDurationMs(uint64_t ms);
    // Writes the data size into the header (data chunk, or ds64 when large).
    void WriteDataSize(uint8_t* header);

    static constexpr int32_t kProtectRead = 1;
    static constexpr int32_t kProtectReadWrite = 3;

    UString constructionPath_;
    bool unsupported_ = false;
    bool deleteOnClose_ = false;
    uint8_t options_ = 0;
    int32_t error_ = 0;
    int32_t formatTag_ = 0;
    uint32_t presetHeaderSize_ = 0;
    int fd_ = 0;
    int32_t protection_ = 0;
    int64_t fileSize_ = 0;
    uint64_t dataSize_ = 0;
    uint64_t dataOffset_ = 0;
    uint64_t dataSizeFieldOffset_ = 0;
    uint64_t ds64Offset_ = 0;
    uint64_t trailingSize_ = 0;
    int32_t pageSize_ = 0;
    uint32_t windowCount_ = kWindowCount;
    uint32_t windowClock_ = 0;
    int32_t lastMapSequence_ = 0;
    Window* windows_ = nullptr;
    Object* attached_ = nullptr;
    CuePoints* cuePoints_ = nullptr;
    int32_t defaultChannels_ = 2;
};
