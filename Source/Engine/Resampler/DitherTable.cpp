#include "Source/Engine/Resampler/DitherTable.h"

#include <array>
#include <mutex>
#include <vector>

#include "Source/Engine/Base/EngineRate.h"
#include "Source/Engine/Resampler/Biquad.h"
#include "Source/Engine/Resampler/NoiseGenerator.h"

namespace {

// Noise shaping for 16-bit output: a dip around 3 kHz and a lift at the top
// of the band. At low sample rates the shelf moves down and flattens.
struct ShapingDesign {
    double peakGainDb, peakHz, peakQ;
    double shelfGainDb, shelfHz, shelfQ;
};

ShapingDesign ShapingFor(double rateHz) {
    if (rateHz <= 22050.0) {
        return {-6.0, 3000.0, 0.5, 2.0, 0.4 * rateHz, 0.6};
    }
    return {-6.0, 3000.0, 0.5, 6.0, 14000.0, 0.6};
}

// Mid-scale of the generator's 0 .. 2^31 - 1 range.
constexpr double kNoiseOffset = 1073741823.0;
constexpr double kNoiseRange = 2147483647.0;

// Shared tables for up to this many channels; wider layouts build their own.
constexpr int32_t kSharedChannels = 8;

struct Slot {
    std::once_flag once;
    std::shared_ptr<const DitherTable> table;
};

}  // namespace

DitherTable::DitherTable(int32_t channels, bool sixteenBit, NoiseGenerator& noise, double shapingRateHz)
    : channels_(channels), values_(static_cast<size_t>(kFrames * channels)) {
    // Difference of consecutive uniform values: triangular density, and a
    // first-order high-pass that keeps the noise out of the low band.
    const double scale = sixteenBit ? kScale16Bit : kScaleWide;
    std::vector<double> previous(static_cast<size_t>(channels), 0.0);
    for (int64_t i = 0; i < kFrames; ++i) {
        for (int32_t c = 0; c < channels; ++c) {
            const double u = (static_cast<double>(noise.Next()) - kNoiseOffset) / kNoiseRange;
            values_[static_cast<size_t>(i * channels + c)] = (u - previous[static_cast<size_t>(c)]) / scale;
            previous[static_cast<size_t>(c)] = u;
        }
    }

    if (sixteenBit) {
        // Each channel through the peaking filter, then the shelf. All the
        // channels' filters advance together, frame by frame: the values are
        // those of filtering each channel on its own, but the independent
        // recursions overlap instead of waiting on each other.
        const ShapingDesign d = ShapingFor(shapingRateHz);
        const bool peak = d.peakGainDb != 0.0;
        const bool shelf = d.shelfGainDb != 0.0;
        const Biquad peaking = Biquad::Peaking(d.peakGainDb, d.peakHz, d.peakQ, shapingRateHz);
        const Biquad highShelf = Biquad::HighShelf(d.shelfGainDb, d.shelfHz, d.shelfQ, shapingRateHz);
        std::vector<Biquad::State> peakState(static_cast<size_t>(channels));
        std::vector<Biquad::State> shelfState(static_cast<size_t>(channels));
        double* v = values_.Data();
        for (int64_t i = 0; i < kFrames; ++i, v += channels) {
            for (int32_t c = 0; c < channels; ++c) {
                double x = v[c];
                if (peak) x = peaking.Step(x, peakState[static_cast<size_t>(c)]);
                if (shelf) x = highShelf.Step(x, shelfState[static_cast<size_t>(c)]);
                v[c] = x;
            }
        }
    }

    // Cross-fade the frames that followed the period into its start, and
    // store the result at both places: reading on past the period end then
    // gives the same values as wrapping to the start.
    for (int64_t i = 0; i < kOverlapFrames; ++i) {
        for (int32_t c = 0; c < channels; ++c) {
            double& head = values_[static_cast<size_t>(i * channels + c)];
            double& tail = values_[static_cast<size_t>((kPeriodFrames + i) * channels + c)];
            const double v = (static_cast<double>(kOverlapFrames - i) * tail + static_cast<double>(i) * head) /
                             static_cast<double>(kOverlapFrames) * 0.5;
            head = v;
            tail = v;
        }
    }
}

std::shared_ptr<const DitherTable> DitherTable::Acquire(int32_t channels, bool sixteenBit) {
    const double rate = static_cast<double>(kEngineSampleRate);
    if (channels < 1) {
        return nullptr;
    }
    if (channels > kSharedChannels) {
        NoiseGenerator noise;
        return std::make_shared<const DitherTable>(channels, sixteenBit, noise, rate);
    }
    // Never destroyed: a worker thread may still hold a table while the
    // process exits, and each resampler keeps its own reference anyway.
    static auto* slots = new std::array<Slot, 2 * kSharedChannels>();
    Slot& slot = (*slots)[static_cast<size_t>((channels - 1) * 2 + (sixteenBit ? 1 : 0))];
    std::call_once(slot.once, [&] {
        NoiseGenerator noise;
        slot.table = std::make_shared<const DitherTable>(channels, sixteenBit, noise, rate);
    });
    return slot.table;
}
