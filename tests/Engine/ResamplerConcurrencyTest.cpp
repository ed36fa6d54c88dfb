#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/Engine/ResamplerTestSupport.h"

using resampler_test::Chain;
using resampler_test::TestSignal;

namespace {

struct Job {
    int32_t rate, channels, outBytes;
};

// One encode job's use of a resampler: 1024-frame blocks, then a flush.
std::vector<uint8_t> RunJob(const Job& job) {
    const uint64_t frames = 30000;
    const auto signal = TestSignal(frames, job.channels, job.rate, static_cast<uint32_t>(job.rate));
    Chain chain(job.rate, 44100, job.channels, job.outBytes);
    for (uint64_t p = 0; p < frames; p += 1024) {
        const uint64_t n = std::min<uint64_t>(1024, frames - p);
        chain.resampler.Write(signal.data() + p * static_cast<uint64_t>(job.channels), n, p);
    }
    chain.resampler.Flush();
    return chain.sink->bytes;
}

}  // namespace

// Jobs start together, so their first writes build the shared dither tables
// at the same moment; each must still get exactly the output it gets alone.
TEST(ResamplerConcurrency, ParallelJobsMatchSerialOutput) {
    const std::vector<Job> jobs = {
        {48000, 2, 2}, {22050, 2, 2}, {16000, 1, 2}, {32000, 2, 3}, {24000, 1, 2}, {48000, 2, 2},
    };
    std::vector<std::vector<uint8_t>> parallel(jobs.size());
    std::vector<std::thread> threads;
    for (size_t i = 0; i < jobs.size(); ++i) {
        threads.emplace_back([&, i] { parallel[i] = RunJob(jobs[i]); });
    }
    for (auto& t : threads) t.join();
    for (size_t i = 0; i < jobs.size(); ++i) {
        const auto serial = RunJob(jobs[i]);
        ASSERT_FALSE(serial.empty());
        EXPECT_TRUE(parallel[i] == serial) << "job " << i;
    }
}
