#pragma once
// ZA2Durizez: the MPEG-1 Audio Layer II encoder. Each Encode call takes 1152
// sample frames of 16-bit PCM (mono, or interleaved stereo) and produces one
// frame of constant length: plain stereo or single channel, no CRC, no
// padding, bits allocated greedily above the threshold in quiet.

#include <atomic>
#include <cstdint>

#include "Source/Engine/Base/AudioFormat.h"
#include "codec/AnalysisFilterbank.h"
#include "codec/CodecKernels.h"
#include "codec/Layer2Frame.h"
#include "codec/MP2Base.h"

class ZA2Durizez : public MP2Base {
public:
    // Bit 4 of the construction flags: write per-frame peak levels into the
    // last bytes of each frame.
    static constexpr uint32_t kPeakLevelFlag = 0x10;
    // Longest frame: 384 kbit/s at 32 kHz.
    static constexpr int kMaxFrameBytes = 1728;

    // Reads channels, sampling rate and average bytes per second; other
    // rates are coded as 44100 Hz, bit rates are rounded up to a table rate.
    ZA2Durizez(const AudioFormat& format, uint32_t flags);
    ~ZA2Durizez() override = default;

    // Reads channels x 1152 samples whatever inputSize says and writes one
    // frame (the capacity is not consulted; at most kMaxFrameBytes). With no
    // output buffer only the filterbank runs (priming). Returns the frame length.
    uint64_t Encode(const void* input, uint64_t inputSize, void* output, uint64_t outputCapacity) override;
    // Back to the start of a stream: clears the filterbank and the cached
    // header, recomputes frame length, tables and the threshold in quiet.
    void Reset() override;

    int Channels() const noexcept { return channels_; }
    int Mode() const noexcept { return mode_; }
    int TableFamily() const noexcept { return tableNumber_; }
    int AncillaryBits() const noexcept { return ancillaryBits_; }
    int SamplingIndex() const noexcept { return samplingIndex_; }
    int BitRateIndex() const noexcept { return bitRateIndex_; }
    int Sblimit() const noexcept { return sblimit_; }
    int Bound() const noexcept { return bound_; }
    bool PeakLevels() const noexcept { return peakFlag_ != 0; }
    int FrameBytes() const noexcept { return static_cast<int>(outputBlock_); }
    double ThresholdDb(int subband) const noexcept { return thresholdDb_[subband]; }
    uint32_t CachedHeader() const noexcept { return header_; }
    const FilterbankPhase& Phase() const noexcept { return phase_; }

    // The hot loops in use (the fastest this processor runs, by default).
    const CodecKernels& Kernels() const noexcept { return *kernels_; }
    // For tests and benchmarks: run with another kernel set.
    void UseKernels(const CodecKernels& kernels) noexcept { kernels_ = &kernels; }

    // Process-wide count of frames allocated; only its parity is used.
    static uint32_t FrameCounter() noexcept { return frameCounter_.load(std::memory_order_relaxed); }

private:
    Layer2Layout Layout() const noexcept { return {channels_, sblimit_, bound_, tableNumber_}; }

    // Settings, fixed at construction.
    int channels_;
    int mode_;
    int tableNumber_ = 1;
    int ancillaryBits_ = 0;
    int samplingIndex_ = 0;
    int bitRateIndex_ = 12;
    int sblimit_ = 27;
    int bound_ = 32;
    uint8_t crc_ = 0;
    uint8_t peakFlag_ = 0;
    const CodecKernels* kernels_ = &BestKernels();

    // Running state, cleared by Reset.
    FilterbankHistory history_[kMaxChannels];
    FilterbankPhase phase_;
    double thresholdDb_[kSubbandCount];
    uint32_t header_ = 0;

    static std::atomic<uint32_t> frameCounter_;
};
