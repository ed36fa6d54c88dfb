#include "codec/ZA2Durizez.h"

#include <algorithm>
#include <cstring>

#include "codec/BitAllocation.h"
#include "codec/FramePacker.h"
#include "codec/Quantiser.h"
#include "codec/ScaleFactors.h"

std::atomic<uint32_t> ZA2Durizez::frameCounter_{0};

namespace {

constexpr int kStereoMode = 0;
constexpr int kSingleChannelMode = 3;
constexpr int kDefaultBitRateIndex = 12;  // 256 kbit/s
constexpr int kLastRoundedIndex = 13;     // 320 kbit/s
constexpr int kPeakBitsMono = 16;
constexpr int kPeakBitsStereo = 40;

int SamplingIndexFor(uint32_t rateHz) {
    switch (rateHz) {
        case 48000: return 1;
        case 32000: return 2;
        default: return 0;  // 44100 Hz and everything the caller did not convert
    }
}

int BitRateIndexFor(uint64_t bitsPerSecond) {
    switch (bitsPerSecond) {
        case 0: return kDefaultBitRateIndex;
        case 128000: return 8;
        case 192000: return 10;
        case 256000: return 12;
        case 384000: return 14;
        default: break;
    }
    // Round up to a table rate; above 320 kbit/s keep the default.
    const uint64_t kbps = bitsPerSecond / 1000;
    for (int index = 1; index <= kLastRoundedIndex; ++index) {
        if (static_cast<uint64_t>(kBitRatesKbps[index]) >= kbps) {
            return index;
        }
    }
    return kDefaultBitRateIndex;
}

}  // namespace

ZA2Durizez::ZA2Durizez(const AudioFormat& format, uint32_t flags)
    : channels_(format.channels == 2 ? 2 : 1),  // other counts are coded as one channel
      mode_(channels_ == 2 ? kStereoMode : kSingleChannelMode),
      samplingIndex_(SamplingIndexFor(format.samplesPerSecond)),
      bitRateIndex_(BitRateIndexFor(static_cast<uint64_t>(format.averageBytesPerSecond) * 8)),
      peakFlag_((flags & kPeakLevelFlag) != 0 ? 1 : 0) {
    if (peakFlag_) {
        ancillaryBits_ = channels_ == 1 ? kPeakBitsMono : kPeakBitsStereo;
    }
    inputBlock_ = static_cast<uint64_t>(channels_) * kFrameSamples;
    Reset();
}

void ZA2Durizez::Reset() {
    BuildMatrixingTable();
    std::memset(history_, 0, sizeof history_);
    phase_ = FilterbankPhase{};
    header_ = 0;

    const int fs = kSamplingFrequencies[samplingIndex_];
    outputBlock_ = static_cast<uint64_t>(kBitRatesKbps[bitRateIndex_]) * 144000 / static_cast<uint64_t>(fs);

    const int row = channels_ == 2 ? kTableRowStereo[bitRateIndex_] : kTableRowMono[bitRateIndex_];
    const uint8_t selection = kTableSelection[row][samplingIndex_];
    tableNumber_ = selection >> 6;
    sblimit_ = selection & 63;
    bound_ = std::min(mode_ == kStereoMode ? 32 : 0, sblimit_);

    BuildThresholdTable(fs, thresholdDb_);
}

uint64_t ZA2Durizez::Encode(const void* input, uint64_t /*inputSize*/, void* output, uint64_t /*outputCapacity*/) {
    const int frameBytes = static_cast<int>(outputBlock_);
    const int channels = channels_;
    const int stride = mode_ == kStereoMode ? 2 : 1;
    Layer2Frame frame;
    frame.Clear();

    // 1. Analysis: 36 blocks of 32 samples per channel, channel 0 first.
    const int16_t* in = static_cast<const int16_t*>(input);
    for (int part = 0; part < kPartCount; ++part) {
        for (int slot = 0; slot < 12; ++slot) {
            const int row = 12 * part + slot;
            for (int ch = 0; ch < channels; ++ch) {
                const AnalysisBlock block{in + ch,
                                          stride,
                                          ch == channels - 1,
                                          frame.subbands[ch][row],
                                          frame.maxima[ch][part],
                                          peakFlag_ ? &frame.peak[ch] : nullptr,
                                          ch};
                kernels_->analyse(phase_, history_[ch], block);
            }
            in += kSubbandCount * channels;
        }
    }
    if (output == nullptr) {
        return outputBlock_;  // priming: filterbank only
    }

    const Layer2Layout layout = Layout();
    // 2. Scale factors and scfsi.
    ChooseScaleFactors(layout, frame);
    // 3. Greedy bit allocation; the counter's parity picks the scan order.
    const uint32_t counter = frameCounter_.fetch_add(1, std::memory_order_relaxed) + 1;
    const int budget = AllocationBudget(layout, frameBytes, crc_ != 0, ancillaryBits_);
    AllocateBits(layout, thresholdDb_, budget, counter, frame, *kernels_);
    // 4. Header, built once per stream.
    if (header_ == 0) {
        header_ = BuildFrameHeader(bitRateIndex_, samplingIndex_, mode_);
    }
    // 5. Quantisation of every allocated band.
    QuantiseFrame(layout, *kernels_, frame);
    // 6. The frame itself.
    PackFrame(layout, frame, header_, peakFlag_ != 0, static_cast<uint8_t*>(output), frameBytes);
    return outputBlock_;
}
