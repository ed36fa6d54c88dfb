#include "Source/Engine/Resampler/FilterTable.h"

#include <cmath>
#include <numbers>

#include "Source/Engine/Resampler/FilterDesign.h"

double FilterTable::Window(int64_t i, int64_t wingLength) {
    using ResamplerDesign::kBlackmanHarris;
    const double f = static_cast<double>(wingLength + i);
    const double d = static_cast<double>(2 * wingLength - 1);
    const double t = 2.0 * std::numbers::pi * f / d;
    return kBlackmanHarris[0] - kBlackmanHarris[1] * std::cos(t) + kBlackmanHarris[2] * std::cos(2.0 * t) -
           kBlackmanHarris[3] * std::cos(3.0 * t);
}

void FilterTable::Build(double ratio, int64_t phases, int64_t halfLength, bool lengthen) {
    // Down-sampling by 2 or more gets a longer filter so that the narrower
    // pass band keeps a comparable transition width.
    if (lengthen && ratio >= 2.0) {
        halfLength += ResamplerDesign::kLengtheningPerRatio * static_cast<int64_t>(ratio);
    }
    phases_ = phases;
    halfLength_ = halfLength;

    // Up-sampling: the sinc's zeros fall on the input samples. Down-sampling:
    // the sinc is stretched so the pass band ends below the output Nyquist
    // frequency, and scaled down to keep unit gain at 0 Hz.
    const int64_t wingLength = halfLength * phases;
    double gain = 1.0;
    double step = 1.0 / static_cast<double>(phases);
    if (ratio > 1.0) {
        gain = 1.0 / (ratio * ResamplerDesign::kDownsampleBandFactor);
        step = gain / static_cast<double>(phases);
    }
    gain_ = gain;

    wing_.assign(static_cast<size_t>(wingLength + 1), 0.0);
    for (int64_t i = 0; i <= wingLength; ++i) {
        double s = 1.0;
        if (i != 0) {
            const double a = static_cast<double>(i) * std::numbers::pi * step;
            s = std::sin(a) / a;
        }
        wing_[static_cast<size_t>(i)] = s * gain * Window(i, wingLength);
    }

    // Per-phase rows: position m of a row multiplies input frame j + m - (n-1).
    const int64_t rowLength = RowLength();
    rows_.assign(static_cast<size_t>((phases + 1) * rowLength), 0.0);
    for (int64_t phase = 0; phase <= phases; ++phase) {
        double* row = rows_.data() + phase * rowLength;
        for (int64_t m = 0; m < rowLength; ++m) {
            const int64_t offset = m - (halfLength - 1);
            const int64_t index = offset <= 0 ? phase - offset * phases : offset * phases - phase;
            row[m] = wing_[static_cast<size_t>(index)];
        }
    }
    pairedRows_.resize(2 * rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) {
        pairedRows_[2 * i] = rows_[i];
        pairedRows_[2 * i + 1] = rows_[i];
    }
}
