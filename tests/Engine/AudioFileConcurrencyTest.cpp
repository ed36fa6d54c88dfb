// Encode jobs open, read and release their readers on worker threads at the
// same time; the shared registry and the process-wide mapping counters must
// stay consistent.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Source/Engine/AudioFile/AudioFileAIFF.h"
#include "Source/Engine/AudioFile/AudioFileRegistry.h"
#include "tests/Engine/AudioFileFixtures.h"

using namespace fixture;

TEST(AudioFileConcurrency, ReadersOnSeveralThreadsShareOnlyTheRegistry) {
    TempDir dir;
    Bytes data;
    for (int i = 0; i < 40000; ++i) PutLE(data, static_cast<uint16_t>(i * 7), 2);
    const std::string wav = dir.Write("a.wav", SimpleWav(1, 2, 44100, 16, data));
    const std::string aiff = dir.Write("a.aiff", SimpleAiff(2, 16, 44100, data));
    const size_t before = RegisteredAudioFileCount();

    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 25; ++round) {
                AudioFile* f = (t + round) % 2 ? new AudioFile(wav.c_str(), 0, 2) : new AudioFileAIFF(aiff.c_str(), 0, 2);
                std::vector<int16_t> block(2 * 1024);
                uint64_t frames = 0;
                for (uint64_t p = 0;; p += 1024) {
                    const uint64_t k = f->Read(block.data(), 1024, p);
                    if (k == 0) break;
                    frames += k;
                }
                if (frames != 20000 || RegisteredAudioFileCount() < before + 1) ++mismatches;
                Object::Release(f);
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(RegisteredAudioFileCount(), before);
}
