#include "Source/Engine/Resampler/Biquad.h"

#include <cmath>
#include <numbers>

namespace {

// Amplitude factor of the design formulas, 10^(gain/40), kept at single
// precision.
double ShelfAmplitude(double gainDb) {
    return static_cast<double>(static_cast<float>(std::pow(10.0, gainDb / 40.0)));
}

}  // namespace

Biquad Biquad::Peaking(double gainDb, double frequencyHz, double q, double sampleRateHz) {
    const double a = ShelfAmplitude(gainDb);
    const double w0 = 2.0 * std::numbers::pi * frequencyHz / sampleRateHz;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double c = std::cos(w0);
    Biquad f;
    f.b0 = 1.0 + alpha * a;
    f.b1 = -2.0 * c;
    f.b2 = 1.0 - alpha * a;
    f.a0 = 1.0 + alpha / a;
    f.a1 = -2.0 * c;
    f.a2 = 1.0 - alpha / a;
    return f;
}

Biquad Biquad::HighShelf(double gainDb, double frequencyHz, double q, double sampleRateHz) {
    const double a = ShelfAmplitude(gainDb);
    const double w0 = 2.0 * std::numbers::pi * frequencyHz / sampleRateHz;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double c = std::cos(w0);
    const double s = 2.0 * std::sqrt(a) * alpha;
    Biquad f;
    f.b0 = a * ((a + 1.0) + (a - 1.0) * c + s);
    f.b1 = -2.0 * a * ((a - 1.0) + (a + 1.0) * c);
    f.b2 = a * ((a + 1.0) + (a - 1.0) * c - s);
    f.a0 = (a + 1.0) - (a - 1.0) * c + s;
    f.a1 = 2.0 * ((a - 1.0) - (a + 1.0) * c);
    f.a2 = (a + 1.0) - (a - 1.0) * c - s;
    return f;
}

void Biquad::Run(double* values, int64_t count, int64_t stride) const noexcept {
    State state;
    for (int64_t i = 0; i < count; ++i) {
        double& v = values[i * stride];
        v = Step(v, state);
    }
}
