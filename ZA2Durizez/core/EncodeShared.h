#pragma once
// Process-wide state shared by the scheduler (main thread) and the running
// encode jobs (worker threads).

#include <atomic>
#include <cstdint>

// Set by Stop, a confirmed quit or an interrupt signal; cleared whenever files
// are added. Every job polls it once per block. Lock-free, so a signal handler
// may set it.
extern std::atomic<bool> gCancelFlag;
static_assert(std::atomic<bool>::is_always_lock_free, "the cancel flag is set from signal handlers");

// Jobs allowed at once: 1 until start-up sets it from the processor count.
extern std::atomic<int32_t> gWorkerLimit;

// Jobs started and not yet through their end-of-job bookkeeping.
extern std::atomic<int32_t> gRunningWorkers;

// At most three jobs at once, and never more than the processors.
constexpr int32_t kMaxDefaultWorkers = 3;
int32_t WorkerLimitForProcessors(long processors);
// The number of online processors clamped to 1..3.
int32_t DefaultWorkerLimit();
