#pragma once
// Runs encode jobs on plain threads and hands their completions back to the
// thread that schedules them, in the order they ended. The command-line
// encoder uses this in place of the application's detached worker threads
// and pending-event queue.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "ZA2Durizez/core/EncodeJob.h"

class BatchFileItem;

class JobThreads {
public:
    struct Completion {
        BatchFileItem* item = nullptr;
        int32_t status = 0;
    };

    JobThreads() = default;
    ~JobThreads();  // waits for every thread
    JobThreads(const JobThreads&) = delete;
    JobThreads& operator=(const JobThreads&) = delete;

    // Runs the item's job on a new thread (gRunningWorkers already counts it).
    void Start(BatchFileItem& item);
    // Waits up to timeout for a job to end; true with its item and status.
    bool WaitForCompletion(std::chrono::milliseconds timeout, Completion& completion);

    // Events of every job started afterwards, called on the job's thread:
    // before its body runs, and after each block.
    void SetStartEvent(std::function<void(BatchFileItem&)> event) { startEvent_ = std::move(event); }
    void SetBlockEvent(EncodeJob::BlockEvent event) { blockEvent_ = std::move(event); }

private:
    void JoinThreadOf(BatchFileItem* item);

    std::function<void(BatchFileItem&)> startEvent_;
    EncodeJob::BlockEvent blockEvent_;
    std::mutex mutex_;
    std::condition_variable ended_;
    std::deque<Completion> completions_;
    std::map<BatchFileItem*, std::thread> threads_;  // touched by the scheduling thread only
};
