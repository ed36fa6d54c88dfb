// Encoders on several threads at once: the matrixing table is built once
// under its guard and the shared frame counter is atomic.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

#include "codec/ZA2Durizez.h"
#include "tests/codec/CodecTestSupport.h"

namespace {

// Mono frames: the counter's parity plays no part, so every thread must
// produce the same bytes as a lone encoder.
std::vector<uint8_t> EncodeMono(int frames) {
    const AudioFormat f = MpegFormat(1, 44100, 128000);
    ZA2Durizez enc(f, 0);
    std::vector<int16_t> in(1152);
    std::vector<uint8_t> out;
    uint8_t frame[417];
    for (int n = 0; n < frames; ++n) {
        for (size_t i = 0; i < in.size(); ++i) in[i] = static_cast<int16_t>(12000 * std::sin((n * 1152 + i) * 0.013));
        enc.Encode(in.data(), 2304, frame, sizeof frame);
        out.insert(out.end(), frame, frame + sizeof frame);
    }
    return out;
}

}  // namespace

TEST(CodecConcurrency, ParallelEncodersAgreeAndCountEveryFrame) {
    constexpr int kThreads = 4;
    constexpr int kFrames = 30;
    const uint32_t before = ZA2Durizez::FrameCounter();
    std::vector<std::vector<uint8_t>> results(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&results, t] { results[t] = EncodeMono(kFrames); });
    }
    for (auto& th : threads) th.join();
    EXPECT_EQ(ZA2Durizez::FrameCounter() - before, static_cast<uint32_t>(kThreads * kFrames));
    const std::vector<uint8_t> alone = EncodeMono(kFrames);
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(results[t], alone) << "thread " << t;
}
