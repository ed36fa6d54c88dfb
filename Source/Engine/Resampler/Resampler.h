#pragma once
// Resampler: a sink that converts a PCM stream from one sampling rate to
// another and passes it on, requantised with noise-shaped dither, to the
// next sink of the chain, which it owns.
//
// The conversion is a windowed-sinc interpolation over a polyphase table
// (12 taps a side, 128 phases, linear interpolation between phases; exact
// phases for 48000 <-> 44100 Hz). Output frame 0 is input time 0; frames
// before the first input frame and after the last count as zeros, and Flush
// appends enough zeros to bring out the tail.
//
// Input samples are 16-bit, 24-bit little-endian, 32-bit (float or integer)
// or 64-bit float, interleaved; Write's int16_t pointer is read as that
// layout. The output format is the next sink's: 2 bytes (16-bit, dithered),
// 3 bytes (24-bit little-endian, dithered) or 4 bytes (float, no dither).
//
// Instead of a next sink, the output can go into a caller's buffer
// (SetOutputBuffer); the frames produced by the last Write are then counted
// by LastOutputFrames.

#include <cstdint>
#include <memory>
#include <vector>

#include "Source/Engine/Base/AudioSink.h"
#include "Source/Engine/Resampler/FilterTable.h"

class DitherTable;
struct ResamplerKernels;

class Resampler : public AudioSink {
public:
    Resampler(int32_t inputRate, int32_t outputRate, int32_t bitsPerInputSample, bool noLengthening, bool floatInput,
              double inputGain);
    ~Resampler() override;

    // Takes ownership of `next` (deleting any earlier next sink). The channel
    // count becomes the next sink's; a next sink with a fixed rate other than
    // the input rate sets the output rate. The filter is rebuilt.
    void Chain(AudioSink* next);

    // Converts `frames` interleaved input frames (none: zeros) and passes the
    // output frames now complete to the next sink. Blocks are taken as
    // consecutive, whatever `position` says. Returns `frames`, or 0 when the
    // count is too large, the resampler is not usable, or the next sink took
    // none of a non-empty output.
    uint64_t Write(const int16_t* buffer, uint64_t frames, uint64_t position) override;
    // Writes 2n + 1 zero frames so that the last output frames see the end of
    // the input, then flushes the next sink. Returns the next sink's result
    // (false also when the tail could not be passed on); without a next sink,
    // whether the tail was converted.
    bool Flush() override;

    // Output into `buffer` (room for capacityFrames frames in the output
    // format) instead of a next sink; null switches back to the next sink.
    // Output frames that do not fit wait for the next Write while the input
    // they need is still held, and come out silent after that.
    void SetOutputBuffer(void* buffer, uint64_t capacityFrames);
    uint64_t LastOutputFrames() const noexcept { return lastOutputFrames_; }
    // Channel count when there is no next sink (1 at construction).
    void SetChannels(int32_t channels);

    // False when the rates, sample width or channel layout cannot be
    // converted; Write then refuses everything.
    bool IsValid() const noexcept { return valid_; }
    int32_t InputRate() const noexcept { return inputRate_; }
    double Ratio() const noexcept { return ratio_; }
    bool Interpolates() const noexcept { return interpolate_; }
    const FilterTable& Filter() const noexcept { return filter_; }
    uint64_t NextOutputFrame() const noexcept { return nextOutputFrame_; }
    AudioSink* Next() const noexcept { return next_.get(); }

    // The hot loops in use: the fastest set the processor runs, unless a
    // test chooses another (every set gives the same output).
    void UseKernels(const ResamplerKernels& kernels) noexcept { kernels_ = &kernels; }
    const ResamplerKernels& Kernels() const noexcept { return *kernels_; }

private:
    void Configure();
    void ConvertInput(const int16_t* buffer, uint64_t frames, double* out) const;
    int32_t OutputBytes() const noexcept;
    uint64_t FilterFrames(uint64_t frames, uint64_t blockPosition, double* values, uint64_t capacityFrames);
    void StoreFrames(const double* values, uint64_t count, uint64_t firstFrame, uint8_t* out) const;

    // Settings.
    int32_t inputRate_;
    double ratio_ = 1.0;
    bool noLengthening_;
    bool floatInput_;
    double inputGain_;
    bool interpolate_ = true;
    int64_t phases_ = 0;
    uint64_t rateNum_ = 1;  // input rate / output rate, reduced
    uint64_t rateDen_ = 1;
    FilterTable filter_;
    double filterRatio_ = 0.0;  // ratio the filter table was built for
    bool valid_ = false;
    const ResamplerKernels* kernels_ = nullptr;
    std::unique_ptr<AudioSink> next_;
    void* callerBuffer_ = nullptr;
    uint64_t callerCapacity_ = 0;

    // Running state.
    std::vector<double> input_;  // history (2n + 1 frames), then the block
    uint64_t largestBlock_ = 0;
    uint64_t inputEnd_ = 0;
    uint64_t nextOutputFrame_ = 0;
    uint64_t lastOutputFrames_ = 0;
    std::vector<double> values_;  // one call's output frames before conversion
    std::vector<uint8_t> output_;
    std::shared_ptr<const DitherTable> dither_;  // shared, read-only
    int32_t ditherBytes_ = 0;                     // output width it was made for
};
