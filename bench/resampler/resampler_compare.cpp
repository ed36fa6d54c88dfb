// Measures our resampler against the rate converters of sox (its default
// "rate" effect) and ffmpeg on the same generated signals, in one run:
// pass-band level, rejection of an out-of-band tone, THD+N of a 1 kHz sine,
// and throughput in output frames per second, for 48 -> 44.1 kHz stereo and
// 22.05 -> 44.1 kHz mono. 16-bit PCM in and out throughout, as in the
// encode job.
//
// usage: resampler_compare [scratch folder] [throughput seconds]

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <time.h>

#include "Source/Engine/Base/AudioSink.h"
#include "Source/Engine/Resampler/Resampler.h"

namespace {

constexpr double kOutRate = 44100.0;
// Timed runs per measurement; the best is kept (the machine may be shared).
constexpr int kRepeats = 5;

struct Case {
    const char* name;
    int32_t inRate;
    int32_t channels;
    double passHz;    // a tone near the top of the pass band
    double rejectHz;  // an input tone whose alias or image must be rejected
    double rejectOutHz;  // where that alias or image lands in the output
};

const Case kCases[] = {
    // 23 kHz is above the output Nyquist frequency: it folds to 21.1 kHz.
    {"48000->44100 stereo", 48000, 2, 15000.0, 23000.0, 44100.0 - 23000.0},
    // Up-sampling leaves an image of 10 kHz at 22.05 - 10 = 12.05 kHz.
    {"22050->44100 mono", 22050, 1, 10000.0, 10000.0, 22050.0 - 10000.0},
};

using Samples = std::vector<int16_t>;

Samples Tone(double hz, double amplitude, int32_t rate, int32_t channels, double seconds) {
    const auto frames = static_cast<size_t>(seconds * rate);
    Samples s(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < frames; ++i) {
        const double v = amplitude * 32767.0 * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / rate);
        for (int32_t c = 0; c < channels; ++c) s[i * static_cast<size_t>(channels) + static_cast<size_t>(c)] =
            static_cast<int16_t>(std::lround(v));
    }
    return s;
}

Samples Programme(int32_t rate, int32_t channels, double seconds) {
    // Music-like load: a few tones and some noise.
    std::mt19937 rng(3);
    std::normal_distribution<double> noise(0.0, 1500.0);
    const auto frames = static_cast<size_t>(seconds * rate);
    Samples s(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double v = 8000 * std::sin(2 * std::numbers::pi * 220 * t) + 5000 * std::sin(2 * std::numbers::pi * 3100 * t);
        for (int32_t c = 0; c < channels; ++c) {
            s[i * static_cast<size_t>(channels) + static_cast<size_t>(c)] =
                static_cast<int16_t>(std::clamp(v + noise(rng), -32768.0, 32767.0));
        }
    }
    return s;
}

bool WriteRaw(const std::string& path, const Samples& s) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(s.data(), 2, s.size(), f) == s.size();
    return std::fclose(f) == 0 && ok;
}

Samples ReadRaw(const std::string& path) {
    Samples s;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return s;
    int16_t buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 2, 8192, f)) > 0) s.insert(s.end(), buffer, buffer + n);
    std::fclose(f);
    return s;
}

// Channel 0 of interleaved samples, full scale 1.0.
std::vector<double> Channel0(const Samples& s, int32_t channels) {
    std::vector<double> x(s.size() / static_cast<size_t>(channels));
    for (size_t i = 0; i < x.size(); ++i) x[i] = s[i * static_cast<size_t>(channels)] / 32767.0;
    return x;
}

struct Fit {
    double amplitude;
    double residualRms;  // what is left after removing the tone and DC
};

// Least-squares fit of a sine at hz (plus DC) over the middle of x, leaving
// out half a second at each end for the tools' start and end transients.
Fit FitTone(const std::vector<double>& x, double hz) {
    const size_t margin = static_cast<size_t>(kOutRate / 2);
    if (x.size() < 3 * margin) return {0, 0};
    const size_t begin = margin, end = x.size() - margin;
    double m[3][3] = {}, v[3] = {};
    const double w = 2 * std::numbers::pi * hz / kOutRate;
    for (size_t i = begin; i < end; ++i) {
        const double b[3] = {std::sin(w * static_cast<double>(i)), std::cos(w * static_cast<double>(i)), 1.0};
        for (int r = 0; r < 3; ++r) {
            v[r] += b[r] * x[i];
            for (int c = 0; c < 3; ++c) m[r][c] += b[r] * b[c];
        }
    }
    // Gaussian elimination on the 3x3 normal equations.
    for (int p = 0; p < 3; ++p) {
        for (int r = p + 1; r < 3; ++r) {
            const double f = m[r][p] / m[p][p];
            for (int c = p; c < 3; ++c) m[r][c] -= f * m[p][c];
            v[r] -= f * v[p];
        }
    }
    double k[3];
    for (int r = 2; r >= 0; --r) {
        double s = v[r];
        for (int c = r + 1; c < 3; ++c) s -= m[r][c] * k[c];
        k[r] = s / m[r][r];
    }
    double residual = 0;
    for (size_t i = begin; i < end; ++i) {
        const double e = x[i] - k[0] * std::sin(w * static_cast<double>(i)) - k[1] * std::cos(w * static_cast<double>(i)) - k[2];
        residual += e * e;
    }
    return {std::hypot(k[0], k[1]), std::sqrt(residual / static_cast<double>(end - begin))};
}

double Db(double ratio) { return 20.0 * std::log10(std::max(ratio, 1e-12)); }

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Sink that keeps 16-bit frames, or only counts them.
class CollectSink : public AudioSink {
public:
    CollectSink(int32_t channels, bool keep) : AudioSink(channels, 2, 0), keep_(keep) {}
    uint64_t Write(const int16_t* buffer, uint64_t frames, uint64_t) override {
        if (keep_) samples.insert(samples.end(), buffer, buffer + frames * static_cast<uint64_t>(channels_));
        frames_ += frames;
        return frames;
    }
    Samples samples;
    uint64_t frames_ = 0;

private:
    bool keep_;
};

// Our resampler as the encode job drives it: 1024-frame blocks, then Flush.
Samples OursConvert(const Samples& in, const Case& c, bool keep, uint64_t* framesOut) {
    Resampler r(c.inRate, static_cast<int32_t>(kOutRate), 16, true, true, 1.0);
    auto* sink = new CollectSink(c.channels, keep);
    r.Chain(sink);
    const uint64_t frames = in.size() / static_cast<size_t>(c.channels);
    for (uint64_t p = 0; p < frames; p += 1024) {
        const uint64_t n = std::min<uint64_t>(1024, frames - p);
        r.Write(in.data() + p * static_cast<uint64_t>(c.channels), n, p);
    }
    r.Flush();
    if (framesOut) *framesOut = sink->frames_;
    return std::move(sink->samples);
}

struct Tool {
    const char* name;
    // Command that converts `in` to `out` (raw s16le); copyOnly: the same
    // read and write with no rate change, to measure the tool's I/O cost.
    std::string (*command)(const Case&, const std::string& in, const std::string& out, bool copyOnly);
};

std::string SoxCommand(const Case& c, const std::string& in, const std::string& out, bool copyOnly, const char* extra) {
    return "sox " + std::string(extra) + "-t raw -r " + std::to_string(c.inRate) + " -e signed -b 16 -c " +
           std::to_string(c.channels) + " '" + in + "' -t raw '" + out + "'" + (copyOnly ? "" : " rate 44100") +
           " 2>/dev/null";
}

const Tool kTools[] = {
    {"sox rate", [](const Case& c, const std::string& in, const std::string& out, bool copy) {
         return SoxCommand(c, in, out, copy, "");
     }},
    {"sox rate (1 thread)", [](const Case& c, const std::string& in, const std::string& out, bool copy) {
         return SoxCommand(c, in, out, copy, "--single-threaded ");
     }},
    {"ffmpeg", [](const Case& c, const std::string& in, const std::string& out, bool copy) {
         return "ffmpeg -nostdin -v error -y -f s16le -ar " + std::to_string(c.inRate) + " -ac " +
                std::to_string(c.channels) + " -i '" + in + "'" + (copy ? "" : " -ar 44100") + " -f s16le '" + out +
                "' 2>/dev/null";
     }},
};

struct Timing {
    double wall = 0;  // seconds
    double cpu = 0;   // user + system seconds of the process and its threads
};

double RusageSeconds(const rusage& r) {
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) * 1e-6;
}

// Best of `repeats` runs (lowest CPU time, and lowest wall time).
Timing TimeCommand(const std::string& cmd, int repeats) {
    Timing best{1e30, 1e30};
    for (int i = 0; i < repeats; ++i) {
        rusage before{}, after{};
        getrusage(RUSAGE_CHILDREN, &before);
        const auto t0 = std::chrono::steady_clock::now();
        if (std::system(cmd.c_str()) != 0) return {-1, -1};
        best.wall = std::min(best.wall, Seconds(std::chrono::steady_clock::now() - t0));
        getrusage(RUSAGE_CHILDREN, &after);
        best.cpu = std::min(best.cpu, RusageSeconds(after) - RusageSeconds(before));
    }
    return best;
}

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Row {
    std::string tool;
    double passLow = 0, passHigh = 0, reject = 0, thdN = 0;
    double rateWall = 0, rateCpu = 0, rateNet = 0;
};

void PrintRow(const Case& c, const Row& r, double soxRate) {
    std::printf("%-21s %-20s %8.3f %9.3f %9.1f %8.1f %11.3g %11.3g %11.3g %7.2f\n", c.name, r.tool.c_str(),
                r.passLow, r.passHigh, r.reject, r.thdN, r.rateWall, r.rateCpu, r.rateNet,
                soxRate > 0 ? r.rateNet / soxRate : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    const double throughputSeconds = argc > 2 ? std::atof(argv[2]) : 300.0;
    const double amplitude = std::pow(10.0, -1.0 / 20.0);  // -1 dBFS
    const double toneSeconds = 10.0;

    std::printf("pass 1k / pass high: level of a 1 kHz / near-band-edge tone (15 kHz at 48 kHz in, 10 kHz at\n"
                "22.05 kHz in), dB re input; reject: the alias (23 kHz -> 21.1 kHz) or image (10 kHz -> 12.05 kHz)\n"
                "of a tone, dB re input; THD+N: 1 kHz at -1 dBFS, everything but the tone, dB re tone.\n"
                "Output frames per second: wall = elapsed time of the whole run (tools: with file I/O and start-up);\n"
                "cpu = per CPU second (user + system, all threads); net cpu = less the CPU time of the same tool\n"
                "copying the file without rate change (ours runs in memory: net = cpu). x sox = net cpu / sox's.\n"
                "Best of %d runs; throughput input: %.0f s of programme per case.\n\n", kRepeats, throughputSeconds);
    std::printf("%-21s %-20s %8s %9s %9s %8s %11s %11s %11s %7s\n", "case", "resampler", "pass 1k", "pass high",
                "reject", "THD+N", "wall fr/s", "cpu fr/s", "net cpu", "x sox");

    for (const Case& c : kCases) {
        const Samples low = Tone(1000.0, amplitude, c.inRate, c.channels, toneSeconds);
        const Samples high = Tone(c.passHz, amplitude, c.inRate, c.channels, toneSeconds);
        const Samples reject = Tone(c.rejectHz, amplitude, c.inRate, c.channels, toneSeconds);
        const Samples programme = Programme(c.inRate, c.channels, throughputSeconds);
        const std::string base = dir + "/rscmp_" + std::to_string(c.inRate) + "_" + std::to_string(c.channels);
        const std::string lowIn = base + "_low.raw", highIn = base + "_high.raw", rejectIn = base + "_reject.raw",
                          progIn = base + "_prog.raw", out = base + "_out.raw";
        if (!WriteRaw(lowIn, low) || !WriteRaw(highIn, high) || !WriteRaw(rejectIn, reject) ||
            !WriteRaw(progIn, programme)) {
            std::fprintf(stderr, "cannot write scratch files in %s\n", dir.c_str());
            return 1;
        }

        auto measure = [&](Row& row, const Samples& lowOut, const Samples& highOut, const Samples& rejectOut) {
            const Fit l = FitTone(Channel0(lowOut, c.channels), 1000.0);
            row.passLow = Db(l.amplitude / amplitude);
            row.thdN = Db(l.residualRms / (l.amplitude / std::sqrt(2.0)));
            row.passHigh = Db(FitTone(Channel0(highOut, c.channels), c.passHz).amplitude / amplitude);
            row.reject = Db(FitTone(Channel0(rejectOut, c.channels), c.rejectOutHz).amplitude / amplitude);
        };

        std::vector<Row> rows;
        // Ours.
        {
            Row row{"ours"};
            measure(row, OursConvert(low, c, true, nullptr), OursConvert(high, c, true, nullptr),
                    OursConvert(reject, c, true, nullptr));
            double wall = 1e30, cpu = 1e30;
            uint64_t frames = 0;
            for (int i = 0; i < kRepeats; ++i) {
                const auto t0 = std::chrono::steady_clock::now();
                const double c0 = ThreadCpuSeconds();
                OursConvert(programme, c, false, &frames);
                cpu = std::min(cpu, ThreadCpuSeconds() - c0);
                wall = std::min(wall, Seconds(std::chrono::steady_clock::now() - t0));
            }
            row.rateWall = static_cast<double>(frames) / wall;
            row.rateCpu = row.rateNet = static_cast<double>(frames) / cpu;
            rows.push_back(row);
        }
        // The reference tools, through files.
        for (const Tool& tool : kTools) {
            Row row{tool.name};
            Samples outs[3];
            const std::string* ins[3] = {&lowIn, &highIn, &rejectIn};
            bool ok = true;
            for (int i = 0; i < 3 && ok; ++i) {
                ok = std::system(tool.command(c, *ins[i], out, false).c_str()) == 0;
                outs[i] = ReadRaw(out);
            }
            if (!ok) {
                std::printf("%-21s %-20s (not available)\n", c.name, tool.name);
                continue;
            }
            measure(row, outs[0], outs[1], outs[2]);
            const Timing work = TimeCommand(tool.command(c, progIn, out, false), kRepeats);
            const auto frames = static_cast<double>(ReadRaw(out).size() / static_cast<size_t>(c.channels));
            const Timing copy = TimeCommand(tool.command(c, progIn, out, true), kRepeats);
            row.rateWall = frames / work.wall;
            row.rateCpu = frames / work.cpu;
            row.rateNet = work.cpu > copy.cpu && copy.cpu >= 0 ? frames / (work.cpu - copy.cpu) : 0.0;
            rows.push_back(row);
        }
        double soxRate = 0;
        for (const Row& r : rows) {
            if (r.tool == "sox rate") soxRate = r.rateNet;
        }
        for (const Row& r : rows) PrintRow(c, r, soxRate);
        for (const std::string& f : {lowIn, highIn, rejectIn, progIn, out}) std::remove(f.c_str());
    }
    return 0;
}
