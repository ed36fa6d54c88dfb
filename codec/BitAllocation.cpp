#include "codec/BitAllocation.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSilentSmrDb = -200.0;
constexpr double kScanStartDb = 500.0;      // bands at or above are never chosen
constexpr double kNotCodedDb = 1e9;         // subbands from sblimit on
constexpr double kStopAboveDb = 100.0;      // enough: stop allocating
constexpr double kTooExpensiveDb = 2000.0;  // the step did not fit the budget
constexpr double kExhaustedDb = 1000.0;     // the last allocation index is reached
constexpr double kFineEnoughDb = 40.0;      // more levels than the scale factor needs
constexpr double kFineStepLimit = 16000.0;  // steps / scale factor above this is fine enough
constexpr int kMinUsefulBits = 17;
constexpr int kHeaderBits = 32;
constexpr int kCrcBits = 16;
constexpr int kScfsiBits = 2;
constexpr int kGranules = kGranulesPerFrame;

// Absolute threshold of hearing in dB SPL at f kHz.
double ThresholdInQuietDb(double f) {
    return 3.64 * std::pow(f, -0.8) - 6.8 * std::exp(-0.6 * (f - 3.4) * (f - 3.4)) +
           6.0 * std::exp(-0.15 * (f - 8.7) * (f - 8.7)) + 0.0006 * std::pow(f, 4.0);
}

// steps / scale factor > 16000 for every class and scale-factor index,
// computed once with the same division the rule states.
struct FineEnoughTable {
    bool value[kQuantClassCount + 1][kScaleFactorCount];
    FineEnoughTable() {
        for (int cls = 0; cls <= kQuantClassCount; ++cls) {
            for (int sf = 0; sf < kScaleFactorCount; ++sf) {
                value[cls][sf] = kQuantClasses[cls].steps / kScaleFactors[sf] > kFineStepLimit;
            }
        }
    }
};

const FineEnoughTable& FineEnough() {
    static const FineEnoughTable table;  // thread-safe one-time initialisation
    return table;
}

}  // namespace

void BuildThresholdTable(int samplingFrequencyHz, double thresholdDb[kSubbandCount]) {
    for (int sb = 0; sb < kSubbandCount; ++sb) {
        thresholdDb[sb] = 1000.0;
    }
    for (int line = 1; line < 512; ++line) {
        double f = line * static_cast<double>(samplingFrequencyHz) / 1024.0 / 1000.0;
        f = std::max(f, 0.01);
        if (f > 18.0) {
            f = 17.0;  // the curve is held at its 17 kHz value above 18 kHz
        }
        double& entry = thresholdDb[line / 16];
        entry = std::min(entry, ThresholdInQuietDb(f));
    }
}

int AllocationBudget(const Layer2Layout& layout, int frameBytes, bool crc, int ancillaryBits) {
    int budget = frameBytes * 8 - kHeaderBits - (crc ? kCrcBits : 0) - ancillaryBits;
    for (int sb = 0; sb < layout.sblimit; ++sb) {
        budget -= layout.Nbal(sb) * (sb < layout.bound ? 2 : 1);
    }
    return budget;
}

void AllocateBits(const Layer2Layout& layout, const double thresholdDb[kSubbandCount], int budget,
                  uint32_t frameCounter, Layer2Frame& frame, const CodecKernels& kernels) {
    const int channels = layout.channels;
    const int sblimit = layout.sblimit;

    // SMR estimate from the smallest scale factor; the MNR starts at -SMR.
    for (int ch = 0; ch < channels; ++ch) {
        for (int sb = 0; sb < sblimit; ++sb) {
            const int smallest = frame.smallestScaleFactor[ch][sb];
            const double smr = smallest == kSilentScaleFactor
                                   ? kSilentSmrDb
                                   : 2.2 * (18 - smallest) - (thresholdDb[sb] - kThresholdOffsetDb[sb]);
            frame.smrDb[ch][sb] = smr;
            frame.mnrDb[ch][sb] = -smr;
            frame.allocation[ch][sb] = 0;
            frame.quantClass[ch][sb] = 0;
        }
        for (int sb = sblimit; sb < kSubbandCount; ++sb) {
            frame.mnrDb[ch][sb] = kNotCodedDb;  // never below the scan's start
        }
    }

    const bool ascending = (frameCounter & 1) != 0;
    const FineEnoughTable& fineEnough = FineEnough();
    // Each channel's smallest MNR below the scan start and its first
    // subband, recomputed only for channels whose MNRs changed.
    double channelMin[kMaxChannels];
    int channelBand[kMaxChannels];
    bool changed[kMaxChannels] = {true, true};
    for (;;) {
        // 1. The band with the strictly smallest MNR, first found in scan
        // order wins: channel by channel, subbands ascending.
        double minimum = kScanStartDb;
        int c = -1;
        int b = -1;
        for (int n = 0; n < channels; ++n) {
            const int ch = ascending ? n : channels - 1 - n;
            if (changed[ch]) {
                channelMin[ch] = kScanStartDb;
                channelBand[ch] = kernels.firstMinimum(frame.mnrDb[ch], &channelMin[ch]);
                changed[ch] = false;
            }
            if (channelBand[ch] >= 0 && channelMin[ch] < minimum) {
                minimum = channelMin[ch];
                c = ch;
                b = channelBand[ch];
            }
        }
        // 2. Nothing left, or every band is good enough.
        if (c < 0 || minimum > kStopAboveDb) {
            return;
        }
        // 3.-7. Step the band; in stereo the other channel's band follows
        // directly when its MNR equals the minimum.
        for (;;) {
            changed[c] = true;
            const int index = frame.allocation[c][b];
            const int current = frame.quantClass[c][b];
            const int next = layout.ClassList(b)[index];
            int cost = kGranules * (GranuleBits(next) - GranuleBits(current));
            if (current == 0) {
                cost += kScaleFactorBits[frame.scfsi[c][b]] + kScfsiBits;
            }
            if (cost > budget) {
                frame.mnrDb[c][b] += kTooExpensiveDb;
                break;
            }
            frame.allocation[c][b] = index + 1;
            frame.quantClass[c][b] = next;
            budget -= cost;
            const int lastIndex = (1 << layout.Nbal(b)) - 1;
            if (index + 1 == lastIndex) {
                frame.mnrDb[c][b] += kExhaustedDb;
            } else if (fineEnough.value[next][frame.smallestScaleFactor[c][b]]) {
                frame.mnrDb[c][b] += kFineEnoughDb;
            } else {
                frame.mnrDb[c][b] = kQuantClasses[next].snrDb - frame.smrDb[c][b];
            }
            if (budget < kMinUsefulBits) {
                return;
            }
            if (channels == 2 && frame.mnrDb[1 - c][b] == minimum) {
                c = 1 - c;
                continue;
            }
            break;
        }
    }
}
