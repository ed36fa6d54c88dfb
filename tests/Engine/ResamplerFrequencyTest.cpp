#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "Source/Engine/Resampler/FilterTable.h"
#include "tests/Engine/ResamplerTestSupport.h"

using resampler_test::Chain;
using resampler_test::ToneAmplitude;

namespace {

// Gain of the interpolation filter at frequencyHz of an input sampled at
// inputRateHz: the table samples the impulse response P times per input
// sample, so its continuous response is the (1/P)-weighted cosine sum over
// both wings.
double FilterGain(const FilterTable& f, double frequencyHz, double inputRateHz) {
    const auto& wing = f.Wing();
    const double p = static_cast<double>(f.Phases());
    double sum = wing[0];
    for (size_t i = 1; i < wing.size(); ++i) {
        sum += 2.0 * wing[i] * std::cos(2.0 * std::numbers::pi * frequencyHz * static_cast<double>(i) / (p * inputRateHz));
    }
    return sum / p;
}

double Db(double ratio) { return 20.0 * std::log10(ratio); }

std::vector<int16_t> Sine16(double frequencyHz, double amplitude, double rateHz, size_t frames, int32_t channels) {
    std::vector<int16_t> s(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < frames; ++i) {
        const double v = amplitude * 32767.0 * std::sin(2 * std::numbers::pi * frequencyHz * static_cast<double>(i) / rateHz);
        for (int32_t c = 0; c < channels; ++c) s[i * static_cast<size_t>(channels) + static_cast<size_t>(c)] =
            static_cast<int16_t>(std::lround(v));
    }
    return s;
}

}  // namespace

// The encode job's configuration: 16-bit stereo in, dithered 16-bit out.
TEST(ResamplerFrequencyResponse, OneKilohertzKeepsFrequencyAndLevelAtEveryInputRate) {
    for (int32_t rate : {16000, 22050, 24000, 32000, 48000}) {
        SCOPED_TRACE(rate);
        const double amplitude = 0.5;
        const auto in = Sine16(1000.0, amplitude, rate, static_cast<size_t>(rate), 2);
        Chain chain(rate, 44100, 2, 2);
        chain.resampler.Write(in.data(), static_cast<uint64_t>(rate), 0);
        chain.resampler.Flush();
        const auto out = chain.sink->Samples16();
        std::vector<double> left(out.size() / 2);
        for (size_t i = 0; i < left.size(); ++i) left[i] = out[2 * i] / 32767.0;
        ASSERT_GE(left.size(), 44100u);

        // Whole cycles away from the edges.
        const size_t begin = 441, end = 44100 - 441;
        const double expected = amplitude * std::abs(FilterGain(chain.resampler.Filter(), 1000.0, rate));
        const double measured = ToneAmplitude(left, 1000.0, 44100.0, begin, end);
        EXPECT_NEAR(Db(measured / expected), 0.0, 0.005);
        EXPECT_NEAR(Db(expected / amplitude), 0.0, 0.01);  // the pass band is flat at 1 kHz

        // Nothing but the tone: what is left after removing it is noise
        // (dither, images) far below it.
        double residual = 0.0;
        const double w = 2 * std::numbers::pi * 1000.0 / 44100.0;
        double sc = 0, cc = 0;
        for (size_t i = begin; i < end; ++i) {
            sc += left[i] * std::sin(w * static_cast<double>(i));
            cc += left[i] * std::cos(w * static_cast<double>(i));
        }
        const double a = 2 * sc / static_cast<double>(end - begin), b = 2 * cc / static_cast<double>(end - begin);
        for (size_t i = begin; i < end; ++i) {
            const double r = left[i] - a * std::sin(w * static_cast<double>(i)) - b * std::cos(w * static_cast<double>(i));
            residual += r * r;
        }
        const double thdN = Db(std::sqrt(residual / static_cast<double>(end - begin)) / (measured / std::sqrt(2.0)));
        EXPECT_LT(thdN, -78.0);  // 16-bit dither and requantisation noise
        RecordProperty("thd_n_db_" + std::to_string(rate), std::to_string(thdN));
    }
}

TEST(ResamplerFrequencyResponse, ToneNearInputNyquistIsRejectedAsDesigned) {
    // 23 kHz at 48 kHz lies above the output Nyquist frequency (22.05 kHz):
    // what gets through folds to 44.1 - 23 = 21.1 kHz.
    const double rate = 48000.0, tone = 23000.0, alias = 44100.0 - tone, amplitude = 0.5;
    Chain chain(48000, 44100, 1, 4, 64);
    const double predictedDb = Db(std::abs(FilterGain(chain.resampler.Filter(), tone, rate)) /
                                  std::abs(FilterGain(chain.resampler.Filter(), 1000.0, rate)));
    // The design: pass band to 22050 / 1.35 = 16.3 kHz, then the window's
    // transition; 23 kHz is well into the stop band.
    EXPECT_LT(predictedDb, -60.0);

    std::vector<double> in(48000);
    for (size_t i = 0; i < in.size(); ++i) in[i] = amplitude * std::sin(2 * std::numbers::pi * tone * static_cast<double>(i) / rate);
    chain.resampler.Write(reinterpret_cast<const int16_t*>(in.data()), in.size(), 0);
    const auto f = chain.sink->Floats();
    const std::vector<double> out(f.begin(), f.end());
    ASSERT_GE(out.size(), 44000u);
    const double measuredDb = Db(ToneAmplitude(out, alias, 44100.0, 441, 44100 - 441) / amplitude);
    EXPECT_NEAR(measuredDb, predictedDb, 1.0);
    RecordProperty("predicted_db", std::to_string(predictedDb));
    RecordProperty("measured_db", std::to_string(measuredDb));
}
