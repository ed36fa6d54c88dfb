// Encoder-only throughput. Rates: frames/s (one frame = 1152 sample frames)
// and times real time at 44100 Hz. The input is ten seconds of a noisy
// tone mixture held in memory, so no file or conversion cost is included.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "codec/AnalysisFilterbank.h"
#include "codec/CodecKernels.h"
#include "codec/ZA2Durizez.h"

namespace {

constexpr int kFrames = 383;  // about ten seconds at 44100 Hz

std::vector<int16_t> MakeInput(int channels) {
    std::vector<int16_t> v(static_cast<size_t>(kFrames) * 1152 * channels);
    uint32_t x = 12345;
    for (size_t i = 0; i < v.size(); ++i) {
        x = x * 1664525u + 1013904223u;
        const double t = static_cast<double>(i / channels) / 44100.0;
        const double tone = 6000 * std::sin(2 * M_PI * 440 * t) + 3000 * std::sin(2 * M_PI * 5000 * t);
        v[i] = static_cast<int16_t>(tone + static_cast<int>(x >> 19) - 4096);
    }
    return v;
}

void EncodeFrames(benchmark::State& state, int channels, uint32_t bitRate, const CodecKernels& kernels) {
    AudioFormat format;
    format.Initialise(kFormatMpeg);
    format.SetChannels(static_cast<uint16_t>(channels));
    format.SetBitRate(bitRate);
    format.SetBitsPerSample(16);
    format.SetSamplesPerSecond(44100);
    ZA2Durizez encoder(format, 0);
    encoder.UseKernels(kernels);
    state.SetLabel(kernels.name);
    const std::vector<int16_t> input = MakeInput(channels);
    uint8_t frame[ZA2Durizez::kMaxFrameBytes];
    int n = 0;
    for (auto _ : state) {
        const int16_t* block = input.data() + static_cast<size_t>(n) * 1152 * channels;
        benchmark::DoNotOptimize(encoder.Encode(block, 2304u * channels, frame, sizeof frame));
        benchmark::ClobberMemory();
        n = (n + 1) % kFrames;
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["frames/s"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["x_realtime"] = benchmark::Counter(frames * 1152 / 44100, benchmark::Counter::kIsRate);
}

// One block of 32 samples through the filterbank (72 per stereo frame).
void FilterbankBlock(benchmark::State& state, const CodecKernels& kernels) {
    state.SetLabel(kernels.name);
    BuildMatrixingTable();
    const std::vector<int16_t> input = MakeInput(1);
    FilterbankHistory history{};
    FilterbankPhase phase;
    double out[32];
    double maxima[32] = {};
    size_t at = 0;
    for (auto _ : state) {
        kernels.analyse(phase, history, {input.data() + at, 1, true, out, maxima, nullptr});
        benchmark::DoNotOptimize(out);
        at = (at + 32) % (input.size() - 32);
    }
    state.counters["blocks/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

int main(int argc, char** argv) {
    // The fastest kernel set first (what the encoder uses), then the plain one.
    std::vector<const CodecKernels*> sets{&BestKernels()};
    if (sets[0] != &PlainKernels()) sets.push_back(&PlainKernels());
    for (const CodecKernels* k : sets) {
        const std::string suffix = std::string("/") + k->name;
        benchmark::RegisterBenchmark(("EncodeStereo256" + suffix).c_str(),
                                     [k](benchmark::State& s) { EncodeFrames(s, 2, 256000, *k); });
        benchmark::RegisterBenchmark(("EncodeMono128" + suffix).c_str(),
                                     [k](benchmark::State& s) { EncodeFrames(s, 1, 128000, *k); });
        benchmark::RegisterBenchmark(("FilterbankBlock" + suffix).c_str(),
                                     [k](benchmark::State& s) { FilterbankBlock(s, *k); });
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
